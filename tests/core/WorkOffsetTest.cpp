#include "core/nc/WorkOffset.h"

#include <gtest/gtest.h>

TEST(WorkOffset, NamesAreReadAsOperatorsAndScriptsWriteThem)
{
    const std::pair<const char*, const char*> read[] = {
        {"G54", "G54"},         {"g59", "G59"},
        {"G54.1P1", "G54.1P1"}, {"G54.1 P300", "G54.1P300"},
        {"g54.1p7", "G54.1P7"}, {"G505", "G505"},
        {"G599", "G599"}};
    for (const auto& [name, written] : read) {
        const std::optional<WorkOffset> offset = WorkOffset::fromName(name);
        ASSERT_TRUE(offset) << name;
        EXPECT_EQ(offset->name(), written);
    }
    for (const char* refused :
         {"", "G", "G53", "G60", "G54.1", "G54.1P0", "G54.1P301", "G504", "G600", "G54 ", "G54.2P1",
          "G54.1  P1", "H54", "G+54", "G54.1P-1", "G54.1P1x", "54"})
        EXPECT_FALSE(WorkOffset::fromName(refused)) << refused;
}

// Cells are named as their tips name them, and a cell past the last offset has none.
TEST(WorkOffset, CellsRunThroughTheOffsetsOfTheirNumbering)
{
    EXPECT_EQ(WorkOffset::ofCell(0, 0, 0)->name(), "G54");
    EXPECT_EQ(WorkOffset::ofCell(5, 0, 0)->name(), "G59");
    EXPECT_EQ(WorkOffset::ofCell(6, 0, 0)->name(), "G54.1P1");
    EXPECT_EQ(WorkOffset::ofCell(305, 0, 0)->name(), "G54.1P300");
    EXPECT_FALSE(WorkOffset::ofCell(306, 0, 0));
    EXPECT_EQ(WorkOffset::ofCell(0, 1, 0)->name(), "G511");
    EXPECT_EQ(WorkOffset::ofCell(88, 1, 0)->name(), "G599");
    EXPECT_FALSE(WorkOffset::ofCell(89, 1, 0));
    // Siemens mode with the other numbering names cells as the ISO rule does.
    EXPECT_EQ(WorkOffset::ofCell(7, 1, 1)->name(), "G54.1P2");
    EXPECT_FALSE(WorkOffset::ofCell(-1, 0, 0));
}
