#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include <zelmtools/util/StrUtils.h>

namespace {

const char kLine[] = "alpha, beta,,gamma";

std::string Word(int index, const char* line, const char* delimiters)
{
    return ExtractWord(index, line, delimiters).GetString();
}

TEST(ExtractWord, RunsOfDelimitersSeparateWordsAndNegativeIndexIsTheFirst)
{
    EXPECT_EQ(Word(0, kLine, ", "), "alpha");
    EXPECT_EQ(Word(1, kLine, ", "), "beta");
    EXPECT_EQ(Word(2, kLine, ", "), "gamma");
    EXPECT_EQ(Word(-5, kLine, ", "), "alpha");
    EXPECT_EQ(Word(0, "  ,lead and trail, ", ", "), "lead");
    EXPECT_EQ(Word(2, "  ,lead and trail, ", ", "), "trail");
    EXPECT_EQ(Word(0, "whole line", ""), "whole line");
    EXPECT_EQ(Word(0, "whole line", nullptr), "whole line");
}

TEST(ExtractWord, MissingWordLeavesTheBufferUntouched)
{
    char out[32] = "untouched";
    EXPECT_EQ(ExtractWord(3, kLine, ", ", out), nullptr);
    EXPECT_STREQ(out, "untouched");
    for (int index = 0; index < 3; ++index) EXPECT_EQ(ExtractWord(index, " ,, ,", ", ", out), nullptr);
    EXPECT_EQ(ExtractWord(0, "", ", ", out), nullptr);
    EXPECT_EQ(ExtractWord(0, nullptr, ", ", out), nullptr);
    EXPECT_STREQ(out, "untouched");
    EXPECT_EQ(Word(3, kLine, ", "), "");
    EXPECT_EQ(ExtractWord(1, kLine, ", ", out), out);
    EXPECT_STREQ(out, "beta");
}

TEST(ExtractWord, LeavesTheCallersStrtokStateAlone)
{
    char own[] = "one two three";
    ASSERT_STREQ(std::strtok(own, " "), "one");
    EXPECT_EQ(Word(1, kLine, ", "), "beta");
    EXPECT_STREQ(std::strtok(nullptr, " "), "two");
    EXPECT_STREQ(std::strtok(nullptr, " "), "three");
}

TEST(ExtractWord, DelimitersAreWholeCharacters)
{
    // "—" and "…" share their first two bytes; only the whole dash separates.
    EXPECT_EQ(Word(0, "а…б—в", "—"), "а…б");
    EXPECT_EQ(Word(1, "а…б—в", "—"), "в");
    EXPECT_EQ(Word(1, "раз два", " "), "два");
}

TEST(ExtractWord, LongLinesAndWordsFitAMaxPathBuffer)
{
    std::string line = std::string(300, 'x') + " tail";
    char out[MAX_PATH + 8];
    std::memset(out, '#', sizeof out);
    ASSERT_EQ(ExtractWord(0, line.c_str(), " ", out), out);
    EXPECT_EQ(std::strlen(out), static_cast<std::size_t>(zelm::tools::kMaxWordBytes));
    EXPECT_EQ(out[MAX_PATH], '#');
    EXPECT_EQ(Word(1, line.c_str(), " "), "tail");
    EXPECT_EQ(Word(0, line.c_str(), " ").size(), 259u);
    std::string wide;
    for (int i = 0; i < 130; ++i) wide += "ж";  // 260 bytes: the cut falls inside the last letter
    EXPECT_EQ(Word(0, wide.c_str(), " ").size(), 258u);
}

}  // namespace
