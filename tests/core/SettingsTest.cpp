#include "Settings.h"
#include "MemoryProfile.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const std::string kSection = "Settings";

MemoryProfile::Value stored(const MemoryProfile& profile, const std::string& key)
{
    return profile.value(kSection, key).value_or("<missing>");
}

class SettingsTest : public ::testing::Test
{
protected:
    MemoryProfile profile;
    ProfileInstallation installation{profile};
};

} // namespace

TEST_F(SettingsTest, AFirstSaveStoresEveryDefault)
{
    {
        const CSettings settings;
        EXPECT_DOUBLE_EQ(settings.RoughOffset, 0.25);
        EXPECT_DOUBLE_EQ(settings.MidOffset, 0.1);
        EXPECT_DOUBLE_EQ(settings.FineOffset, 0.07);
        EXPECT_DOUBLE_EQ(settings.MVRZval, 50.0);
        EXPECT_DOUBLE_EQ(settings.MVRCenZval, 50.0);
    }
    const std::string home = std::getenv("HOME");
    using V = MemoryProfile::Value;
    const std::map<std::string, V> defaults = {
        {"ShellStartFolder", home},
        {"ShellFileFilter", "*.nc;*.i;*.cmd;*.NC;*.TAP;*.h"},
        {"DischargeRefFile", ""},
        {"FolderPath", home},
        {"ToolListName", "ToolList.tlist"},
        {"FANUCToolList", "ToolList.tlist"},
        {"HToolList", "ToolList.tlist"},
        {"RoughOffset", 250},
        {"MidOffset", 100},
        {"FineOffset", 70},
        {"MVRZval", 50000},
        {"MVRCenZval", 50000},
        {"ToolAssyCheck", 1},
        {"AxisCheck", 1},
        {"ToolCheck", 1},
        {"ExcelCheck", 1},
        {"PosCheck", 1},
        {"Open_Window", 0},
        {"Open_NCdata", 0},
        {"Del_Folder", 1},
        {"Del_FinalFolder", 0},
        {"RowNum", 5},
        {"ColumnNum", 8},
        {"TableNum", 5},
        {"ItemNameType", 0},
        {"MachineType", 0},
        {"LimitValue", 10000000},
        {"ToolAssyType", 1},
        {"FANUCToolChange", 1},
        {"HToolChange", 1},
        {"SIMENS", 0},
        {"PER_STR", 0},
        {"DEL_UP", 0},
        {"DEL_BTM", 0},
        {"OUTFILE", ""},
        {"OUTPATH", ""},
        {"EXTLIST", ".txt;.nc"},
        {"EXECOMBO", "xdg-open"},
        {"LOGOALPHA", 127},
        {"TFONT_SIZE", 20},
        {"First_Line", "16 ; *******************************"},
        {"End_Line", "17 FN 16: F-PRINT MOP-LIST.TXT / MILL-TIME.TXT"},
    };
    ASSERT_EQ(defaults.size(), 42u);
    EXPECT_EQ(profile.size(), 42u);
    for (const auto& [key, value] : defaults)
        EXPECT_EQ(stored(profile, key), value) << key;
}

TEST_F(SettingsTest, RealValuesAreWholeThousandthsReadAsUnsigned)
{
    profile.writeInt(kSection, "RoughOffset", -1);
    profile.writeInt(kSection, "MidOffset", 4007);
    {
        CSettings settings;
        EXPECT_DOUBLE_EQ(settings.RoughOffset, 4294967.295);
        EXPECT_DOUBLE_EQ(settings.MidOffset, 4.007);
        settings.FineOffset = 0.0005;
        settings.MVRZval = 0.0999;
        settings.MVRCenZval = -2.5;
    }
    // What was loaded is saved back as it was stored, all 32 bits of it.
    EXPECT_EQ(stored(profile, "RoughOffset"), MemoryProfile::Value(-1));
    EXPECT_EQ(stored(profile, "MidOffset"), MemoryProfile::Value(4007));
    EXPECT_EQ(stored(profile, "FineOffset"), MemoryProfile::Value(0));
    EXPECT_EQ(stored(profile, "MVRZval"), MemoryProfile::Value(99));
    EXPECT_EQ(stored(profile, "MVRCenZval"), MemoryProfile::Value(-2500));
}

TEST(SettingsThousandths, LoadingAndSavingNeverDrifts)
{
    // Values that 0.001 cannot represent exactly used to lose a thousandth on every save.
    for (std::uint32_t value = 0; value < 200000; ++value)
        ASSERT_EQ(storedFromThousandths(thousandthsFromStored(value)), std::int32_t(value));
    for (std::uint32_t value = 4294900000u; value != 0; ++value)
        ASSERT_EQ(std::uint32_t(storedFromThousandths(thousandthsFromStored(value))), value);
}

TEST_F(SettingsTest, FlagsReadAsOneAndBadValuesAsTheDefault)
{
    profile.writeInt(kSection, "SIMENS", 7);
    profile.writeInt(kSection, "PER_STR", -1);
    profile.writeInt(kSection, "ToolCheck", 7);
    profile.writeString(kSection, "TFONT_SIZE", "large");
    profile.writeInt(kSection, "EXECOMBO", 3);
    {
        const CSettings settings;
        EXPECT_EQ(settings.SIMENS, 1);
        EXPECT_EQ(settings.PER_STR, 1);
        EXPECT_EQ(settings.ToolCheck, 7);
        EXPECT_EQ(settings.TFONT_SIZE, 20);
        EXPECT_EQ(settings.EXECOMBO, "xdg-open");
    }
    EXPECT_EQ(stored(profile, "SIMENS"), MemoryProfile::Value(1));
    EXPECT_EQ(stored(profile, "PER_STR"), MemoryProfile::Value(1));
}

TEST(SettingsWithoutProfile, LoadAndSaveFailAndChangeNothing)
{
    CSettings settings;
    settings.DEL_UP = 4;
    EXPECT_FALSE(settings.Load());
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(settings.DEL_UP, 4);
    EXPECT_EQ(settings.EXTLIST, "");
}

TEST(SharedSettings, OneRecordThatSavesWhenItsProfileEnds)
{
    MemoryProfile profile;
    {
        const ProfileInstallation installation(profile);
        EXPECT_EQ(&GetSettings(), &GetSettings());
        GetSettings().DEL_BTM = 6;
        GetSettings().m_nOutputType = 4;
    }
    EXPECT_EQ(stored(profile, "DEL_BTM"), MemoryProfile::Value(6));
    EXPECT_FALSE(profile.value(kSection, "m_nOutputType"));

    const ProfileInstallation again(profile);
    EXPECT_EQ(GetSettings().DEL_BTM, 6);
    EXPECT_EQ(GetSettings().m_nOutputType, 0);
}
