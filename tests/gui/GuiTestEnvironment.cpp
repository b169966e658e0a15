#include "GuiTestEnvironment.h"

#include <QFile>

GuiTestEnvironment::GuiTestEnvironment()
{
    if (!folder.isValid())
        qFatal("no temporary folder");
    app.m_strExeFolder = folder.path().toStdString();
    app.m_strToolListFolder = app.m_strExeFolder;
    Platform::install(&platform);
}

GuiTestEnvironment::~GuiTestEnvironment()
{
    Platform::install(nullptr);
}

QString GuiTestEnvironment::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

QByteArray readTestFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
