#include "QuorView.h"

#include "TableView.h"

using namespace Qt::StringLiterals;

CQuorView::CQuorView(JobState& state, QWidget* parent)
    : TabHost(parent), m_tableTabs(new CTableView(state))
{
    AddView(tr("NC"), m_tableTabs);
}
