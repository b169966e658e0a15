#include "QSettingsProfile.h"
#include "QtPlatform.h"
#include "QuorApp.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quor"));
    QApplication::setApplicationName(QStringLiteral("Corvane"));

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
