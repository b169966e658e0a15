#include "QuorView.h"

#include "TableView.h"

using namespace Qt::StringLiterals;

CQuorView::CQuorView(CQuorApp& app, QWidget* parent)
    : TabHost(parent), m_tableTabs(new CTableView(app))
{
    AddView(u"NC"_s, m_tableTabs);
}
