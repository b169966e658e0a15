#include "TableView.h"

#include "MyTableView.h"
#include "core/job/JobState.h"
#include "core/settings/Settings.h"
#include "desktop/UiTexts.h"

#include <algorithm>

CTableView::CTableView(JobState& state, QWidget* parent) : TabHost(parent)
{
    // The table is built from what is stored now, not from edits not yet saved.
    CSettings& settings = GetSettings();
    settings.Load();
    const int rows = std::clamp(settings.RowNum, 1, kMaxSide);
    const int cols = std::clamp(settings.ColumnNum, 1, kMaxSide);
    const int tables = std::clamp(settings.TableNum, 1, kMaxSide);
    const bool labelled = rows * cols * tables > 1;
    for (int table = 0; table < tables; ++table) {
        auto* view = new CMyTableView(state);
        AddView(tables == 1 ? tr("FILE LIST") : UiTexts::tableTab(table + 1), view);
        view->buildCells(rows, cols, table * rows * cols, labelled);
        m_tableViews.append(view);
    }
    connect(this, &QTabWidget::currentChanged, this, [this](int) { emit tableShown(tableView()); });
}

CMyTableView* CTableView::tableView() const
{
    return qobject_cast<CMyTableView*>(currentWidget());
}

void CTableView::addFiles(const QStringList& paths)
{
    if (CMyTableView* view = tableView())
        view->addFiles(paths);
}

void CTableView::showEntries()
{
    for (CMyTableView* view : m_tableViews)
        view->showEntries();
}
