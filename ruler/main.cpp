// Mensato.exe: the settings window and the ruler on the Win32 backend.
#include <windows.h>

#include "mensato_forms.h"
#include "win32/win32_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Host host;
    forms::App app(host);
    mensato::Mensato program(app);
    program.form1.Show();
    return host.Run();
}
