#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace {

TEST(Zelmfolder, HelpAndUsageErrors)
{
    ToolResult help = RunProgram(ZELMFOLDER_PATH, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("Usage: zelmfolder"), std::string::npos);
    ToolResult bad = RunProgram(ZELMFOLDER_PATH, {"--colour", "red"});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("unexpected argument '--colour'"), std::string::npos) << bad.output;
    EXPECT_EQ(RunProgram(ZELMFOLDER_PATH, {"/a", "/b"}).exitCode, 2);
}

TEST(Zelmfolder, ScreenshotOfTheBrowserIsAPng)
{
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "Выходная папка");
    const std::string picture = dir.file("browser.png");
    ToolResult shot = RunProgram(ZELMFOLDER_PATH, {"--screenshot", picture, (dir.path() / "Выходная папка").string()},
                                 [] { setenv("QT_QPA_PLATFORM", "offscreen", 1); });
    EXPECT_EQ(shot.exitCode, 0) << shot.output;
    std::ifstream file(picture, std::ios::binary);
    std::string signature(8, '\0');
    file.read(signature.data(), 8);
    EXPECT_EQ(signature, "\x89PNG\r\n\x1a\n");

    ToolResult unwritable = RunProgram(ZELMFOLDER_PATH, {"--screenshot", dir.file("missing/browser.png")},
                                       [] { setenv("QT_QPA_PLATFORM", "offscreen", 1); });
    EXPECT_EQ(unwritable.exitCode, 3) << unwritable.output;
}

}  // namespace
