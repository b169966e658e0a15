#include "core/settings/Settings.h"
#include "core/settings/MemoryProfile.h"

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

TEST_F(SettingsTest, AFirstStartStoresDefaultsThatTheNextStartReadsBackUnchanged)
{
    {
        const CSettings firstStart;
    }
#ifndef _WIN32
    // Off Windows the program's own folders do not exist: the user's home takes their place.
    const MemoryProfile::Value home = std::string(std::getenv("HOME"));
    EXPECT_EQ(stored(profile, "ShellStartFolder"), home);
    EXPECT_EQ(stored(profile, "FolderPath"), home);
#endif

    CSettings nextStart;
    MemoryProfile resaved;
    const ProfileInstallation into(resaved);
    EXPECT_TRUE(nextStart.Save());
    EXPECT_EQ(resaved, profile);
    EXPECT_GT(resaved.size(), 40u);
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
        MemoryProfile empty;
        const ProfileInstallation fresh(empty);
        const CSettings defaults;
        EXPECT_EQ(settings.TFONT_SIZE, defaults.TFONT_SIZE);
        EXPECT_EQ(settings.EXECOMBO, defaults.EXECOMBO);
    }
    EXPECT_EQ(stored(profile, "SIMENS"), MemoryProfile::Value(1));
    EXPECT_EQ(stored(profile, "PER_STR"), MemoryProfile::Value(1));
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
