// Plates ordered by tool, proved against an interpreter nobody here wrote: LinuxCNC's rs274 runs
// each program alone at its work offset and the ordered program, and the cutting moves of each
// cell, in machine coordinates with their tool, length offset, feed, spindle and coolant, must be
// the same.

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kCells[] = {"G54", "G55", "G56", "G57", "G58", "G59"};

std::string quoted(const std::string& text)
{
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

int run(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool haveRs274()
{
    return run("command -v rs274 >/dev/null 2>&1") == 0;
}

// What a cut runs under, as the interpreter's canonical calls set it.
struct Context
{
    int tool = 0;
    double lengthOffset = 0;
    double feed = 0;
    double speed = 0;
    int spindle = 0; // 1 clockwise, -1 counter-clockwise, 0 stopped
    bool flood = false;
    bool mist = false;
    bool operator==(const Context&) const = default;
};

// What the machine does at one motion.
struct Motion
{
    char kind = 'T';        // T: rapid, F: straight feed, A: arc
    int offset = 1;         // G54 is 1
    std::vector<double> at; // machine coordinates: end (and an arc's centre and turn)
    Context context;
    // A length offset applied since the last tool change: before it, where the tool stands in
    // Z depends on the tool before, which a part's program alone does not know.
    bool fresh = false;
    std::string line; // the canonical call, for messages
};

std::vector<double> numbers(const std::string& call)
{
    std::vector<double> values;
    std::string text = call.substr(call.find('(') + 1);
    for (char& c : text)
        if (c == ',' || c == ')')
            c = ' ';
    std::istringstream in(text);
    for (double value; in >> value;)
        values.push_back(value);
    return values;
}

// The motions of one interpreter run, or an empty list and the reason in error.
std::vector<Motion> interpret(const fs::path& program, const fs::path& folder, std::string& error)
{
    const fs::path canon = folder / (program.filename().string() + ".canon");
    // The interpreter writes its parameters back at the end: every run starts from the same.
    fs::copy_file(folder / "offsets.start", folder / "offsets.var",
                  fs::copy_options::overwrite_existing);
    const int status = run("rs274 -t " + quoted((folder / "tool.tbl").string()) + " -v " +
                           quoted((folder / "offsets.var").string()) + " -g " +
                           quoted(program.string()) + " >" + quoted(canon.string()) + " 2>&1");
    if (status != 0) {
        error = "rs274 failed on " + program.filename().string() + ": " + readFile(canon.string());
        return {};
    }
    std::vector<Motion> motions;
    Motion state;
    std::vector<double> g5x(3, 0.0);
    std::istringstream lines(readFile(canon.string()));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t call = line.find("N..... ");
        if (call == std::string::npos)
            continue;
        const std::string text = line.substr(call + 7);
        const std::vector<double> v = numbers(text);
        const auto is = [&](const char* name) {
            return text.rfind(name, 0) == 0;
        };
        Context& c = state.context;
        if (is("SET_G5X_OFFSET(")) {
            state.offset = int(v[0]);
            g5x = {v[1], v[2], v[3]};
        } else if (is("CHANGE_TOOL(")) {
            c.tool = int(v[0]);
            state.fresh = false;
        } else if (is("USE_TOOL_LENGTH_OFFSET(")) {
            c.lengthOffset = v[2];
            state.fresh = true;
        } else if (is("SET_FEED_RATE(")) {
            c.feed = v[0];
        } else if (is("SET_SPINDLE_SPEED(")) {
            c.speed = v[1];
        } else if (is("START_SPINDLE_") || is("STOP_SPINDLE_TURNING")) {
            c.spindle = is("STOP") ? 0 : is("START_SPINDLE_CLOCKWISE") ? 1 : -1;
        } else if (is("FLOOD_") || is("MIST_")) {
            (is("FLOOD_") ? c.flood : c.mist) = text.find("_ON") != std::string::npos;
        } else if (is("STRAIGHT_TRAVERSE(") || is("STRAIGHT_FEED(") || is("ARC_FEED(")) {
            Motion motion = state;
            motion.kind = is("STRAIGHT_TRAVERSE(") ? 'T' : is("ARC_FEED(") ? 'A' : 'F';
            const double z = g5x[2] + c.lengthOffset;
            motion.at = motion.kind == 'A'
                            ? std::vector{v[0] + g5x[0], v[1] + g5x[1], v[2] + g5x[0],
                                          v[3] + g5x[1], v[4],          v[5] + z}
                            : std::vector{v[0] + g5x[0], v[1] + g5x[1], v[2] + z};
            motion.line = text;
            motions.push_back(std::move(motion));
        }
    }
    return motions;
}

// A rapid is the same where it goes with the same tool, a cut also under the same context.
bool same(const Motion& a, const Motion& b)
{
    if (a.kind != b.kind || a.at.size() != b.at.size() || a.context.tool != b.context.tool ||
        (a.kind != 'T' && !(a.context == b.context)))
        return false;
    for (std::size_t i = 0; i < a.at.size(); ++i)
        if (std::fabs(a.at[i] - b.at[i]) > 1e-4)
            return false;
    return true;
}

std::string describe(const Motion& motion)
{
    const Context& c = motion.context;
    std::ostringstream text;
    text << motion.line << " T" << c.tool << " TLO " << c.lengthOffset << " F" << c.feed << " S"
         << c.speed << " dir " << c.spindle << (c.flood ? " flood" : "") << (c.mist ? " mist" : "");
    return text.str();
}

// The source's motions must all run at its cell, in order: every cut as it is, every rapid at
// its place; the ordered program may add rapids (its restart blocks) but no cut.
std::string compareCell(const std::vector<Motion>& source, const std::vector<Motion>& ordered,
                        int offset)
{
    std::vector<const Motion*> mine;
    for (const Motion& motion : ordered)
        if (motion.offset == offset)
            mine.push_back(&motion);
    std::size_t s = 0;
    for (const Motion* motion : mine) {
        if (s < source.size() && same(source[s], *motion)) {
            ++s;
            continue;
        }
        if (motion->kind != 'T')
            return "a cut the source does not make there: " + describe(*motion) +
                   (s < source.size() ? "; the source's next: " + describe(source[s]) : "");
    }
    if (s < source.size())
        return "the source's motion never made: " + describe(source[s]);
    return {};
}

// A random milling program of a few tools, as CAM posts write them, with the variations that
// tripped restarts: feeds and motion modes set before a tool change, coolant left on, spindles
// in both directions, cycles returning to R or the initial level, arcs, own retracts or none.
std::string randomProgram(std::mt19937& random, bool returnPlanes)
{
    const auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const auto chance = [&](int percent) {
        return pick(1, 100) <= percent;
    };
    std::ostringstream p;
    p << "G21 G17 G90 G94 G40 G80 G49\n";
    bool feedKnown = false;
    if (chance(30)) {
        p << "F" << pick(1, 9) * 50 << ".\n";
        feedKnown = true;
    }
    int previous = 0;
    const int tools = pick(1, 4);
    bool coolant = false;
    for (int t = 0; t < tools; ++t) {
        int tool = pick(1, 6);
        while (tool == previous)
            tool = pick(1, 6);
        previous = tool;
        p << "T" << tool << " M06\n";
        const int x = pick(0, 40);
        const int y = pick(0, 40);
        const int clearance = pick(5, 30);
        const char* direction = chance(80) ? "M03" : "M04";
        p << "G00 X" << x << ". Y" << y << ". S" << pick(5, 60) * 100 << " " << direction << "\n";
        p << "G43 H" << tool << " Z" << clearance << ".";
        if (chance(50)) {
            p << (chance(70) ? " M08" : " M07");
            coolant = true;
        }
        p << "\n";
        switch (pick(0, 2)) {
        case 0:
            p << "G01 Z-" << pick(1, 5) << ".";
            if (!feedKnown || chance(50)) {
                p << " F" << pick(1, 9) * 50 << ".";
                feedKnown = true;
            }
            p << "\nX" << x + pick(1, 20) << ".\nY" << y + pick(1, 20) << ".\n";
            break;
        case 1:
            p << "G01 Z-1. F" << pick(1, 9) * 40 << ".\n";
            feedKnown = true;
            p << (chance(50) ? "G02" : "G03") << " X" << x + 10 << ". Y" << y << ". I5. J0\n";
            break;
        default:
            if (returnPlanes)
                p << (chance(50) ? "G98 " : "G99 ");
            p << (chance(50) ? "G81" : "G83 Q1.") << " X" << x << ". Y" << y << ". Z-" << pick(2, 9)
              << ". R2. F" << pick(1, 9) * 30 << ".\n";
            feedKnown = true;
            p << "X" << x + pick(5, 15) << ".\nG80\n";
            break;
        }
        p << "G00 Z" << clearance << ".\n";
        if (coolant && chance(60)) {
            p << "M09\n";
            coolant = false;
        }
        if (chance(50))
            p << "M05\n";
        if (chance(60))
            p << "G91 G28 Z0.\nG90\n";
    }
    return p.str() + "M30\n";
}

struct PlateResult
{
    bool ordered = false;      // written ordered by tool (not the given order)
    bool proofRefused = false; // the merge's own proof found a difference: nothing written
    std::string difference;    // what the interpreter found, empty when none
};

PlateResult runPlate(const TempFolder& folder, const std::vector<std::string>& programs)
{
    PlateResult result;
    std::string inputs;
    for (std::size_t i = 0; i < programs.size(); ++i)
        inputs += std::string(" --at ") + kCells[i] + " " +
                  quoted(folder.write("p" + std::to_string(i) + ".nc", programs[i]));
    const fs::path ordered = folder.path() / "ordered.ngc";
    const fs::path log = folder.path() / "ordered.log";
    const int status = run(quoted(CORVANE_MERGE_PATH) + " --bottom 1 --order tool -o " +
                           quoted(ordered.string()) + inputs + " 2>" + quoted(log.string()));
    if (status == 3) {
        result.proofRefused = true;
        return result;
    }
    if (status != 0) {
        result.difference =
            "corvane-merge exit " + std::to_string(status) + ": " + readFile(log.string());
        return result;
    }
    result.ordered = readFile(log.string()).find("given order is kept") == std::string::npos;
    std::string error;
    const std::vector<Motion> all = interpret(ordered, folder.path(), error);
    if (!error.empty()) {
        result.difference = error;
        return result;
    }
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const fs::path single = folder.path() / ("single" + std::to_string(i) + ".ngc");
        if (run(quoted(CORVANE_MERGE_PATH) + " -o " + quoted(single.string()) + " --at " +
                kCells[i] + " " + quoted(folder.file("p" + std::to_string(i) + ".nc")) +
                " 2>/dev/null") != 0) {
            result.difference = "cannot place program " + std::to_string(i);
            return result;
        }
        std::vector<Motion> source = interpret(single, folder.path(), error);
        std::erase_if(source,
                      [](const Motion& motion) { return motion.kind == 'T' && !motion.fresh; });
        if (!error.empty()) {
            result.difference = error;
            return result;
        }
        const std::string difference = compareCell(source, all, int(i) + 1);
        if (!difference.empty()) {
            result.difference = std::string(kCells[i]) + ": " + difference;
            return result;
        }
    }
    return result;
}

void prepare(const TempFolder& folder)
{
    // Lengths differ per tool, so that an offset of the wrong tool moves Z; offsets differ per
    // cell (inches, as the interpreter keeps them).
    std::string tools;
    for (int t = 1; t <= 6; ++t)
        tools += "T" + std::to_string(t) + " P" + std::to_string(t) + " Z" +
                 std::to_string(t * 1.5) + " D0.25 ;\n";
    folder.write("tool.tbl", tools);
    std::string offsets;
    for (int cell = 0; cell < 6; ++cell) {
        const int base = 5221 + 20 * cell;
        offsets += std::to_string(base) + " " + std::to_string(2.0 + 4.0 * cell) + "\n" +
                   std::to_string(base + 1) + " " + std::to_string(1.0 + cell % 2) + "\n" +
                   std::to_string(base + 2) + " " + std::to_string(-0.5 * cell) + "\n";
    }
    folder.write("offsets.start", offsets);
}

class InterpreterComparison : public testing::Test
{
protected:
    void SetUp() override
    {
        if (!haveRs274())
            GTEST_SKIP() << "LinuxCNC's rs274 is not installed (Debian package linuxcnc-uspace)";
        prepare(m_folder);
    }

    TempFolder m_folder;
};

} // namespace

TEST_F(InterpreterComparison, RandomPlatesCutWhatTheirProgramsCut)
{
    constexpr int kPlates = 40;
    std::mt19937 random(20261208);
    int ordered = 0;
    int refused = 0;
    for (int plate = 0; plate < kPlates; ++plate) {
        const int count = std::uniform_int_distribution<int>(2, 6)(random);
        const bool returnPlanes = std::uniform_int_distribution<int>(0, 1)(random) == 1;
        std::vector<std::string> programs;
        for (int i = 0; i < count; ++i)
            programs.push_back(randomProgram(random, returnPlanes));
        const PlateResult result = runPlate(m_folder, programs);
        ordered += result.ordered ? 1 : 0;
        refused += result.proofRefused ? 1 : 0;
        EXPECT_EQ(result.difference, "") << "plate " << plate;
        EXPECT_FALSE(result.proofRefused) << "plate " << plate;
    }
    std::printf("%d plates: %d ordered by tool, %d refused by the proof\n", kPlates, ordered,
                refused);
    EXPECT_GE(ordered, kPlates / 2);
}
