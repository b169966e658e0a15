#include "core/merge/OutputPath.h"

#include <gtest/gtest.h>

TEST(OutputPath, ExtensionFollowsTheOutputTypeAndTheRootFolderStaysTheRoot)
{
    const std::string first = "/jobs.d/part.Anc";
    const char* expected[] = {"", ".NC", ".i", ".ANC", ".MPF", ".Anc", ".x", ""};
    for (int type = 0; type < 8; ++type)
        EXPECT_EQ(outputExtension(type, first, ".x"), expected[type]) << type;
    EXPECT_EQ(outputExtension(5, "/jobs.d/O0004", ".x"), "");
    EXPECT_EQ(outputFilePath("/out", "merged", ".NC"), "/out/merged.NC");
    EXPECT_EQ(outputFilePath("", "merged", ""), "/merged");
}
