#include "PlainFileIconProvider.h"

#include <QApplication>
#include <QFileInfo>
#include <QStyle>

PlainFileIconProvider::PlainFileIconProvider()
    : m_file(QApplication::style()->standardIcon(QStyle::SP_FileIcon)),
      m_folder(QApplication::style()->standardIcon(QStyle::SP_DirIcon))
{}

QIcon PlainFileIconProvider::icon(IconType type) const
{
    return type == File ? m_file : m_folder;
}

QIcon PlainFileIconProvider::icon(const QFileInfo& info) const
{
    return info.isDir() ? m_folder : m_file;
}

// The type column names the extension, as a file manager without MIME types would.
QString PlainFileIconProvider::type(const QFileInfo& info) const
{
    if (info.isDir())
        return tr("Folder");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? tr("File") : tr("%1 File").arg(suffix.toUpper());
}
