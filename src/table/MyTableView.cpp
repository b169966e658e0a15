#include "MyTableView.h"

#include "WorkOffsetCell.h"
#include "core/job/CellDrop.h"
#include "core/job/JobEditing.h"
#include "core/job/JobState.h"
#include "core/nc/WorkOffset.h"
#include "core/plate/WorkOffsetTip.h"
#include "core/settings/Settings.h"
#include "desktop/AppIdentity.h"
#include "desktop/PathText.h"
#include "desktop/Platform.h"
#include "desktop/UiTexts.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
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
    m_wndTable.setFocusPolicy(Qt::StrongFocus); // the arrow keys move the chosen cell
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

void CMyTableView::buildCells(int rows, int cols, int firstIndex, bool labelled)
{
    m_wndTable.SetSize(rows, cols, true);
    const CSettings& settings = GetSettings();
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col) {
            const int index = firstIndex + row * cols + col;
            auto cell = std::make_unique<WorkOffsetCell>(
                row, col, index, labelled ? QString::number(index + 1) : QString(),
                m_state.document());
            if (labelled) {
                const std::optional<WorkOffset> offset =
                    index < CQuorDoc::kMaxCells
                        ? WorkOffset::ofCell(index, settings.SIMENS, settings.ItemNameType)
                        : std::nullopt;
                cell->setOffsetLabel(offset ? QString::fromStdString(offset->name()) : QString());
            }
            m_wndTable.AddCell(std::move(cell));
        }
    choose(cellAt(0, 0));
}

WorkOffsetCell* CMyTableView::cellAt(int row, int col) const
{
    return dynamic_cast<WorkOffsetCell*>(m_wndTable.cellAt(row, col));
}

void CMyTableView::choose(WorkOffsetCell* cell)
{
    if (m_pSelectedCell)
        m_pSelectedCell->setChosen(false);
    m_pSelectedCell = cell;
    m_nSelectedIndex = cell ? cell->index() : -1;
    // The one cell of a 1 x 1 table looks as it always did: no frame.
    if (cell && (m_wndTable.rows() > 1 || m_wndTable.cols() > 1))
        cell->setChosen(true);
}

void CMyTableView::moveChoice(int rows, int cols)
{
    const int row = m_pSelectedCell ? m_pSelectedCell->GetRow() : 0;
    const int col = m_pSelectedCell ? m_pSelectedCell->GetCol() : 0;
    if (WorkOffsetCell* next = cellAt(std::clamp(row + rows, 0, m_wndTable.rows() - 1),
                                      std::clamp(col + cols, 0, m_wndTable.cols() - 1)))
        choose(next);
}

void CMyTableView::OnTableNotify(const TableCellNotify& notify)
{
    if (notify.code != NM_CLICK)
        return;
    if (WorkOffsetCell* cell = cellAt(notify.row, notify.col))
        choose(cell);
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
    Platform& platform = Platform::instance();
    if (!cell->available()) {
        platform.showMessage(this, AppIdentity::windowCaption(),
                             UiTexts::cellWithoutWorkOffset(cell->index() + 1),
                             Platform::Icon::Information);
        return;
    }
    std::vector<std::string> files;
    QStringList again; // already in the job: merged twice, which may be meant
    const std::vector<std::string> job = m_state.m_JobFiles.files();
    for (const QString& path : paths) {
        files.push_back(corePath(path));
        if (std::find(job.begin(), job.end(), files.back()) != job.end())
            again.append(QFileInfo(path).fileName());
    }
    const CellDropOutcome outcome = dropFilesOnCell(files, cell->index(), m_state, GetSettings());

    if (outcome.taken > 0) {
        showEntries();
        emit jobChanged();
        if (!again.isEmpty())
            emit statusNote(UiTexts::addedAgain(again));
    }
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
    if (!outcome.otherFamily.empty())
        emit statusNote(UiTexts::otherFamilyNotAdded(int(outcome.otherFamily.size())));
}

void CMyTableView::addFiles(const QStringList& paths)
{
    const WorkOffsetCell* cell = m_pSelectedCell ? m_pSelectedCell : cellAt(0, 0);
    if (cell)
        OnDropFiles(paths, m_wndTable.GetCellRect(cell->GetRow(), cell->GetCol()).center());
}

bool CMyTableView::GetCellInfo(int x, int y, QString* title, QString* body)
{
    auto* cell = dynamic_cast<WorkOffsetCell*>(m_wndTable.CellFromPoint(QPoint(x, y)));
    // A cell without a work offset has nothing to tell.
    if (!cell || cell->index() < 0 || cell->index() >= CQuorDoc::kMaxCells || !cell->available())
        return false;
    const CSettings& settings = GetSettings();
    const WorkOffsetTip tip =
        workOffsetTip(cell->index(), m_state.document().cellEntries(cell->index()), settings.SIMENS,
                      settings.ItemNameType);
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
    choose(dynamic_cast<WorkOffsetCell*>(m_wndTable.CellFromPoint(QPoint(x, y))));
    m_wndToolTip.pop();
    m_contextMenu.popup(m_wndTable.mapToGlobal(QPoint(x + 5, y)));
}

void CMyTableView::OnDeleteCell()
{
    const int index = m_nSelectedIndex;
    if (index < 0 || index >= CQuorDoc::kMaxCells || !m_pSelectedCell)
        return;
    clearCell(index, m_state, GetSettings());
    m_wndToolTip.pop();
    showEntries();
    emit jobChanged();
}

void CMyTableView::showEntries()
{
    for (int row = 0; row < m_wndTable.rows(); ++row)
        for (int col = 0; col < m_wndTable.cols(); ++col)
            if (WorkOffsetCell* cell = cellAt(row, col);
                cell && cell->index() >= 0 && cell->index() < CQuorDoc::kMaxCells) {
                // A cell without entries shows its caption when it paints.
                cell->SetText(
                    QString::fromStdString(cellText(m_state.document().cellEntries(cell->index()))),
                    true);
                cell->Invalidate(false);
            }
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
    } else if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Left:
            moveChoice(0, -1);
            return true;
        case Qt::Key_Right:
            moveChoice(0, 1);
            return true;
        case Qt::Key_Up:
            moveChoice(-1, 0);
            return true;
        case Qt::Key_Down:
            moveChoice(1, 0);
            return true;
        default:
            break;
        }
    }
    return false;
}
