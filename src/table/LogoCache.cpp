#include "LogoCache.h"

#include "desktop/InstalledData.h"

#include <QCoreApplication>
#include <QFileInfo>

using namespace Qt::StringLiterals;

LogoCache& LogoCache::instance()
{
    static LogoCache cache;
    return cache;
}

const QImage& LogoCache::logo()
{
    const QString relative = u"BitMap/Logo.bmp"_s;
    QFileInfo file(relative);
    if (!file.isFile())
        file.setFile(QCoreApplication::applicationDirPath() + u'/' + relative);
    if (!file.isFile())
        file.setFile(installedDataFolder() + u'/' + relative);
    if (!file.isFile()) {
        m_path.clear();
        m_image = QImage();
        return m_image;
    }
    if (file.absoluteFilePath() != m_path || file.lastModified() != m_modified) {
        m_path = file.absoluteFilePath();
        m_modified = file.lastModified();
        m_image.load(m_path);
    }
    return m_image;
}
