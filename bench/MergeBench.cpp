// Merge throughput, measured in one run against plain copies of the same bytes and against a
// straight port of the original three-pass merge. Targets: at most 1.3 times the plain copy on
// 3 x 100 MB, at least 5 times faster than the original, a peak of at most 8 MiB at every size
// and file count, and 50 files of 100 KB in at most 1.5 times a plain copy process.
// CORVANE_BENCH_MB sets the size of each large input (100 by default).

#include "core/AtomicFileWriter.h"
#include "core/GatheredWrite.h"
#include "core/NcMerge.h"
#include "core/OutputSink.h"

#include <benchmark/benchmark.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <psapi.h> // needs windows.h first
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kDelUp = 5;
constexpr int kDelBtm = 3;

struct Inputs
{
    fs::path folder;
    std::vector<std::string> files;
    std::uintmax_t bytes = 0;
};

Inputs g_large;
Inputs g_small;

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

Inputs makeInputs(const fs::path& folder, int count, std::uintmax_t bytesEach)
{
    Inputs inputs{folder, {}, 0};
    fs::create_directories(folder);
    for (int i = 0; i < count; ++i) {
        const fs::path file = folder / ("program" + std::to_string(i) + ".nc");
        generateProgram(file, bytesEach, i);
        inputs.files.push_back(file.string());
        inputs.bytes += fs::file_size(file);
    }
    return inputs;
}

// An output written as it comes, as the program writes its own but without the sync and the
// rename: what is left to compare is the work of reading and joining.
class PlainFileSink : public OutputSink
{
public:
    explicit PlainFileSink(const fs::path& path)
#ifdef _WIN32
        : m_descriptor(_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY,
                              _S_IREAD | _S_IWRITE))
    {}
    ~PlainFileSink() override
    {
        _close(m_descriptor);
    }
#else
        : m_descriptor(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644))
    {}
    ~PlainFileSink() override
    {
        ::close(m_descriptor);
    }
#endif
    void write(std::string_view bytes) override
    {
        write({&bytes, 1});
    }
    void write(std::span<const std::string_view> pieces) override
    {
        if (!writeGathered(m_descriptor, pieces))
            m_error = "write error";
    }
    bool commit() override
    {
        return m_error.empty();
    }
    const std::string& error() const override
    {
        return m_error;
    }

private:
    int m_descriptor;
    std::string m_error;
};

void plainCopy(const Inputs& inputs, OutputSink& out)
{
    std::vector<char> buffer(std::size_t(1) << 20);
    for (const std::string& file : inputs.files) {
        std::ifstream in(file, std::ios::binary);
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount())
            out.write({buffer.data(), static_cast<std::size_t>(in.gcount())});
    }
    if (!out.commit())
        std::abort();
}

// The original merge as it was written: every file counted twice and copied once, a line at a
// time through 260 bytes.
bool isBlank(const char* line)
{
    return line[0] == '\0' || std::strcmp(line, "\n") == 0 || std::strcmp(line, "\r\n") == 0;
}

long countContentLines(std::FILE* file)
{
    char line[260];
    long count = 0;
    while (std::fgets(line, sizeof line, file))
        count += isBlank(line) ? 0 : 1;
    return count;
}

void writeAsText(const char* line, std::FILE* out)
{
    std::size_t length = std::strlen(line);
    const bool ended = length > 0 && line[length - 1] == '\n';
    length -= ended ? 1 : 0;
    length -= ended && length > 0 && line[length - 1] == '\r' ? 1 : 0;
    std::fwrite(line, 1, length, out);
    if (ended)
        std::fputs("\r\n", out);
}

void originalMerge(const Inputs& inputs, const fs::path& output)
{
    std::FILE* out = std::fopen(output.string().c_str(), "wb");
    const int count = static_cast<int>(inputs.files.size());
    int first = -1;
    int last = -1;
    for (int i = 0; i < count; ++i) {
        std::FILE* file = std::fopen(inputs.files[i].c_str(), "rb");
        if (!file)
            continue;
        if (countContentLines(file) > kDelUp + kDelBtm) {
            first = first < 0 ? i : first;
            last = i;
        }
        std::fclose(file);
    }
    for (int i = 0; i < count; ++i) {
        std::FILE* file = std::fopen(inputs.files[i].c_str(), "rb");
        if (!file)
            continue;
        const long lines = countContentLines(file);
        if (lines <= kDelUp + kDelBtm) {
            std::fclose(file);
            continue;
        }
        std::rewind(file);
        long remaining = lines;
        long taken = 0;
        char line[260];
        while (true) {
            line[0] = '\0';
            if (!std::fgets(line, sizeof line, file))
                break;
            if ((i != first && taken < kDelUp) || (i != last && remaining <= kDelBtm)) {
                --remaining;
                ++taken;
            } else if (!isBlank(line)) {
                writeAsText(line, out);
                --remaining;
                ++taken;
            }
        }
        std::fclose(file);
    }
    std::fclose(out);
}

// Each timed run gets a fresh output: replacing a large file adds kernel work that varies more
// than what is measured.
template <typename Run> void timeRuns(benchmark::State& state, const Inputs& inputs, Run run)
{
    const fs::path output = inputs.folder / "out.nc";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(output);
        state.ResumeTiming();
        run(output);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inputs.bytes));
}

void mergeInto(const Inputs& inputs, OutputSink& sink)
{
    const MergeReport report = MergeNcFiles(
        MergeRequest{.inputs = inputs.files, .delUp = kDelUp, .delBtm = kDelBtm}, sink);
    if (report.status != MergeReport::Status::Written)
        std::abort();
}

void BM_SyncedCopy(benchmark::State& state)
{
    timeRuns(state, g_large, [](const fs::path& output) {
        AtomicFileWriter out(output);
        if (!out.open())
            std::abort();
        plainCopy(g_large, out);
    });
}

void BM_SyncedMerge(benchmark::State& state)
{
    timeRuns(state, g_large, [](const fs::path& output) {
        if (MergeNcFiles(g_large.files, output.string(), kDelUp, kDelBtm).status !=
            MergeReport::Status::Written)
            std::abort();
    });
}

void BM_PlainCopy(benchmark::State& state)
{
    timeRuns(state, g_large, [](const fs::path& output) {
        PlainFileSink out(output);
        plainCopy(g_large, out);
    });
}

void BM_Merge(benchmark::State& state)
{
    timeRuns(state, g_large, [](const fs::path& output) {
        PlainFileSink out(output);
        mergeInto(g_large, out);
    });
}

void BM_OriginalMerge(benchmark::State& state)
{
    timeRuns(state, g_large, [](const fs::path& output) { originalMerge(g_large, output); });
}

#ifndef _WIN32
// Runs a program with arguments, its standard output into output.
void runProcess(const std::vector<std::string>& arguments, const fs::path& output)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::abort();
}

void BM_CopyProcess(benchmark::State& state)
{
    timeRuns(state, g_small, [](const fs::path& output) {
        std::vector<std::string> arguments = {"/bin/cat"};
        arguments.insert(arguments.end(), g_small.files.begin(), g_small.files.end());
        runProcess(arguments, output);
    });
}

void BM_MergeProcess(benchmark::State& state)
{
    timeRuns(state, g_small, [](const fs::path& output) {
        std::vector<std::string> arguments = {
            CORVANE_MERGE_PATH, "--top", "5", "--bottom", "3", "-o", "-"};
        arguments.insert(arguments.end(), g_small.files.begin(), g_small.files.end());
        runProcess(arguments, output);
    });
}
#endif

// Each case runs several times and the medians are compared: disk write-back makes single
// runs noisy.
constexpr int kRepetitions = 7;

void registerBenchmark(const char* name, void (*function)(benchmark::State&))
{
    benchmark::RegisterBenchmark(name, function)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(1)
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

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

long statusKiB(const char* field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with(field))
            return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
    return 0;
}

// How far the resident memory of this process rises above where it was while run runs, and
// the peak itself. On Linux the peak is reset first; elsewhere it is the peak so far.
template <typename Run> std::pair<long, long> memoryKiB(Run run)
{
#ifdef _WIN32
    run();
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    const long peak = static_cast<long>(counters.PeakWorkingSetSize / 1024);
    return {peak, peak};
#else
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = statusKiB("VmRSS:");
    run();
    const long peak = statusKiB("VmHWM:");
    return {peak - before, peak};
#endif
}

void printRatio(RecordingReporter& reporter, const char* what, const char* slower,
                const char* faster, const char* target)
{
    const double a = reporter.medians[slower];
    const double b = reporter.medians[faster];
    if (a > 0 && b > 0)
        std::printf("%-44s %6.2f  (%s)\n", what, a / b, target);
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const char* sizeText = std::getenv("CORVANE_BENCH_MB");
    const std::uintmax_t megabytes = sizeText ? std::strtoull(sizeText, nullptr, 10) : 100;
    const fs::path folder = fs::temp_directory_path() / "corvane-bench";

    std::printf("Generating 3 programs of %ju MB and 50 of 100 KB...\n", megabytes);
    std::printf("resident memory before: %ld KiB\n", statusKiB("VmRSS:"));
    const Inputs tiny = makeInputs(folder / "tiny", 3, std::uintmax_t(1) << 20);
    g_large = makeInputs(folder / "large", 3, megabytes << 20);
    g_small = makeInputs(folder / "small", 50, 100 << 10);
    // The peak is the whole process's, with the benchmark library and the input lists: the
    // rise is the merge's own, which must not grow with the size or number of its inputs.
    std::map<std::string, std::pair<long, long>> memory;
    for (const auto& [name, inputs] :
         {std::pair{"3 x 1 MB", &tiny}, {"3 large", &g_large}, {"50 x 100 KB", &g_small}})
        memory[name] = memoryKiB([&inputs] {
            if (MergeNcFiles(inputs->files, (inputs->folder / "out.nc").string(), kDelUp, kDelBtm)
                    .status != MergeReport::Status::Written)
                std::abort();
        });

    registerBenchmark("BM_SyncedCopy", BM_SyncedCopy);
    registerBenchmark("BM_SyncedMerge", BM_SyncedMerge);
    registerBenchmark("BM_PlainCopy", BM_PlainCopy);
    registerBenchmark("BM_Merge", BM_Merge);
    registerBenchmark("BM_OriginalMerge", BM_OriginalMerge);
#ifndef _WIN32
    registerBenchmark("BM_CopyProcess", BM_CopyProcess);
    registerBenchmark("BM_MergeProcess", BM_MergeProcess);
#endif
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    fs::remove_all(folder);

    std::printf("\nmedians, in one run:\n");
    printRatio(reporter, "merge / copy, synced output, 3 large", "BM_SyncedMerge", "BM_SyncedCopy",
               "target: at most 1.30");
    printRatio(reporter, "merge / copy, unsynced output, 3 large", "BM_Merge", "BM_PlainCopy",
               "target: at most 1.30");
    printRatio(reporter, "original / merge, unsynced output, 3 large", "BM_OriginalMerge",
               "BM_Merge", "target: at least 5");
    printRatio(reporter, "merge process / cat process, 50 x 100 KB", "BM_MergeProcess",
               "BM_CopyProcess", "target: at most 1.50");
    for (const auto& [name, kib] : memory)
        std::printf("resident memory of a merge of %-12s rises by %5ld KiB to a peak of %5ld KiB "
                    "(target: at most 8192)\n",
                    name.c_str(), kib.first, kib.second);
    benchmark::Shutdown();
    return 0;
}
