#pragma once

#include <QWidget>

class JobState;
class QListWidget;

// The job in merge order, where one file can be taken out (Delete) or moved up or down, also by
// dragging it, without emptying the whole job.
class JobPane : public QWidget
{
    Q_OBJECT

public:
    explicit JobPane(JobState& state, QWidget* parent = nullptr);

    // Shows the job as it is now.
    void refresh();

    QListWidget* list() const { return m_list; }

signals:
    // The operator changed the job here.
    void jobEdited();

private:
    void removeSelected();
    void moveSelected(int step);
    void moveTo(int row, int target);

    JobState& m_state;
    QListWidget* m_list;
};
