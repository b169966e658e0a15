#include "ConvertCommand.h"

#include "BackgroundMerge.h"
#include "MergePreviewDialog.h"
#include "core/JobState.h"
#include "core/NcMerge.h"
#include "core/OutputPath.h"
#include "core/SeamCheck.h"
#include "core/Settings.h"
#include "core/SplitPath.h"
#include "core/Utf8Path.h"
#include "desktop/AppIdentity.h"
#include "desktop/PathText.h"
#include "desktop/Platform.h"
#include "desktop/UiTexts.h"

#include <QScopeGuard>
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
    return displayPath(problem.path) + u"\n"_s + QString::fromStdString(problem.reason);
}

} // namespace

ConvertCommand::ConvertCommand(JobState& state, QWidget* owner)
    : QObject(owner), m_state(state), m_owner(owner)
{}

void ConvertCommand::OnConvert()
{
    if (m_state.m_JobFiles.count() < 1)
        return;
    CSettings& settings = GetSettings();
    Platform::SaveFileRequest request;
    // A first conversion starts in the folder that "Output 경로 설정" chose.
    request.folder =
        QString::fromStdString(settings.OUTPATH.empty() ? settings.FolderPath : settings.OUTPATH);
    request.filters = QStringList{u"현재파일 형식 (*.*)"_s, u"모든파일(*.*)"_s};
    const auto choice = Platform::instance().getSaveFileName(m_owner, request);
    if (!choice)
        return;

    const std::string chosenPath = corePath(choice->path);
    const SplitPathResult parts = SplitPath(chosenPath);
    settings.OUTFILE = parts.name;
    settings.OUTPATH = parts.folder;
    settings.m_strCustomExt = parts.extension;
    if (choice->filterIndex == CurrentFileTypeFilter)
        settings.m_nOutputType = 5;
    else if (choice->filterIndex == AllFilesFilter)
        settings.m_nOutputType = 6;

    if (!confirmReplacing(outputPath(), chosenPath))
        return;
    MergeJobFiles(m_owner);
}

// Plans the merge, shows what it will cut, and writes it once the operator agrees; both runs go
// on a thread of their own.
void ConvertCommand::MergeJobFiles(QWidget* owner)
{
    if (m_running || m_state.m_JobFiles.count() < 1)
        return;
    // The window stays live while the merge runs: a second Convert waits for the first.
    m_running = true;
    const auto done = qScopeGuard([this] { m_running = false; });
    CSettings& settings = GetSettings();
    const std::string path = outputPath();
    MergeRequest request{.inputs = m_state.m_JobFiles.files(),
                         .delUp = settings.DEL_UP,
                         .delBtm = settings.DEL_BTM,
                         .noteKept = kCheckedWhenKept,
                         .percentLines = settings.PER_STR != 0};
    const MergeReport plan = BackgroundMerge::run(owner, [&request](const MergeProgress& progress) {
        MergeRequest planning = request;
        planning.progress = progress;
        return PlanNcMerge(planning);
    });
    if (!plan.succeeded()) {
        reportFailure(owner, plan);
        return;
    }
    if (!confirmPreview(owner, plan))
        return;

    request.plan = &plan;
    const MergeReport report =
        BackgroundMerge::run(owner, [&request, &path](const MergeProgress& progress) {
            MergeRequest writing = request;
            writing.progress = progress;
            return MergeNcFiles(writing, path);
        });
    if (report.status == MergeReport::Status::InputChanged) {
        // What the preview showed is no longer what would be written.
        Platform::instance().showMessage(owner, AppIdentity::windowCaption(),
                                         UiTexts::inputChangedSincePreview() + u"\n"_s +
                                             problemText(report.failure),
                                         Platform::Icon::Warning);
        return;
    }
    if (!report.succeeded()) {
        reportFailure(owner, report);
        return;
    }
    reportLeftOutFiles(owner, report);
    if (report.copiedFiles() == 0)
        return;
    Platform::instance().showMessage(owner, AppIdentity::windowCaption(),
                                     u"변환이 완료되었습니다."_s, Platform::Icon::None);
    openInEditor(owner, path);
    if (settings.Open_Window != 0)
        Platform::instance().openFolder(displayPath(SplitPath(path).folder));
}

// Shows the preview of a plan; true when the operator wants it written. A plan without
// findings goes through unseen when the operator chose so.
bool ConvertCommand::confirmPreview(QWidget* owner, const MergeReport& plan)
{
    CSettings& settings = GetSettings();
    const std::vector<SeamFinding> findings = CheckSeams(plan);
    if (findings.empty() && settings.SkipCleanPreview != 0)
        return true;
    const auto errors = std::count_if(findings.begin(), findings.end(), [](const SeamFinding& f) {
        return f.severity == SeamFinding::Severity::Error;
    });
    // No to writing with errors goes back to the preview, where the operator may cancel.
    for (;;) {
        MergePreviewDialog preview(plan, findings, owner);
        if (Platform::instance().runDialog(preview) != QDialog::Accepted)
            return false;
        if (preview.skipWhenClean())
            settings.SkipCleanPreview = 1;
        if (errors == 0 ||
            Platform::instance().askYesNo(owner, AppIdentity::windowCaption(),
                                          UiTexts::confirmWritingWithErrors(int(errors))))
            return true;
    }
}

std::string ConvertCommand::outputPath() const
{
    const CSettings& settings = GetSettings();
    const std::string& firstJobFile = m_state.m_JobFiles.files().front();
    return outputFilePath(
        settings.OUTPATH, settings.OUTFILE,
        outputExtension(settings.m_nOutputType, firstJobFile, settings.m_strCustomExt));
}

// The save dialog asked about the path it returned; the extension rule may have led elsewhere.
bool ConvertCommand::confirmReplacing(const std::string& path, const std::string& confirmedPath)
{
    std::error_code ec;
    if (path == confirmedPath || !std::filesystem::exists(pathFromUtf8(path), ec))
        return true;
    return Platform::instance().askYesNo(m_owner, AppIdentity::windowCaption(),
                                         displayPath(path) +
                                             u"이(가) 이미 있습니다.\n바꾸시겠습니까?"_s);
}

void ConvertCommand::reportFailure(QWidget* owner, const MergeReport& report)
{
    QString text;
    switch (report.status) {
    case MergeReport::Status::Cancelled:
        Platform::instance().showMessage(owner, AppIdentity::windowCaption(), UiTexts::cancelled(),
                                         Platform::Icon::None);
        return;
    case MergeReport::Status::BadTrimCount:
        Platform::instance().showMessage(
            owner, AppIdentity::windowCaption(),
            UiTexts::badTrimCount(QString::fromStdString(report.failure.path),
                                  QString::fromStdString(report.failure.reason)),
            Platform::Icon::Warning);
        return;
    case MergeReport::Status::OutputFolderFailed:
        text = u"출력 폴더를 만들 수 없습니다."_s;
        break;
    case MergeReport::Status::OutputFailed:
        text = u"출력 파일을 쓸 수 없습니다."_s;
        break;
    case MergeReport::Status::InputFailed:
        text = u"파일을 읽다가 오류가 났습니다. 출력 파일은 바뀌지 않았습니다."_s;
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
    Platform::instance().showMessage(owner, AppIdentity::windowCaption(),
                                     text + u"\n"_s + problemText(report.failure),
                                     Platform::Icon::Warning);
}

void ConvertCommand::reportLeftOutFiles(QWidget* owner, const MergeReport& report)
{
    Platform& platform = Platform::instance();
    if (const std::vector<std::string> shortFiles = report.shortFiles(); !shortFiles.empty()) {
        QStringList names;
        for (const std::string& file : shortFiles) {
            const SplitPathResult parts = SplitPath(file);
            names.append(QString::fromStdString(parts.name + parts.extension));
        }
        QString text = u"삭제할 라인의 개수가 파일내용의 라인개수 보다 많습니다 - "_s;
        for (const QString& name : names.first(std::min<qsizetype>(names.size(), kListedFiles)))
            text += u' ' + name;
        // A message as tall as the list of a large job would put its OK out of reach.
        if (names.size() > kListedFiles)
            text += u' ' + UiTexts::andMore(int(names.size() - kListedFiles));
        platform.showMessage(owner, AppIdentity::windowCaption(), text, Platform::Icon::None,
                             names.size() > kListedFiles ? names.join(u'\n') : QString());
    }
    if (const std::vector<FileProblem> unreadable = report.unreadableFiles(); !unreadable.empty()) {
        QStringList problems;
        for (const FileProblem& problem : unreadable)
            problems.append(problemText(problem));
        QString text = u"다음 파일을 읽을 수 없어 변환에서 뺐습니다."_s;
        for (const QString& problem :
             problems.first(std::min<qsizetype>(problems.size(), kListedProblems)))
            text += u"\n\n"_s + problem;
        if (problems.size() > kListedProblems)
            text += u"\n\n"_s + UiTexts::andMore(int(problems.size() - kListedProblems));
        platform.showMessage(owner, AppIdentity::windowCaption(), text, Platform::Icon::Warning,
                             problems.size() > kListedProblems ? problems.join(u"\n\n"_s)
                                                               : QString());
    }
}

void ConvertCommand::openInEditor(QWidget* owner, const std::string& path)
{
    const QString editor = QString::fromStdString(GetSettings().EXECOMBO);
    if (editor.isEmpty())
        return;
    if (!Platform::instance().startProgram(editor, displayPath(path)))
        Platform::instance().showMessage(owner, AppIdentity::windowCaption(),
                                         editor + u" 프로그램을 시작할 수 없습니다."_s,
                                         Platform::Icon::Warning);
}
