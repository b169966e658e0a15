#include "ConvertCommand.h"

#include "BackgroundMerge.h"
#include "MergePreviewDialog.h"
#include "core/job/JobState.h"
#include "core/merge/NcMerge.h"
#include "core/merge/OutputPath.h"
#include "core/merge/SeamCheck.h"
#include "core/nc/WorkOffset.h"
#include "core/os/SplitPath.h"
#include "core/os/Utf8Path.h"
#include "core/settings/Settings.h"
#include "desktop/AppIdentity.h"
#include "desktop/PathText.h"
#include "desktop/Platform.h"
#include "desktop/UiTexts.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace {

// How many files a message names before it counts the rest; all are in its details.
constexpr qsizetype kListedFiles = 20;
constexpr qsizetype kListedProblems = 5;

enum FilterIndex
{
    CurrentFileTypeFilter = 0,
    AllFilesFilter = 1,
};

QString problemText(const FileProblem& problem)
{
    return displayPath(problem.path) + u"\n"_s + UiTexts::fileError(problem.error);
}

// Each program at its cell's work offset; the first cell is the one where a Heidenhain program
// may stand.
std::vector<std::optional<MergeRequest::Cell>> jobCells(const JobList& job,
                                                        const CSettings& settings)
{
    std::vector<std::optional<MergeRequest::Cell>> cells;
    for (const JobEntry& entry : job.entries()) {
        const std::optional<WorkOffset> offset =
            WorkOffset::ofCell(entry.cell, settings.SIMENS, settings.ItemNameType);
        cells.push_back(offset ? std::optional(MergeRequest::Cell{*offset, entry.cell == 0})
                               : std::nullopt);
    }
    return cells;
}

} // namespace

ConvertCommand::ConvertCommand(JobState& state, QWidget* owner)
    : QObject(owner), m_state(state), m_owner(owner), m_worker(owner)
{
    connect(&m_worker, &BackgroundMerge::finished, this,
            [this] { m_stage == Stage::Planning ? planned() : written(); });
}

void ConvertCommand::OnConvert()
{
    if (m_running || m_state.m_JobFiles.count() < 1)
        return;
    if (const std::optional<ConvertRequest> request = chooseOutput())
        MergeJobFiles(*request);
}

// Asks where to write; the choice is remembered for the next Convert.
std::optional<ConvertRequest> ConvertCommand::chooseOutput()
{
    CSettings& settings = GetSettings();
    Platform::SaveFileRequest request;
    // A first conversion starts in the folder that "Output 경로 설정" chose.
    request.folder =
        QString::fromStdString(settings.OUTPATH.empty() ? settings.FolderPath : settings.OUTPATH);
    request.filters = QStringList{tr("현재파일 형식 (*.*)"), tr("모든파일(*.*)")};
    const auto choice = Platform::instance().getSaveFileName(m_owner, request);
    if (!choice)
        return std::nullopt;

    const std::string chosenPath = corePath(choice->path);
    const SplitPathResult parts = SplitPath(chosenPath);
    settings.OUTFILE = parts.name;
    settings.OUTPATH = parts.folder;
    settings.m_strCustomExt = parts.extension;
    if (choice->filterIndex == CurrentFileTypeFilter)
        settings.m_nOutputType = 5;
    else if (choice->filterIndex == AllFilesFilter)
        settings.m_nOutputType = 6;

    const std::vector<std::string> inputs = m_state.m_JobFiles.files();
    ConvertRequest convert{
        .merge = {.inputs = inputs,
                  .delUp = settings.DEL_UP,
                  .delBtm = settings.DEL_BTM,
                  .percentLines = settings.PER_STR != 0,
                  .cells = jobCells(m_state.m_JobFiles, settings),
                  .rewriteOffsets = settings.PosCheck != 0,
                  .orderByTool = settings.MergeOrder != 0,
                  .retract = retractLines(settings.FANUCRetract)},
        .toolList = m_state.toolListPath(m_state.m_strToolListName),
        .applyToolList =
            (m_state.m_nMachineFamily == 0 ? settings.FANUCToolChange : settings.HToolChange) != 0,
        .output = outputFilePath(
            settings.OUTPATH, settings.OUTFILE,
            outputExtension(settings.m_nOutputType, inputs.front(), settings.m_strCustomExt)),
        .skipCleanPreview = settings.SkipCleanPreview != 0,
        .editor = QString::fromStdString(settings.EXECOMBO),
        .openFolder = settings.Open_Window != 0,
    };
    if (!confirmReplacing(convert.output, chosenPath))
        return std::nullopt;
    return convert;
}

// Plans the merge on a thread of its own; the preview and the writing follow once it is done.
void ConvertCommand::MergeJobFiles(const ConvertRequest& request)
{
    if (m_running || request.merge.inputs.empty())
        return;
    setRunning(true);
    m_request = request;
    m_stage = Stage::Planning;
    m_worker.start([this, request = m_request](const MergeProgress& progress) {
        MergeRequest planning = request.merge;
        planning.progress = progress;
        m_plan = ConvertPlan::make(std::move(planning), request.toolList, request.applyToolList);
    });
}

void ConvertCommand::planned()
{
    if (!m_plan.checked.plan.succeeded()) {
        reportFailure(m_plan.checked.plan);
        setRunning(false);
        return;
    }
    if (!confirmPreview()) {
        setRunning(false);
        return;
    }
    m_stage = Stage::Writing;
    m_worker.start(
        [this, merge = m_request.merge, output = m_request.output](const MergeProgress& progress) {
            MergeRequest writing = m_plan.writing(merge);
            writing.progress = progress;
            m_report = MergeNcFiles(writing, output);
        });
}

void ConvertCommand::written()
{
    setRunning(false);
    if (m_report.status == MergeReport::Status::InputChanged) {
        // What the preview showed is no longer what would be written.
        Platform::instance().showMessage(m_owner, AppIdentity::windowCaption(),
                                         UiTexts::inputChangedSincePreview() + u"\n"_s +
                                             problemText(m_report.failure),
                                         Platform::Icon::Warning);
        return;
    }
    if (!m_report.succeeded()) {
        reportFailure(m_report);
        return;
    }
    reportLeftOutFiles(m_report);
    if (m_report.copiedFiles() == 0)
        return;
    Platform::instance().showMessage(m_owner, AppIdentity::windowCaption(),
                                     tr("변환이 완료되었습니다."), Platform::Icon::None);
    openInEditor();
    if (m_request.openFolder)
        Platform::instance().openFolder(displayPath(SplitPath(m_request.output).folder));
}

void ConvertCommand::cancel()
{
    m_worker.abandon();
    setRunning(false);
}

void ConvertCommand::setRunning(bool running)
{
    if (m_running == running)
        return;
    m_running = running;
    emit runningChanged(running);
}

// Shows the preview of the plan; true when the operator wants it written. A plan without
// findings goes through unseen when the operator chose so.
bool ConvertCommand::confirmPreview()
{
    const std::vector<SeamFinding>& findings = m_plan.checked.findings;
    if (findings.empty() && m_request.skipCleanPreview)
        return true;
    // Errors by kind, as the rules' keys name them.
    int errors[3] = {0, 0, 0}; // seams, tools, order
    for (const SeamFinding& finding : findings)
        if (finding.severity == SeamFinding::Severity::Error) {
            const std::string_view key = seamRuleInfo(finding.rule).key;
            ++errors[key.starts_with("order") ? 2 : key.starts_with("tool") ? 1 : 0];
        }
    const bool anyError = errors[0] + errors[1] + errors[2] > 0;
    // No to writing with errors goes back to the preview, where the operator may cancel.
    for (;;) {
        const PreviewToolSheet tools{
            .rows = m_plan.toolSheet,
            .list = displayPath(m_plan.toolList.path),
            .codec = ToolListCodec::forTools(m_plan.toolList.list.tools),
        };
        MergePreviewDialog preview(m_plan.checked.plan, findings, m_owner, &tools);
        if (Platform::instance().runDialog(preview) != QDialog::Accepted)
            return false;
        if (preview.skipWhenClean())
            GetSettings().SkipCleanPreview = 1;
        if (!anyError || Platform::instance().askYesNo(
                             m_owner, AppIdentity::windowCaption(),
                             UiTexts::confirmWritingWithErrors(errors[0], errors[1], errors[2])))
            return true;
    }
}

// The save dialog asked about the path it returned; the extension rule may have led elsewhere.
bool ConvertCommand::confirmReplacing(const std::string& path, const std::string& confirmedPath)
{
    std::error_code ec;
    if (path == confirmedPath || !std::filesystem::exists(pathFromUtf8(path), ec))
        return true;
    return Platform::instance().askYesNo(
        m_owner, AppIdentity::windowCaption(),
        tr("%1이(가) 이미 있습니다.\n바꾸시겠습니까?").arg(displayPath(path)));
}

void ConvertCommand::reportFailure(const MergeReport& report)
{
    QString text;
    switch (report.status) {
    case MergeReport::Status::Cancelled:
        Platform::instance().showMessage(m_owner, AppIdentity::windowCaption(),
                                         UiTexts::cancelled(), Platform::Icon::None);
        return;
    case MergeReport::Status::BadTrimCount:
        Platform::instance().showMessage(
            m_owner, AppIdentity::windowCaption(),
            UiTexts::badTrimCount(QString::fromStdString(report.failure.path),
                                  QString::number(report.failure.path == "DEL_UP"
                                                      ? m_request.merge.delUp
                                                      : m_request.merge.delBtm)),
            Platform::Icon::Warning);
        return;
    case MergeReport::Status::OutputFolderFailed:
        text = tr("출력 폴더를 만들 수 없습니다.");
        break;
    case MergeReport::Status::OutputFailed:
        text = tr("출력 파일을 쓸 수 없습니다.");
        break;
    case MergeReport::Status::InputFailed:
        text = tr("파일을 읽다가 오류가 났습니다. 출력 파일은 바뀌지 않았습니다.");
        break;
    case MergeReport::Status::InputChanged:
        text = UiTexts::inputChanged();
        break;
    case MergeReport::Status::Written:
    case MergeReport::Status::NothingCopied:
    case MergeReport::Status::Planned:
    case MergeReport::Status::NotApproved:
        return;
    }
    Platform::instance().showMessage(m_owner, AppIdentity::windowCaption(),
                                     text + u"\n"_s + problemText(report.failure),
                                     Platform::Icon::Warning);
}

void ConvertCommand::reportLeftOutFiles(const MergeReport& report)
{
    Platform& platform = Platform::instance();
    if (const std::vector<std::string> shortFiles = report.shortFiles(); !shortFiles.empty()) {
        QStringList names;
        for (const std::string& file : shortFiles) {
            const SplitPathResult parts = SplitPath(file);
            names.append(QString::fromStdString(parts.name + parts.extension));
        }
        QString text = tr("삭제할 라인의 개수가 파일내용의 라인개수 보다 많습니다 - ");
        for (const QString& name : names.first(std::min<qsizetype>(names.size(), kListedFiles)))
            text += u' ' + name;
        // A message as tall as the list of a large job would put its OK out of reach.
        if (names.size() > kListedFiles)
            text += u' ' + UiTexts::andMore(int(names.size() - kListedFiles));
        platform.showMessage(m_owner, AppIdentity::windowCaption(), text, Platform::Icon::None,
                             names.size() > kListedFiles ? names.join(u'\n') : QString());
    }
    if (const std::vector<FileProblem> unreadable = report.unreadableFiles(); !unreadable.empty()) {
        QStringList problems;
        for (const FileProblem& problem : unreadable)
            problems.append(problemText(problem));
        QString text = tr("다음 파일을 읽을 수 없어 변환에서 뺐습니다.");
        for (const QString& problem :
             problems.first(std::min<qsizetype>(problems.size(), kListedProblems)))
            text += u"\n\n"_s + problem;
        if (problems.size() > kListedProblems)
            text += u"\n\n"_s + UiTexts::andMore(int(problems.size() - kListedProblems));
        platform.showMessage(m_owner, AppIdentity::windowCaption(), text, Platform::Icon::Warning,
                             problems.size() > kListedProblems ? problems.join(u"\n\n"_s)
                                                               : QString());
    }
}

void ConvertCommand::openInEditor()
{
    const QString editor = m_request.editor;
    if (editor.isEmpty())
        return;
    // The editor reports back later: the window may be gone by then.
    QPointer<QWidget> owner = m_owner;
    Platform::instance().startProgram(
        editor, displayPath(m_request.output), [owner, editor](bool started) {
            if (owner && !started)
                Platform::instance().showMessage(
                    owner, AppIdentity::windowCaption(),
                    tr("%1 프로그램을 시작할 수 없습니다.").arg(editor), Platform::Icon::Warning);
        });
}
