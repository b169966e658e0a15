#pragma once

#include <QAbstractFileIconProvider>
#include <QCoreApplication>
#include <QIcon>

// File and folder icons without asking the MIME database about each file: in a folder of
// thousands of NC programs those look-ups cost more than listing the folder.
class PlainFileIconProvider : public QAbstractFileIconProvider
{
    Q_DECLARE_TR_FUNCTIONS(PlainFileIconProvider)

public:
    PlainFileIconProvider();

    QIcon icon(IconType type) const override;
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;

private:
    QIcon m_file;
    QIcon m_folder;
};
