#include <gtest/gtest.h>

#include <zelmtools/display/DisplayMode.h>
#include <zelmtools/registry/RegItem.h>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"
#include "support/two_monitor_layout.h"

namespace {

const char kLeft[] = "\\\\.\\DISPLAY1";
const char kPrimary[] = "\\\\.\\DISPLAY2";

DEVMODEA Current(const char* adapter)
{
    CDisplayMode mode;
    mode.SetDeviceName(adapter);
    DEVMODEA current{};
    EXPECT_TRUE(mode.FillDevMode(&current)) << adapter;
    return current;
}

class DisplayModeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(layout.ready()) << "Xvfb with RandR could not be started";
        ASSERT_TRUE(key.CreateKey("Display"));
    }
    TempRegistry registry;
    TwoMonitorLayout layout;
    CRegItem key;
};

}  // namespace

TEST_F(DisplayModeTest, ListsTheDesktopAdaptersWithTheirMonitors)
{
    layout.randr().AddMonitor(0, "LEFT-PANEL", 1280, 0, 1280, 1024);
    CDisplayMode mode;
    CStringArray names, monitors, adapters;
    names.Add("stale");
    mode.GetDisplayDevices(names, monitors, adapters);
    ASSERT_EQ(names.GetSize(), 2);
    ASSERT_EQ(monitors.GetSize(), 2);
    ASSERT_EQ(adapters.GetSize(), 2);
    EXPECT_STREQ(names[0], kLeft);
    EXPECT_STREQ(names[1], kPrimary);
    EXPECT_STREQ(monitors[0], "LEFT-PANEL");
    EXPECT_STREQ(monitors[1], "screen");
    EXPECT_STREQ(adapters[0], "screen");
    // The object keeps the last adapter and its mode.
    EXPECT_STREQ(mode.GetDeviceName(), kPrimary);
    EXPECT_EQ(mode.GetDevMode()->dmPelsWidth, 1280u);
}

TEST_F(DisplayModeTest, SwitchesAModeAndRestoresTheSavedOne)
{
    CDisplayMode mode;
    mode.SetDeviceName(kPrimary);
    ASSERT_TRUE(mode.SaveDisplayMode());
    ASSERT_TRUE(mode.SetDisplayMode(1024, 768, 0, 75));
    DEVMODEA now = Current(kPrimary);
    EXPECT_EQ(now.dmPelsWidth, 1024u);
    EXPECT_EQ(now.dmPelsHeight, 768u);
    EXPECT_EQ(now.dmDisplayFrequency, 75u);
    EXPECT_EQ(mode.GetDevMode()->dmPelsWidth, 1280u) << "the saved mode stays";

    EXPECT_TRUE(mode.SetDisplayMode(0, 0, 0, 0)) << "the current mode again";
    EXPECT_EQ(layout.randr().Crtc(1).width, 1024u);

    ASSERT_TRUE(mode.RestoreDisplayMode());
    CrtcState crtc = layout.randr().Crtc(1);
    EXPECT_EQ(crtc.width, 1280u);
    EXPECT_EQ(crtc.height, 1024u);

    EXPECT_FALSE(mode.SetDisplayMode(1000, 700, 0, 0));
    EXPECT_FALSE(mode.SetDisplayMode(0, 0, 16, 0));
    mode.SetDeviceName("\\\\.\\DISPLAY7");
    EXPECT_FALSE(mode.SaveDisplayMode());
    EXPECT_FALSE(mode.SetDisplayMode(1024, 768, 0, 0));
}

TEST_F(DisplayModeTest, AnAdapterLeftOfThePrimaryKeepsItsRightEdge)
{
    CDisplayMode left;
    left.SetDeviceName(kLeft);
    ASSERT_EQ(Current(kLeft).dmPosition.x, -1280);
    ASSERT_TRUE(left.SetDisplayMode(1024, 768, 0, 0));
    DEVMODEA now = Current(kLeft);
    EXPECT_EQ(now.dmPosition.x, -1024);
    EXPECT_EQ(now.dmPosition.y, 0) << "top edge at 0 is not above the primary";
    EXPECT_EQ(layout.randr().Crtc(0).x, 1536) << "the right edge still meets the primary";

    // The primary itself (at 0) keeps its place.
    CDisplayMode primary;
    primary.SetDeviceName(kPrimary);
    EXPECT_FALSE(primary.SetDisplayMode(800, 600, 0, 0)) << "60 Hz is kept, and 800x600 has only 59";
    ASSERT_TRUE(primary.SetDisplayMode(800, 600, 0, 59));
    EXPECT_EQ(Current(kPrimary).dmPosition.x, 0);
    EXPECT_EQ(Current(kLeft).dmPosition.x, -1024);
}

TEST_F(DisplayModeTest, SaveStoresTheWantedValuesAsNumbersAndTheDevice)
{
    CDisplayMode mode;
    ASSERT_TRUE(mode.Save(&key, 0, 1, 0, 0));
    const std::pair<const char*, std::string> expected[] = {
        {"W", std::string("\0\0\0\0", 4)},
        {"H", std::string("\x00\x04\x00\x00", 4)},
        {"BPP", std::string("\0\0\0\0", 4)},
        {"F", std::string("\0\0\0\0", 4)},
    };
    for (const auto& [name, bytes] : expected) {
        DWORD type = 0;
        EXPECT_EQ(QueryBytes(key.GetHKEY(), name, &type), bytes) << name;
        EXPECT_EQ(type, REG_DWORD) << name;
    }
    DWORD type = 0;
    EXPECT_EQ(QueryBytes(key.GetHKEY(), "Device", &type), kLeft);
    EXPECT_EQ(type, REG_SZ);

    ASSERT_TRUE(mode.Save(&key, DWORD(800), DWORD(600), DWORD(32), DWORD(59)));
    EXPECT_EQ(QueryBytes(key.GetHKEY(), "F", &type), std::string("\x3b\0\0\0", 4));
    EXPECT_EQ(type, REG_DWORD);

    mode.SetDeviceName("\\\\.\\DISPLAY7");
    EXPECT_FALSE(mode.Save(&key, 1, 1, 1, 1)) << "no current mode to store";
}

TEST_F(DisplayModeTest, LoadAppliesTheStoredValuesToTheNamedAdapter)
{
    CDisplayMode mode;
    mode.SetDeviceName(kPrimary);
    ASSERT_TRUE(mode.Save(&key, DWORD(800), DWORD(600), DWORD(0), DWORD(59)));
    ASSERT_TRUE(mode.Load(&key));
    CrtcState crtc = layout.randr().Crtc(1);
    EXPECT_EQ(crtc.width, 800u);
    EXPECT_EQ(crtc.height, 600u);
    EXPECT_EQ(Current(kPrimary).dmDisplayFrequency, 59u);

    // All numbers 0: the current mode again.
    ASSERT_TRUE(mode.Save(&key, DWORD(0), DWORD(0), DWORD(0), DWORD(0)));
    EXPECT_TRUE(mode.Load(&key));
    EXPECT_EQ(layout.randr().Crtc(1).width, 800u);

    // Without "Device": the default name, no change.
    ASSERT_TRUE(mode.Save(&key, DWORD(1024), DWORD(768), DWORD(0), DWORD(0)));
    ASSERT_EQ(RegDeleteValueA(key.GetHKEY(), "Device"), ERROR_SUCCESS);
    EXPECT_FALSE(mode.Load(&key));
    EXPECT_STREQ(mode.GetDeviceName(), kLeft);
    EXPECT_EQ(layout.randr().Crtc(1).width, 800u);
    EXPECT_EQ(layout.randr().Crtc(0).width, 1280u);
}
