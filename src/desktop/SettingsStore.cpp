#include "SettingsStore.h"

#include "AppIdentity.h"
#include "Platform.h"
#include "UiTexts.h"
#include "core/settings/Profile.h"
#include "core/settings/Settings.h"

bool storeSettings(QWidget* parent)
{
    if (!installedProfile())
        return false;
    if (GetSettings().Save())
        return true;
    Platform::instance().showMessage(parent, AppIdentity::windowCaption(),
                                     UiTexts::settingsNotStored(), Platform::Icon::Warning);
    return false;
}
