#include "core/CellDrop.h"

#include "TempFolder.h"
#include "core/JobEditing.h"
#include "core/JobState.h"
#include "core/MemoryProfile.h"
#include "core/Settings.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class CellDropTest : public ::testing::Test
{
protected:
    CellDropTest()
    {
        settings.FANUCToolList = "Fanuc.tlist";
        settings.HToolList = "Heidenhain.tlist";
        settings.m_nOutputType = 6;
    }

    CellDropOutcome drop(const std::vector<std::string>& names)
    {
        std::vector<std::string> paths;
        for (const std::string& name : names)
            paths.push_back(folder.file(name));
        return dropFilesOnCell(paths, 0, state, settings);
    }

    void expectFamily(int expectedFamily, int outputType, const std::string& list)
    {
        EXPECT_EQ(family, expectedFamily);
        EXPECT_EQ(settings.MachineType, expectedFamily);
        EXPECT_EQ(settings.m_nOutputType, outputType);
        EXPECT_EQ(toolList, list);
        EXPECT_EQ(settings.ToolListName, list);
    }

    TempFolder folder;
    MemoryProfile profile;
    ProfileInstallation installation{profile};
    CSettings settings;
    JobState state;
    JobList& jobs = state.m_JobFiles;
    int& family = state.m_nMachineFamily;
    std::string& toolList = state.m_strToolListName;
    std::vector<std::string>& entries = state.document().GetCellFiles()[0];
};

} // namespace

TEST_F(CellDropTest, TheFirstFileFixesTheFamilyAndTheCellKeepsOneExtension)
{
    for (const char* name : {"A.nc", "B.NC", "C.tap", "D.nc", "a.b.nc"})
        folder.write(name, "N1\n");
    const CellDropOutcome outcome = drop({"A.nc", "B.NC", "C.tap"});
    EXPECT_EQ(outcome.taken, 2);
    EXPECT_EQ(outcome.otherExtension, std::vector<std::string>{folder.file("C.tap")});
    EXPECT_EQ(entries, (std::vector<std::string>{"1. A.NC", "2. B.NC"}));
    EXPECT_EQ(cellText(entries), "1. A.NC\n2. B.NC");
    EXPECT_EQ(jobs.files(), (std::vector<std::string>{folder.file("A.nc"), folder.file("B.NC")}));
    expectFamily(0, 1, "Fanuc.tlist");

    // A later drop is not asked about the family again.
    settings.FANUCToolList = "Changed.tlist";
    EXPECT_EQ(drop({"D.nc", "a.b.nc"}).taken, 2);
    EXPECT_EQ(entries.back(), "4. a.b.NC");
    expectFamily(0, 1, "Fanuc.tlist");
}

TEST_F(CellDropTest, FoldersAndMissingPathsAreNamedAndATakenNothingDropUnsetsTheFamily)
{
    folder.write("E.mpf", "N1\n");
    fs::create_directory(folder.path() / "sub");
    family = 0;
    CellDropOutcome outcome = drop({"sub"});
    EXPECT_EQ(outcome.notFiles, std::vector<std::string>{folder.file("sub")});
    EXPECT_EQ(family, -1);

    // The folder at position 0 means this drop fixes no family, though it takes E.mpf.
    outcome = drop({"sub", "missing.nc", "E.mpf"});
    EXPECT_EQ(outcome.notFiles.size(), 2u);
    EXPECT_EQ(outcome.taken, 1);
    EXPECT_EQ(family, -1);
    EXPECT_EQ(settings.m_nOutputType, 6);
}

TEST_F(CellDropTest, OtherFamiliesAndFilesWithoutExtension)
{
    for (const char* name : {"P.MPF", "Q.cmd", "O0004", "O0005", "R.i"})
        folder.write(name, "N1\n");
    EXPECT_EQ(drop({"P.MPF"}).taken, 1);
    expectFamily(1, 4, "Heidenhain.tlist");

    entries.clear();
    family = -1;
    settings.m_nOutputType = 6;
    EXPECT_EQ(drop({"Q.cmd"}).taken, 1);
    expectFamily(1, 6, "Heidenhain.tlist");

    entries.clear();
    EXPECT_EQ(drop({"O0004", "R.i", "O0005"}).taken, 2);
    EXPECT_EQ(entries, (std::vector<std::string>{"1. O0004", "2. O0005"}));
}

TEST_F(CellDropTest, AFullJobListRefusesTheRestAndWritesNothingPastIt)
{
    folder.write("A.nc", "N1\n");
    for (int i = 0; i < JobList::kMaxJobFiles - 1; ++i)
        jobs.RegisterJobFile("/earlier.nc");
    const CellDropOutcome outcome = drop({"A.nc", "A.nc", "A.nc"});
    EXPECT_EQ(outcome.taken, 1);
    EXPECT_EQ(outcome.overCapacity, 2);
    EXPECT_EQ(jobs.count(), JobList::kMaxJobFiles);
    EXPECT_EQ(entries.size(), 1u);
}

TEST_F(CellDropTest, OneFileTakenOutOrMovedAndTheFamilyFollowsTheFirst)
{
    for (const char* name : {"A.nc", "B.nc", "C.nc"})
        folder.write(name, "N1\n");
    drop({"A.nc", "B.nc", "C.nc"});
    moveJobFile(2, 0, 0, state, settings);
    EXPECT_EQ(entries, (std::vector<std::string>{"1. C.NC", "2. A.NC", "3. B.NC"}));
    EXPECT_EQ(jobs.files().front(), folder.file("C.nc"));
    removeJobFile(1, 0, state, settings);
    EXPECT_EQ(entries, (std::vector<std::string>{"1. C.NC", "2. B.NC"}));

    // A first file of another family fixes that family; an empty job fixes none.
    folder.write("P.MPF", "N1\n");
    jobs.RegisterJobFile(folder.file("P.MPF"));
    moveJobFile(2, 0, 0, state, settings);
    expectFamily(1, 4, "Heidenhain.tlist");
    for (int i = 0; i < 3; ++i)
        removeJobFile(0, 0, state, settings);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(family, -1);
}
