#include <gtest/gtest.h>

#include <zelmtools/display/DisplayLayout.h>
#include <zelmtools/display/DisplayMode.h>
#include <zelmtools/registry/RegItem.h>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"
#include "support/two_monitor_layout.h"

namespace {

class DisplayLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(layout.ready()) << "Xvfb with RandR could not be started";
        ASSERT_TRUE(key.CreateKey("Layout"));
        ASSERT_EQ(snapshot.Save(&key), 0);
    }
    // The change bits, or the failing result code shifted out of their way.
    long Check()
    {
        DWORD changes = 0xDEAD;
        LONG result = snapshot.CheckUp(&key, &changes);
        return result == 0 ? long(changes) : long(result) * 1000;
    }
    TempRegistry registry;
    TwoMonitorLayout layout;
    CRegItem key;
    CDisplayLayout snapshot;
};

}  // namespace

TEST_F(DisplayLayoutTest, SnapshotHoldsEveryAdapterValueWithItsType)
{
    std::vector<std::pair<std::string, DWORD>> expected = {{"DisplayDevicesNum", REG_DWORD}};
    for (const char* n : {"0", "1"}) {
        for (const char* name : {"StateFlags", "DEVMODE.dmPelsWidth", "DEVMODE.dmPelsHeight", "DEVMODE.dmBitsPerPel",
                                 "DEVMODE.dmDisplayFrequency", "DEVMODE.dmPosition.x", "DEVMODE.dmPosition.y"})
            expected.emplace_back(std::string(name) + n, REG_DWORD);
        expected.emplace_back(std::string("DeviceName") + n, REG_SZ);
        expected.emplace_back(std::string("DeviceID") + n, REG_SZ);
    }
    for (const auto& [name, type] : expected) {
        DWORD stored = 0;
        QueryBytes(key.GetHKEY(), name.c_str(), &stored);
        EXPECT_EQ(stored, type) << name;
    }
    DWORD type = 0;
    EXPECT_EQ(QueryBytes(key.GetHKEY(), "DisplayDevicesNum", &type), std::string("\x02\0\0\0", 4));
    EXPECT_EQ(QueryBytes(key.GetHKEY(), "DEVMODE.dmPosition.x0", &type), std::string("\x00\xFB\xFF\xFF", 4));
    EXPECT_EQ(QueryBytes(key.GetHKEY(), "DeviceName1", &type), "\\\\.\\DISPLAY2");
    EXPECT_EQ(QueryBytes(key.GetHKEY(), "StateFlags1", &type), std::string("\x05\0\0\0", 4));
}

TEST_F(DisplayLayoutTest, CheckUpReportsWhatChanged)
{
    EXPECT_EQ(Check(), 0);

    CDisplayMode primary;
    primary.SetDeviceName("\\\\.\\DISPLAY2");
    ASSERT_TRUE(primary.SetDisplayMode(1024, 768, 0, 0));
    EXPECT_EQ(Check(), DISPLAY_LAYOUT_SIZE);
    ASSERT_TRUE(primary.SetDisplayMode(1280, 1024, 0, 0));
    EXPECT_EQ(Check(), 0);

    // The left monitor moved further left (its right edge no longer meets the primary).
    layout.randr().SetCrtc(0, layout.mode(0), 1000, 0);
    EXPECT_EQ(Check(), DISPLAY_LAYOUT_POSITION);
}

TEST_F(DisplayLayoutTest, RefreshRateAloneIsItsOwnBit)
{
    CDisplayMode primary;
    primary.SetDeviceName("\\\\.\\DISPLAY2");
    ASSERT_TRUE(primary.SetDisplayMode(1024, 768, 0, 60));
    ASSERT_EQ(snapshot.Save(&key), 0);
    ASSERT_TRUE(primary.SetDisplayMode(0, 0, 0, 75));
    EXPECT_EQ(Check(), DISPLAY_LAYOUT_FREQUENCY);
}

TEST_F(DisplayLayoutTest, StoredCountAndIdentityDifferences)
{
    // A snapshot taken with three adapters: now there are fewer.
    ASSERT_TRUE(key.SetValue("DisplayDevicesNum", DWORD(3)));
    EXPECT_EQ(Check(), DISPLAY_LAYOUT_COUNT);

    // One adapter stored: the second is still compared, and its values are there.
    ASSERT_TRUE(key.SetValue("DisplayDevicesNum", DWORD(1)));
    EXPECT_EQ(Check(), DISPLAY_LAYOUT_COUNT);
    ASSERT_TRUE(key.SetValue("DisplayDevicesNum", DWORD(2)));

    ASSERT_TRUE(key.SetValue("DeviceName0", "\\\\.\\display1"));
    EXPECT_EQ(Check(), 0) << "names are compared without case";
    ASSERT_TRUE(key.SetValue("DeviceID1", "RANDR\\ELSEWHERE"));
    ASSERT_TRUE(key.SetValue("StateFlags1", DWORD(1)));
    EXPECT_EQ(Check(), DISPLAY_LAYOUT_DEVICE_ID | DISPLAY_LAYOUT_STATE_FLAGS);
}

TEST_F(DisplayLayoutTest, MissingValuesAndEmptyKeys)
{
    CRegItem empty;
    ASSERT_TRUE(empty.CreateKey("Empty"));
    DWORD changes = 0xDEAD;
    EXPECT_EQ(snapshot.CheckUp(&empty, &changes), -4);
    EXPECT_EQ(changes, 0xDEADu) << "untouched on failure";

    ASSERT_EQ(RegDeleteValueA(key.GetHKEY(), "DEVMODE.dmPosition.y1"), ERROR_SUCCESS);
    EXPECT_EQ(Check(), -4000);

    // Flags missing for an adapter: counted as not mirroring, the rest still compared.
    ASSERT_EQ(snapshot.Save(&key), 0);
    ASSERT_EQ(RegDeleteValueA(key.GetHKEY(), "StateFlags0"), ERROR_SUCCESS);
    EXPECT_EQ(Check(), 0);
}

TEST(DisplayLayoutWithoutServer, NoAdapterAtAll)
{
    TempRegistry registry;
    unsetenv("DISPLAY");
    CRegItem key;
    ASSERT_TRUE(key.CreateKey("Layout"));
    CDisplayLayout snapshot;
    EXPECT_EQ(snapshot.Save(&key), -3);
    EXPECT_EQ(key.GetType("DisplayDevicesNum"), 0) << "nothing written";
    ASSERT_TRUE(key.SetValue("DisplayDevicesNum", DWORD(2)));
    DWORD changes = 0xDEAD;
    EXPECT_EQ(snapshot.CheckUp(&key, &changes), -3);
    EXPECT_EQ(changes, 0xDEADu);

    CDisplayMode mode;
    CStringArray names, monitors, adapters;
    mode.GetDisplayDevices(names, monitors, adapters);
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_FALSE(mode.SaveDisplayMode());
    EXPECT_FALSE(mode.SetDisplayMode(800, 600, 0, 0));
}

TEST(DisplayLayoutAcrossServers, FewerAdaptersThanInTheSnapshot)
{
    TempRegistry registry;
    CRegItem key;
    ASSERT_TRUE(key.CreateKey("Layout"));
    {
        TwoMonitorLayout two;
        ASSERT_TRUE(two.ready());
        ASSERT_EQ(CDisplayLayout().Save(&key), 0);
    }
    XvfbServer one({"1280x1024x24"});
    ASSERT_TRUE(one.ready());
    DWORD changes = 0;
    ASSERT_EQ(CDisplayLayout().CheckUp(&key, &changes), 0);
    EXPECT_TRUE(changes & DISPLAY_LAYOUT_COUNT);
    EXPECT_TRUE(changes & DISPLAY_LAYOUT_POSITION) << "the one monitor left is now the primary, at 0";
}
