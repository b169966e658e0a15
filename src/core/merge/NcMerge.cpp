// The merge's entry points and what its report tells of the inputs.

#include "NcMerge.h"

#include "AtomicFileWriter.h"
#include "MergeRun.h"
#include "OrderedMerge.h"
#include "core/os/Utf8Path.h"

#include <algorithm>

using Outcome = InputRecord::Outcome;
using Status = MergeReport::Status;

int MergeReport::copiedFiles() const
{
    return static_cast<int>(std::count_if(inputs.begin(), inputs.end(), [](const InputRecord& in) {
        return in.outcome == Outcome::Copied;
    }));
}

std::vector<std::string> MergeReport::shortFiles() const
{
    std::vector<std::string> files;
    for (const InputRecord& input : inputs)
        if (input.outcome == Outcome::Short)
            files.push_back(input.path);
    return files;
}

std::vector<FileProblem> MergeReport::unreadableFiles() const
{
    std::vector<FileProblem> files;
    for (const InputRecord& input : inputs)
        if (input.outcome == Outcome::Unreadable || input.outcome == Outcome::NotRegularFile)
            files.push_back({input.path, input.error});
    return files;
}

MergeReport PlanNcMerge(const MergeRequest& request)
{
    return request.orderByTool ? OrderedMerge(request, nullptr).run()
                               : MergeRun(request, nullptr).run();
}

MergeReport MergeNcFiles(const MergeRequest& request, OutputSink& sink)
{
    return request.orderByTool ? OrderedMerge(request, &sink).run()
                               : MergeRun(request, &sink).run();
}

MergeReport MergeNcFiles(const MergeRequest& request, const std::string& outputPath)
{
    MergeReport report;
    const std::filesystem::path target = pathFromUtf8(outputPath);
    const std::filesystem::path folder = target.parent_path();
    std::error_code ec;
    bool folderMade = false;
    if (!folder.empty() && !std::filesystem::exists(folder, ec)) {
        std::filesystem::create_directory(folder, ec);
        if (ec) {
            report.status = Status::OutputFolderFailed;
            report.failure = {utf8FromPath(folder), {FileError::Cause::System, ec}};
            return report;
        }
        folderMade = true;
    }
    {
        AtomicFileWriter output(target);
        if (!output.open()) {
            report.status = Status::OutputFailed;
            report.failure = {outputPath, output.error()};
        } else {
            report = MergeNcFiles(request, output);
            if (report.status == Status::OutputFailed)
                report.failure.path = outputPath;
        }
    }
    if (folderMade && report.status != Status::Written)
        std::filesystem::remove(folder, ec); // only while empty: nothing of ours is left in it
    return report;
}

MergeReport MergeNcFiles(const std::vector<std::string>& inputs, const std::string& outputPath,
                         int delUp, int delBtm, const MergeProgress& progress)
{
    return MergeNcFiles(
        MergeRequest{.inputs = inputs, .delUp = delUp, .delBtm = delBtm, .progress = progress},
        outputPath);
}
