#pragma once

#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"
#include "core/toollist/ToolSheet.h"
#include "desktop/ToolListCodec.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QTextBrowser;

// The job's tools beside the list they were checked against, and how the list's values read.
struct PreviewToolSheet
{
    std::vector<ToolSheetRow> rows;
    QString list; // its path, for the heading
    ToolListCodec codec;
};

// What a planned merge will cut, seam by seam: the last lines kept before it, the lines cut on
// both sides, the first lines kept after it, every finding marked at its line, and a summary;
// with tools, what the tool list changed and a sheet of the tools, which can be saved as CSV.
// Accepted means write.
class MergePreviewDialog : public QDialog
{
    Q_OBJECT

public:
    MergePreviewDialog(const MergeReport& plan, const std::vector<SeamFinding>& findings,
                       QWidget* parent = nullptr, const PreviewToolSheet* tools = nullptr);

    // The operator asked to write merges without findings from now on without this preview.
    bool skipWhenClean() const;
    // The preview as plain text, as the operator reads it.
    QString text() const;

    // The tool sheet as the file that saving it writes: UTF-8 CSV with a byte order mark, which
    // spreadsheets need to read it as UTF-8.
    std::string toolSheetCsv() const;

private:
    QString html() const;
    QString toolSheetHtml() const;
    QString toolRunsHtml() const;
    void saveToolSheet();

    const MergeReport& m_plan;
    const std::vector<SeamFinding>& m_findings;
    const PreviewToolSheet* m_tools;
    QTextBrowser* m_view;
    QCheckBox* m_skip = nullptr;
};
