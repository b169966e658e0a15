#pragma once

#include <QObject>

#include <string>

class JobState;
struct MergeReport;
class QWidget;

// The Convert command: asks where to write the merged program, plans the merge of the job list,
// shows what it cuts, writes it, reports the outcome and opens the result in the editor.
class ConvertCommand : public QObject
{
    Q_OBJECT

public:
    ConvertCommand(JobState& state, QWidget* owner);

    void OnConvert();
    // Merges into the output that the settings name; owner parents the message boxes.
    void MergeJobFiles(QWidget* owner);

private:
    bool confirmPreview(QWidget* owner, const MergeReport& plan);
    std::string outputPath() const;
    bool confirmReplacing(const std::string& path, const std::string& confirmedPath);
    void reportFailure(QWidget* owner, const MergeReport& report);
    void reportLeftOutFiles(QWidget* owner, const MergeReport& report);
    void openInEditor(QWidget* owner, const std::string& path);

    JobState& m_state;
    QWidget* m_owner;
    bool m_running = false;
};
