#include "core/plate/WorkOffsetTip.h"

#include <gtest/gtest.h>

// The names themselves are WorkOffset's; the tip carries them with the count.
TEST(WorkOffsetTip, NamesTheWorkOffsetAndCountsTheFiles)
{
    const WorkOffsetTip tip = workOffsetTip(6, {"1. a.NC", "2. b.NC"}, 0, 0);
    EXPECT_EQ(tip.workOffset, "G54.1P1");
    EXPECT_EQ(tip.files, 2u);
    EXPECT_EQ(workOffsetTip(306, {}, 0, 0).workOffset, "");
}

TEST(WorkOffsetTip, ListsTwentyEntriesAndCountsTheRest)
{
    std::vector<std::string> entries;
    for (int i = 1; i <= 25; ++i)
        entries.push_back(std::to_string(i) + ". f.NC");
    const WorkOffsetTip many = workOffsetTip(0, entries, 0, 0);
    EXPECT_EQ(many.files, 25u);
    EXPECT_EQ(many.listed, std::vector<std::string>(entries.begin(), entries.begin() + 20));
    EXPECT_EQ(many.unlisted, 5u);
    entries.resize(20);
    EXPECT_EQ(workOffsetTip(0, entries, 0, 0).listed, entries);
    EXPECT_EQ(workOffsetTip(0, entries, 0, 0).unlisted, 0u);
    EXPECT_TRUE(workOffsetTip(0, {}, 0, 0).listed.empty());
}
