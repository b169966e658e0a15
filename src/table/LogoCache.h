#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

// The logo that work-offset cells show: "BitMap/Logo.bmp" in the current folder, else in the
// program folder, else in the installed data folder. It is read again only when the file found or
// its time changes.
class LogoCache
{
public:
    static LogoCache& instance();

    // The logo, or a null image when there is none.
    const QImage& logo();

private:
    QString m_path;
    QDateTime m_modified;
    QImage m_image;
};
