#include "NcFileListCtrl.h"

#include <QFileSystemModel>
#include <QHeaderView>

using namespace Qt::StringLiterals;

NcFileListCtrl::NcFileListCtrl(QWidget* parent)
    : QTreeView(parent), m_model(new QFileSystemModel(this))
{
    m_model->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_model->setNameFilterDisables(false);
    m_model->setReadOnly(true);
    setModel(m_model);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    // A drop copies: the files stay where they are.
    setDefaultDropAction(Qt::CopyAction);
    setSortingEnabled(true);
    sortByColumn(0, Qt::AscendingOrder);
    header()->resizeSection(0, 400);
    header()->resizeSection(1, 80);
    header()->resizeSection(2, 200);
    hideColumn(3);
}

void NcFileListCtrl::setFolder(const QString& folder)
{
    setRootIndex(m_model->setRootPath(folder));
}

void NcFileListCtrl::SetIncludeExtensions(const QString& extensions)
{
    QStringList patterns;
    for (QString extension : extensions.split(u';', Qt::SkipEmptyParts)) {
        extension = extension.trimmed();
        if (!extension.isEmpty())
            patterns.append(u'*' + (extension.startsWith(u'.') ? extension : u'.' + extension));
    }
    m_model->setNameFilters(patterns);
}
