#pragma once

// The merge's engine: the run that takes each input through the pipeline's stages.

#include "BlockReader.h"
#include "BlockWriter.h"
#include "InputCut.h"
#include "InputProof.h"
#include "InputRecorder.h"
#include "NcMerge.h"
#include "OrderPlanning.h"

#include <cstdint>
#include <optional>
#include <string_view>

class LineCopy;

// One merge or plan, input by input: finds the inputs long enough for the cuts, copies each
// through the pipeline (its blocks read, the cut, the line stages, the record, the writer),
// proves every input unchanged, and commits the output only when all went well.
class MergeRun
{
public:
    // planning: of a merge ordered by tool, the plan its inputs' written lines go to.
    MergeRun(const MergeRequest& request, OutputSink* sink, OrderPlanning* planning = nullptr);
    MergeRun(const MergeRun&) = delete;
    MergeRun& operator=(const MergeRun&) = delete;

    MergeReport run();

    // From this much input on, a thread of its own writes while the next block is read: for
    // less, handing blocks between threads costs more than it saves.
    static constexpr std::uint64_t kThreadedBytes = std::uint64_t(16) << 20;
    // The output is written in blocks of at least this much, however small the reads.
    static constexpr std::size_t kMinOutputBlock = std::size_t(64) << 10;
    // The bytes of the request's inputs, as their sizes now say.
    static std::uint64_t inputBytes(const MergeRequest& request);

private:
    // An eligible input, open, with where its top cut ends.
    struct Candidate
    {
        std::size_t index = 0;
        InputRecorder recorder;
        InputFile file{};
        InputHead head{};
        NcLineReader reader{};
    };

    bool countsValid();
    void startOutput();
    const InputRecord* copyAll(std::optional<Candidate> current);
    void finishOutput();
    std::optional<Candidate> findEligible(std::size_t from, bool first);
    bool open(std::size_t index, InputFile& file);
    bool openedAsPlanned(std::size_t index, InputFile::OpenResult result);
    bool scanHead(Candidate& candidate, bool cutTop);
    bool copy(Candidate& candidate, bool cutTop, bool cutBottom);
    bool copyRegion(Candidate& candidate, LineCopy& lines, std::uint64_t begin, std::uint64_t end);
    bool recordBottomCut(Candidate& candidate, std::uint64_t start, std::int64_t& lineNumber);
    bool recordLastKept(Candidate& candidate);
    bool provedUnchanged(Candidate& candidate, bool mayDefer = false);
    bool inputChanged(std::size_t index);
    bool readFailed(std::size_t index, InputFile& file, BlockReader::Result read);
    bool fail(MergeReport::Status status, const std::string& path, FileError error = {});
    bool reportProgress(std::uint64_t bytes);
    void write(std::string_view bytes)
    {
        if (m_writer)
            m_writer->add(bytes);
    }

    const MergeRequest& m_request;
    OutputSink* m_sink;
    OrderPlanning* m_planning;
    BlockReader m_reader;
    InputCut m_cut;
    std::optional<BlockWriter> m_writer;
    InputProof m_proof; // its thread ends before the writer's
    std::uint64_t m_totalBytes = 0;
    std::uint64_t m_doneBytes = 0;
    bool m_failed = false;
    MergeReport m_report;
};
