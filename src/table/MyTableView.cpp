#include "MyTableView.h"

#include "WorkOffsetCell.h"
#include "core/CellDrop.h"
#include "core/JobState.h"
#include "core/Settings.h"
#include "core/WorkOffsetTip.h"
#include "desktop/AppIdentity.h"
#include "desktop/PathText.h"
#include "desktop/Platform.h"
#include "desktop/UiTexts.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>

using namespace Qt::StringLiterals;

CMyTableView* g_pCurrentTableView = nullptr;

namespace {

QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    return paths;
}

} // namespace

CMyTableView::CMyTableView(JobState& state, QWidget* parent)
    : QWidget(parent), m_state(state), m_wndToolTip(this)
{
    m_wndTable.Create(this, QRect(), kTableId);
    m_wndTable.installEventFilter(this);
    connect(&m_wndTable, &OrnTableCtrl::cellNotify, this, &CMyTableView::OnTableNotify);

    QAction* deleteAction = m_contextMenu.addAction(tr("Delete"));
    deleteAction->setObjectName(u"actionDeleteCell"_s);
    connect(deleteAction, &QAction::triggered, this, &CMyTableView::OnDeleteCell);

    setAcceptDrops(true);
}

CMyTableView::~CMyTableView()
{
    // The grid goes last and may still report the pointer leaving it: not to this view.
    m_wndTable.removeEventFilter(this);
    if (g_pCurrentTableView == this)
        g_pCurrentTableView = nullptr;
}

void CMyTableView::resizeEvent(QResizeEvent*)
{
    m_wndTable.setGeometry(rect());
}

void CMyTableView::OnTableNotify(const TableCellNotify& notify)
{
    if (notify.code == NM_CLICK)
        m_pSelectedCell = dynamic_cast<WorkOffsetCell*>(m_wndTable.GetHoverCell());
}

// A drop only ever copies: a source that honoured a move would delete the NC files.
void CMyTableView::dragEnterEvent(QDragEnterEvent* event)
{
    if (localFiles(event->mimeData()).isEmpty())
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CMyTableView::dragMoveEvent(QDragMoveEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void CMyTableView::dropEvent(QDropEvent* event)
{
    event->setDropAction(Qt::CopyAction);
    event->accept();
    OnDropFiles(localFiles(event->mimeData()), event->position().toPoint());
}

void CMyTableView::OnDropFiles(const QStringList& paths, const QPoint& point)
{
    auto* cell = dynamic_cast<WorkOffsetCell*>(m_wndTable.CellFromPoint(point));
    if (!cell || cell->index() < 0 || cell->index() >= CQuorDoc::kMaxCells)
        return;
    std::vector<std::string> files;
    QStringList again; // already in the job: merged twice, which may be meant
    const std::vector<std::string>& job = m_state.m_JobFiles.files();
    for (const QString& path : paths) {
        files.push_back(corePath(path));
        if (std::find(job.begin(), job.end(), files.back()) != job.end())
            again.append(QFileInfo(path).fileName());
    }
    const CellDropOutcome outcome = dropFilesOnCell(files, cell->index(), m_state, GetSettings());

    if (outcome.taken > 0) {
        const auto& entries = m_state.document().GetCellFiles()[cell->index()];
        cell->SetText(QString::fromStdString(cellText(entries)), true);
        cell->Invalidate(false);
        emit jobChanged();
        if (!again.isEmpty())
            emit statusNote(UiTexts::addedAgain(again));
    }
    Platform& platform = Platform::instance();
    for (const std::string& path : outcome.notFiles)
        platform.showMessage(this, AppIdentity::windowCaption(),
                             tr("[%1] 는 파일이 아닙니다.").arg(displayPath(path)),
                             Platform::Icon::Information);
    if (outcome.overCapacity > 0)
        platform.showMessage(
            this, AppIdentity::windowCaption(),
            tr("작업 목록이 가득 찼습니다 (최대 %1개). 파일 %2개를 추가하지 못했습니다.")
                .arg(JobList::kMaxJobFiles)
                .arg(outcome.overCapacity),
            Platform::Icon::Warning);
    if (!outcome.otherExtension.empty())
        emit statusNote(tr("확장자가 다른 파일 %1개는 추가하지 않았습니다.")
                            .arg(outcome.otherExtension.size()));
}

void CMyTableView::addFiles(const QStringList& paths)
{
    OnDropFiles(paths, m_wndTable.GetCellRect(0, 0).center());
}

bool CMyTableView::GetCellInfo(int x, int y, QString* title, QString* body)
{
    auto* cell = dynamic_cast<WorkOffsetCell*>(m_wndTable.CellFromPoint(QPoint(x, y)));
    if (!cell || cell->index() < 0 || cell->index() >= CQuorDoc::kMaxCells)
        return false;
    m_nSelectedIndex = cell->index();
    m_pSelectedCell = cell;
    const CSettings& settings = GetSettings();
    const WorkOffsetTip tip =
        workOffsetTip(cell->index(), m_state.document().GetCellFiles()[cell->index()],
                      settings.SIMENS, settings.ItemNameType);
    if (title)
        *title = tr("번호: %1 (%2 files)")
                     .arg(QString::fromStdString(tip.workOffset))
                     .arg(qulonglong(tip.files));
    if (body) {
        QStringList lines;
        for (const std::string& entry : tip.listed)
            lines.append(QString::fromStdString(entry));
        *body = lines.join(u'\n');
        if (tip.unlisted > 0)
            *body += u"\n\n"_s + tr("More %1 files...").arg(qulonglong(tip.unlisted));
    }
    return true;
}

void CMyTableView::OnCellHover(int x, int y)
{
    const QPoint point(x, y);
    if (point == m_lastHoverPoint)
        return;
    QString title;
    QString body;
    if (!GetCellInfo(x, y, &title, &body)) {
        m_wndToolTip.pop();
        return;
    }
    m_wndToolTip.setContent(title, body);
    m_wndToolTip.showSoon(m_wndTable.mapToGlobal(point));
    m_lastHoverPoint = point;
}

void CMyTableView::OnCellContextMenu(int x, int y)
{
    if (!GetCellInfo(x, y, nullptr, nullptr))
        return;
    m_wndToolTip.pop();
    m_contextMenu.popup(m_wndTable.mapToGlobal(QPoint(x + 5, y)));
}

void CMyTableView::OnDeleteCell()
{
    if (!m_pSelectedCell) {
        // The keyboard has no pointer on a cell: the table's one cell is meant.
        m_pSelectedCell = dynamic_cast<WorkOffsetCell*>(m_wndTable.cellAt(0, 0));
        m_nSelectedIndex = m_pSelectedCell ? m_pSelectedCell->index() : -1;
    }
    const int index = m_nSelectedIndex;
    if (index < 0 || index >= CQuorDoc::kMaxCells || !m_pSelectedCell)
        return;
    m_state.document().GetCellFiles()[index].clear();
    m_wndToolTip.pop();
    m_pSelectedCell->Invalidate(false);
    // The next paint shows the caption, as for every cell without entries.
    m_pSelectedCell->SetText(QString::number(index + 1), true);
    m_state.m_nMachineFamily = -1;
    m_state.m_JobFiles.clear();
    emit jobChanged();
}

void CMyTableView::showEntries()
{
    auto* cell = dynamic_cast<WorkOffsetCell*>(m_wndTable.cellAt(0, 0));
    if (!cell)
        return;
    cell->SetText(QString::fromStdString(cellText(m_state.document().GetCellFiles()[0])), true);
    cell->Invalidate(false);
}

// Sees the grid's mouse before the grid does, without taking it away.
bool CMyTableView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != &m_wndTable)
        return false;
    if (event->type() == QEvent::MouseMove) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->buttons() == Qt::NoButton && mouse->modifiers() == Qt::NoModifier)
            OnCellHover(mouse->position().toPoint().x(), mouse->position().toPoint().y());
    } else if (event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton)
            OnCellContextMenu(mouse->position().toPoint().x(), mouse->position().toPoint().y());
    } else if (event->type() == QEvent::Leave) {
        m_wndToolTip.pop();
    }
    return false;
}
