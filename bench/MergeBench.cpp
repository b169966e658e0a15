// The merge measured as operators and scripts run it, as processes, against copies of the same
// bytes that look at nothing, in one run: each pair of runs interleaved, every run with a fresh
// output, the medians compared.
//   merge to standard output (never synced) / plain copy        LF and CR LF programs, 3 x N MB
//   durable merge (-o FILE)                 / durable copy      LF and CR LF programs, 3 x N MB
//   a straight port of the original three-pass merge / the merge to standard output
//   durable merge / durable copy of 50 programs of 100 KB, whole processes
//   with a tool list, and with it applied / the same merge without      LF programs, 3 x N MB
//   the window's Convert (planned with the list, applied or not, then written) / plain copy
//   8 five-tool programs of 7 MB ordered by tool / given order
//   a large five-tool program at 4 cells ordered by tool, once: its time and peak memory
//   the peak resident memory of corvane-merge
// The copies are those of shared/bench (plain-copy.c: 1 MiB fread and fwrite; durable-copy.c:
// 1 MiB read and write into a temporary file, fsync, rename, fsync of the folder), written
// again here and run as this program with --plain-copy or --durable-copy; the original merge
// with --original OUT IN..., the window's Convert with --convert MODE LIST OUT IN...: every
// subject and baseline is a process of its own. Before the timed runs, one of each, untimed:
// the first writes after the programs were generated meet a file system and page cache still
// busy with them.
// CORVANE_BENCH_MB sets the size of each large program (100 by default).

#include "core/merge/NcMerge.h"
#include "core/toollist/ConvertPlan.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace fs = std::filesystem;

namespace {

constexpr int kDelUp = 5;
constexpr int kDelBtm = 3;
constexpr int kPairs = 7;

using Clock = std::chrono::steady_clock;

struct Inputs
{
    fs::path folder;
    std::vector<std::string> files;
};

// A milling program of plausible lines and the odd blank line; with offsetEvery, a work-offset
// selection every so many lines.
void generateProgram(const fs::path& path, std::uintmax_t size, int seed, const char* lineEnd,
                     int offsetEvery)
{
    std::ofstream out(path, std::ios::binary);
    const std::string end = lineEnd;
    out << "%" << end << "O" << 1000 + seed << " (GENERATED)" << end << "G90 G54 G17 G21" << end
        << "T1 M06" << end << "S8000 M03" << end;
    std::string line;
    for (std::uintmax_t written = 0, n = 1; written < size; ++n) {
        line = "N" + std::to_string(n) + " G01 X" +
               std::to_string((n * 37 + seed) % 50000 / 100.0) + " Y" +
               std::to_string((n * 91) % 30000 / 100.0) + " Z-" + std::to_string(n % 700 / 100.0) +
               " F1200" + end;
        if (n % 50 == 0)
            line += end;
        if (offsetEvery > 0 && n % std::uintmax_t(offsetEvery) == 0)
            line += "G90 G54" + end;
        out << line;
        written += line.size();
    }
    out << "M05" << end << "M30" << end << "%" << end;
}

// A program of a plate's part: five tools, each with its tool change, spindle, length offset
// and retract, cutting about a fifth of the size.
void generateToolProgram(const fs::path& path, std::uintmax_t size)
{
    std::ofstream out(path, std::ios::binary);
    out << "%\r\nO2000 (FIVE TOOLS)\r\nG21\r\nG90 G17 G40 G80 G49\r\n";
    std::uintmax_t written = 0;
    for (int tool = 1; tool <= 5; ++tool) {
        out << "T" << tool << " M06\r\nG54 G00 X0 Y0 S" << 1000 * tool << " M03\r\nG43 H" << tool
            << " Z50. M08\r\nG01 Z-1. F" << 100 * tool << "\r\n";
        for (std::uintmax_t n = 1; written < size * std::uintmax_t(tool) / 5; ++n) {
            const std::string line = "X" + std::to_string((n * 37 + tool) % 50000 / 100.0) + " Y" +
                                     std::to_string((n * 91) % 30000 / 100.0) + "\r\n";
            out << line;
            written += line.size();
        }
        out << "G00 Z50.\r\nM09\r\nM05\r\nG91 G28 Z0.\r\nG90\r\n";
    }
    out << "M30\r\n%\r\n";
}

Inputs makeInputs(const fs::path& folder, int count, std::uintmax_t size, const char* lineEnd,
                  int offsetEvery = 0)
{
    fs::create_directories(folder);
    Inputs inputs{folder, {}};
    for (int i = 0; i < count; ++i) {
        const fs::path path = folder / ("program" + std::to_string(i) + ".nc");
        generateProgram(path, size, i, lineEnd, offsetEvery);
        inputs.files.push_back(path.string());
    }
    return inputs;
}

// shared/bench/plain-copy.c
int plainCopy(int argc, char** argv)
{
    static char buffer[1 << 20];
    std::FILE* out = std::fopen(argv[0], "wb");
    if (!out)
        return 2;
    for (int i = 1; i < argc; ++i) {
        std::FILE* in = std::fopen(argv[i], "rb");
        if (!in)
            continue;
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
            std::fwrite(buffer, 1, n, out);
        std::fclose(in);
    }
    return std::fclose(out) ? 2 : 0;
}

#ifndef _WIN32
// shared/bench/durable-copy.c
int durableCopy(int argc, char** argv)
{
    static char buffer[1 << 20];
    std::string temporary = std::string(argv[0]) + ".tmpXXXXXX";
    const int out = mkstemp(temporary.data());
    if (out < 0)
        return 2;
    for (int i = 1; i < argc; ++i) {
        const int in = ::open(argv[i], O_RDONLY);
        if (in < 0)
            continue;
        for (ssize_t n; (n = ::read(in, buffer, sizeof buffer)) > 0;)
            if (::write(out, buffer, std::size_t(n)) != n)
                return 2;
        ::close(in);
    }
    if (fsync(out) || ::close(out) || std::rename(temporary.c_str(), argv[0]))
        return 2;
    const int folder = ::open(fs::path(argv[0]).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        fsync(folder);
        ::close(folder);
    }
    return 0;
}

struct Run
{
    double milliseconds = 0;
    long peakKiB = 0;
};

// Runs a program, its standard output into stdoutFile and its standard error into stderrFile
// when they are given, and times it.
Run runProcess(const std::vector<std::string>& arguments, const fs::path& stdoutFile = {},
               const fs::path& stderrFile = {})
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1,
                                     stdoutFile.empty() ? "/dev/null" : stdoutFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2,
                                     stderrFile.empty() ? "/dev/null" : stderrFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        std::abort();
    const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
    return {elapsed.count(), usage.ru_maxrss};
}
#endif

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

// The window's Convert with the machine's tool list, as it runs it: planned whole (with the list
// applied, a first plan for the speeds; the plan checked against the list; the tool sheet), then
// written. mode: "applied" or "checked".
int convert(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    MergeRequest request{.inputs = {argv + 3, argv + argc}, .delUp = kDelUp, .delBtm = kDelBtm};
    const bool applied = std::strcmp(argv[0], "applied") == 0;
    const ConvertPlan plan = ConvertPlan::make(request, argv[1], applied);
    if (!plan.checked.plan.succeeded())
        return 1;
    return MergeNcFiles(plan.writing(request), argv[2]).succeeded() ? 0 : 1;
}

int originalMerge(int argc, char** argv)
{
    std::FILE* out = std::fopen(argv[0], "wb");
    if (!out)
        return 2;
    const std::vector<std::string> files(argv + 1, argv + argc);
    const int count = static_cast<int>(files.size());
    int first = -1;
    int last = -1;
    for (int i = 0; i < count; ++i) {
        std::FILE* file = std::fopen(files[i].c_str(), "rb");
        if (!file)
            continue;
        if (countContentLines(file) > kDelUp + kDelBtm) {
            first = first < 0 ? i : first;
            last = i;
        }
        std::fclose(file);
    }
    for (int i = 0; i < count; ++i) {
        std::FILE* file = std::fopen(files[i].c_str(), "rb");
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
    return std::fclose(out) == 0 ? 0 : 2;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Pair
{
    std::vector<double> subject;
    std::vector<double> baseline;
};

// A fresh output, with the writes of the run before on disk: otherwise whichever run crosses
// the kernel's limit of unwritten pages is slowed down for the writes of another.
void freshOutput(const fs::path& output)
{
    fs::remove(output);
#ifndef _WIN32
    ::sync();
#endif
}

// Runs subject and baseline by turns, each into a fresh output.
template <typename Subject, typename Baseline>
Pair comparePair(const fs::path& output, Subject subject, Baseline baseline)
{
    Pair pair;
    freshOutput(output);
    subject();
    freshOutput(output);
    baseline();
    for (int i = 0; i < kPairs; ++i) {
        freshOutput(output);
        pair.subject.push_back(subject());
        freshOutput(output);
        pair.baseline.push_back(baseline());
    }
    fs::remove(output);
    return pair;
}

// The medians, and the fastest runs: on a virtual machine whose host takes freed memory back,
// writes into the page cache sometimes run several times slower for a while, in whichever
// run meets that; the fastest runs show what the programs cost without it.
void printRatio(const char* what, const Pair& pair, const char* target)
{
    const auto fastest = [](const std::vector<double>& runs) {
        return *std::min_element(runs.begin(), runs.end());
    };
    std::printf("%-52s %7.1f ms / %7.1f ms = %5.2f  (%s)\n", what, median(pair.subject),
                median(pair.baseline), median(pair.subject) / median(pair.baseline), target);
    std::printf("%-52s %7.1f ms / %7.1f ms = %5.2f\n", "    fastest runs", fastest(pair.subject),
                fastest(pair.baseline), fastest(pair.subject) / fastest(pair.baseline));
}

std::vector<std::string> command(std::vector<std::string> start, const Inputs& inputs)
{
    start.insert(start.end(), inputs.files.begin(), inputs.files.end());
    return start;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 2 && std::strcmp(argv[1], "--plain-copy") == 0)
        return plainCopy(argc - 2, argv + 2);
#ifdef _WIN32
    std::puts("The merge benchmark runs processes: POSIX only.");
    return 0;
#else
    if (argc > 2 && std::strcmp(argv[1], "--durable-copy") == 0)
        return durableCopy(argc - 2, argv + 2);
    if (argc > 2 && std::strcmp(argv[1], "--original") == 0)
        return originalMerge(argc - 2, argv + 2);
    if (argc > 2 && std::strcmp(argv[1], "--convert") == 0)
        return convert(argc - 2, argv + 2);

    const char* sizeText = std::getenv("CORVANE_BENCH_MB");
    const std::uintmax_t megabytes = sizeText ? std::strtoull(sizeText, nullptr, 10) : 100;
    const fs::path folder = fs::temp_directory_path() / "corvane-bench";
    const std::string self = fs::canonical("/proc/self/exe").string();
    // The programs' top cut takes their tool change, an error: the merges are forced to write,
    // as they wrote before errors stopped them.
    const std::string merge = CORVANE_MERGE_PATH;
    const std::string top = std::to_string(kDelUp);
    const std::string bottom = std::to_string(kDelBtm);
    const fs::path output = folder / "out.nc";

    std::printf("Generating 3 LF and 3 CR LF programs of %ju MB, 3 with offsets, 50 and 40 of "
                "100 KB...\n",
                megabytes);
    const Inputs lf = makeInputs(folder / "lf", 3, megabytes << 20, "\n");
    const Inputs crLf = makeInputs(folder / "crlf", 3, megabytes << 20, "\r\n");
    const Inputs small = makeInputs(folder / "small", 50, 100 << 10, "\r\n");
    const Inputs withOffsets = makeInputs(folder / "offsets", 3, megabytes << 20, "\n", 1000);
    const Inputs plate = makeInputs(folder / "plate", 40, 100 << 10, "\r\n");
    // The plate's programs each at a cell of its own: G54 to G59, then G54.1 P1 on.
    std::vector<std::string> placedPlate;
    for (std::size_t i = 0; i < plate.files.size(); ++i) {
        placedPlate.push_back("--at");
        placedPlate.push_back(i < 6 ? "G" + std::to_string(54 + i)
                                    : "G54.1P" + std::to_string(i - 5));
        placedPlate.push_back(plate.files[i]);
    }

    // The same five-tool program at 40 cells, as an operator plates a part.
    const fs::path toolProgram = folder / "five-tools.nc";
    generateToolProgram(toolProgram, 100 << 10);
    std::vector<std::string> toolPlate;
    for (std::size_t i = 0; i < placedPlate.size(); i += 3)
        toolPlate.insert(toolPlate.end(), {"--at", placedPlate[i + 1], toolProgram.string()});
    // And a large one at four cells: the order holds none of its lines.
    const fs::path largeToolProgram = folder / "five-tools-large.nc";
    generateToolProgram(largeToolProgram, (megabytes << 20) / 5);
    std::vector<std::string> largeToolPlate;
    for (const char* cell : {"G54", "G55", "G56", "G57"})
        largeToolPlate.insert(largeToolPlate.end(), {"--at", cell, largeToolProgram.string()});

    // The programs' tool with another spindle speed and feed: applied, every cutting line changes.
    const fs::path toolList = folder / "list.tlist";
    std::ofstream(toolList) << "!!!Tool List\n!1\t2\t3\t4\t5\t6\t7\t8\t9\n"
                               "!Tool\tTolMin\tTolMax\tM078\tSpindle\tFeed\tDT\tCAL\tDL\n"
                               "T1,10 Flat,0,0.01,M08,12000,1500,0,O,0\n";
    // Eight different parts of 7 MB, each at a cell of its own.
    std::vector<std::string> sevenPlate;
    for (int i = 0; i < 8; ++i) {
        const fs::path part = folder / ("seven" + std::to_string(i) + ".nc");
        generateToolProgram(part, (7u << 20) + std::uintmax_t(i) * 4096);
        sevenPlate.insert(sevenPlate.end(), {"--at", placedPlate[3 * i + 1], part.string()});
    }

    long peakKiB = 0;
    const auto mergeToStandardOutput = [&](const Inputs& inputs) {
        return comparePair(
            output,
            [&] {
                const Run run = runProcess(
                    command({merge, "--force", "--top", top, "--bottom", bottom, "-o", "-"},
                            inputs),
                    output);
                peakKiB = std::max(peakKiB, run.peakKiB);
                return run.milliseconds;
            },
            [&] {
                return runProcess(command({self, "--plain-copy", output.string()}, inputs))
                    .milliseconds;
            });
    };
    const auto durableMerge = [&](const Inputs& inputs) {
        return comparePair(
            output,
            [&] {
                const Run run = runProcess(command(
                    {merge, "--force", "--top", top, "--bottom", bottom, "-o", output.string()},
                    inputs));
                peakKiB = std::max(peakKiB, run.peakKiB);
                return run.milliseconds;
            },
            [&] {
                return runProcess(command({self, "--durable-copy", output.string()}, inputs))
                    .milliseconds;
            });
    };
    const Pair lfOut = mergeToStandardOutput(lf);
    const Pair crLfOut = mergeToStandardOutput(crLf);
    const Pair lfDurable = durableMerge(lf);
    const Pair crLfDurable = durableMerge(crLf);
    const Pair original = comparePair(
        output,
        [&] {
            return runProcess(command({self, "--original", output.string()}, crLf)).milliseconds;
        },
        [&] {
            return runProcess(
                       command({merge, "--force", "--top", top, "--bottom", bottom, "-o", "-"},
                               crLf),
                       output)
                .milliseconds;
        });
    const Pair smallDurable = durableMerge(small);
    const std::vector<std::string> cuts = {merge, "--force", "--top", top, "--bottom", bottom};
    std::vector<std::string> withToolList = cuts;
    withToolList.insert(withToolList.end(), {"--tool-list", toolList.string()});
    std::vector<std::string> applyingToolList = withToolList;
    applyingToolList.push_back("--apply-tool-list");
    for (std::vector<std::string>* arguments : {&withToolList, &applyingToolList})
        arguments->insert(arguments->end(), {"-o", "-"});
    const auto timedMerge = [&](std::vector<std::string> arguments, const fs::path& out) {
        return [&, arguments, out] {
            const Run run = runProcess(arguments, out);
            peakKiB = std::max(peakKiB, run.peakKiB);
            return run.milliseconds;
        };
    };
    const auto convertPath = [&](const char* mode) {
        return comparePair(
            output,
            timedMerge(command({self, "--convert", mode, toolList.string(), output.string()}, lf),
                       {}),
            [&] {
                return runProcess(command({self, "--plain-copy", output.string()}, lf))
                    .milliseconds;
            });
    };
    const Pair convertApplied = convertPath("applied");
    const Pair convertChecked = convertPath("checked");
    std::vector<std::string> placing = cuts;
    placing.insert(placing.end(), {"-o", "-", "--at", "G55"});
    std::vector<std::string> notPlacing = cuts;
    notPlacing.insert(notPlacing.end(), {"-o", "-"});
    const Pair placement = comparePair(output, timedMerge(command(placing, withOffsets), output),
                                       timedMerge(command(notPlacing, withOffsets), output));
    const Pair toolListMerge = comparePair(output, timedMerge(command(withToolList, lf), output),
                                           timedMerge(command(notPlacing, lf), output));
    const Pair appliedMerge = comparePair(output, timedMerge(command(applyingToolList, lf), output),
                                          timedMerge(command(notPlacing, lf), output));
    std::vector<std::string> plateArguments = cuts;
    plateArguments.insert(plateArguments.end(), {"-o", output.string()});
    std::vector<std::string> unplaced = plateArguments;
    plateArguments.insert(plateArguments.end(), placedPlate.begin(), placedPlate.end());
    const Pair placedPlateMerge = comparePair(output, timedMerge(plateArguments, {}),
                                              timedMerge(command(unplaced, plate), {}));
    std::vector<std::string> givenOrder = {merge,      "--force", "--top", "2",
                                           "--bottom", "2",       "-o",    output.string()};
    givenOrder.insert(givenOrder.end(), toolPlate.begin(), toolPlate.end());
    std::vector<std::string> toolOrder = givenOrder;
    toolOrder.insert(toolOrder.begin() + 1, {"--order", "tool"});
    // The order holds the job in memory: its peak is its own, apart from the merge's.
    const auto orderedPair = [&](const std::vector<std::string>& ordered,
                                 const std::vector<std::string>& given, long& orderedPeak) {
        return comparePair(
            output,
            [&] {
                const Run run = runProcess(ordered);
                orderedPeak = std::max(orderedPeak, run.peakKiB);
                return run.milliseconds;
            },
            timedMerge(given, {}));
    };
    long orderedPeakKiB = 0;
    const Pair orderedPlate = orderedPair(toolOrder, givenOrder, orderedPeakKiB);
    const auto toolChanges = [&](const std::vector<std::string>& arguments) {
        runProcess(arguments);
        std::ifstream in(output, std::ios::binary);
        int changes = 0;
        for (std::string line; std::getline(in, line);)
            changes += line.find("M06") != std::string::npos ? 1 : 0;
        return changes;
    };
    const int changesOrdered = toolChanges(toolOrder);
    const int changesGiven = toolChanges(givenOrder);
    std::vector<std::string> largeGivenOrder = givenOrder;
    largeGivenOrder.resize(8);
    largeGivenOrder.insert(largeGivenOrder.end(), largeToolPlate.begin(), largeToolPlate.end());
    std::vector<std::string> largeToolOrder = largeGivenOrder;
    largeToolOrder.insert(largeToolOrder.begin() + 1, {"--order", "tool"});
    freshOutput(output);
    const Run largeOrdered = runProcess(largeToolOrder);
    freshOutput(output);
    const Run largeGiven = runProcess(largeGivenOrder);
    std::vector<std::string> sevenGiven = largeGivenOrder;
    sevenGiven.resize(8);
    sevenGiven.insert(sevenGiven.end(), sevenPlate.begin(), sevenPlate.end());
    std::vector<std::string> sevenOrdered = sevenGiven;
    sevenOrdered.insert(sevenOrdered.begin() + 1, {"--order", "tool"});
    long sevenPeakKiB = 0;
    const Pair sevenOrder = orderedPair(sevenOrdered, sevenGiven, sevenPeakKiB);
    const std::uintmax_t largeMegabytes = 4 * fs::file_size(largeToolProgram) >> 20;
    // How a large program was proved unchanged, as corvane-merge --check tells it.
    const fs::path proofs = folder / "proofs.txt";
    runProcess({merge, "--check", lf.files.front()}, {}, proofs);
    std::vector<std::string> proofLines;
    std::ifstream proofText(proofs);
    for (std::string line; std::getline(proofText, line);)
        if (line.find("proved unchanged") != std::string::npos)
            proofLines.push_back(line);
    fs::remove_all(folder);

    std::printf("\nmedians of %d runs each, in one run (%ju MB programs):\n", kPairs, megabytes);
    printRatio("merge to standard output / plain copy, LF", lfOut, "target: at most 1.30");
    printRatio("merge to standard output / plain copy, CR LF", crLfOut, "target: at most 1.30");
    printRatio("durable merge / durable copy, LF", lfDurable, "target: at most 1.30");
    printRatio("durable merge / durable copy, CR LF", crLfDurable, "target: at most 1.30");
    printRatio("original three-pass port / merge, CR LF", original, "target: at least 5");
    printRatio("durable merge / durable copy, 50 x 100 KB", smallDurable, "target: at most 1.50");
    printRatio("placed at G55 / not placed, offset every 1000 lines", placement,
               "target: at most 1.10");
    printRatio("with a tool list / without, LF", toolListMerge, "target: at most 1.50");
    printRatio("with the tool list applied / without, LF", appliedMerge, "target: at most 2");
    printRatio("the window's Convert, list applied / plain copy, LF", convertApplied,
               "target: at most 3");
    printRatio("the window's Convert, list checked / plain copy, LF", convertChecked, "no target");
    printRatio("40 x 100 KB placed at 40 cells / not placed", placedPlateMerge, "durable");
    printRatio("40 x 5-tool 100 KB ordered by tool / given order", orderedPlate, "durable");
    std::printf("    tool changes: %d ordered by tool, %d in the given order; peak resident "
                "memory ordered: %ld KiB\n",
                changesOrdered, changesGiven, orderedPeakKiB);
    printRatio("8 x 5-tool 7 MB ordered by tool / given order", sevenOrder, "target: at most 2");
    std::printf("    peak resident memory ordered: %ld KiB (target: at most 32768)\n",
                sevenPeakKiB);
    std::printf("4 x 5-tool %ju MB ordered by tool, once: %.1f ms (given order %.1f ms); peak "
                "resident memory %ld KiB\n",
                largeMegabytes, largeOrdered.milliseconds, largeGiven.milliseconds,
                largeOrdered.peakKiB);
    std::printf("peak resident memory of corvane-merge: %ld KiB (target: at most 32768)\n",
                peakKiB);
    for (const std::string& line : proofLines)
        std::printf("%s\n", line.c_str());
    return 0;
#endif
}
