#pragma once

// A merge ordered by tool: planned from a first reading of its inputs, written and proved from
// a second.

#include "NcMerge.h"
#include "OrderPlanning.h"
#include "OutputSink.h"
#include "ProgramReplay.h"
#include "core/plate/OrderedJobWriter.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

// Orders a merge by tool without holding its programs: the first reading is the merge's plan,
// which gives each written line to the order's plan and keeps only its segments; the second
// reads each input's kept lines again as its segments come due and writes them with their
// restart blocks, the proof reading every line as it goes. Where the given order is kept, the
// second reading is the merge itself. Nothing is committed before the proof and the record are
// done and approved.
class OrderedMerge : private ProgramLines
{
public:
    OrderedMerge(const MergeRequest& request, OutputSink* sink);

    MergeReport run();

private:
    MergeReport keepGivenOrder(const MergeReport& planned);
    void writeOrdered(const OrderPlanning& planning);
    bool openAgain(const OrderPlanning& planning);
    bool provedSame(const OrderPlanning& planning);
    void commit();
    bool take(std::size_t program, std::size_t to, const OnLine& onLine) override;
    bool inputChanged(std::size_t input, FileError error);
    bool failed(std::size_t input, FileError error);
    bool fail(MergeReport::Status status, const std::string& path, FileError error = {});
    // The progress of the first and the second reading, each half of the whole.
    MergeProgress progress(bool second);

    const MergeRequest& m_request;
    OutputSink* m_sink;
    MergeReport m_report;
    std::deque<ProgramReplay> m_replays; // by program
    std::vector<char> m_buffer;          // the replays read through
    const std::uint64_t m_total;         // bytes of all inputs
    std::uint64_t m_secondDone = 0;
    bool m_failed = false;
};
