#pragma once

#include "BackgroundMerge.h"
#include "ConvertRequest.h"
#include "core/toollist/ConvertPlan.h"

#include <QObject>

#include <optional>
#include <string>

class JobState;
class QWidget;

// The Convert command, one job in stages: choose the output, plan the merge of the job list on
// a worker thread, show what it cuts, write it on a worker thread, report the outcome and open
// the result in the editor. One runs at a time; runningChanged tells the window when to keep
// the job still.
class ConvertCommand : public QObject
{
    Q_OBJECT

public:
    ConvertCommand(JobState& state, QWidget* owner);

    void OnConvert();
    // Merges as the request says, from the plan on.
    void MergeJobFiles(const ConvertRequest& request);
    bool running() const { return m_running; }
    // Stops a running Convert without a word, as when its window closes: nothing is written.
    void cancel();

signals:
    void runningChanged(bool running);

private:
    std::optional<ConvertRequest> chooseOutput();
    void planned();
    void written();
    bool confirmPreview();
    bool confirmReplacing(const std::string& path, const std::string& confirmedPath);
    void reportFailure(const MergeReport& report);
    void reportLeftOutFiles(const MergeReport& report);
    void openInEditor();
    void setRunning(bool running);

    JobState& m_state;
    QWidget* m_owner;
    BackgroundMerge m_worker;
    bool m_running = false;
    enum class Stage
    {
        Planning,
        Writing,
    } m_stage = Stage::Planning;
    ConvertRequest m_request;
    // Written by the worker while it runs, read here once it has finished.
    ConvertPlan m_plan;
    MergeReport m_report;
};
