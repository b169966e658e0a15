#include "TableView.h"

#include "MyTableView.h"
#include "WorkOffsetCell.h"
#include "core/JobState.h"
#include "core/Settings.h"

using namespace Qt::StringLiterals;

CTableView::CTableView(JobState& state, QWidget* parent) : TabHost(parent)
{
    // The table is built from what is stored now, not from edits not yet saved.
    GetSettings().Load();
    m_tableView = new CMyTableView(state);
    AddView(tr("FILE LIST"), m_tableView);
    m_tableView->table().SetSize(1, 1, true);
    m_tableView->table().AddCell(
        std::make_unique<WorkOffsetCell>(0, 0, 0, QString(), state.document()));
}
