#pragma once

#include "TabHost.h"

class JobState;
class CTableView;

// The main window's client: the "NC" tab holding the table tabs.
class CQuorView : public TabHost
{
    Q_OBJECT

public:
    explicit CQuorView(JobState& state, QWidget* parent = nullptr);

    CTableView* tableTabs() const { return m_tableTabs; }

private:
    CTableView* m_tableTabs;
};
