#include "ConvertCommand.h"

#include "MergeProgressDialog.h"
#include "core/JobState.h"
#include "core/NcMerge.h"
#include "core/OutputPath.h"
#include "core/Settings.h"
#include "core/SplitPath.h"
#include "core/Utf8Path.h"
#include "desktop/AppIdentity.h"
#include "desktop/PathText.h"
#include "desktop/Platform.h"
#include "desktop/UiTexts.h"

#include <QWidget>

#include <filesystem>

using namespace Qt::StringLiterals;

namespace {

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
    request.folder = QString::fromStdString(settings.OUTPATH);
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

void ConvertCommand::MergeJobFiles(QWidget* owner)
{
    if (m_state.m_JobFiles.count() < 1)
        return;
    const CSettings& settings = GetSettings();
    const std::string path = outputPath();
    MergeReport report;
    {
        MergeProgressDialog progress(owner);
        const MergeRequest request{
            .inputs = m_state.m_JobFiles.files(),
            .delUp = settings.DEL_UP,
            .delBtm = settings.DEL_BTM,
            .progress = [&progress](std::uint64_t done, std::uint64_t total) {
                return progress.update(done, total);
            }};
        report = MergeNcFiles(request, path);
    }

    if (report.status == MergeReport::Status::Cancelled) {
        Platform::instance().showMessage(owner, AppIdentity::windowCaption(), u"cancelled"_s,
                                         Platform::Icon::None);
        return;
    }
    if (report.status != MergeReport::Status::Written) {
        reportFailure(owner, report);
        return;
    }
    reportLeftOutFiles(owner, report);
    if (report.copiedFiles() == 0)
        return;
    Platform::instance().showMessage(owner, AppIdentity::windowCaption(),
                                     u"변환이 완료되었습니다."_s, Platform::Icon::None);
    openInEditor(owner, path);
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
    case MergeReport::Status::Planned:
    case MergeReport::Status::Cancelled:
        return;
    }
    Platform::instance().showMessage(owner, AppIdentity::windowCaption(),
                                     text + u"\n"_s + problemText(report.failure),
                                     Platform::Icon::Warning);
}

void ConvertCommand::reportLeftOutFiles(QWidget* owner, const MergeReport& report)
{
    if (const std::vector<std::string> shortFiles = report.shortFiles(); !shortFiles.empty()) {
        QString text = u"삭제할 라인의 개수가 파일내용의 라인개수 보다 많습니다 - "_s;
        for (const std::string& file : shortFiles) {
            const SplitPathResult parts = SplitPath(file);
            text += u' ' + QString::fromStdString(parts.name + parts.extension);
        }
        Platform::instance().showMessage(owner, AppIdentity::windowCaption(), text,
                                         Platform::Icon::None);
    }
    if (const std::vector<FileProblem> unreadable = report.unreadableFiles(); !unreadable.empty()) {
        QString text = u"다음 파일을 읽을 수 없어 변환에서 뺐습니다."_s;
        for (const FileProblem& problem : unreadable)
            text += u"\n\n"_s + problemText(problem);
        Platform::instance().showMessage(owner, AppIdentity::windowCaption(), text,
                                         Platform::Icon::Warning);
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
