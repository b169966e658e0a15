// The NC reader alone, on the lines of a cutting program: every line read word by word, with
// words and axis words kept as the tool checks and the order read them, and with neither; and
// the same lines followed by the modal state. Throughput in bytes per second of line text.

#include "core/nc/ModalState.h"
#include "core/nc/NcLineReader.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// Lines as a CAM post writes them: moves with three axes and a feed now and then, an arc, a
// cycle, a comment.
std::vector<std::string> programLines()
{
    std::vector<std::string> lines;
    for (std::uint64_t n = 1; lines.size() < 20000; ++n) {
        const std::string x = std::to_string((n * 37) % 50000 / 100.0);
        const std::string y = std::to_string((n * 91) % 30000 / 100.0);
        switch (n % 10) {
        case 0:
            lines.push_back("G02 X" + x + " Y" + y + " I1.5 J-2.25");
            break;
        case 5:
            lines.push_back("(PASS " + std::to_string(n) + ")");
            break;
        case 7:
            lines.push_back("G01 X" + x + " Y" + y + " Z-1.25 F1200.");
            break;
        default:
            lines.push_back("X" + x + " Y" + y);
        }
    }
    return lines;
}

void readLines(benchmark::State& state, bool words, bool modal)
{
    const std::vector<std::string> lines = programLines();
    std::int64_t bytes = 0;
    for (const std::string& line : lines)
        bytes += std::int64_t(line.size());
    NcLineReader reader(NcLineReader::Dialect::Iso);
    reader.keepWords(words);
    reader.keepAxisWords(words);
    ModalTracker tracker;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            const NcLineFacts facts = reader.read(line);
            if (modal)
                benchmark::DoNotOptimize(tracker.read(line, facts));
            benchmark::DoNotOptimize(facts.facts);
        }
    }
    state.SetBytesProcessed(state.iterations() * bytes);
}

void facts(benchmark::State& state)
{
    readLines(state, false, false);
}
void words(benchmark::State& state)
{
    readLines(state, true, false);
}
void wordsAndModalState(benchmark::State& state)
{
    readLines(state, true, true);
}

BENCHMARK(facts);
BENCHMARK(words);
BENCHMARK(wordsAndModalState);

} // namespace

BENCHMARK_MAIN();
