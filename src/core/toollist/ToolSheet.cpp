// The tool sheet of a merge: every tool it runs with the list's values, as CSV.

#include "ToolSheet.h"

#include "ToolListCheck.h"
#include "core/merge/AtomicFileWriter.h"
#include "core/os/SplitPath.h"
#include "core/os/Utf8Path.h"

#include <algorithm>

namespace {

void addOnce(std::vector<std::string>& values, const std::string& value)
{
    if (std::find(values.begin(), values.end(), value) == values.end())
        values.push_back(value);
}

std::string joined(const std::vector<std::string>& values, const std::string& separator)
{
    std::string text;
    for (const std::string& value : values)
        text += (text.empty() ? "" : separator) + value;
    return text;
}

// Quoted when it holds a separator, a quote or a line break; a leading =, +, -, @ or control
// byte that does not start a number gets an apostrophe, so that no spreadsheet runs it.
std::string csvField(std::string value)
{
    const bool formula =
        !value.empty() && (value[0] == '=' || value[0] == '+' || value[0] == '-' ||
                           value[0] == '@' || static_cast<unsigned char>(value[0]) < 0x20);
    if (formula && !ncNumber(value))
        value.insert(0, 1, '\'');
    if (value.find_first_of(",\"\r\n") == std::string::npos)
        return value;
    std::string quoted = "\"";
    for (const char c : value)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

} // namespace

std::vector<ToolSheetRow> makeToolSheet(const MergeReport& plan, const std::vector<ToolEntry>* list,
                                        const std::vector<SeamFinding>& findings)
{
    std::vector<ToolSheetRow> rows;
    for (const InputRecord& input : plan.inputs) {
        if (input.outcome != InputRecord::Outcome::Copied || !input.tools)
            continue;
        const SplitPathResult parts = SplitPath(input.path);
        const std::string where =
            input.placement ? input.placement->cell.name() : parts.name + parts.extension;
        for (const ToolUsage& tool : input.tools->tools) {
            auto row = std::find_if(rows.begin(), rows.end(),
                                    [&](const ToolSheetRow& r) { return r.tool == tool.name; });
            if (row == rows.end()) {
                ToolSheetRow added{.tool = tool.name};
                if (list)
                    if (const std::optional<ListedTool> listed = findListedTool(*list, tool)) {
                        added.description = listed->entry->values[1];
                        added.listSpindle = listed->entry->values[5];
                        added.listFeed = listed->entry->values[6];
                    }
                rows.push_back(std::move(added));
                row = rows.end() - 1;
            }
            addOnce(row->cells, where);
            for (const ToolWord& spindle : tool.spindles)
                addOnce(row->spindles, spindle.value);
            if (const ToolUsage::Feed* main = tool.mainFeed())
                addOnce(row->mainFeeds, main->word.value);
        }
    }
    // A finding of the same program at several cells is one of the tool's.
    for (const SeamFinding& finding : findings)
        for (ToolSheetRow& row : rows)
            if (!finding.tool.empty() && finding.tool == row.tool &&
                std::none_of(row.findings.begin(), row.findings.end(), [&](const SeamFinding& f) {
                    return f.rule == finding.rule && f.detail == finding.detail;
                }))
                row.findings.push_back(finding);
    return rows;
}

std::string toolSheetCsv(const std::vector<ToolSheetRow>& rows,
                         const std::vector<std::string>& headers,
                         const std::function<std::string(const SeamFinding&)>& findingText)
{
    std::string csv;
    const auto line = [&csv](const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i)
            csv += (i > 0 ? "," : "") + csvField(fields[i]);
        csv += "\r\n";
    };
    line(headers);
    for (const ToolSheetRow& row : rows) {
        std::vector<std::string> found;
        for (const SeamFinding& finding : row.findings)
            found.push_back(findingText(finding));
        line({row.tool, row.description, joined(row.cells, " "), joined(row.spindles, " / "),
              row.listSpindle, joined(row.mainFeeds, " / "), row.listFeed, joined(found, "; ")});
    }
    return csv;
}

bool writeToolSheet(const std::string& path, const std::string& bytes, FileError& error)
{
    AtomicFileWriter file(pathFromUtf8(path));
    if (file.open()) {
        file.write(bytes);
        if (file.commit())
            return true;
    }
    error = file.error();
    return false;
}
