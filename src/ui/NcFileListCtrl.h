#pragma once

#include <QTreeView>

class QFileSystemModel;

// The NC files of one folder, restricted to given extensions. Files are dragged out as a
// standard file drop; a double click opens nothing.
class NcFileListCtrl : public QTreeView
{
    Q_OBJECT

public:
    explicit NcFileListCtrl(QWidget* parent = nullptr);

    void setFolder(const QString& folder);
    // ";"-separated extensions such as ".txt;.nc"; letter case does not matter.
    void SetIncludeExtensions(const QString& extensions);

    QFileSystemModel* fileModel() const { return m_model; }

private:
    QFileSystemModel* m_model;
};
