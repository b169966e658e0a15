#include "QSettingsProfile.h"
#include "QtTranslation.h"
#include "QuorApp.h"
#include "desktop/AppIdentity.h"
#include "desktop/QtPlatform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(AppIdentity::organization());
    QApplication::setApplicationName(AppIdentity::application());
    installKoreanQtTranslation(application);

    QSettingsProfile profile;
    const ProfileInstallation installedProfile(profile);
    QtPlatform platform;
    Platform::install(&platform);

    CQuorApp app;
    if (!app.InitInstance())
        return 1;
    const int status = QApplication::exec();
    Platform::install(nullptr);
    return status;
}
