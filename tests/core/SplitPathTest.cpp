#include "core/os/SplitPath.h"

#include <gtest/gtest.h>

#include <array>

TEST(SplitPath, FolderAtTheLastSeparatorOfEitherKindExtensionAtTheLastDotAfterIt)
{
    const std::vector<std::array<std::string, 4>> cases = {
        {"C:\\a.b\\c", "C:\\a.b", "c", ""},
        {"d.tar.nc", "", "d.tar", ".nc"},
        {"/jobs/O1000.NC", "/jobs", "O1000", ".NC"},
        {"C:/jobs\\part/op1.mpf", "C:/jobs\\part", "op1", ".mpf"},
        {"C:\\jobs/part\\op1.mpf", "C:\\jobs/part", "op1", ".mpf"},
        {"/out.nc", "", "out", ".nc"},
        {"/jobs/", "/jobs", "", ""},
        {"/jobs/.nc", "/jobs", "", ".nc"},
    };
    for (const auto& [path, folder, name, extension] : cases) {
        const SplitPathResult parts = SplitPath(path);
        EXPECT_EQ(parts.folder, folder) << path;
        EXPECT_EQ(parts.name, name) << path;
        EXPECT_EQ(parts.extension, extension) << path;
    }
}
