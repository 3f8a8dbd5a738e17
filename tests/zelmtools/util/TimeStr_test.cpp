#include <zelmtools/util/TimeStr.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using zelm::tools::kTimeOutOfRange;

constexpr LONG kOneTwoThreeFour = 3723004;  // 1 h 2 min 3 s 4 ms

std::string Format(LONG ms, const char* picture)
{
    return TimeToStr(ms, picture).GetString();
}

// Restores the process-wide default picture after a test changes it.
class DefaultPicture : public ::testing::Test {
protected:
    ~DefaultPicture() override { SetDefaultTimeFormat("hh:mm:ss:ttt"); }
};

TEST(TimeToStr, FieldsComeInFixedOrderWithTheirWidthsAndSeparators)
{
    EXPECT_EQ(Format(kOneTwoThreeFour, "hh:mm:ss:ttt"), "01:02:03:004");
    EXPECT_EQ(Format(kOneTwoThreeFour, "mm.ss"), "02.03");  // the hours are dropped
    EXPECT_EQ(Format(kOneTwoThreeFour, "hhmm"), "01m02");   // the letter after a run is its separator
    EXPECT_EQ(Format(kOneTwoThreeFour, "ss:mm:hh"), "0102:03:");
    EXPECT_EQ(Format(kOneTwoThreeFour, "HH-MM-SS"), "01-02-03");
    EXPECT_EQ(Format(kOneTwoThreeFour, "t h"), "14 ");
    EXPECT_EQ(Format(kOneTwoThreeFour, "hh:mm hh"), "01:02 ");  // only the first run counts
    EXPECT_EQ(Format(kOneTwoThreeFour, "xyz"), "");
}

TEST(TimeToStr, HoursAreNotLimitedAndLongComponentsKeepTheirLeadingDigits)
{
    EXPECT_EQ(Format(0, nullptr), "00:00:00:000");
    EXPECT_EQ(Format(86400000, nullptr), "24:00:00:000");
    EXPECT_EQ(Format(90000000, nullptr), "25:00:00:000");
    EXPECT_EQ(Format(360000000, "hh:mm"), "10:00");
    EXPECT_EQ(Format(360000000, "hhhhh"), "00100");
}

TEST(TimeToStr, NegativeDurationsStayWholeUntilAComponentIsPositive)
{
    // No component of -3723004 comes out positive, so each field shows the running
    // value divided by its unit, cut to its width.
    EXPECT_EQ(Format(-kOneTwoThreeFour, "hh:mm:ss:tttttttt"), "-1:-6:-3:-3723004");
    EXPECT_EQ(Format(-1, "ss.ttt"), "00.0-1");
    EXPECT_EQ(Format(LONG(0x80000000u), "hhhh"), "-596");
}

TEST(TimeToStr, BufferFormWritesExactlyTheLayoutAndATerminator)
{
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(TimeToStr(kOneTwoThreeFour, buffer, "mm.ss"), buffer);
    EXPECT_STREQ(buffer, "02.03");
    EXPECT_EQ(buffer[6], '#');
    EXPECT_EQ(TimeToStr(0, nullptr, "hh"), nullptr);
}

TEST(TimeToStr, SeparatorsAreWholeCharacters)
{
    EXPECT_EQ(Format(kOneTwoThreeFour, "hh·mm"), "01·02");
    EXPECT_EQ(StrToTime("01·02", "hh·mm"), 3720000);
}

TEST_F(DefaultPicture, ChangesOnlyCallsWithoutAPicture)
{
    SetDefaultTimeFormat("mm:ss");
    EXPECT_EQ(Format(61000, nullptr), "01:01");
    char buffer[32];
    EXPECT_STREQ(TimeToStr(61000, buffer, nullptr), "01:01");
    EXPECT_EQ(StrToTime("02:03"), 123000);
    EXPECT_EQ(Format(61000, "hh:mm:ss:ttt"), "00:01:01:000");
    SetDefaultTimeFormat(nullptr);  // ignored
    EXPECT_EQ(Format(61000, nullptr), "01:01");
}

TEST_F(DefaultPicture, IsCutTo15BytesOnACharacterBoundary)
{
    SetDefaultTimeFormat("hh:mm:ss:ttt and more");
    EXPECT_EQ(Format(kOneTwoThreeFour, nullptr), "01:02:03:004 ");
    SetDefaultTimeFormat("ss:ttttttttttt9");
    EXPECT_EQ(Format(5000, nullptr), "05:000000000009");
    SetDefaultTimeFormat("ttttttttttttttЖ");  // the separator would straddle byte 15
    EXPECT_EQ(Format(5, nullptr), "00000000000005");
}

TEST(StrToTime, RangesAreInclusive)
{
    EXPECT_EQ(StrToTime("24:60:60:999", "hh:mm:ss:ttt"), 90060999);
    EXPECT_EQ(StrToTime("01:02:03:004", nullptr), kOneTwoThreeFour);
    EXPECT_EQ(StrToTime("25:00:00:000", nullptr), kTimeOutOfRange);
    EXPECT_EQ(StrToTime("00:61:00:000", nullptr), kTimeOutOfRange);
    EXPECT_EQ(StrToTime("00:00:61:000", nullptr), kTimeOutOfRange);
    EXPECT_EQ(StrToTime("-1:00:00:000", nullptr), kTimeOutOfRange);
    EXPECT_EQ(StrToTime("1000", "tttt"), kTimeOutOfRange);
    EXPECT_EQ(kTimeOutOfRange, -2147483647);
}

TEST(StrToTime, SeparatorPositionIsSkippedWhateverStandsThere)
{
    EXPECT_EQ(StrToTime("12x34", "hh:mm"), 12 * 3600000 + 34 * 60000);
    EXPECT_EQ(StrToTime("1234", "hh:mm"), 12 * 3600000 + 4 * 60000);
    EXPECT_EQ(StrToTime("01Ж02", "hh:mm"), 3600000 + 2 * 60000);  // a whole character is skipped
}

TEST(StrToTime, MissingLettersAndNonNumbersReadAsZero)
{
    EXPECT_EQ(StrToTime("07", "ss"), 7000);
    EXPECT_EQ(StrToTime("ab:cd", "mm:ss"), 0);
    EXPECT_EQ(StrToTime(" 5:1x", "mm:ss"), 5 * 60000 + 1000);
    EXPECT_EQ(StrToTime("30:15", "MM:SS"), 30 * 60000 + 15000);
}

TEST(StrToTime, ShortTextNeverReadsPastItsEnd)
{
    EXPECT_EQ(StrToTime("01:0", nullptr), 3600000);
    EXPECT_EQ(StrToTime("", nullptr), 0);
    EXPECT_EQ(StrToTime(nullptr, nullptr), 0);
    // A field far wider than any number holds its digits without overflowing.
    std::string picture(200, 't');
    EXPECT_EQ(StrToTime(std::string(199, '9').c_str(), picture.c_str()), kTimeOutOfRange);
    EXPECT_EQ(StrToTime((std::string(190, '0') + "42").c_str(), picture.c_str()), 42);
}

TEST(TimeRoundTrip, DefaultPictureReadsBackWhatItWrote)
{
    for (LONG ms : std::initializer_list<LONG>{0, 1, 999, 1000, 59999, 3599999, kOneTwoThreeFour, 86399999, 86400000}) {
        char buffer[16];
        EXPECT_EQ(StrToTime(TimeToStr(ms, buffer, nullptr), nullptr), ms) << ms;
    }
}

}  // namespace
