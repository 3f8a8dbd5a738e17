#include <gtest/gtest.h>

#include <zelmtools/display/DisplaySettings.h>
#include <zelmtools/registry/RegItem.h>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"

namespace {

class DisplaySettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(key.CreateKey("Settings")); }
    TempRegistry registry;
    CRegItem key;
};

CDisplaySettings Changed()
{
    CDisplaySettings settings;
    settings.m_strDisplayName = "\\\\.\\DISPLAY2";
    settings.m_bChangeResolution = 1;
    settings.m_lDisplayWidth = 1024;
    settings.m_lDisplayHeight = 768;
    settings.m_lUserDisplayWidth = 1920;
    settings.m_lUserDisplayHeight = -1080;  // signed values keep their sign
    settings.m_nFontSize = -13;
    return settings;
}

void ExpectSame(const CDisplaySettings& a, const CDisplaySettings& b)
{
    EXPECT_STREQ(a.m_strDisplayName, b.m_strDisplayName);
    EXPECT_EQ(a.m_bChangeResolution, b.m_bChangeResolution);
    EXPECT_EQ(a.m_lDisplayWidth, b.m_lDisplayWidth);
    EXPECT_EQ(a.m_lDisplayHeight, b.m_lDisplayHeight);
    EXPECT_EQ(a.m_lUserDisplayWidth, b.m_lUserDisplayWidth);
    EXPECT_EQ(a.m_lUserDisplayHeight, b.m_lUserDisplayHeight);
    EXPECT_EQ(a.m_nFontSize, b.m_nFontSize);
}

}  // namespace

TEST_F(DisplaySettingsTest, DefaultsAndCopies)
{
    CDisplaySettings settings;
    EXPECT_STREQ(settings.m_strDisplayName, "");
    EXPECT_EQ(settings.m_bChangeResolution, 0);
    EXPECT_EQ(settings.m_lDisplayWidth, 0);
    EXPECT_EQ(settings.m_lDisplayHeight, 0);
    EXPECT_EQ(settings.m_lUserDisplayWidth, 800);
    EXPECT_EQ(settings.m_lUserDisplayHeight, 600);
    EXPECT_NE(settings.m_nFontSize, 0) << "the default interface font's height";

    CDisplaySettings changed = Changed();
    CDisplaySettings copy(changed);
    ExpectSame(copy, changed);
    copy.Default();
    ExpectSame(copy, settings);
    copy = changed;
    ExpectSame(copy, changed);
}

TEST_F(DisplaySettingsTest, SaveWritesEveryValueWithItsTypeAndLoadReproducesThem)
{
    CDisplaySettings saved = Changed();
    EXPECT_EQ(saved.Save(&key), 1);
    const std::tuple<const char*, DWORD, std::string> expected[] = {
        {"DisplayName", REG_SZ, "\\\\.\\DISPLAY2"},
        {"ChangeResolution", REG_BINARY, std::string("\x01\0\0\0", 4)},
        {"DisplayWidth", REG_DWORD, std::string("\x00\x04\0\0", 4)},
        {"DisplayHeight", REG_DWORD, std::string("\x00\x03\0\0", 4)},
        {"UserDisplayWidth", REG_DWORD, std::string("\x80\x07\0\0", 4)},
        {"UserDisplayHeight", REG_DWORD, std::string("\xC8\xFB\xFF\xFF", 4)},
        {"FontSize", REG_BINARY, std::string("\xF3\xFF\xFF\xFF", 4)},
    };
    for (const auto& [name, type, bytes] : expected) {
        DWORD stored = 0;
        EXPECT_EQ(QueryBytes(key.GetHKEY(), name, &stored), bytes) << name;
        EXPECT_EQ(stored, type) << name;
    }
    CDisplaySettings loaded;
    EXPECT_EQ(loaded.Load(&key), 1);
    ExpectSame(loaded, saved);
}

TEST_F(DisplaySettingsTest, MissingValuesKeepTheMembersAndFailTheLoad)
{
    CDisplaySettings loaded;
    const CDisplaySettings defaults;
    EXPECT_EQ(loaded.Load(&key), 0);
    ExpectSame(loaded, defaults);

    CDisplaySettings saved = Changed();
    saved.Save(&key);
    ASSERT_EQ(RegDeleteValueA(key.GetHKEY(), "FontSize"), ERROR_SUCCESS);
    EXPECT_EQ(loaded.Load(&key), 0);
    CDisplaySettings expected = saved;
    expected.m_nFontSize = defaults.m_nFontSize;
    ExpectSame(loaded, expected);
}
