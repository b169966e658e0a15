#pragma once

#include "core/NcMerge.h"
#include "core/SeamCheck.h"

#include <QDialog>

#include <vector>

class QCheckBox;
class QTextBrowser;

// What a planned merge will cut, seam by seam: the last lines kept before it, the lines cut on
// both sides, the first lines kept after it, every finding marked at its line, and a summary.
// Accepted means write.
class MergePreviewDialog : public QDialog
{
    Q_OBJECT

public:
    MergePreviewDialog(const MergeReport& plan, const std::vector<SeamFinding>& findings,
                       QWidget* parent = nullptr);

    // The operator asked to write merges without findings from now on without this preview.
    bool skipWhenClean() const;
    // The preview as plain text, as the operator reads it.
    QString text() const;

private:
    QString html() const;

    const MergeReport& m_plan;
    const std::vector<SeamFinding>& m_findings;
    QTextBrowser* m_view;
    QCheckBox* m_skip = nullptr;
};
