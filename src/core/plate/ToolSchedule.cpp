// The segments of a job scheduled in tool runs, searched for the fewest tool changes.

#include "ToolSchedule.h"

#include <algorithm>
#include <deque>
#include <map>

namespace {

// The tools of a chain of segments, a run of one tool counted once.
std::vector<std::int64_t> toolRuns(const std::vector<const Segment*>& chain)
{
    std::vector<std::int64_t> tools;
    for (const Segment* segment : chain)
        if (tools.empty() || tools.back() != segment->tool)
            tools.push_back(segment->tool);
    return tools;
}

// How far each distinct tool sequence has come, and the moves from there.
class SequenceSearch
{
public:
    explicit SequenceSearch(std::vector<std::vector<std::int64_t>> distinct)
        : m_distinct(std::move(distinct))
    {}

    const std::vector<std::vector<std::int64_t>>& distinct() const { return m_distinct; }
    // The tools the sequences run next, in the order of the sequences.
    std::vector<std::int64_t> nextTools(const std::vector<std::size_t>& at) const
    {
        std::vector<std::int64_t> tools;
        for (std::size_t c = 0; c < m_distinct.size(); ++c)
            if (at[c] < m_distinct[c].size() &&
                std::find(tools.begin(), tools.end(), m_distinct[c][at[c]]) == tools.end())
                tools.push_back(m_distinct[c][at[c]]);
        return tools;
    }
    std::vector<std::size_t> advance(std::vector<std::size_t> at, std::int64_t tool) const
    {
        for (std::size_t c = 0; c < m_distinct.size(); ++c)
            if (at[c] < m_distinct[c].size() && m_distinct[c][at[c]] == tool)
                ++at[c];
        return at;
    }
    // Each state as one mixed-radix number.
    std::uint64_t encode(const std::vector<std::size_t>& at) const
    {
        std::uint64_t key = 0;
        for (std::size_t c = 0; c < m_distinct.size(); ++c)
            key = key * (m_distinct[c].size() + 1) + at[c];
        return key;
    }

    std::vector<std::int64_t> fewestChanges() const;
    std::vector<std::int64_t>
    mostWaiting(const std::vector<std::vector<std::int64_t>>& chains) const;

private:
    std::vector<std::vector<std::int64_t>> m_distinct;
};

// A breadth-first search over the states.
std::vector<std::int64_t> SequenceSearch::fewestChanges() const
{
    // parent state and the tool that led here, by state
    std::map<std::uint64_t, std::pair<std::uint64_t, std::int64_t>> reached;
    std::deque<std::vector<std::size_t>> queue{std::vector<std::size_t>(m_distinct.size(), 0)};
    const std::uint64_t start = encode(queue.front());
    reached[start] = {start, 0};
    std::vector<std::size_t> done(m_distinct.size());
    for (std::size_t c = 0; c < m_distinct.size(); ++c)
        done[c] = m_distinct[c].size();
    const std::uint64_t goal = encode(done);
    while (!queue.empty() && !reached.count(goal)) {
        const std::vector<std::size_t> at = std::move(queue.front());
        queue.pop_front();
        const std::uint64_t key = encode(at);
        for (const std::int64_t tool : nextTools(at)) {
            std::vector<std::size_t> next = advance(at, tool);
            if (reached.emplace(encode(next), std::pair{key, tool}).second)
                queue.push_back(std::move(next));
        }
    }
    std::vector<std::int64_t> sequence;
    for (std::uint64_t key = goal; key != start; key = reached.at(key).first)
        sequence.push_back(reached.at(key).second);
    std::reverse(sequence.begin(), sequence.end());
    return sequence;
}

// The tool kept while any chain's next segment runs it, then the tool most chains run next
// (the earliest chain's among equals).
std::vector<std::int64_t>
SequenceSearch::mostWaiting(const std::vector<std::vector<std::int64_t>>& chains) const
{
    std::vector<std::size_t> at(m_distinct.size(), 0);
    std::vector<std::size_t> weight(m_distinct.size(), 0); // chains of each distinct sequence
    for (const std::vector<std::int64_t>& chain : chains)
        if (!chain.empty())
            ++weight[std::size_t(std::find(m_distinct.begin(), m_distinct.end(), chain) -
                                 m_distinct.begin())];
    std::vector<std::int64_t> sequence;
    for (std::vector<std::int64_t> tools = nextTools(at); !tools.empty(); tools = nextTools(at)) {
        std::int64_t chosen = tools.front();
        std::size_t most = 0;
        for (const std::int64_t tool : tools) {
            std::size_t waiting = 0;
            for (std::size_t c = 0; c < m_distinct.size(); ++c)
                waiting +=
                    at[c] < m_distinct[c].size() && m_distinct[c][at[c]] == tool ? weight[c] : 0;
            if (waiting > most) {
                most = waiting;
                chosen = tool;
            }
        }
        sequence.push_back(chosen);
        at = advance(at, chosen);
    }
    return sequence;
}

// The tools in the order they run, with the fewest changes the chains' orders allow: searched
// for where the states are few, else chosen a tool at a time.
std::vector<std::int64_t> toolSequence(const std::vector<std::vector<std::int64_t>>& chains)
{
    std::vector<std::vector<std::int64_t>> distinct;
    for (const std::vector<std::int64_t>& chain : chains)
        if (!chain.empty() && std::find(distinct.begin(), distinct.end(), chain) == distinct.end())
            distinct.push_back(chain);
    constexpr std::uint64_t kMaxStates = 200'000;
    std::uint64_t states = 1;
    for (const std::vector<std::int64_t>& chain : distinct)
        states = states > kMaxStates ? states : states * (chain.size() + 1);
    const SequenceSearch search(std::move(distinct));
    return states <= kMaxStates ? search.fewestChanges() : search.mostWaiting(chains);
}

} // namespace

std::vector<const Segment*> scheduleSegments(const std::vector<WorkOffset>& cells,
                                             const std::vector<SplitProgram>& splits,
                                             std::int64_t& least)
{
    std::vector<std::vector<const Segment*>> chains;
    std::vector<WorkOffset> chainCells;
    for (std::size_t p = 0; p < cells.size(); ++p) {
        const auto cell = std::find(chainCells.begin(), chainCells.end(), cells[p]);
        const std::size_t chain = std::size_t(cell - chainCells.begin());
        if (cell == chainCells.end()) {
            chainCells.push_back(cells[p]);
            chains.emplace_back();
        }
        for (const Segment& segment : splits[p].segments)
            chains[chain].push_back(&segment);
    }
    std::vector<std::vector<std::int64_t>> tools;
    std::vector<std::int64_t> distinctTools;
    least = 0;
    for (const std::vector<const Segment*>& chain : chains) {
        tools.push_back(toolRuns(chain));
        least = std::max(least, std::int64_t(tools.back().size()));
        for (const std::int64_t tool : tools.back())
            if (std::find(distinctTools.begin(), distinctTools.end(), tool) == distinctTools.end())
                distinctTools.push_back(tool);
    }
    least = std::max(least, std::int64_t(distinctTools.size()));
    std::vector<std::size_t> next(chains.size(), 0);
    std::vector<const Segment*> order;
    for (const std::int64_t tool : toolSequence(tools))
        for (std::size_t c = 0; c < chains.size(); ++c)
            while (next[c] < chains[c].size() && chains[c][next[c]]->tool == tool)
                order.push_back(chains[c][next[c]++]);
    return order;
}
