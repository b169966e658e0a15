#include "MergePreviewDialog.h"

#include "core/os/SplitPath.h"
#include "desktop/AppIdentity.h"
#include "desktop/DialogParts.h"
#include "desktop/PathText.h"
#include "desktop/Platform.h"
#include "desktop/UiTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

using namespace Qt::StringLiterals;

namespace {

using Severity = SeamFinding::Severity;

QString fileName(const std::string& path)
{
    const SplitPathResult parts = SplitPath(path);
    return QString::fromStdString(parts.name + parts.extension);
}

QString severityText(Severity severity)
{
    return severity == Severity::Error ? UiTexts::error() : UiTexts::warning();
}

// Why the given order was kept, from the key a finding names it by.
JobOrder::Given keptGivenFor(const std::string& key)
{
    using Given = JobOrder::Given;
    for (const Given given :
         {Given::Heidenhain, Given::NotPlaced, Given::Call, Given::OffsetShift, Given::Computed,
          Given::MoveBeforeToolChange, Given::NoToolChange, Given::ToolUnknown, Given::LineTooLong,
          Given::Unrestatable, Given::Incremental, Given::UnitsUnknown, Given::ReturnPlaneUnknown,
          Given::PositionUnknown, Given::LengthOffsetUnknown, Given::UnsafeRetract})
        if (key == orderKeptGivenKey(given))
            return given;
    return Given::No;
}

QString findingText(const SeamFinding& finding)
{
    QString reason = UiTexts::seamRuleReason(finding.rule);
    if (finding.rule == SeamRule::OrderKeptGiven)
        reason += u" (%1)"_s.arg(UiTexts::orderKeptGiven(keptGivenFor(finding.detail)));
    else if (!finding.detail.empty())
        reason += u" (%1)"_s.arg(QString::fromStdString(finding.detail));
    if (finding.rule == SeamRule::ControlBytes)
        reason += u" "_s + UiTexts::controlByteAt(finding.byte, finding.offset);
    else if (finding.error)
        reason += u": "_s + UiTexts::fileError(finding.error);
    return u"%1: %2"_s.arg(severityText(finding.severity), reason);
}

QString cellOf(const InputRecord& input)
{
    return input.placement ? QString::fromStdString(input.placement->cell.name()) : QString();
}

// A file's name after the cell it runs at, when it was placed.
QString placedName(const InputRecord& input)
{
    const QString cell = cellOf(input);
    return cell.isEmpty() ? fileName(input.path) : u"[%1] %2"_s.arg(cell, fileName(input.path));
}

// Where a finding stands: its input and line, or the input alone, after the cell it runs at.
QString findingPlace(const SeamFinding& finding, const MergeReport& plan)
{
    QString path = displayPath(finding.path);
    if (finding.input && *finding.input < plan.inputs.size()) {
        const QString cell = cellOf(plan.inputs[*finding.input]);
        if (!cell.isEmpty())
            path = u"[%1] %2"_s.arg(cell, path);
    }
    return finding.line > 0 ? u"%1:%2"_s.arg(path).arg(finding.line) : path;
}

// What placement or the tool list wrote in place of a line or before it, in green.
QString changedRow(const std::string& before, const std::string& after, std::int64_t number,
                   const QString& mark)
{
    return u"<span style=\"background-color:#c8f0c8\">%1  %2   ＋ %3</span>\n"_s.arg(
        before.empty() ? QString(6, u' ') : u"%1"_s.arg(number, 6),
        QString::fromStdString(after).toHtmlEscaped(), mark);
}

QString placedRow(const OffsetChange& change, std::int64_t number)
{
    const QString mark = change.before.empty() ? UiTexts::addedMark() : UiTexts::rewrittenMark();
    return changedRow(change.before, change.after, number, mark);
}

// Every change placement makes, cell by cell in the order the job runs them.
QString placements(const std::vector<const InputRecord*>& copied)
{
    std::vector<QString> cells;
    std::map<QString, std::vector<const InputRecord*>> byCell;
    bool rewrite = true;
    for (const InputRecord* input : copied) {
        if (!input->placement)
            continue;
        rewrite = input->placement->rewrite;
        const QString cell = cellOf(*input);
        if (!byCell.contains(cell))
            cells.push_back(cell);
        byCell[cell].push_back(input);
    }
    if (cells.empty())
        return {};
    QString html = u"<h3>%1</h3>"_s.arg(UiTexts::placementHeading(rewrite).toHtmlEscaped());
    for (const QString& cell : cells) {
        const std::vector<const InputRecord*>& inputs = byCell[cell];
        int changes = 0;
        for (const InputRecord* input : inputs)
            changes += int(input->placement->changeCount);
        html += u"<p><b>%1</b></p><pre>"_s.arg(
            UiTexts::cellHeading(cell, int(inputs.size()), changes).toHtmlEscaped());
        for (const InputRecord* input : inputs) {
            html += fileName(input->path).toHtmlEscaped() + u"\n"_s;
            if (input->placement->changes.empty())
                html += u"        %1\n"_s.arg(UiTexts::noPlacementChange());
            for (const OffsetChange& change : input->placement->changes) {
                if (!change.before.empty())
                    html += u"%1  <s>%2</s>\n"_s.arg(change.line, 6)
                                .arg(QString::fromStdString(change.before).toHtmlEscaped());
                html += placedRow(change, change.line);
            }
        }
        html += u"</pre>"_s;
    }
    return html;
}

// Every line whose speeds the tool list changed: as read, struck through, and as written.
QString speedChanges(const std::vector<const InputRecord*>& copied)
{
    int count = 0;
    QString rows;
    for (const InputRecord* input : copied) {
        if (!input->tools || input->tools->changes.empty())
            continue;
        count += int(input->tools->changeCount);
        rows += placedName(*input).toHtmlEscaped() + u"\n"_s;
        for (const SpeedChange& change : input->tools->changes) {
            rows += u"%1  <s>%2</s>\n"_s.arg(change.line, 6)
                        .arg(QString::fromStdString(change.before).toHtmlEscaped());
            rows +=
                changedRow(change.before, change.after, change.line, UiTexts::speedChangedMark());
        }
    }
    if (count == 0)
        return {};
    return u"<h3>%1</h3><pre>%2</pre>"_s.arg(UiTexts::speedChangeHeading(count).toHtmlEscaped(),
                                             rows);
}

// The lines on both sides of every seam: kept, cut, or changed by placement or the tool list,
// each with its findings beside. Lines by job entry and number: one program may stand in
// several cells, each placed apart.
class SeamLines
{
public:
    SeamLines(const MergeReport& plan, const std::vector<SeamFinding>& findings);

    QString html(const std::vector<const InputRecord*>& copied) const;

private:
    using EntryLine = std::pair<std::size_t, std::int64_t>;
    // What a line became, where placement or the tool list changed it; the list changes last.
    struct LineChange
    {
        const std::string* before;
        const std::string* after;
        QString mark;
    };

    std::size_t entryOf(const InputRecord& input) const
    {
        return static_cast<std::size_t>(&input - m_plan.inputs.data());
    }
    QString line(const InputRecord& input, const NumberedLine& numbered, bool cut) const;
    QString cutLines(const InputRecord& input, const std::vector<NumberedLine>& cut) const;

    const MergeReport& m_plan;
    std::map<EntryLine, std::vector<const SeamFinding*>> m_marked;
    std::map<EntryLine, LineChange> m_changed;
};

SeamLines::SeamLines(const MergeReport& plan, const std::vector<SeamFinding>& findings)
    : m_plan(plan)
{
    for (const SeamFinding& finding : findings)
        if (finding.input)
            m_marked[{*finding.input, finding.line}].push_back(&finding);
    for (const InputRecord& input : plan.inputs) {
        if (input.outcome != InputRecord::Outcome::Copied)
            continue;
        if (input.placement)
            for (const OffsetChange& change : input.placement->changes)
                m_changed[{entryOf(input), change.line}] = {
                    &change.before, &change.after,
                    change.before.empty() ? UiTexts::addedMark() : UiTexts::rewrittenMark()};
        if (input.tools)
            for (const SpeedChange& change : input.tools->changes)
                m_changed.insert_or_assign(
                    {entryOf(input), change.line},
                    LineChange{&change.before, &change.after, UiTexts::speedChangedMark()});
    }
}

QString SeamLines::html(const std::vector<const InputRecord*>& copied) const
{
    QString html;
    for (std::size_t i = 0; i + 1 < copied.size(); ++i) {
        const InputRecord& before = *copied[i];
        const InputRecord& after = *copied[i + 1];
        html += u"<h3>%1</h3><pre>"_s.arg(
            UiTexts::seamHeading(placedName(before), placedName(after)).toHtmlEscaped());
        for (const NumberedLine& kept : before.lastKept)
            html += line(before, kept, false);
        html += cutLines(before, before.cutBottom);
        html += u"─────\n"_s;
        html += cutLines(after, after.cutTop);
        for (const NumberedLine& kept : after.firstKept)
            html += line(after, kept, false);
        html += u"</pre>"_s;
    }
    return html;
}

// One line of a seam: its number and text, struck through when cut or rewritten, its findings
// beside.
QString SeamLines::line(const InputRecord& input, const NumberedLine& numbered, bool cut) const
{
    const auto change = m_changed.find({entryOf(input), numbered.number});
    QString prefix;
    if (!cut && change != m_changed.end()) {
        const LineChange& line = change->second;
        prefix = changedRow(*line.before, *line.after, numbered.number, line.mark);
        if (!line.before->empty()) {
            // The line as read, struck through, the rewritten one after it.
            const QString struck = u"%1  <s>%2</s>\n"_s.arg(numbered.number, 6)
                                       .arg(QString::fromStdString(numbered.text).toHtmlEscaped());
            return struck + prefix;
        }
    }
    QString text = QString::fromStdString(numbered.text).toHtmlEscaped();
    if (numbered.truncated)
        text += u"…"_s;
    QString row = u"%1  %2"_s.arg(numbered.number, 6).arg(cut ? u"<s>"_s + text + u"</s>"_s : text);
    QString colour = cut ? u"#e8e8e8"_s : QString();
    if (cut)
        row += u"   ✂ "_s + UiTexts::cutMark();
    if (const auto found = m_marked.find({entryOf(input), numbered.number});
        found != m_marked.end())
        for (const SeamFinding* finding : found->second) {
            row += u"   ◀ "_s + findingText(*finding).toHtmlEscaped();
            colour = finding->severity == Severity::Error ? u"#ffc8c8"_s : u"#ffe8b0"_s;
        }
    return prefix + (colour.isEmpty()
                         ? row + u"\n"_s
                         : u"<span style=\"background-color:%1\">%2</span>\n"_s.arg(colour, row));
}

// The cut lines a record lists; where it passed lines over, a mark says how many.
QString SeamLines::cutLines(const InputRecord& input, const std::vector<NumberedLine>& cut) const
{
    QString rows;
    for (std::size_t j = 0; j < cut.size(); ++j) {
        if (j > 0 && cut[j].number > cut[j - 1].number + 1)
            rows += u"        ⋮ %1\n"_s.arg(
                UiTexts::linesNotShown(int(cut[j].number - cut[j - 1].number - 1)));
        rows += line(input, cut[j], true);
    }
    return rows;
}

QString joined(const std::vector<std::string>& values, const QString& separator)
{
    QStringList texts;
    for (const std::string& value : values)
        texts.append(QString::fromStdString(value));
    return texts.join(separator);
}

} // namespace

MergePreviewDialog::MergePreviewDialog(const MergeReport& plan,
                                       const std::vector<SeamFinding>& findings, QWidget* parent,
                                       const PreviewToolSheet* tools)
    : QDialog(parent), m_plan(plan), m_findings(findings), m_tools(tools),
      m_view(DialogParts::named(new QTextBrowser, u"previewView"_s))
{
    setWindowTitle(UiTexts::previewTitle());
    setSizeGripEnabled(true);
    m_view->setHtml(html());

    auto* buttons = new QDialogButtonBox;
    QPushButton* write = buttons->addButton(UiTexts::writeButton(), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(UiTexts::cancelButton(), QDialogButtonBox::RejectRole);
    write->setObjectName(u"writeButton"_s);
    cancel->setObjectName(u"cancelButton"_s);
    const bool errors = std::any_of(findings.begin(), findings.end(), [](const SeamFinding& f) {
        return f.severity == Severity::Error;
    });
    // With an error Enter must not write, not even with the focus on 쓰기: cancelling is the
    // default, and the write button never takes Enter for itself.
    if (errors) {
        write->setAutoDefault(false);
        cancel->setDefault(true);
        cancel->setFocus();
    } else {
        write->setDefault(true);
    }
    if (m_tools && !m_tools->rows.empty()) {
        QPushButton* save =
            buttons->addButton(UiTexts::saveToolSheetButton(), QDialogButtonBox::ActionRole);
        save->setObjectName(u"saveToolSheetButton"_s);
        save->setAutoDefault(false);
        connect(save, &QPushButton::clicked, this, &MergePreviewDialog::saveToolSheet);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    if (findings.empty()) {
        m_skip = DialogParts::named(new QCheckBox(UiTexts::skipCleanPreview()),
                                    u"skipCleanPreviewCheck"_s);
        layout->addWidget(m_skip);
    }
    layout->addWidget(buttons);
    resize(900, 640);
}

bool MergePreviewDialog::skipWhenClean() const
{
    return m_skip && m_skip->isChecked();
}

QString MergePreviewDialog::text() const
{
    return m_view->toPlainText();
}

QString MergePreviewDialog::html() const
{
    std::vector<const InputRecord*> copied;
    for (const InputRecord& input : m_plan.inputs)
        if (input.outcome == InputRecord::Outcome::Copied)
            copied.push_back(&input);
    const int errors =
        int(std::count_if(m_findings.begin(), m_findings.end(), [](const SeamFinding& finding) {
            return finding.severity == Severity::Error;
        }));
    QString html = u"<p><b>%1</b></p>"_s.arg(
        UiTexts::previewSummary(int(copied.size()), std::max(0, int(copied.size()) - 1), errors,
                                int(m_findings.size()) - errors, int(m_plan.shortFiles().size()),
                                int(m_plan.unreadableFiles().size()))
            .toHtmlEscaped());
    html += u"<h3>%1</h3>"_s.arg(UiTexts::findingsHeading());
    if (m_findings.empty())
        html += u"<p>%1</p>"_s.arg(UiTexts::noFindings());
    html += u"<ul>"_s;
    for (const SeamFinding& finding : m_findings)
        html += u"<li>%1 (%2) <tt>%3</tt></li>"_s.arg(
            findingText(finding).toHtmlEscaped(), findingPlace(finding, m_plan).toHtmlEscaped(),
            QString::fromStdString(finding.text).toHtmlEscaped());
    html += u"</ul>"_s;
    html += toolSheetHtml();
    html += toolRunsHtml();
    // The "%" lines the merge adds stand before the first and after the last copied line.
    const auto added = [](const QString& where) {
        return u"<h3>%1</h3><pre><span style=\"background-color:#c8f0c8\">%2   ＋ %3</span>\n</pre>"_s
            .arg(where, u"%"_s.rightJustified(8), UiTexts::addedMark());
    };
    if (m_plan.percentAddedAtStart)
        html += added(UiTexts::outputStart());
    html += placements(copied);
    html += speedChanges(copied);
    html += SeamLines(m_plan, m_findings).html(copied);
    if (m_plan.percentAddedAtEnd)
        html += added(UiTexts::outputEnd());
    return html;
}

// One row a tool: what the programs and the list say of it, its findings in their colour.
QString MergePreviewDialog::toolSheetHtml() const
{
    if (!m_tools)
        return {};
    QString html = u"<h3>%1</h3>"_s.arg(UiTexts::toolSheetHeading(m_tools->list).toHtmlEscaped());
    if (m_tools->rows.empty())
        return html + u"<p>%1</p>"_s.arg(UiTexts::noToolChange());
    html += u"<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>"_s;
    for (const QString& column : UiTexts::toolSheetColumns())
        html += u"<th>%1</th>"_s.arg(column.toHtmlEscaped());
    html += u"</tr>"_s;
    for (const ToolSheetRow& row : m_tools->rows) {
        QStringList found;
        QString colour;
        for (const SeamFinding& finding : row.findings) {
            found.append(findingText(finding));
            if (colour.isEmpty() || finding.severity == Severity::Error)
                colour = finding.severity == Severity::Error ? u"#ffc8c8"_s : u"#ffe8b0"_s;
        }
        const QStringList cells{QString::fromStdString(row.tool),
                                m_tools->codec.decode(row.description),
                                joined(row.cells, u" "_s),
                                joined(row.spindles, u" / "_s),
                                m_tools->codec.decode(row.listSpindle),
                                joined(row.mainFeeds, u" / "_s),
                                m_tools->codec.decode(row.listFeed),
                                found.join(u"\n"_s)};
        html += colour.isEmpty() ? u"<tr>"_s : u"<tr style=\"background-color:%1\">"_s.arg(colour);
        for (const QString& cell : cells)
            html += u"<td>%1</td>"_s.arg(cell.toHtmlEscaped().replace(u'\n', u"<br>"_s));
        html += u"</tr>"_s;
    }
    return html + u"</table>"_s;
}

// The tool runs of a job ordered by tool, a row a run: its tool, its cells and its segments.
QString MergePreviewDialog::toolRunsHtml() const
{
    if (!m_plan.order)
        return {};
    const JobOrder& order = *m_plan.order;
    if (order.given != JobOrder::Given::No)
        return u"<h3>%1</h3><p>%2</p>"_s.arg(UiTexts::orderKeptGivenHeading().toHtmlEscaped(),
                                             UiTexts::orderKeptGiven(order.given).toHtmlEscaped());
    QString html = u"<h3>%1</h3><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>"_s.arg(
        UiTexts::toolRunsHeading(order.toolChangesBefore, order.toolChangesAfter,
                                 order.toolChangesLeast, order.restarts)
            .toHtmlEscaped());
    for (const QString& column : UiTexts::toolRunColumns())
        html += u"<th>%1</th>"_s.arg(column.toHtmlEscaped());
    html += u"</tr>"_s;
    for (const ToolRun& run : order.runs) {
        QStringList cells;
        QStringList segments;
        for (const OrderSegment& segment : run.segments) {
            const QString cell = QString::fromStdString(segment.cell.name());
            if (!cells.contains(cell))
                cells.append(cell);
            QString place = u"%1 %2:%3"_s.arg(cell, fileName(m_plan.inputs[segment.input].path))
                                .arg(segment.line)
                                .toHtmlEscaped();
            if (segment.restarted)
                place += u" (%1)"_s.arg(UiTexts::restartedMark().toHtmlEscaped());
            // What the restart block writes, as it is written.
            for (const std::string& line : segment.restart)
                place += u"<br><code>&nbsp;&nbsp;%1</code>"_s.arg(
                    QString::fromStdString(line).toHtmlEscaped());
            segments.append(place);
        }
        html += u"<tr><td>T%1</td><td>%2</td><td>%3</td></tr>"_s.arg(run.tool).arg(
            cells.join(u" "_s).toHtmlEscaped(), segments.join(u"<br>"_s));
    }
    return html + u"</table>"_s;
}

std::string MergePreviewDialog::toolSheetCsv() const
{
    if (!m_tools)
        return {};
    std::vector<ToolSheetRow> rows = m_tools->rows;
    for (ToolSheetRow& row : rows)
        for (std::string* value : {&row.description, &row.listSpindle, &row.listFeed})
            *value = m_tools->codec.decode(*value).toStdString();
    std::vector<std::string> headers;
    for (const QString& column : UiTexts::toolSheetColumns())
        headers.push_back(column.toStdString());
    return "\xEF\xBB\xBF" + ::toolSheetCsv(rows, headers, [](const SeamFinding& finding) {
               return findingText(finding).toStdString();
           });
}

void MergePreviewDialog::saveToolSheet()
{
    Platform& platform = Platform::instance();
    const auto choice = platform.getSaveFileName(
        this, {.filters = {UiTexts::toolSheetFilter()}, .defaultSuffix = u"csv"_s});
    if (!choice)
        return;
    FileError error;
    if (!writeToolSheet(corePath(choice->path), toolSheetCsv(), error))
        platform.showMessage(this, AppIdentity::windowCaption(),
                             UiTexts::toolSheetNotSaved(choice->path) + u"\n"_s +
                                 UiTexts::fileError(error),
                             Platform::Icon::Warning);
}
