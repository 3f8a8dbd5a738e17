#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/format_message.h>
#include <zelmtools/util/FileUtils.h>

#include "platform/kernel/system_directory.h"
#include "support/file_tree.h"
#include "support/message_capture.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(CopyFileWithProgress, CopiesATreeAndRefusesWhatDoesNotFit)
{
    TempDir dir;
    file_tree::MakeTree(dir.file("source"));
    EXPECT_EQ(CopyFileWithProgress(nullptr, dir.file("source").c_str(), dir.file("copy").c_str(), "Копирование"), 1);
    EXPECT_EQ(file_tree::Difference(dir.file("source"), dir.file("copy")), "");

    EXPECT_EQ(CopyFileWithProgress(nullptr, dir.file("missing").c_str(), dir.file("other").c_str(), "x"), 0);
    EXPECT_FALSE(fs::exists(dir.file("other")));

    // 258 bytes fit the list buffer with its two zeros; 259 do not.
    std::string fits = dir.folder() + std::string(258 - dir.folder().size(), 'a');
    file_tree::WriteFile(fits, "ok", 0644);
    EXPECT_EQ(CopyFileWithProgress(nullptr, fits.c_str(), dir.file("fits").c_str(), "x"), 1);
    EXPECT_EQ(file_tree::ReadFile(dir.file("fits")), "ok");
    std::string tooLong = fits + "b";
    file_tree::WriteFile(tooLong, "no", 0644);
    EXPECT_EQ(CopyFileWithProgress(nullptr, tooLong.c_str(), dir.file("long").c_str(), "x"), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_FALSE(fs::exists(dir.file("long")));
}

// Runs the test in a working folder of its own, with a folder of its own in place of
// the system folder.
class RegisterComponetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_previous = fs::current_path();
        fs::current_path(m_working.path());
        zelm::platform::SetSystemDirectoryForTests(m_system.path().string());
    }
    void TearDown() override
    {
        zelm::platform::SetSystemDirectoryForTests("");
        fs::current_path(m_previous);
    }

    // A regsvr32 that writes its arguments, one a line, beside itself, then ends with 3.
    void InstallRecordingRegsvr32()
    {
        std::string script = m_system.file("regsvr32");
        file_tree::WriteFile(script,
                             "#!/bin/sh\nsleep 0.2\nprintf '%s\\n' \"$@\" > \"$(dirname \"$0\")/args.tmp\"\n"
                             "mv \"$(dirname \"$0\")/args.tmp\" \"$(dirname \"$0\")/args\"\nexit 3\n",
                             0755);
    }

    std::vector<std::string> RecordedArguments()
    {
        std::vector<std::string> lines;
        std::ifstream in(m_system.file("args"));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        fs::remove(m_system.file("args"));
        return lines;
    }

    TempDir m_working, m_system;
    fs::path m_previous;
};

TEST_F(RegisterComponetTest, PassesTheQuotedPathInTheWorkingFolderAndWaits)
{
    InstallRecordingRegsvr32();
    std::string component = m_working.file("Мой компонент.so");
    MessageCapture messages;
    EXPECT_NE(RegisterComponet("Мой компонент.so", ""), 0);  // whatever regsvr32 ended with
    EXPECT_EQ(RecordedArguments(), std::vector<std::string>{component});
    EXPECT_NE(RegisterComponet("Мой компонент.so", "/u /s"), 0);
    EXPECT_EQ(RecordedArguments(), (std::vector<std::string>{"/u", "/s", component}));
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(RegisterComponetTest, AProgramThatCannotStartIsReportedInAMessageBox)
{
    MessageCapture messages;
    EXPECT_EQ(RegisterComponet("component.so", ""), 0);
    char expected[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_FILE_NOT_FOUND,
                   LANG_USER_DEFAULT, expected, sizeof expected, nullptr);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(std::string(expected), "");
    EXPECT_EQ(messages.texts[0], expected);
    EXPECT_EQ(messages.captions[0], "Ошибка при регистрации");
    EXPECT_EQ(messages.types[0], 0x40030u);
}

TEST_F(RegisterComponetTest, WhatDoesNotFitOrCannotBeQuotedIsRefusedSilently)
{
    InstallRecordingRegsvr32();
    MessageCapture messages;
    EXPECT_EQ(RegisterComponet(std::string(260, 'a').c_str(), ""), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(RegisterComponet("a\"b.so", ""), 0);
    fs::path deep = m_working.path() / std::string(200, 'd') / std::string(100, 'e');
    fs::create_directories(deep);
    fs::current_path(deep);  // a working folder longer than 259 bytes
    EXPECT_EQ(RegisterComponet("c.so", ""), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILENAME_EXCED_RANGE));
    fs::current_path(m_working.path());
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_FALSE(fs::exists(m_system.file("args")));
    // Backslashes are part of a name here; before the closing quote they stay as they are.
    EXPECT_NE(RegisterComponet("odd\\", ""), 0);
    EXPECT_EQ(RecordedArguments(), std::vector<std::string>{m_working.file("odd\\")});
}

}  // namespace
