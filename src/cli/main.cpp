// corvane-merge: the NC merge of Corvane for scripts and CAM post-processors.

#include "FindingText.h"
#include "StandardOutputSink.h"
#include "core/merge/NcMerge.h"
#include "core/merge/SeamCheck.h"
#include "core/nc/WorkOffset.h"
#include "core/os/TemporaryFileCleanup.h"
#include "core/os/Utf8Path.h"
#include "core/plate/ToolOrder.h"
#include "core/toollist/ToolListCheck.h"
#include "core/toollist/ToolListFile.h"
#include "core/toollist/ToolSheet.h"

#include <algorithm>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h> // needs windows.h first
#endif

namespace {

enum ExitStatus
{
    Copied = 0,
    NothingCopied = 1,
    Failed = 2,
    SeamErrors = 3,
};

constexpr const char* kUsage =
    "Usage: corvane-merge [--top N] [--bottom N] [--percent] [--force] [--read-twice] -o OUTPUT\n"
    "                     [--tool-list LIST [--apply-tool-list]] [--tool-sheet CSV]\n"
    "                     [--order given|tool [--retract LINE]...]\n"
    "                     [--at OFFSET] INPUT... [--at OFFSET INPUT...]...\n"
    "       corvane-merge --check [--top N] [--bottom N] [--percent] [--tool-list LIST\n"
    "                     [--apply-tool-list]] [--tool-sheet CSV] [--order given|tool\n"
    "                     [--retract LINE]...] [--at OFFSET] INPUT...\n"
    "\n"
    "Merges NC programs into one: blank lines are dropped, the top lines of every file but the\n"
    "first and the bottom lines of every file but the last are cut, and every line ends with\n"
    "CR LF.\n"
    "\n"
    "  --top N          lines to cut from the top of every file but the first (0)\n"
    "  --bottom N       content lines to cut from the bottom of every file but the last (0)\n"
    "  -o, --output F   the merged program, replaced when the merge succeeds; - for standard\n"
    "                   output\n"
    "  --percent        start and end the output with a \"%\" line where it has none (never\n"
    "                   in a Heidenhain program)\n"
    "  --check          write nothing; print what the seams cut or keep that the machine\n"
    "                   may miss or trip over, one finding a line (exit status 3 on errors)\n"
    "  --read-twice     prove every input unchanged by reading it a second time, even where\n"
    "                   its change time (ext4, XFS, Btrfs, tmpfs, F2FS, ZFS on Linux) or the\n"
    "                   lock that keeps writers out (Windows) proves it; --check tells which\n"
    "                   proof each input had\n"
    "  --force          write the merge even when its findings hold errors; without it an\n"
    "                   error writes nothing and exits with status 3 (--strict, which said\n"
    "                   so before, is still taken)\n"
    "  --at OFFSET      place the inputs that follow at a work offset (G54 ... G59,\n"
    "                   G54.1P1 ... G54.1P300, also written \"G54.1 P1\", G505 ... G599): their\n"
    "                   offset selections are rewritten to it, and it is inserted before the\n"
    "                   first move of a program that selects none; each change is printed as\n"
    "                   a note. A Heidenhain program keeps its own datum and may stand only at\n"
    "                   G54. Without --at nothing is rewritten\n"
    "  --tool-list F    check every tool against the machine's tool list F (.tlist): a tool\n"
    "                   the list lacks is an error; S, the main cutting feed, G43 H and G41/G42\n"
    "                   D, coolant, a tool marked not measured and Heidenhain DL other than\n"
    "                   the list's are warnings. Only values the list sets count\n"
    "  --apply-tool-list\n"
    "                   with --tool-list: every S of a tool under G97 becomes the list's\n"
    "                   spindle, and every F of it is scaled as its main cutting feed (the F\n"
    "                   under which it cuts the longest path) becomes the list's feed, in\n"
    "                   programs in G21 and G94 (else a warning says why not); a change past\n"
    "                   double or half is a warning; each change is printed as a note\n"
    "  --tool-sheet F   write a row per tool (cells, speeds of the programs and of the list,\n"
    "                   findings) to F as comma-separated values\n"
    "  --order tool     run the placed programs tool by tool: each is split at its tool\n"
    "                   changes (T.. M06) and the segments run one tool after the other across\n"
    "                   the cells, never out of order within one cell. A segment that does not\n"
    "                   follow its own program's previous one gets a restart block: the\n"
    "                   retract, its cell's offset and the modal state its program had there.\n"
    "                   The ordered program is read again and every move compared with its\n"
    "                   own program; a difference is an error. A Heidenhain job, an input\n"
    "                   without --at, or a program that calls subprograms or macros, shifts\n"
    "                   offsets or computes values, or holds a line longer than a block,\n"
    "                   keeps the given order (a warning).\n"
    "                   --order given (the default) keeps the inputs' order\n"
    "  --retract LINE   a line of the retract that starts each restart block, once for each\n"
    "                   line (\"G91 G28 Z0.\" then \"G90\" when not given); it may only move Z\n"
    "                   up (G28, G30 or G53 with Z, G91 G00 Z+) and must leave G90\n"
    "\n"
    "The output, the tool sheet, the tool list and the inputs must be different files.\n"
    "Exit status: 0 written, 1 nothing could be copied, 2 a usage or file error, 3 errors in\n"
    "the findings (nothing written without --force).\n"
    "  -h, --help       this text\n"
    "  -v, --version    the version\n";

struct Options
{
    int top = 0;
    int bottom = 0;
    std::optional<std::string> output;
    std::vector<std::string> inputs;
    std::vector<std::optional<WorkOffset>> cells; // of each input: where --at places it
    bool help = false;
    bool version = false;
    bool check = false;
    bool force = false;
    bool percent = false;
    bool readTwice = false;
    std::optional<std::string> toolList;
    bool applyToolList = false;
    std::optional<std::string> toolSheet;
    bool orderByTool = false;
    std::optional<std::vector<std::string>> retract;
};

void printError(const std::string& text)
{
    std::fprintf(stderr, "corvane-merge: %s\n", text.c_str());
}

// The arguments as the file system names things: bytes on POSIX, UTF-8 from the wide command
// line on Windows.
std::vector<std::string> commandLine(int argc, char* argv[])
{
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        const std::u8string text = std::filesystem::path(wide[i]).u8string();
        arguments.emplace_back(text.begin(), text.end());
    }
    LocalFree(wide);
    return arguments;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

// Control bytes, a line feed above all, written as escapes: a name or a line of a program must
// not forge a line of its own.
std::string escaped(std::string_view text)
{
    std::string result;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            result += "\\\\";
        } else if (byte < 0x20 || byte == 0x7f) {
            char code[8];
            std::snprintf(code, sizeof code, "\\x%02x", byte);
            result += code;
        } else {
            result += c;
        }
    }
    return result;
}

// A byte no line of a program holds; a tab is blank space.
bool holdsControlByte(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7f;
    });
}

bool lineCount(std::string_view option, std::string_view text, int& count)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || count < 0) {
        printError(std::string(option) + " takes a whole number of lines, 0 or more");
        return false;
    }
    return true;
}

// Reads corvane-merge's arguments into its options, telling what is wrong with them.
class ArgumentParser
{
public:
    explicit ArgumentParser(const std::vector<std::string>& arguments) : m_arguments(arguments) {}

    std::optional<Options> parse();

private:
    bool flag(const std::string& name);
    bool option(const std::string& name, std::optional<std::string> value);
    bool takeValue(const std::string& name, std::optional<std::string>& value);
    bool once(const std::string& name);
    bool placeAt(const std::string& value);
    bool retractLine(const std::string& value);
    bool placesNoInput() const;
    bool consistent() const;

    const std::vector<std::string>& m_arguments;
    std::size_t m_next = 0;
    Options m_options;
    bool m_onlyInputs = false;
    std::optional<WorkOffset> m_at;
    bool m_atUnused = false;          // no input followed the last --at yet
    std::vector<std::string> m_given; // options with a value, each taken once
};

std::optional<Options> ArgumentParser::parse()
{
    for (; m_next < m_arguments.size(); ++m_next) {
        const std::string& argument = m_arguments[m_next];
        if (m_onlyInputs || argument == "-" || argument.empty() || argument[0] != '-') {
            m_options.inputs.push_back(argument);
            m_options.cells.push_back(m_at);
            m_atUnused = false;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        std::optional<std::string> value;
        if (equals != std::string::npos)
            value = argument.substr(equals + 1);
        if (!flag(name) && !option(name, value))
            return std::nullopt;
    }
    if (!consistent())
        return std::nullopt;
    return m_options;
}

// An option without a value: true when name is one.
bool ArgumentParser::flag(const std::string& name)
{
    // --strict: writing nothing on errors is what corvane-merge does unless forced.
    if (name == "--")
        m_onlyInputs = true;
    else if (name == "-h" || name == "--help")
        m_options.help = true;
    else if (name == "-v" || name == "--version")
        m_options.version = true;
    else if (name == "--check")
        m_options.check = true;
    else if (name == "--force")
        m_options.force = true;
    else if (name == "--percent")
        m_options.percent = true;
    else if (name == "--read-twice")
        m_options.readTwice = true;
    else if (name == "--apply-tool-list")
        m_options.applyToolList = true;
    else
        return name == "--strict";
    return true;
}

// An option with a value; false, told why, when it or its value is wrong.
bool ArgumentParser::option(const std::string& name, std::optional<std::string> value)
{
    if (name == "--tool-list" || name == "--tool-sheet") {
        if (!once(name) || !takeValue(name, value))
            return false;
        if (value->empty() || value->starts_with("--")) {
            printError(name + " needs a file's name, not " + escaped(*value));
            return false;
        }
        (name == "--tool-list" ? m_options.toolList : m_options.toolSheet) = value;
    } else if (name == "--top" || name == "--bottom") {
        return once(name) && takeValue(name, value) &&
               lineCount(name, *value, name == "--top" ? m_options.top : m_options.bottom);
    } else if (name == "--order") {
        if (!once(name) || !takeValue(name, value))
            return false;
        if (*value != "given" && *value != "tool") {
            printError("--order takes given or tool, not " + escaped(*value));
            return false;
        }
        m_options.orderByTool = *value == "tool";
    } else if (name == "--retract") {
        return takeValue(name, value) && retractLine(*value);
    } else if (name == "--at") {
        return !placesNoInput() && takeValue(name, value) && placeAt(*value);
    } else if (name == "-o" || name == "--output") {
        if (!once(name) || !takeValue(name, value))
            return false;
        if (value->starts_with("--")) {
            // Most likely an option where the output's name was forgotten.
            printError(name + " needs the output's name, not " + escaped(*value));
            return false;
        }
        m_options.output = value;
    } else {
        printError("unknown option " + m_arguments[m_next] + "; see --help");
        return false;
    }
    return true;
}

// The value after "=", else the next argument.
bool ArgumentParser::takeValue(const std::string& name, std::optional<std::string>& value)
{
    if (!value && m_next + 1 < m_arguments.size())
        value = m_arguments[++m_next];
    if (!value)
        printError(name + " needs a value");
    return value.has_value();
}

bool ArgumentParser::once(const std::string& name)
{
    const std::string key = name == "-o" ? "--output" : name;
    if (std::find(m_given.begin(), m_given.end(), key) != m_given.end()) {
        printError(name + " is given twice");
        return false;
    }
    m_given.push_back(key);
    return true;
}

bool ArgumentParser::placeAt(const std::string& value)
{
    m_atUnused = true;
    m_at = WorkOffset::fromName(value);
    if (!m_at)
        printError("--at takes a work offset (G54 to G59, G54.1P1 to G54.1P300, G505 to G599), "
                   "not " +
                   escaped(value));
    return m_at.has_value();
}

bool ArgumentParser::retractLine(const std::string& value)
{
    if (value.empty() || holdsControlByte(value)) {
        printError("--retract takes one line of a program, not " + escaped(value));
        return false;
    }
    if (!m_options.retract)
        m_options.retract.emplace();
    m_options.retract->push_back(value);
    return true;
}

// An --at with no input after it: told.
bool ArgumentParser::placesNoInput() const
{
    if (m_at && m_atUnused)
        printError("--at " + m_at->name() + " places no input: give the inputs after it");
    return m_at && m_atUnused;
}

// The options together.
bool ArgumentParser::consistent() const
{
    if (placesNoInput())
        return false;
    if (m_options.retract && !m_options.orderByTool) {
        printError("--retract is for restart blocks: give it with --order tool");
        return false;
    }
    if (m_options.retract)
        if (const std::optional<std::size_t> unsafe = unsafeRetractLine(*m_options.retract)) {
            printError("--retract " + escaped((*m_options.retract)[*unsafe]) +
                       ": a retract may only move Z up (G28, G30 or G53 with Z, G91 G00 Z+) "
                       "and must end in absolute distances (G90)");
            return false;
        }
    if (m_options.applyToolList && !m_options.toolList) {
        printError("--apply-tool-list needs the list: give it with --tool-list LIST");
        return false;
    }
    return true;
}

// The inputs' cells, for the merge: G54 is the first.
std::vector<std::optional<MergeRequest::Cell>> requestCells(const Options& options)
{
    std::vector<std::optional<MergeRequest::Cell>> cells;
    for (const std::optional<WorkOffset>& offset : options.cells)
        if (offset)
            cells.push_back(MergeRequest::Cell{*offset, *offset == WorkOffset::fromName("G54")});
        else
            cells.emplace_back();
    return cells;
}

// The tool runs of a job ordered by tool, a note a run, and what ordering saved.
std::string orderNotes(const MergeReport& report)
{
    if (!report.order || report.order->given != JobOrder::Given::No)
        return {};
    const JobOrder& order = *report.order;
    std::string lines;
    for (const ToolRun& run : order.runs) {
        lines += "note: tool run T" + std::to_string(run.tool) + ":";
        for (const OrderSegment& segment : run.segments)
            lines += " " + segment.cell.name() + " " + escaped(report.inputs[segment.input].path) +
                     ":" + std::to_string(segment.line) + (segment.restarted ? " (restart)" : "");
        lines += '\n';
    }
    lines += "note: ordered by tool: " + std::to_string(order.toolChangesAfter) +
             " tool changes, " + std::to_string(order.toolChangesBefore) + " in the given order; " +
             std::to_string(order.restarts) + " restart blocks\n";
    return lines;
}

// What placement and the tool list changed, a note a line: PATH:LINE: note: TEXT. False when
// the stream failed.
bool printChanges(const MergeReport& report, std::FILE* stream)
{
    std::string lines;
    for (const InputRecord& input : report.inputs) {
        if (input.tools)
            for (const SpeedChange& change : input.tools->changes)
                lines += escaped(input.path) + ":" + std::to_string(change.line) +
                         ": note: speed from the tool list: " + escaped(change.before) + " -> " +
                         escaped(change.after) + '\n';
        if (!input.placement)
            continue;
        for (const OffsetChange& change : input.placement->changes) {
            lines += escaped(input.path) + ":" + std::to_string(change.line) + ": note: ";
            lines += change.before.empty()
                         ? "work offset inserted before the first move: " + escaped(change.after)
                         : "work offset placed: " + escaped(change.before) + " -> " +
                               escaped(change.after);
            lines += '\n';
        }
    }
    lines += orderNotes(report);
    std::fwrite(lines.data(), 1, lines.size(), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

std::size_t errorsIn(const std::vector<SeamFinding>& findings)
{
    return static_cast<std::size_t>(
        std::count_if(findings.begin(), findings.end(), [](const SeamFinding& finding) {
            return finding.severity == SeamFinding::Severity::Error;
        }));
}

// One finding a line, as compilers print theirs: PATH:LINE: error: TEXT, or PATH: error: TEXT
// for a whole input. False when the stream failed.
bool printFindings(const std::vector<SeamFinding>& findings, std::FILE* stream)
{
    // Gathered and written at once: standard error writes each piece as it comes.
    std::string lines;
    for (const SeamFinding& finding : findings) {
        std::string where = escaped(finding.path);
        if (finding.line > 0)
            where += ":" + std::to_string(finding.line);
        std::string text = findingReason(finding.rule);
        if (!finding.detail.empty())
            text += " (" + escaped(finding.detail) + ")";
        if (finding.rule == SeamRule::ControlBytes) {
            char detail[64];
            std::snprintf(detail, sizeof detail, " (byte 0x%02x at offset %llu)", finding.byte,
                          static_cast<unsigned long long>(finding.offset));
            text += detail;
        } else if (!finding.text.empty()) {
            text += ": " + escaped(finding.text);
        } else if (finding.error) {
            text += ": " + fileErrorText(finding.error);
        }
        lines += where +
                 (finding.severity == SeamFinding::Severity::Error ? ": error: " : ": warning: ") +
                 text + '\n';
    }
    std::fwrite(lines.data(), 1, lines.size(), stream);
    return std::fflush(stream) == 0 && !std::ferror(stream);
}

MergeRequest mergeRequest(const Options& options)
{
    return {.inputs = options.inputs,
            .delUp = options.top,
            .delBtm = options.bottom,
            .readInputsTwice = options.readTwice,
            .percentLines = options.percent,
            .cells = requestCells(options),
            .readTools = options.toolList || options.toolSheet,
            .orderByTool = options.orderByTool,
            .retract = options.retract.value_or(defaultRetract())};
}

// The list's checks of a plan, when a list was given; applying it, the request gains its speeds
// from a first plan, which the caller keeps for the writing.
PlanCheck prepareToolList(const Options& options, MergeRequest& request, MergeReport& firstPlan)
{
    if (!options.toolList)
        return {};
    JobToolList toolList = readJobToolList(*options.toolList);
    if (options.applyToolList)
        firstPlan = planToolSpeeds(request, toolList);
    return toolListCheck(std::move(toolList), options.applyToolList);
}

bool failedToPlan(const MergeReport& report)
{
    if (report.succeeded())
        return false;
    printError("cannot read the inputs: " + escaped(report.failure.path) + ": " +
               fileErrorText(report.failure.error));
    return true;
}

// --tool-sheet: the job's tools as comma-separated values. False when it cannot be written.
bool writeToolSheet(const Options& options, const MergeReport& report,
                    const std::vector<SeamFinding>& findings)
{
    if (!options.toolSheet)
        return true;
    std::optional<JobToolList> toolList;
    if (options.toolList)
        toolList = readJobToolList(*options.toolList);
    // The sheet is UTF-8, whatever the list was written in.
    std::optional<std::vector<ToolEntry>> tools;
    if (toolList && toolList->list.read)
        tools = toolsInUtf8(toolList->list.tools);
    const std::vector<ToolSheetRow> rows =
        makeToolSheet(report, tools ? &*tools : nullptr, findings);
    const std::string csv = toolSheetCsv(
        rows,
        {"tool", "description", "cells", "S program", "S list", "F program", "F list", "findings"},
        [](const SeamFinding& finding) {
            return finding.detail.empty()
                       ? std::string(findingReason(finding.rule))
                       : std::string(findingReason(finding.rule)) + " (" + finding.detail + ")";
        });
    FileError error;
    if (writeToolSheet(*options.toolSheet, csv, error))
        return true;
    printError("cannot write the tool sheet " + escaped(*options.toolSheet) + ": " +
               fileErrorText(error));
    return false;
}

// Whether two names are one file: the same file where both exist, else the same absolute name.
bool sameFile(const std::string& a, const std::string& b)
{
    namespace fs = std::filesystem;
    const fs::path x = pathFromUtf8(a);
    const fs::path y = pathFromUtf8(b);
    std::error_code error;
    if (fs::equivalent(x, y, error))
        return true;
    // A file not there yet is another only under another name.
    const fs::path xFull = fs::weakly_canonical(x, error);
    if (error)
        return false;
    const fs::path yFull = fs::weakly_canonical(y, error);
    return !error && xFull == yFull;
}

// The output, the tool sheet, the tool list and the inputs are different files: writing one
// over another would lose it. False, with a message, when two are one.
bool filesAreDistinct(const Options& options)
{
    struct Named
    {
        const char* role;
        std::string name;
    };
    std::vector<Named> files;
    if (options.output && *options.output != "-")
        files.push_back({"-o", *options.output});
    if (options.toolSheet)
        files.push_back({"--tool-sheet", *options.toolSheet});
    if (options.toolList)
        files.push_back({"--tool-list", *options.toolList});
    const std::size_t written = files.size();
    for (const std::string& input : options.inputs)
        if (input != "-")
            files.push_back({"input", input});
    for (std::size_t i = 0; i < written; ++i)
        for (std::size_t j = i + 1; j < files.size(); ++j)
            if (sameFile(files[i].name, files[j].name)) {
                printError(std::string(files[i].role) + " " + escaped(files[i].name) + " and " +
                           files[j].role + " " + escaped(files[j].name) +
                           " are one file: nothing written");
                return false;
            }
    return true;
}

// How each input read whole was proved unchanged, on standard error.
void printProofs(const MergeReport& report)
{
    for (const InputRecord& input : report.inputs) {
        if (input.outcome != InputRecord::Outcome::Copied &&
            input.outcome != InputRecord::Outcome::Short)
            continue;
        const char* proof = input.proof == UnchangedProof::ChangeTime ? "its change time"
                            : input.proof == UnchangedProof::WritesDenied
                                ? "writes denied while it was read"
                                : "a second reading";
        std::fprintf(stderr, "note: %s: proved unchanged by %s\n", escaped(input.path).c_str(),
                     proof);
    }
}

// --check: the findings of a plan on standard output and a summary on standard error.
int check(const Options& options)
{
    MergeRequest request = mergeRequest(options);
    MergeReport firstPlan{.status = MergeReport::Status::Planned};
    const PlanCheck toolChecks = prepareToolList(options, request, firstPlan);
    if (failedToPlan(firstPlan))
        return Failed;
    if (options.applyToolList)
        request.plan = &firstPlan; // the speeds hold for the inputs as it read them
    const auto [report, findings] = PlanAndCheck(request, toolChecks);
    if (report.status != MergeReport::Status::Planned) {
        printError("cannot check: " + escaped(report.failure.path) + ": " +
                   fileErrorText(report.failure.error));
        return Failed;
    }
    if (!printChanges(report, stdout) || !printFindings(findings, stdout)) {
        printError("cannot write the findings to standard output");
        return Failed;
    }
    if (!writeToolSheet(options, report, findings))
        return Failed;
    printProofs(report);
    const std::size_t errors = errorsIn(findings);
    std::fprintf(stderr, "corvane-merge: %zu errors, %zu warnings in %d copied files\n", errors,
                 findings.size() - errors, report.copiedFiles());
    return errors > 0 ? SeamErrors : Copied;
}

// A merge stopped by a signal leaves no temporary file behind.
void removeTemporaryAndDie(int signal)
{
    TemporaryFileCleanup::removeNow();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void removeTemporaryOnSignals()
{
    for (int signal : {SIGINT, SIGTERM})
        std::signal(signal, removeTemporaryAndDie);
#ifndef _WIN32
    // Every signal whose default ends the program: a closed pipe, a file size limit, a timer.
    for (int signal : {SIGHUP, SIGQUIT, SIGPIPE, SIGUSR1, SIGUSR2, SIGALRM, SIGXFSZ, SIGXCPU,
                       SIGVTALRM, SIGPROF})
        std::signal(signal, removeTemporaryAndDie);
#endif
}

// Standard output cannot be taken back: errors are looked for before a byte goes out. Exits
// when they are found.
std::optional<int> checkBeforeStandardOutput(const MergeRequest& request,
                                             const PlanCheck& toolChecks)
{
    const auto [plan, found] = PlanAndCheck(request, toolChecks);
    if (plan.status != MergeReport::Status::Planned) {
        printError("nothing written: " + escaped(plan.failure.path) + ": " +
                   fileErrorText(plan.failure.error));
        return Failed;
    }
    if (errorsIn(found) > 0) {
        printChanges(plan, stderr);
        printFindings(found, stderr);
        printError("nothing written: the findings hold errors (--force writes anyway)");
        return SeamErrors;
    }
    return std::nullopt;
}

// The exit status of a merge, told.
int mergeStatus(const Options& options, const MergeReport& report, bool sheetFailed)
{
    if (sheetFailed) {
        printError("nothing written: the tool sheet could not be written");
        return Failed;
    }
    if (report.status == MergeReport::Status::NotApproved) {
        printError("nothing written: the findings hold errors (--force writes anyway)");
        return SeamErrors;
    }
    if (report.status == MergeReport::Status::NothingCopied) {
        printError("nothing written: no input could be copied; the output is left as it was");
        return NothingCopied;
    }
    if (report.status != MergeReport::Status::Written) {
        const std::string where = !report.failure.path.empty() ? report.failure.path
                                  : *options.output == "-"     ? "standard output"
                                                               : *options.output;
        printError("nothing written: " + escaped(where) + ": " +
                   fileErrorText(report.failure.error));
        return Failed;
    }
    return Copied;
}

int merge(const Options& options)
{
    removeTemporaryOnSignals();
    MergeRequest request = mergeRequest(options);
    MergeReport firstPlan{.status = MergeReport::Status::Planned};
    PlanCheck toolChecks = prepareToolList(options, request, firstPlan);
    if (failedToPlan(firstPlan))
        return Failed;
    if (options.applyToolList)
        request.plan = &firstPlan; // the speeds hold for the inputs as it read them
    if (*options.output == "-" && !options.force)
        if (const std::optional<int> refused = checkBeforeStandardOutput(request, toolChecks))
            return *refused;
    std::vector<SeamFinding> findings;
    CheckSeamsBeforeWriting(
        request, findings,
        [&](const std::vector<SeamFinding>& found) {
            return options.force || errorsIn(found) == 0;
        },
        std::move(toolChecks));
    // The tool sheet is written before the output is replaced: a merge whose sheet failed
    // writes nothing.
    bool sheetFailed = false;
    request.approve = [&, approve = std::move(request.approve)](const MergeReport& plan) {
        if (!approve(plan))
            return false;
        sheetFailed = !writeToolSheet(options, plan, findings);
        return !sheetFailed;
    };
    MergeReport report;
    if (*options.output == "-") {
        StandardOutputSink output;
        report = MergeNcFiles(request, output);
    } else {
        report = MergeNcFiles(request, *options.output);
    }
    printChanges(report, stderr);
    printFindings(findings, stderr);
    return mergeStatus(options, report, sheetFailed);
}

} // namespace

int main(int argc, char* argv[])
{
    const std::optional<Options> options = ArgumentParser(commandLine(argc, argv)).parse();
    if (!options)
        return Failed;
    if (options->help) {
        std::fputs(kUsage, stdout);
        return Copied;
    }
    if (options->version) {
        std::printf("corvane-merge %s\n", CORVANE_VERSION);
        return Copied;
    }
    if (options->inputs.empty()) {
        printError("no input files");
        return Failed;
    }
    if (!filesAreDistinct(*options))
        return Failed;
    if (options->check)
        return check(*options);
    if (!options->output || options->output->empty()) {
        printError("no output file: give one with -o OUTPUT");
        return Failed;
    }
    return merge(*options);
}
