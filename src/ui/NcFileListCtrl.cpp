#include "NcFileListCtrl.h"

#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

NcFileListCtrl::NcFileListCtrl(QWidget* parent)
    : QTreeView(parent), m_model(new QFileSystemModel(this))
{
    m_model->setIconProvider(&m_icons);
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
    // The name takes what the pane leaves; size and date are never cut off.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    hideColumn(3);
    connect(this, &QAbstractItemView::doubleClicked, this, &NcFileListCtrl::choose);
}

// Enter chooses; the view's own activation also follows single clicks on some desktops.
void NcFileListCtrl::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // Select all, then Enter: there may be a selection without a current file.
    const QModelIndexList selected = selectionModel()->selectedRows();
    if (enter && (currentIndex().isValid() || !selected.isEmpty())) {
        choose(currentIndex().isValid() ? currentIndex() : selected.front());
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

// Enter chooses every selected file when the current one is among them; a double click, the
// file clicked.
void NcFileListCtrl::choose(const QModelIndex& activated)
{
    QModelIndexList rows = selectionModel()->selectedRows();
    if (!rows.contains(activated.siblingAtColumn(0)))
        rows = {activated.siblingAtColumn(0)};
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QStringList paths;
    for (const QModelIndex& row : rows)
        paths.append(m_model->filePath(row));
    emit filesChosen(paths);
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

// The model reads its icons on a thread of its own: it goes before they do.
NcFileListCtrl::~NcFileListCtrl()
{
    delete m_model;
}
