#include "core/WorkOffsetTip.h"

#include <gtest/gtest.h>

TEST(WorkOffsetTip, TitleNamesTheWorkOffsetByTheNumberingRule)
{
    const std::vector<std::string> entries = {"1. a.NC", "2. b.NC"};
    EXPECT_EQ(workOffsetTip(0, entries, 0, 0).title, "번호: G54 (2 files)");
    EXPECT_EQ(workOffsetTip(5, {}, 0, 1).title, "번호: G59 (0 files)");
    EXPECT_EQ(workOffsetTip(6, {}, 0, 0).title, "번호: G54.1P1 (0 files)");
    EXPECT_EQ(workOffsetTip(0, {}, 1, 0).title, "번호: G511 (0 files)");
    EXPECT_EQ(workOffsetTip(6, {}, 1, 1).title, "번호: G54.1P1 (0 files)");
}

TEST(WorkOffsetTip, BodyListsTwentyEntriesAndCountsTheRest)
{
    std::vector<std::string> entries;
    std::string twenty;
    for (int i = 1; i <= 25; ++i) {
        entries.push_back(std::to_string(i) + ". f.NC");
        if (i <= 20)
            twenty += (i > 1 ? "\n" : "") + entries.back();
    }
    EXPECT_EQ(workOffsetTip(0, entries, 0, 0).body, twenty + "\n\nMore 5 files...");
    entries.resize(20);
    EXPECT_EQ(workOffsetTip(0, entries, 0, 0).body, twenty);
    EXPECT_EQ(workOffsetTip(0, {}, 0, 0).body, "");
}
