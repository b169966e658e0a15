#pragma once

#include "PlainFileIconProvider.h"

#include <QTreeView>

class QFileSystemModel;

// The NC files of one folder, restricted to given extensions. Files are dragged out as a
// standard file drop; Enter or a double click chooses them for the cell and opens nothing.
class NcFileListCtrl : public QTreeView
{
    Q_OBJECT

public:
    explicit NcFileListCtrl(QWidget* parent = nullptr);
    ~NcFileListCtrl() override;

    void setFolder(const QString& folder);
    // ";"-separated extensions such as ".txt;.nc"; letter case does not matter.
    void SetIncludeExtensions(const QString& extensions);

    QFileSystemModel* fileModel() const { return m_model; }

signals:
    // The files the operator chose with Enter or a double click, in list order.
    void filesChosen(const QStringList& paths);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose(const QModelIndex& activated);

    PlainFileIconProvider m_icons;
    QFileSystemModel* m_model;
};
