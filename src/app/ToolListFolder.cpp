#include "ToolListFolder.h"

#include "desktop/InstalledData.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

QString ToolListFolder::choose(const QString& programFolder)
{
    // An installed program has its data beside it; even where it may write its folder (as
    // root may /usr/bin), lists belong to the user. A copy without that data is portable.
    const bool installed = QFileInfo(installedDataFolder()).isDir();
    if (!installed && QFileInfo(programFolder).isWritable())
        return programFolder;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    seed(user, installedDataFolder());
    return user;
}

void ToolListFolder::seed(const QString& folder, const QString& shipped)
{
    QDir().mkpath(folder);
    const QDir from(shipped);
    for (const QString& name : from.entryList({u"*.tlist"_s}, QDir::Files)) {
        const QString target = QDir(folder).filePath(name);
        if (!QFileInfo::exists(target))
            QFile::copy(from.filePath(name), target);
    }
}
