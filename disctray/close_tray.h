// Velcrest: one attempt to close the disc tray, and the error message when it fails.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace disctray {

// The multimedia command string that closes the tray of the CD audio device.
inline constexpr std::wstring_view kCloseCommand = L"Set CDAudio Door Closed";
inline constexpr std::wstring_view kErrorText = L"エラー";

struct TrayServices {
    // Sends a multimedia command string; 0 on success, else the error code.
    std::function<uint32_t(std::wstring_view command)> sendCommand;
    // Shows the text in a modal message box with the program's name as caption and an OK
    // button; returns when it has been dismissed.
    std::function<void(std::wstring_view text)> showError;
};

// Sends the close command once and, if it fails, shows the one error message. Returns the
// program's exit status, which is 0 whatever happened.
int CloseDiscTray(const TrayServices& services);

}  // namespace disctray
