#include "TableView.h"

#include "MyTableView.h"
#include "Settings.h"
#include "WorkOffsetCell.h"

using namespace Qt::StringLiterals;

CTableView::CTableView(CQuorApp& app, QWidget* parent) : TabHost(parent)
{
    // The table is built from what is stored now, not from edits not yet saved.
    GetSettings().Load();
    m_tableView = new CMyTableView(app);
    AddView(u"FILE LIST"_s, m_tableView);
    m_tableView->table().SetSize(1, 1, true);
    m_tableView->table().AddCell(std::make_unique<WorkOffsetCell>(0, 0, 0, QString()));
}
