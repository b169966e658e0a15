#include "SplitPath.h"

#include <gtest/gtest.h>

namespace {

void expectSplit(const std::string& path, const std::string& folder, const std::string& name,
                 const std::string& extension)
{
    const SplitPathResult parts = SplitPath(path);
    EXPECT_EQ(parts.folder, folder) << path;
    EXPECT_EQ(parts.name, name) << path;
    EXPECT_EQ(parts.extension, extension) << path;
}

} // namespace

TEST(SplitPath, DotInFolderIsNoExtension)
{
    expectSplit("C:\\a.b\\c", "C:\\a.b", "c", "");
    expectSplit("/home/op/a.b/c", "/home/op/a.b", "c", "");
}

TEST(SplitPath, OnlyTheLastDotStartsTheExtension)
{
    expectSplit("d.tar.nc", "", "d.tar", ".nc");
    expectSplit("/jobs/O1000.NC", "/jobs", "O1000", ".NC");
}

TEST(SplitPath, TheLaterOfBothSeparatorsWins)
{
    expectSplit("C:/jobs\\part/op1.mpf", "C:/jobs\\part", "op1", ".mpf");
    expectSplit("C:\\jobs/part\\op1.mpf", "C:\\jobs/part", "op1", ".mpf");
}

TEST(SplitPath, EdgesOfTheName)
{
    expectSplit("/out.nc", "", "out", ".nc");
    expectSplit("/jobs/", "/jobs", "", "");
    expectSplit("/jobs/.nc", "/jobs", "", ".nc");
    expectSplit("", "", "", "");
}
