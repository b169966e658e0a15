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

    // Fills the grid with rows x cols cells numbered from firstIndex, row by row. Labelled, each
    // names its work offset; a cell past the last offset takes no files.
    void buildCells(int rows, int cols, int firstIndex, bool labelled);
    // Takes the files dropped at point (view coordinates) into the cell there.
    void OnDropFiles(const QStringList& paths, const QPoint& point);
    // Takes files into the chosen cell, as a drop on it would.
    void addFiles(const QStringList& paths);
    // Shows every cell's entries as they are now, after the job was edited elsewhere.
    void showEntries();
    // Takes the chosen cell's programs out of the job.
    void OnDeleteCell();
    // The cell that Delete empties and NC FILE LIST adds to: chosen by a click, a right click
    // or the arrow keys.
    WorkOffsetCell* chosenCell() const { return m_pSelectedCell; }
    void choose(WorkOffsetCell* cell);
    // Gives the tip of the cell at (x, y); false off every numbered cell.
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
    void moveChoice(int rows, int cols);
    WorkOffsetCell* cellAt(int row, int col) const;

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
