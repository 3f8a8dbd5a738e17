#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace {

struct Result {
    int status;
    std::string messages;  // standard error
    std::string output;    // the written initializer list
};

Result Compile(const TempDir& dir, const std::string& kind, const std::string& input, const std::string& language = "")
{
    std::ofstream(dir.file("input.txt"), std::ios::binary) << input;
    std::string command = std::string(RESCOMPILE_PATH) + " " + kind + " " + dir.file("input.txt") + " " + language +
                          " " + dir.file("out.inc") + " 2>" + dir.file("err.txt");
    int status = std::system(command.c_str());
    std::stringstream messages, output;
    messages << std::ifstream(dir.file("err.txt")).rdbuf();
    if (std::ifstream out{dir.file("out.inc")}) output << out.rdbuf();
    return {WEXITSTATUS(status), messages.str(), output.str()};
}

TEST(Rescompile, SingleByteMessagesAreUtf8InIdBlocks)
{
    TempDir dir;
    Result run =
        Compile(dir, "messages", "ENCODING ANSI\n5 0x409 ab\n6 1033 \\u00e9\n9 0x419 other language\n", "0x0409");
    ASSERT_EQ(run.status, 0) << run.messages;
    // One block 5..6, entries padded to 4 bytes with flags 0; an unknown escape gives its letter.
    EXPECT_EQ(run.output,
              "0x01,0x00,0x00,0x00,0x05,0x00,0x00,0x00,0x06,0x00,0x00,0x00,0x10,0x00,0x00,0x00,\n"
              "0x08,0x00,0x00,0x00,0x61,0x62,0x00,0x00,0x0c,0x00,0x00,0x00,0x75,0x30,0x30,0x65,\n"
              "0x39,0x00,0x00,0x00,\n");
}

TEST(Rescompile, FaultsNameTheFileAndLine)
{
    TempDir dir;
    struct Case {
        const char* kind;
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"version", "FILEVERSION 1,0,0\nBLOCK 040904b0\n", "line 1"},
        {"version", "FILEVERSION 1,0,0,70000\nBLOCK 040904b0\n", "out of range"},
        {"version", "VALUE CompanyName \"x\"\n", "before any BLOCK"},
        {"version", "FILEVERSION 1,0,0,0\n", "no string table"},
        {"version", "BLOCK 0409\n", "line 1"},
        {"version", "BLOCK 040904b0\nVALUE Bad \"\xff\"\n", "not UTF-8"},
        {"messages", "1 0x409 one\n1 0x409 again\n", "line 2"},
        {"messages", "x 0x409 one\n", "not a number"},
    };
    for (const auto& c : cases) {
        Result run = Compile(dir, c.kind, c.input, c.kind == std::string("messages") ? "0x409" : "");
        EXPECT_EQ(run.status, 1) << c.input;
        EXPECT_NE(run.messages.find(dir.file("input.txt")), std::string::npos) << run.messages;
        EXPECT_NE(run.messages.find(c.expected), std::string::npos) << run.messages;
    }
}

}  // namespace
