#include "core/job/JobState.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(JobState, ListsTheToolListFilesOfTheProgramFolderByName)
{
    TempFolder folder;
    JobState state;
    state.m_strToolListFolder = folder.path().string();
    for (const char* name : {"b.tlist", "A.TLIST", "notes.txt", "c.tlist.bak"})
        folder.write(name, "");
    std::filesystem::create_directory(folder.path() / "Dir.tlist");
    EXPECT_EQ(state.toolListFiles(), (std::vector<std::string>{"A.TLIST", "b.tlist"}));

    state.m_strToolListFolder = folder.file("missing");
    EXPECT_TRUE(state.toolListFiles().empty());
}
