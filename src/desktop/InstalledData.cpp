#include "InstalledData.h"

#include <QCoreApplication>
#include <QDir>

QString installedDataFolder()
{
    // Relative to the program, so that a staging install works as well as the real one.
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" CORVANE_DATA_FROM_BIN));
}
