// Merge throughput against a plain buffered copy of the same bytes, measured in one run.
// Target: the merge takes at most twice as long as the copy, and its peak memory does not grow
// with the size of the inputs. CORVANE_BENCH_MB sets the size of each of the three inputs
// (100 by default).

#include "core/AtomicFileWriter.h"
#include "core/NcMerge.h"

#include <benchmark/benchmark.h>

#ifdef _WIN32
#include <windows.h>

#include <psapi.h> // needs windows.h first
#else
#include <sys/resource.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Inputs
{
    fs::path folder;
    std::vector<std::string> files;
    std::uintmax_t bytes = 0;
};

Inputs g_inputs;

// A milling program of plausible lines, with CR LF line ends and the odd blank line.
void generateProgram(const fs::path& path, std::uintmax_t size, int seed)
{
    std::ofstream out(path, std::ios::binary);
    std::string line;
    out << "%\r\nO" << 1000 + seed << " (GENERATED)\r\nG90 G54 G17\r\nT1 M06\r\nS8000 M03\r\n";
    for (std::uintmax_t written = 0, n = 1; written < size; ++n) {
        line = "N" + std::to_string(n) + " G01 X" +
               std::to_string((n * 37 + seed) % 50000 / 100.0) + " Y" +
               std::to_string((n * 91) % 30000 / 100.0) + " Z-" + std::to_string(n % 700 / 100.0) +
               " F1200\r\n";
        if (n % 50 == 0)
            line += "\r\n";
        out << line;
        written += line.size();
    }
    out << "M05\r\nM30\r\n%\r\n";
}

Inputs makeInputs(const fs::path& folder, std::uintmax_t bytesEach)
{
    Inputs inputs{folder, {}, 0};
    fs::create_directories(folder);
    for (int i = 0; i < 3; ++i) {
        const fs::path file = folder / ("program" + std::to_string(i) + ".nc");
        generateProgram(file, bytesEach, i);
        inputs.files.push_back(file.string());
        inputs.bytes += fs::file_size(file);
    }
    return inputs;
}

// The same bytes through the same atomic output as the merge, so that the ratio measures the
// merge's own work and not how the file system treats a rename.
void plainCopy(const Inputs& inputs, const fs::path& output)
{
    std::vector<char> buffer(std::size_t(1) << 20);
    AtomicFileWriter out(output);
    if (!out.open())
        std::abort();
    for (const std::string& file : inputs.files) {
        std::ifstream in(file, std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount())
            out.write({buffer.data(), static_cast<std::size_t>(in.gcount())});
    }
    if (!out.commit())
        std::abort();
}

void BM_PlainCopy(benchmark::State& state)
{
    for (auto _ : state)
        plainCopy(g_inputs, g_inputs.folder / "copy.out");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_inputs.bytes));
}

void BM_Merge(benchmark::State& state)
{
    const std::string output = (g_inputs.folder / "merge.out").string();
    for (auto _ : state) {
        const MergeReport report = MergeNcFiles(g_inputs.files, output, 5, 3);
        if (report.status != MergeReport::Status::Written || report.copiedFiles != 3)
            state.SkipWithError("merge failed");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * g_inputs.bytes));
}

// Disk write-back makes single runs noisy: compare the medians of several.
constexpr int kRepetitions = 7;
BENCHMARK(BM_PlainCopy)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_Merge)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

// Keeps the median real time of each benchmark for the closing ratio.
class RecordingReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> medians;
};

long peakResidentKiB()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const char* sizeText = std::getenv("CORVANE_BENCH_MB");
    const std::uintmax_t megabytes = sizeText ? std::strtoull(sizeText, nullptr, 10) : 100;
    const fs::path folder = fs::temp_directory_path() / "corvane-bench";

    // A small merge first: the peak memory after it is the floor that a streaming merge of the
    // large inputs must not rise far above.
    const Inputs small = makeInputs(folder / "small", std::uintmax_t(1) << 20);
    MergeNcFiles(small.files, (small.folder / "merge.out").string(), 5, 3);
    const long smallPeak = peakResidentKiB();

    std::printf("Generating 3 programs of %ju MB...\n", megabytes);
    g_inputs = makeInputs(folder / "large", megabytes << 20);

    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const long largePeak = peakResidentKiB();
    fs::remove_all(folder);

    const double copy = reporter.medians["BM_PlainCopy"];
    const double merge = reporter.medians["BM_Merge"];
    if (copy > 0 && merge > 0)
        std::printf("median merge / median plain copy: %.2f (target: at most 2.00)\n",
                    merge / copy);
    std::printf("peak resident memory: %ld KiB after 3 x 1 MB, %ld KiB after 3 x %ju MB\n",
                smallPeak, largePeak, megabytes);
    benchmark::Shutdown();
    return 0;
}
