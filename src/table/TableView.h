#pragma once

#include "TabHost.h"

class CMyTableView;
class JobState;

// The "FILE LIST" tab holding the work-offset table with its one cell.
class CTableView : public TabHost
{
    Q_OBJECT

public:
    explicit CTableView(JobState& state, QWidget* parent = nullptr);

    CMyTableView* tableView() const { return m_tableView; }

private:
    CMyTableView* m_tableView;
};
