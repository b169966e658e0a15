#include "OutputPath.h"

#include <gtest/gtest.h>

TEST(OutputPath, ExtensionFollowsTheOutputType)
{
    const std::string first = "/jobs/part.Anc";
    EXPECT_EQ(outputExtension(1, first, ".x"), ".NC");
    EXPECT_EQ(outputExtension(2, first, ".x"), ".i");
    EXPECT_EQ(outputExtension(3, first, ".x"), ".ANC");
    EXPECT_EQ(outputExtension(4, first, ".x"), ".MPF");
    EXPECT_EQ(outputExtension(5, first, ".x"), ".Anc");
    EXPECT_EQ(outputExtension(5, "/jobs.d/O0004", ".x"), "");
    EXPECT_EQ(outputExtension(6, first, ".x"), ".x");
    EXPECT_EQ(outputExtension(6, first, ""), "");
    EXPECT_EQ(outputExtension(0, first, ".x"), "");
    EXPECT_EQ(outputExtension(7, first, ".x"), "");
}

TEST(OutputPath, JoinsFolderNameAndExtension)
{
    EXPECT_EQ(outputFilePath("/out", "merged", ".NC"), "/out/merged.NC");
    // The root folder splits off as an empty folder and must come back as the root.
    EXPECT_EQ(outputFilePath("", "merged", ""), "/merged");
}
