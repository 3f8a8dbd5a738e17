#include <gtest/gtest.h>

#include "support/registry_helpers.h"
#include "support/run_program.h"
#include "support/temp_registry.h"
#include "support/two_monitor_layout.h"

namespace {

ToolResult RunZelmdisplay(const std::vector<std::string>& args)
{
    return RunProgram(ZELMDISPLAY_PATH, args);
}

class ZelmdisplayTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(layout.ready()) << "Xvfb with RandR could not be started"; }
    TempRegistry registry;
    TwoMonitorLayout layout;
};

}  // namespace

TEST_F(ZelmdisplayTest, ListShowsAdaptersMonitorsAndCurrentModes)
{
    layout.randr().AddMonitor(0, "LEFT-PANEL", 1280, 0, 1280, 1024);
    ToolResult result = RunZelmdisplay({"list"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output,
              "\\\\.\\DISPLAY1  screen  (on the desktop)\n"
              "    id: RANDR\\SCREEN0\\screen\n"
              "    monitor \\\\.\\DISPLAY1\\Monitor0: LEFT-PANEL\n"
              "    current: 1280x1024, 32 bits, 60 Hz at (-1280, 0)\n"
              "\\\\.\\DISPLAY2  screen  (on the desktop, primary)\n"
              "    id: RANDR\\SCREEN1\\screen\n"
              "    monitor \\\\.\\DISPLAY2\\Monitor0: screen\n"
              "    current: 1280x1024, 32 bits, 60 Hz at (0, 0)\n");

    result = RunZelmdisplay({"list", "--modes"});
    EXPECT_NE(result.output.find("    mode 4: 800x600, 32 bits, 59 Hz\n"), std::string::npos) << result.output;
}

TEST_F(ZelmdisplayTest, SaveLoadSnapshotAndCheck)
{
    const std::string modeKey = "HKCU\\Software\\Test\\Mode";
    ToolResult result =
        RunZelmdisplay({"save", modeKey, "--device", "\\\\.\\DISPLAY2", "--mode", "1024", "768", "0", "75"});
    ASSERT_EQ(result.exitCode, 0) << result.output;

    const std::string layoutKey = "HKCU\\Software\\Test\\Layout";
    ASSERT_EQ(RunZelmdisplay({"snapshot", layoutKey}).exitCode, 0);
    result = RunZelmdisplay({"check", layoutKey});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "unchanged\n");

    result = RunZelmdisplay({"load", modeKey});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, "\\\\.\\DISPLAY2 is now 1024x768, 32 bits, 75 Hz\n");
    EXPECT_EQ(layout.randr().Crtc(1).width, 1024u);

    result = RunZelmdisplay({"check", layoutKey});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.output, "changed (80): size (16) refresh rate (64)\n");

    // Only some of the current values: the others are stored as 0.
    ASSERT_EQ(RunZelmdisplay({"save", modeKey, "--only", "width,refresh"}).exitCode, 0);
    HKEY key = CreateTestKey("Software\\Test\\Mode");
    EXPECT_EQ(QueryBytes(key, "W"), std::string("\x00\x05\0\0", 4));
    EXPECT_EQ(QueryBytes(key, "H"), std::string("\0\0\0\0", 4));
    EXPECT_EQ(QueryBytes(key, "F"), std::string("\x3c\0\0\0", 4));
    EXPECT_EQ(QueryBytes(key, "Device"), "\\\\.\\DISPLAY1");
    RegCloseKey(key);
}

TEST_F(ZelmdisplayTest, ClearErrors)
{
    const std::vector<std::pair<std::vector<std::string>, int>> cases = {
        {{}, 2},
        {{"frobnicate"}, 2},
        {{"save"}, 2},
        {{"save", "Software\\X"}, 2},
        {{"save", "HKCU\\X", "--only", "width,colour"}, 2},
        {{"save", "HKCU\\X", "--mode", "1024", "768", "-1", "0"}, 2},
        {{"save", "HKCU\\X", "--device", "\\\\.\\DISPLAY9"}, 1},
        {{"check", "HKCU\\Software\\Nothing"}, 1},
        {{"load", "HKCU\\Software\\Nothing"}, 1},
    };
    for (const auto& [args, code] : cases) {
        ToolResult result = RunZelmdisplay(args);
        EXPECT_EQ(result.exitCode, code) << (args.empty() ? "" : args[0]) << ": " << result.output;
        EXPECT_EQ(result.output.rfind("zelmdisplay: ", 0), 0u) << result.output;
    }
    CreateTestKey("Software\\Empty");
    ToolResult result = RunZelmdisplay({"check", "HKCU\\Software\\Empty"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("no complete layout snapshot"), std::string::npos) << result.output;

    result = RunZelmdisplay({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.output.find("zelmdisplay check KEY"), std::string::npos);
}

TEST(ZelmdisplayWithoutServer, SaysThereIsNoDisplay)
{
    TempRegistry registry;
    ToolResult result = RunProgram(ZELMDISPLAY_PATH, {"list"}, [] { unsetenv("DISPLAY"); });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("no display adapters"), std::string::npos) << result.output;
    result = RunProgram(ZELMDISPLAY_PATH, {"snapshot", "HKCU\\Software\\Layout"}, [] { setenv("DISPLAY", ":97", 1); });
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("no display adapters"), std::string::npos) << result.output;
}
