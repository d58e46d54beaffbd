#include "disctray/close_tray.h"

namespace disctray {

int CloseDiscTray(const TrayServices& services) {
    if (services.sendCommand(kCloseCommand) != 0) {
        services.showError(kErrorText);
    }
    return 0;
}

}  // namespace disctray
