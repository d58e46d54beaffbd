// Velcrest's entry point: no window of its own; the command line is ignored.
#include <windows.h>
// The multimedia declarations build on windows.h.
#include <mmsystem.h>

#include <string>

#include "disctray/close_tray.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const disctray::TrayServices services{
        [](std::wstring_view command) {
            // The device is named by its type, so it is opened for this command only.
            return static_cast<uint32_t>(
                mciSendStringW(std::wstring(command).c_str(), nullptr, 0, nullptr));
        },
        [](std::wstring_view text) {
            MessageBoxW(nullptr, std::wstring(text).c_str(), PROGRAM_NAME, MB_OK);
        },
    };
    return disctray::CloseDiscTray(services);
}
