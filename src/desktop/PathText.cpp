#include "PathText.h"

#include <QDir>

QString displayPath(const std::string& path)
{
    return QDir::toNativeSeparators(QString::fromStdString(path));
}

std::string corePath(const QString& path)
{
    return path.toStdString();
}
