// Lindrow.exe: the main window on the Win32 backend.
#include <windows.h>

#include "lindrow_forms.h"
#include "win32/win32_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Host host;
    forms::App app(host);
    lindrow::Lindrow program(app);
    program.form1.Show();
    return host.Run();
}
