#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <zelmtools/platform/display/display.h>
#include <zelmtools/platform/kernel/libraries.h>
#include <zelmtools/platform/kernel/resources.h>
#include <zelmtools/platform/registry/registry.h>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"
#include "support/two_monitor_layout.h"

namespace {

DISPLAY_DEVICEA Device(const char* adapter, DWORD index, BOOL* found = nullptr)
{
    DISPLAY_DEVICEA device{};
    device.cb = sizeof device;
    BOOL ok = EnumDisplayDevicesA(adapter, index, &device, 0);
    if (found) *found = ok;
    return device;
}

DEVMODEA Mode(const char* adapter, DWORD index, BOOL* found = nullptr)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    BOOL ok = EnumDisplaySettingsA(adapter, index, &mode);
    if (found) *found = ok;
    return mode;
}

DEVMODEA Wanted(DWORD width, DWORD height, DWORD frequency = 0)
{
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | (frequency != 0 ? DM_DISPLAYFREQUENCY : DWORD(0));
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmDisplayFrequency = frequency;
    return mode;
}

class DisplayPlatform : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(layout.ready()) << "Xvfb with RandR could not be started"; }
    TempRegistry registry;
    TwoMonitorLayout layout;
};

}  // namespace

TEST_F(DisplayPlatform, AdaptersAreTheOutputsInOrderWithFlagsIdentityAndMonitors)
{
    BOOL found = FALSE;
    DISPLAY_DEVICEA first = Device(nullptr, 0, &found);
    ASSERT_TRUE(found);
    DISPLAY_DEVICEA second = Device(nullptr, 1, &found);
    ASSERT_TRUE(found);
    Device(nullptr, 2, &found);
    EXPECT_FALSE(found);

    EXPECT_STREQ(first.DeviceName, "\\\\.\\DISPLAY1");
    EXPECT_STREQ(second.DeviceName, "\\\\.\\DISPLAY2");
    EXPECT_STREQ(first.DeviceString, "screen");
    EXPECT_EQ(first.StateFlags, DISPLAY_DEVICE_ATTACHED_TO_DESKTOP);
    EXPECT_EQ(second.StateFlags, DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE);
    EXPECT_STRNE(first.DeviceID, second.DeviceID);
    EXPECT_STREQ(Device(nullptr, 0).DeviceID, first.DeviceID) << "an output keeps its identity";

    DISPLAY_DEVICEA monitor = Device("\\\\.\\display2", 0, &found);  // names are matched without case
    ASSERT_TRUE(found);
    EXPECT_STREQ(monitor.DeviceName, "\\\\.\\DISPLAY2\\Monitor0");
    EXPECT_STREQ(monitor.DeviceString, "screen");
    Device("\\\\.\\DISPLAY2", 1, &found);
    EXPECT_FALSE(found);

    layout.randr().AddMonitor(1, "SIDE-PANEL", 0, 0, 1280, 1024);
    EXPECT_STREQ(Device("\\\\.\\DISPLAY2", 0).DeviceString, "SIDE-PANEL");
    Device("\\\\.\\DISPLAY3", 0, &found);
    EXPECT_FALSE(found);
}

TEST_F(DisplayPlatform, ShortDeviceRecordIsFilledOnlyAsFarAsItsSize)
{
    DISPLAY_DEVICEA device;
    std::memset(&device, 0x5A, sizeof device);
    device.cb = kDisplayDeviceShortSize;
    ASSERT_TRUE(EnumDisplayDevicesA(nullptr, 0, &device, 0));
    EXPECT_STREQ(device.DeviceName, "\\\\.\\DISPLAY1");
    EXPECT_EQ(static_cast<unsigned char>(device.DeviceID[0]), 0x5A);

    device.cb = kDisplayDeviceShortSize - 1;
    EXPECT_FALSE(EnumDisplayDevicesA(nullptr, 0, &device, 0));
    EXPECT_FALSE(EnumDisplayDevicesA(nullptr, 0, nullptr, 0));
}

TEST_F(DisplayPlatform, CurrentModeHasSizeDepthRefreshAndPositionRelativeToThePrimary)
{
    BOOL found = FALSE;
    DEVMODEA left = Mode("\\\\.\\DISPLAY1", ENUM_CURRENT_SETTINGS, &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(left.dmPelsWidth, 1280u);
    EXPECT_EQ(left.dmPelsHeight, 1024u);
    EXPECT_EQ(left.dmBitsPerPel, 32u);
    EXPECT_EQ(left.dmDisplayFrequency, 60u);
    EXPECT_EQ(left.dmPosition.x, -1280);
    EXPECT_EQ(left.dmPosition.y, 0);
    EXPECT_TRUE(left.dmFields & DM_POSITION);
    EXPECT_EQ(left.dmSize, sizeof(DEVMODEA));
    EXPECT_EQ(left.dmSpecVersion, DM_SPECVERSION);

    DEVMODEA primary = Mode(nullptr, ENUM_CURRENT_SETTINGS, &found);
    ASSERT_TRUE(found) << "no name is the primary display";
    EXPECT_EQ(primary.dmPosition.x, 0);

    // Modes by number: the test's modes with their refresh rates cut to whole hertz.
    bool cut = false;
    DWORD count = 0;
    for (DEVMODEA mode; (mode = Mode("\\\\.\\DISPLAY1", count, &found)), found; ++count)
        cut = cut || (mode.dmPelsWidth == 800u && mode.dmDisplayFrequency == 59u);
    EXPECT_TRUE(cut);
    EXPECT_EQ(count, 5u) << "the server's own mode and the four added";
}

TEST_F(DisplayPlatform, ModeRecordSizeIsCheckedAndRespected)
{
    DEVMODEA mode{};
    mode.dmSize = 100;
    EXPECT_FALSE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_FALSE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, nullptr));

    std::memset(&mode, 0x5A, sizeof mode);
    mode.dmSize = 124;  // up to dmDisplayFrequency
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmDisplayFrequency, 60u);
    EXPECT_EQ(mode.dmICMMethod, 0x5A5A5A5Au) << "nothing written past dmSize";
}

TEST_F(DisplayPlatform, SwitchingChangesTheCrtcAndTestOnlyChecks)
{
    DEVMODEA wanted = Wanted(1024, 768, 75);
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY2", &wanted, nullptr, CDS_TEST, nullptr), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(layout.randr().Crtc(1).width, 1280u) << "CDS_TEST changes nothing";

    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY2", &wanted, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
    CrtcState crtc = layout.randr().Crtc(1);
    EXPECT_EQ(crtc.width, 1024u);
    EXPECT_EQ(crtc.height, 768u);
    DEVMODEA now = Mode("\\\\.\\DISPLAY2", ENUM_CURRENT_SETTINGS);
    EXPECT_EQ(now.dmDisplayFrequency, 75u);

    // No frequency given: the size alone chooses.
    DEVMODEA back = Wanted(1280, 1024);
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY2", &back, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(layout.randr().Crtc(1).width, 1280u);
}

TEST_F(DisplayPlatform, RefusedChangesSayWhyAndChangeNothing)
{
    DEVMODEA unknownSize = Wanted(1000, 700);
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &unknownSize, nullptr, 0, nullptr), DISP_CHANGE_BADMODE);
    DEVMODEA unknownRate = Wanted(1024, 768, 85);
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &unknownRate, nullptr, 0, nullptr), DISP_CHANGE_BADMODE);
    DEVMODEA depth = Wanted(1024, 768);
    depth.dmFields |= DM_BITSPERPEL;
    depth.dmBitsPerPel = 16;
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &depth, nullptr, 0, nullptr), DISP_CHANGE_BADMODE);

    DEVMODEA fine = Wanted(1024, 768);
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY9", &fine, nullptr, 0, nullptr), DISP_CHANGE_BADPARAM);
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", nullptr, nullptr, 0, nullptr), DISP_CHANGE_BADPARAM);
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &fine, nullptr, CDS_NORESET, nullptr), DISP_CHANGE_BADFLAGS);
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &fine, nullptr, CDS_GLOBAL, nullptr), DISP_CHANGE_BADFLAGS);

    // Beyond what the X screen can ever hold.
    DEVMODEA far = Wanted(1280, 1024);
    far.dmFields |= DM_POSITION;
    far.dmPosition = POINTL{-4000, 0};
    EXPECT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &far, nullptr, 0, nullptr), DISP_CHANGE_FAILED);

    CrtcState crtc = layout.randr().Crtc(0);
    EXPECT_EQ(crtc.x, 1280);
    EXPECT_EQ(crtc.width, 1280u);
}

TEST_F(DisplayPlatform, PositionsAreTakenRelativeToThePrimaryAndTheScreenGrows)
{
    // Screen 0 shrunk to just the monitor: moving the monitor right needs it wider again.
    layout.randr().SetCrtc(0, layout.mode(1), 0, 0);
    layout.randr().SetScreenSize(0, 1024, 768);
    ASSERT_EQ(layout.randr().ScreenWidth(0), 1024);

    DEVMODEA moved = Wanted(1024, 768);
    moved.dmFields |= DM_POSITION;
    moved.dmPosition = POINTL{-1024, 100};  // the primary now starts at 1024 on the desktop
    ASSERT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &moved, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
    EXPECT_EQ(layout.randr().Crtc(0).y, 100);

    moved.dmPelsWidth = 1280;
    moved.dmPelsHeight = 1024;
    moved.dmPosition = POINTL{-1280 + 256, 0};
    ASSERT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &moved, nullptr, 0, nullptr), DISP_CHANGE_SUCCESSFUL);
    CrtcState crtc = layout.randr().Crtc(0);
    EXPECT_EQ(crtc.x, 0);
    EXPECT_EQ(crtc.width, 1280u);
    EXPECT_GE(layout.randr().ScreenWidth(0), 1280);
}

TEST_F(DisplayPlatform, UpdateRegistryKeepsTheModeInTheStore)
{
    BOOL found = TRUE;
    Mode("\\\\.\\DISPLAY1", ENUM_REGISTRY_SETTINGS, &found);
    EXPECT_FALSE(found) << "nothing kept yet";

    DEVMODEA wanted = Wanted(1024, 768, 60);
    ASSERT_EQ(ChangeDisplaySettingsExA("\\\\.\\DISPLAY1", &wanted, nullptr, CDS_UPDATEREGISTRY, nullptr),
              DISP_CHANGE_SUCCESSFUL);
    DEVMODEA kept = Mode("\\\\.\\DISPLAY1", ENUM_REGISTRY_SETTINGS, &found);
    ASSERT_TRUE(found);
    EXPECT_EQ(kept.dmPelsWidth, 1024u);
    EXPECT_EQ(kept.dmPelsHeight, 768u);
    EXPECT_EQ(kept.dmDisplayFrequency, 60u);
    EXPECT_EQ(kept.dmPosition.x, -1280);

    std::string path = std::string("System\\CurrentControlSet\\Control\\Video\\") + Device(nullptr, 0).DeviceID;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_CONFIG, path.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(QueryBytes(key, "DefaultSettings.XResolution", &type), std::string("\x00\x04\x00\x00", 4));
    EXPECT_EQ(type, REG_DWORD);
    RegCloseKey(key);
}

TEST_F(DisplayPlatform, User32NamesResolveToThesePlatformCalls)
{
    for (const char* name : {"USER32", "User32.DLL", "user32.dll"}) {
        HMODULE library = LoadLibraryA(name);
        ASSERT_NE(library, nullptr) << name;
        EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library, "EnumDisplayDevicesA")),
                  reinterpret_cast<void*>(&EnumDisplayDevicesA));
        EXPECT_TRUE(FreeLibrary(library));
    }
    HMODULE loaded = GetModuleHandleA("USER32");
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(loaded, "ChangeDisplaySettingsExA")),
              reinterpret_cast<void*>(&ChangeDisplaySettingsExA));
    EXPECT_EQ(LoadLibraryA("USER33"), nullptr);
}

TEST(DisplayPlatformWithoutServer, CallsFailAsWithoutAdapters)
{
    TempRegistry registry;
    for (const char* display : {"", ":97"}) {  // no DISPLAY; a display nobody serves
        if (*display)
            setenv("DISPLAY", display, 1);
        else
            unsetenv("DISPLAY");
        BOOL found = TRUE;
        Device(nullptr, 0, &found);
        EXPECT_FALSE(found) << display;
        Mode(nullptr, ENUM_CURRENT_SETTINGS, &found);
        EXPECT_FALSE(found) << display;
        DEVMODEA wanted = Wanted(1024, 768);
        EXPECT_EQ(ChangeDisplaySettingsExA(nullptr, &wanted, nullptr, 0, nullptr), DISP_CHANGE_BADPARAM) << display;
    }
    unsetenv("DISPLAY");
}
