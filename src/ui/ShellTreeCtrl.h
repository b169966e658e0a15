#pragma once

#include "PlainFileIconProvider.h"

#include <QTreeView>

class QFileSystemModel;

// The folders of the file system, for choosing the folder whose NC files are listed.
class ShellTreeCtrl : public QTreeView
{
    Q_OBJECT

public:
    explicit ShellTreeCtrl(QWidget* parent = nullptr);
    ~ShellTreeCtrl() override;

    // Expands the tree down to folder and selects it.
    void expandTo(const QString& folder);
    QString selectedFolder() const;

signals:
    void folderSelected(const QString& folder);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void revealPendingFolder();

    PlainFileIconProvider m_icons;
    QFileSystemModel* m_model;
    QString m_pendingFolder; // to show once the folders above it have been read
};
