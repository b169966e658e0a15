#include "core/job/CellDrop.h"

#include "TempFolder.h"
#include "core/job/JobEditing.h"
#include "core/job/JobHistory.h"
#include "core/job/JobState.h"
#include "core/settings/MemoryProfile.h"
#include "core/settings/Settings.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

using Entries = std::vector<std::string>;

class CellDropTest : public ::testing::Test
{
protected:
    CellDropTest()
    {
        settings.FANUCToolList = "Fanuc.tlist";
        settings.HToolList = "Heidenhain.tlist";
        settings.m_nOutputType = 6;
    }

    CellDropOutcome drop(const std::vector<std::string>& names, int cell = 0)
    {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(folder.file(name));
        return dropFilesOnCell(paths, cell, state, settings);
    }

    void expectFamily(int expectedFamily, int outputType, const std::string& list)
    {
        EXPECT_EQ(family, expectedFamily);
        EXPECT_EQ(settings.MachineType, expectedFamily);
        EXPECT_EQ(settings.m_nOutputType, outputType);
        EXPECT_EQ(toolList, list);
        EXPECT_EQ(settings.ToolListName, list);
    }

    // The job as "cell:name" in merge order.
    Entries order() const
    {
        Entries names;
        for (const JobEntry& entry : jobs.entries())
            names.push_back(std::to_string(entry.cell) + ":" +
                            fs::path(entry.path).filename().string());
        return names;
    }

    Entries entries(int cell = 0) const { return state.document().cellEntries(cell); }

    TempFolder folder;
    MemoryProfile profile;
    ProfileInstallation installation{profile};
    CSettings settings;
    JobState state;
    JobList& jobs = state.m_JobFiles;
    int& family = state.m_nMachineFamily;
    std::string& toolList = state.m_strToolListName;
};

} // namespace

TEST_F(CellDropTest, TheFirstFileFixesTheFamilyAndTheCellKeepsOneExtension)
{
    for (const char* name : {"A.nc", "B.NC", "C.tap", "D.nc", "a.b.nc"})
        folder.write(name, "N1\n");
    const CellDropOutcome outcome = drop({"A.nc", "B.NC", "C.tap"});
    EXPECT_EQ(outcome.taken, 2);
    // C.tap is of the other family, and of another extension than the cell's.
    EXPECT_EQ(outcome.otherExtension, Entries{folder.file("C.tap")});
    EXPECT_EQ(entries(), (Entries{"1. A.NC", "2. B.NC"}));
    EXPECT_EQ(cellText(entries()), "1. A.NC\n2. B.NC");
    EXPECT_EQ(jobs.files(), (Entries{folder.file("A.nc"), folder.file("B.NC")}));
    expectFamily(0, 1, "Fanuc.tlist");

    // While the first program stays, the family is not fixed again.
    settings.FANUCToolList = "Changed.tlist";
    EXPECT_EQ(drop({"D.nc", "a.b.nc"}).taken, 2);
    EXPECT_EQ(entries().back(), "4. a.b.NC");
    expectFamily(0, 1, "Fanuc.tlist");
}

// A drop that takes nothing leaves the job's family as the job has it.
TEST_F(CellDropTest, FoldersAndMissingPathsAreNamedAndTheFamilyFollowsTheJob)
{
    folder.write("E.mpf", "N1\n");
    fs::create_directory(folder.path() / "sub");
    CellDropOutcome outcome = drop({"sub"});
    EXPECT_EQ(outcome.notFiles, Entries{folder.file("sub")});
    EXPECT_EQ(family, -1);

    outcome = drop({"sub", "missing.nc", "E.mpf"});
    EXPECT_EQ(outcome.notFiles.size(), 2u);
    EXPECT_EQ(outcome.taken, 1);
    expectFamily(1, 4, "Heidenhain.tlist");
    EXPECT_EQ(drop({"sub"}).taken, 0);
    expectFamily(1, 4, "Heidenhain.tlist");
}

TEST_F(CellDropTest, OtherFamiliesAreRefusedInEveryCell)
{
    for (const char* name : {"P.MPF", "Q.cmd", "O0004", "A.nc", "R.i"})
        folder.write(name, "N1\n");
    EXPECT_EQ(drop({"P.MPF"}).taken, 1);
    expectFamily(1, 4, "Heidenhain.tlist");
    // Another extension of the same family goes to another cell; FANUC goes nowhere.
    EXPECT_EQ(drop({"Q.cmd", "O0004"}, 3).taken, 1);
    EXPECT_EQ(drop({"O0004"}, 4).taken, 1);
    CellDropOutcome outcome = drop({"A.nc"}, 5);
    EXPECT_EQ(outcome.otherFamily, Entries{folder.file("A.nc")});
    EXPECT_EQ(order(), (Entries{"0:P.MPF", "3:Q.cmd", "4:O0004"}));
    EXPECT_EQ(entries(4), Entries{"1. O0004"});

    // The first program gone, the next fixes the family, with its output type.
    clearCell(0, state, settings);
    expectFamily(1, 4, "Heidenhain.tlist");
    settings.m_nOutputType = 6;
    clearCell(3, state, settings);
    expectFamily(1, 6, "Heidenhain.tlist");
    clearJob(state, settings);
    EXPECT_EQ(family, -1);
    EXPECT_EQ(drop({"A.nc"}, 7).taken, 1);
    expectFamily(0, 1, "Fanuc.tlist");
}

// Drops run cell by cell: a drop goes after the entries of every cell up to its own, whatever
// the order of drops; Delete of a cell takes out its programs only.
TEST_F(CellDropTest, TheJobRunsCellByCellAndACellIsEmptiedAlone)
{
    for (const char* name : {"a.nc", "b.nc", "c.nc", "d.nc"})
        folder.write(name, "N1\n");
    drop({"c.nc"}, 5);
    drop({"a.nc"}, 0);
    drop({"d.nc"}, 5);
    drop({"b.nc"}, 2);
    drop({"a.nc"}, 2);
    EXPECT_EQ(order(), (Entries{"0:a.nc", "2:b.nc", "2:a.nc", "5:c.nc", "5:d.nc"}));
    EXPECT_EQ(entries(2), (Entries{"1. b.NC", "2. a.NC"}));
    EXPECT_TRUE(state.document().cellEmpty(1));

    // Moved in the JOB pane, an entry keeps its cell; the cell's numbers follow the job.
    moveJobFile(4, 1, state, settings);
    EXPECT_EQ(order(), (Entries{"0:a.nc", "5:d.nc", "2:b.nc", "2:a.nc", "5:c.nc"}));
    EXPECT_EQ(entries(5), (Entries{"1. d.NC", "2. c.NC"}));
    clearCell(2, state, settings);
    EXPECT_EQ(order(), (Entries{"0:a.nc", "5:d.nc", "5:c.nc"}));

    // Undo brings back entries with their cells.
    JobHistory history;
    history.changed(jobs.entries());
    removeJobFile(0, state, settings);
    history.changed(jobs.entries());
    restoreJob(*history.undo(), state, settings);
    EXPECT_EQ(order(), (Entries{"0:a.nc", "5:d.nc", "5:c.nc"}));
}

TEST_F(CellDropTest, AFullJobListRefusesTheRestAndWritesNothingPastIt)
{
    folder.write("A.nc", "N1\n");
    for (int i = 0; i < JobList::kMaxJobFiles - 1; ++i)
        jobs.RegisterJobFile("/earlier.nc", 1);
    const CellDropOutcome outcome = drop({"A.nc", "A.nc", "A.nc"});
    EXPECT_EQ(outcome.taken, 1);
    EXPECT_EQ(outcome.overCapacity, 2);
    EXPECT_EQ(jobs.count(), JobList::kMaxJobFiles);
    EXPECT_EQ(entries().size(), 1u);
    EXPECT_EQ(jobs.entries().front().path, folder.file("A.nc"));
}

TEST_F(CellDropTest, OneFileTakenOutOrMovedAndTheFamilyFollowsTheFirst)
{
    for (const char* name : {"A.nc", "B.nc", "C.nc"})
        folder.write(name, "N1\n");
    drop({"A.nc", "B.nc", "C.nc"});
    moveJobFile(2, 0, state, settings);
    EXPECT_EQ(entries(), (Entries{"1. C.NC", "2. A.NC", "3. B.NC"}));
    EXPECT_EQ(jobs.files().front(), folder.file("C.nc"));
    removeJobFile(1, state, settings);
    EXPECT_EQ(entries(), (Entries{"1. C.NC", "2. B.NC"}));

    // A first file of another family fixes that family; an empty job fixes none.
    folder.write("P.MPF", "N1\n");
    jobs.RegisterJobFile(folder.file("P.MPF"));
    moveJobFile(2, 0, state, settings);
    expectFamily(1, 4, "Heidenhain.tlist");
    for (int i = 0; i < 3; ++i)
        removeJobFile(0, state, settings);
    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(family, -1);
}
