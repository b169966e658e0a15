#pragma once

// The first reading of a merge ordered by tool: each input's written lines passed to the plan,
// and what it takes to read them again.

#include "NcMerge.h"
#include "core/nc/LineStage.h"
#include "core/nc/NcLineReader.h"
#include "core/plate/OrderPlanner.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// Where an input's kept lines lie: bytes [begin, end), after line lineBefore of the input.
struct KeptRegion
{
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
    std::int64_t lineBefore = 0;
};

// One program of the plan as its input's copy wrote it: enough to write its lines again and to
// know them for the same.
struct PlannedInput
{
    std::size_t input = 0;
    NcLineReader::Dialect dialect = NcLineReader::Dialect::Undecided; // as its copy began
    KeptRegion region;
    // Lines too long for a block, written as they streamed in: never rewritten.
    std::vector<std::int64_t> streamed;
    std::uint64_t digest = 0; // of its written lines
};

// Folds a written line into the digest of a program's lines.
std::uint64_t withLine(std::uint64_t digest, std::string_view line);

// Plans a merge's order by tool while the merge copies its inputs, holding their segments and
// where their lines lie, never the lines.
class OrderPlanning
{
public:
    explicit OrderPlanning(const MergeRequest& request) : m_request(request) {}

    // The stage that gives the plan an input's lines as the merge writes them, last of its
    // stages; none for an input the order cannot run, which keeps the given order.
    LineStage* begin(std::size_t input, NcLineReader::Dialect dialect);
    // After the input's copy: where its kept lines lie; last: the job's last input.
    void end(const KeptRegion& region, bool last);

    // Plans the order of what the merge copied, as its report has it: the given order is kept
    // for a Heidenhain program or an input without a cell, else as the planner finds.
    JobOrder plan(const MergeReport& report);

    const OrderPlanner& planner() const { return m_planner; }
    const PlannedInput& planned(std::size_t program) const { return m_planned[program]; }

private:
    // Passes each written line to the planner, a line put before it first.
    class Feed : public LineStage
    {
    public:
        Feed(OrderPlanner& planner, PlannedInput& planned) : m_planner(planner), m_planned(planned)
        {}

        // Until the job keeps its given order: then its lines are no longer wanted.
        bool readsEveryLine() const override { return !m_refused; }
        void pass(const WayLine& line, LineRewrite& rewrite) override;
        void streamed(const WayLine& line, bool whole) override;

    private:
        void add(std::string_view text, std::int64_t number);

        OrderPlanner& m_planner;
        PlannedInput& m_planned;
        bool m_refused = false;
    };

    const MergeRequest& m_request;
    OrderPlanner m_planner;
    std::deque<PlannedInput> m_planned;
    std::optional<Feed> m_feed; // of the input being copied
};
