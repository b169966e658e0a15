#include "ToolListFolder.h"

#include "desktop/InstalledData.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace {

// By writing: Qt's answer on Windows reads the folder's read-only flag only, and
// C:\Program Files has none.
bool canWriteIn(const QString& folder)
{
    QTemporaryFile probe(QDir(folder).filePath(u"corvane-probe-XXXXXX"_s));
    return probe.open();
}

} // namespace

QString ToolListFolder::choose(const QString& programFolder)
{
    // An installed program has its data in a folder of its own; even where it may write its
    // folder (as root may /usr/bin), lists belong to the user. A copy without that data is
    // portable, and so is a Windows program that may write the folder it was unpacked to, which
    // holds its data.
    const QString shipped = installedDataFolder();
    const bool installed = shipped != programFolder && QFileInfo(shipped).isDir();
    if (!installed && canWriteIn(programFolder))
        return programFolder;
    const QString user = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    seed(user, shipped);
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
