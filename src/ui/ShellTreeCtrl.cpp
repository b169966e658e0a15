#include "ShellTreeCtrl.h"

#include <QDir>
#include <QFileSystemModel>
#include <QTimer>

namespace {
// How long the tree keeps the start folder in view while folders are still being read.
constexpr int kRevealMilliseconds = 3000;
} // namespace

ShellTreeCtrl::ShellTreeCtrl(QWidget* parent)
    : QTreeView(parent), m_model(new QFileSystemModel(this))
{
    m_model->setIconProvider(&m_icons);
    m_model->setFilter(QDir::AllDirs | QDir::Drives | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_model->setRootPath(QString());
    setModel(m_model);
    setHeaderHidden(true);
    for (int column = 1; column < m_model->columnCount(); ++column)
        hideColumn(column);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Folders are read and sorted in the background, which moves rows after a scroll: keep
    // the folder in view as they come, until the user takes over or a moment has passed.
    connect(m_model, &QFileSystemModel::directoryLoaded, this, &ShellTreeCtrl::revealPendingFolder);
    connect(m_model, &QAbstractItemModel::layoutChanged, this, &ShellTreeCtrl::revealPendingFolder);
    connect(
        selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { emit folderSelected(m_model->filePath(current)); });
}

void ShellTreeCtrl::expandTo(const QString& folder)
{
    const QModelIndex index = m_model->index(folder);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    m_pendingFolder = m_model->filePath(index);
    revealPendingFolder();
    QTimer::singleShot(kRevealMilliseconds, this, [this] { m_pendingFolder.clear(); });
}

void ShellTreeCtrl::revealPendingFolder()
{
    if (m_pendingFolder.isEmpty())
        return;
    const QModelIndex index = m_model->index(m_pendingFolder);
    for (QModelIndex parent = index.parent(); parent.isValid(); parent = parent.parent())
        expand(parent);
    scrollTo(index, QAbstractItemView::PositionAtCenter);
}

void ShellTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    m_pendingFolder.clear();
    QTreeView::mousePressEvent(event);
}

void ShellTreeCtrl::wheelEvent(QWheelEvent* event)
{
    m_pendingFolder.clear();
    QTreeView::wheelEvent(event);
}

QString ShellTreeCtrl::selectedFolder() const
{
    return m_model->filePath(currentIndex());
}

// The model reads its icons on a thread of its own: it goes before they do.
ShellTreeCtrl::~ShellTreeCtrl()
{
    delete m_model;
}
