#pragma once

#include "CellToolTip.h"
#include "grid/OrnTableCtrl.h"

#include <QMenu>
#include <QWidget>

class JobState;
class WorkOffsetCell;

// The work-offset table: a grid of cells that NC files are dropped on, with a hover tip naming
// the work offset and its files, and a context menu that empties the cell.
class CMyTableView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kTableId = 601;

    explicit CMyTableView(JobState& state, QWidget* parent = nullptr);
    ~CMyTableView() override;

    OrnTableCtrl& table() { return m_wndTable; }
    CellToolTip& toolTip() { return m_wndToolTip; }
    QMenu& contextMenu() { return m_contextMenu; }

    // Takes the files dropped at point (view coordinates) into the cell there.
    void OnDropFiles(const QStringList& paths, const QPoint& point);
    // Takes files into the first cell, as a drop on it would.
    void addFiles(const QStringList& paths);
    // Shows the entries of the first cell as they are now, after the job was edited elsewhere.
    void showEntries();
    // Empties the selected cell's entries and the whole job, and unsets the machine family.
    void OnDeleteCell();
    // Selects the cell at (x, y) for Delete and gives its tip; false off every numbered cell.
    bool GetCellInfo(int x, int y, QString* title, QString* body);

    virtual void OnCellHover(int x, int y);
    virtual void OnCellContextMenu(int x, int y);

signals:
    // A short note for the status bar about files the drop passed over.
    void statusNote(const QString& text);
    // A drop or Delete changed the job.
    void jobChanged();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnTableNotify(const TableCellNotify& notify);

    JobState& m_state;
    OrnTableCtrl m_wndTable;
    CellToolTip m_wndToolTip;
    QMenu m_contextMenu;
    WorkOffsetCell* m_pSelectedCell = nullptr;
    int m_nSelectedIndex = -1;
    QPoint m_lastHoverPoint; // the last point the tip was filled for
};

// The table view that the main window shows; its Delete acts on it. Set by that window.
extern CMyTableView* g_pCurrentTableView;
