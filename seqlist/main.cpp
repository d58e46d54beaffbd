// Ordinell.exe: the main window on the Win32 backend.
#include <windows.h>

#include "ordinell_form.h"
#include "win32/win32_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Host host;
    forms::App app(host);
    ordinell::MainForm form;
    form.Show();
    return host.Run();
}
