#pragma once

#include "core/nc/LineStage.h"

#include <cstdint>
#include <vector>

// Notes, for every line the merge writes of one input, the input line it is, and 0 for a line a
// stage put before one: order by tool finds each program's lines in the merged program by it.
// The last stage, so that it sees what every other one put before a line.
class WrittenLineNumbers : public LineStage
{
public:
    explicit WrittenLineNumbers(std::vector<std::int64_t>& numbers) : m_numbers(numbers) {}

    bool readsEveryLine() const override { return true; }
    void pass(const WayLine& line, LineRewrite& rewrite) override
    {
        if (!rewrite.inserted.empty())
            m_numbers.push_back(0);
        m_numbers.push_back(line.number);
    }
    void streamed(const WayLine& line, bool) override { m_numbers.push_back(line.number); }

private:
    std::vector<std::int64_t>& m_numbers;
};
