#include "app/dialogs/SettingsDialogs.h"

namespace nbx::app {

// Until each area has its dialog, its command leaves the project as it is.
bool RunSettingsDialog(SettingsArea, CTamselDoc&, const SettingsDialogContext&) {
    return false;
}

}  // namespace nbx::app
