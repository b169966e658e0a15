#include "QSettingsProfile.h"
#include "QuorApp.h"
#include "Translation.h"
#include "WineFontEngine.h"
#include "desktop/AppIdentity.h"
#include "desktop/QtPlatform.h"
#include "desktop/SettingsStore.h"
#include "desktop/UiTexts.h"
#include "ui/MainFrame.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[])
{
    chooseFontEngineUnderWine();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(AppIdentity::organization());
    QApplication::setApplicationName(AppIdentity::application());
    installTranslations(application, QLocale::system());

    QSettingsProfile profile;
    const ProfileInstallation installedProfile(profile);
    QtPlatform platform;
    Platform::install(&platform);

    if (!profile.usable())
        platform.showMessage(nullptr, AppIdentity::windowCaption(),
                             UiTexts::settingsStoreUnusable(profile.storeName()),
                             Platform::Icon::Warning);

    CQuorApp app;
    if (!app.InitInstance(profile.storedWindow()))
        return 1;
    const int status = QApplication::exec();
    profile.storeWindow(app.mainFrame()->remembered());
    storeSettings(nullptr); // what the window left in the record, said now if it cannot be kept
    Platform::install(nullptr);
    return status;
}
