// Pindorel.exe: the hidden controller and the notes on the Win32 backend.
#include <windows.h>

#include "pindorel_forms.h"
#include "win32/win32_host.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    win32::Win32Host host;
    forms::App app(host);
    pindorel::Notes program(app);
    program.form1.Load();
    return host.Run();
}
