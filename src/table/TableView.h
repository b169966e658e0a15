#pragma once

#include "TabHost.h"

#include <QList>

class CMyTableView;
class JobState;

// The table tabs: TableNum tabs of RowNum x ColumnNum work-offset cells, built from the stored
// settings when the window opens. Cell indexes count across the tabs, then rows, then columns.
// With 1 x 1 x 1 it is the one "FILE LIST" tab with its one cell.
class CTableView : public TabHost
{
    Q_OBJECT

public:
    static constexpr int kMaxSide = 10; // rows, columns and tables each

    explicit CTableView(JobState& state, QWidget* parent = nullptr);

    // The table of the tab shown.
    CMyTableView* tableView() const;
    const QList<CMyTableView*>& tableViews() const { return m_tableViews; }
    // Takes files into the chosen cell of the table shown.
    void addFiles(const QStringList& paths);
    // Shows every cell's entries as the job has them now.
    void showEntries();

signals:
    // Another tab, and so another table, is shown.
    void tableShown(CMyTableView* table);

private:
    QList<CMyTableView*> m_tableViews;
};
