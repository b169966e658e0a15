#include "Settings.h"
#include "MemoryProfile.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const std::string kSection = "Settings";

std::int32_t storedInt(const MemoryProfile& profile, const std::string& key)
{
    const auto value = profile.value(kSection, key);
    EXPECT_TRUE(value && std::holds_alternative<std::int32_t>(*value)) << key;
    return value && std::holds_alternative<std::int32_t>(*value) ? std::get<std::int32_t>(*value)
                                                                 : 0;
}

std::string storedText(const MemoryProfile& profile, const std::string& key)
{
    const auto value = profile.value(kSection, key);
    EXPECT_TRUE(value && std::holds_alternative<std::string>(*value)) << key;
    return value && std::holds_alternative<std::string>(*value) ? std::get<std::string>(*value)
                                                                : std::string();
}

class SettingsTest : public ::testing::Test
{
protected:
    MemoryProfile profile;
    ProfileInstallation installation{profile};
};

} // namespace

TEST_F(SettingsTest, EmptyProfileGivesEveryDefault)
{
    const CSettings settings;
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "/";
    EXPECT_EQ(settings.ShellStartFolder, home);
    EXPECT_EQ(settings.FolderPath, home);
    EXPECT_EQ(settings.ShellFileFilter, "*.nc;*.i;*.cmd;*.NC;*.TAP;*.h");
    EXPECT_EQ(settings.DischargeRefFile, "");
    EXPECT_EQ(settings.ToolListName, "ToolList.tlist");
    EXPECT_EQ(settings.FANUCToolList, "ToolList.tlist");
    EXPECT_EQ(settings.HToolList, "ToolList.tlist");
    EXPECT_DOUBLE_EQ(settings.RoughOffset, 0.25);
    EXPECT_DOUBLE_EQ(settings.MidOffset, 0.1);
    EXPECT_DOUBLE_EQ(settings.FineOffset, 0.07);
    EXPECT_DOUBLE_EQ(settings.MVRZval, 50.0);
    EXPECT_DOUBLE_EQ(settings.MVRCenZval, 50.0);
    for (int flag : {settings.ToolAssyCheck, settings.AxisCheck, settings.ToolCheck,
                     settings.ExcelCheck, settings.PosCheck, settings.Del_Folder,
                     settings.ToolAssyType, settings.FANUCToolChange, settings.HToolChange})
        EXPECT_EQ(flag, 1);
    for (int flag : {settings.Open_Window, settings.Open_NCdata, settings.Del_FinalFolder,
                     settings.ItemNameType, settings.MachineType, settings.SIMENS, settings.PER_STR,
                     settings.DEL_UP, settings.DEL_BTM})
        EXPECT_EQ(flag, 0);
    EXPECT_EQ(settings.RowNum, 5);
    EXPECT_EQ(settings.ColumnNum, 8);
    EXPECT_EQ(settings.TableNum, 5);
    EXPECT_EQ(settings.LimitValue, 10000000);
    EXPECT_EQ(settings.OUTFILE, "");
    EXPECT_EQ(settings.OUTPATH, "");
    EXPECT_EQ(settings.EXTLIST, ".txt;.nc");
    EXPECT_EQ(settings.EXECOMBO, "xdg-open");
    EXPECT_EQ(settings.LOGOALPHA, 127);
    EXPECT_EQ(settings.TFONT_SIZE, 20);
    EXPECT_EQ(settings.First_Line, "16 ; *******************************");
    EXPECT_EQ(settings.End_Line, "17 FN 16: F-PRINT MOP-LIST.TXT / MILL-TIME.TXT");
    EXPECT_EQ(settings.m_nOutputType, 0);
    EXPECT_EQ(settings.m_strCustomExt, "");
}

TEST_F(SettingsTest, SavingARecordStoresAllKeysButTheTwoUnstoredFields)
{
    {
        CSettings settings;
        settings.m_nOutputType = 5;
        settings.m_strCustomExt = ".x";
    }
    EXPECT_EQ(profile.size(), 42u);
    EXPECT_FALSE(profile.value(kSection, "m_nOutputType"));
    EXPECT_FALSE(profile.value(kSection, "m_strCustomExt"));
    EXPECT_EQ(storedInt(profile, "RoughOffset"), 250);
    EXPECT_EQ(storedInt(profile, "MVRCenZval"), 50000);
    EXPECT_EQ(storedInt(profile, "LimitValue"), 10000000);
    EXPECT_EQ(storedText(profile, "EXTLIST"), ".txt;.nc");
    EXPECT_EQ(storedText(profile, "End_Line"), "17 FN 16: F-PRINT MOP-LIST.TXT / MILL-TIME.TXT");

    const CSettings fresh;
    EXPECT_EQ(fresh.m_nOutputType, 0);
    EXPECT_EQ(fresh.m_strCustomExt, "");
}

TEST_F(SettingsTest, StoredValuesComeBackUnchanged)
{
    profile.writeString(kSection, "OUTPATH", "D:\\출력\\NC");
    profile.writeInt(kSection, "DEL_UP", -3);
    profile.writeInt(kSection, "LimitValue", 2000000000);
    {
        CSettings settings;
        EXPECT_EQ(settings.OUTPATH, "D:\\출력\\NC");
        EXPECT_EQ(settings.DEL_UP, -3);
        EXPECT_EQ(settings.LimitValue, 2000000000);
    }
    EXPECT_EQ(storedText(profile, "OUTPATH"), "D:\\출력\\NC");
    EXPECT_EQ(storedInt(profile, "DEL_UP"), -3);
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
    // A loaded value is saved back as it was stored, all 32 bits of it.
    EXPECT_EQ(storedInt(profile, "RoughOffset"), -1);
    EXPECT_EQ(storedInt(profile, "MidOffset"), 4007);
    EXPECT_EQ(storedInt(profile, "FineOffset"), 0);
    EXPECT_EQ(storedInt(profile, "MVRZval"), 99);
    EXPECT_EQ(storedInt(profile, "MVRCenZval"), -2500);
}

TEST(SettingsThousandths, LoadingAndSavingNeverDrifts)
{
    // Values that 0.001 cannot represent exactly used to lose a thousandth on every save.
    for (std::uint32_t stored = 0; stored < 200000; ++stored)
        ASSERT_EQ(storedFromThousandths(thousandthsFromStored(stored)),
                  static_cast<std::int32_t>(stored));
    for (std::uint32_t stored = 4294900000u; stored != 0; ++stored)
        ASSERT_EQ(static_cast<std::uint32_t>(storedFromThousandths(thousandthsFromStored(stored))),
                  stored);
}

TEST_F(SettingsTest, FlagsReadAnyNonZeroValueAsOne)
{
    profile.writeInt(kSection, "SIMENS", 7);
    profile.writeInt(kSection, "PER_STR", -1);
    profile.writeInt(kSection, "ToolCheck", 7);
    {
        CSettings settings;
        EXPECT_EQ(settings.SIMENS, 1);
        EXPECT_EQ(settings.PER_STR, 1);
        EXPECT_EQ(settings.ToolCheck, 7);
    }
    EXPECT_EQ(storedInt(profile, "SIMENS"), 1);
    EXPECT_EQ(storedInt(profile, "PER_STR"), 1);
}

TEST_F(SettingsTest, AValueOfTheWrongTypeGivesTheDefault)
{
    profile.writeString(kSection, "TFONT_SIZE", "large");
    profile.writeInt(kSection, "EXECOMBO", 3);
    const CSettings settings;
    EXPECT_EQ(settings.TFONT_SIZE, 20);
    EXPECT_EQ(settings.EXECOMBO, "xdg-open");
}

TEST(SettingsWithoutProfile, LoadAndSaveFailAndChangeNothing)
{
    CSettings settings;
    EXPECT_EQ(settings.EXTLIST, "");
    settings.DEL_UP = 4;
    EXPECT_FALSE(settings.Load());
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(settings.DEL_UP, 4);
}

TEST(SharedSettings, OneRecordThatSavesWhenItsProfileEnds)
{
    MemoryProfile profile;
    {
        const ProfileInstallation installation(profile);
        CSettings& shared = GetSettings();
        EXPECT_EQ(&shared, &GetSettings());
        shared.DEL_BTM = 6;
        shared.m_nOutputType = 4;
    }
    EXPECT_EQ(storedInt(profile, "DEL_BTM"), 6);

    const ProfileInstallation again(profile);
    EXPECT_EQ(GetSettings().DEL_BTM, 6);
    EXPECT_EQ(GetSettings().m_nOutputType, 0);
}
