#include "framework/files/CStdioFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

#include "support/temp_dir.h"

namespace {

std::string MakeFile(const TempDir& dir, const std::string& text)
{
    std::string path = dir.file("lines.txt");
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::vector<std::string> AllLines(const std::string& path)
{
    CStdioFile file(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line)) lines.push_back(line.GetString());
    return lines;
}

}  // namespace

TEST(CStdioFile, ReadStringEndsLinesAtCrLfOrLf)
{
    TempDir dir;
    std::string longLine(1500, 'x');  // spans several reads
    auto lines = AllLines(MakeFile(dir, "one\r\ntwo\n\r\n" + longLine + "\nlast"));
    std::vector<std::string> expected{"one", "two", "", longLine, "last"};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(AllLines(MakeFile(dir, "")).empty());
    EXPECT_EQ(AllLines(MakeFile(dir, "a\n")), std::vector<std::string>{"a"});
}

TEST(CStdioFile, ReadStringIntoABufferKeepsOneNewlineAndNeverOverruns)
{
    TempDir dir;
    CStdioFile file(MakeFile(dir, "ab\r\nlonger line\nend").c_str(), CFile::modeRead);
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    ASSERT_NE(file.ReadString(buffer, 6), nullptr);
    EXPECT_STREQ(buffer, "ab\n");
    ASSERT_NE(file.ReadString(buffer, 6), nullptr);
    EXPECT_STREQ(buffer, "longe");
    EXPECT_EQ(buffer[6], '#');
    ASSERT_NE(file.ReadString(buffer, 8), nullptr);
    EXPECT_STREQ(buffer, "r line\n");
    ASSERT_NE(file.ReadString(buffer, 8), nullptr);
    EXPECT_STREQ(buffer, "end");
    EXPECT_EQ(file.ReadString(buffer, 8), nullptr);
    EXPECT_EQ(file.ReadString(buffer, 1), nullptr);
}
