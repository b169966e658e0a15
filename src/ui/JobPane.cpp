#include "JobPane.h"

#include "core/job/CellDrop.h"
#include "core/job/JobEditing.h"
#include "core/job/JobState.h"
#include "core/plate/WorkOffsetTip.h"
#include "core/settings/Settings.h"
#include "desktop/DialogParts.h"
#include "desktop/PathText.h"
#include "desktop/UiTexts.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

#include <map>

using namespace Qt::StringLiterals;

JobPane::JobPane(JobState& state, QWidget* parent)
    : QWidget(parent), m_state(state), m_list(DialogParts::named(new QListWidget, u"jobList"_s))
{
    const auto button = [this](const QString& text, const QString& name, auto slot) {
        auto* pushButton = DialogParts::named(new QPushButton(text), name);
        connect(pushButton, &QPushButton::clicked, this, slot);
        return pushButton;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(UiTexts::moveUp(), u"moveUpButton"_s, [this] { moveSelected(-1); }));
    buttons->addWidget(
        button(UiTexts::moveDown(), u"moveDownButton"_s, [this] { moveSelected(1); }));
    buttons->addWidget(button(UiTexts::takeOut(), u"removeButton"_s, [this] { removeSelected(); }));
    buttons->addStretch();
    // Dragged within the list, a file moves in the job; Delete takes it out.
    m_list->setDragDropMode(QAbstractItemView::InternalMove);
    m_list->setDefaultDropAction(Qt::MoveAction);
    connect(m_list->model(), &QAbstractItemModel::rowsMoved, this,
            [this](const QModelIndex&, int from, int, const QModelIndex&, int before) {
                // Qt's row "before" counts the moved row still in its old place.
                QMetaObject::invokeMethod(
                    this,
                    [this, from, before] { moveTo(from, before > from ? before - 1 : before); },
                    Qt::QueuedConnection);
            });
    auto* remove = new QShortcut(QKeySequence::Delete, m_list, nullptr, nullptr,
                                 Qt::WidgetWithChildrenShortcut);
    connect(remove, &QShortcut::activated, this, &JobPane::removeSelected);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    refresh();
}

void JobPane::refresh()
{
    const int current = m_list->currentRow();
    m_list->clear();
    const CSettings& settings = GetSettings();
    std::map<int, int> numbers; // entries so far of each cell
    for (const JobEntry& entry : m_state.m_JobFiles.entries()) {
        const std::string offset =
            workOffsetName(entry.cell, settings.SIMENS, settings.ItemNameType);
        auto* item = new QListWidgetItem(u"%1   %2"_s.arg(
            QString::fromStdString(offset),
            QString::fromStdString(displayEntry(++numbers[entry.cell], entry.path))));
        item->setToolTip(displayPath(entry.path));
        m_list->addItem(item);
    }
    m_list->setCurrentRow(std::min(current, m_list->count() - 1));
}

void JobPane::removeSelected()
{
    const int row = m_list->currentRow();
    if (row < 0)
        return;
    removeJobFile(row, m_state, GetSettings());
    refresh();
    emit jobEdited();
}

void JobPane::moveSelected(int step)
{
    const int row = m_list->currentRow();
    if (row >= 0)
        moveTo(row, row + step);
}

void JobPane::moveTo(int row, int target)
{
    if (row < 0 || target < 0 || target >= m_state.m_JobFiles.count() || row == target) {
        refresh(); // a drag that moved nothing leaves the list as the job is
        return;
    }
    moveJobFile(row, target, m_state, GetSettings());
    refresh();
    m_list->setCurrentRow(target);
    emit jobEdited();
}
