#include <zelmtools/util/UserMessage.h>

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include <zelmtools/util/UserMsgMap.h>

namespace {

TEST(UserMsgMap, HandsOutNumbersInOrderOfFirstRegistration)
{
    CUserMsgMap map;
    EXPECT_EQ(map.Register("Refresh"), 1124u);
    EXPECT_EQ(map.Register("Close"), 1125u);
    EXPECT_EQ(map.Register("Refresh"), 1124u);
    EXPECT_EQ(map.Register("refresh"), 1126u);  // case matters
    EXPECT_EQ(map.Register(""), 1127u);
    EXPECT_EQ(map.Register(""), 1127u);
    EXPECT_EQ(map.GetCount(), 4);
}

TEST(UserMsgMap, NamesShareANumberWhenEqualInTheirFirst255Bytes)
{
    CUserMsgMap map;
    std::string base(255, 'n');
    EXPECT_EQ(map.Register((base + "one").c_str()), 1124u);
    EXPECT_EQ(map.Register((base + "two").c_str()), 1124u);
    // A two-byte letter across byte 255 is left out whole.
    std::string straddling = std::string(254, 'c') + "ж";
    EXPECT_EQ(map.Register(straddling.c_str()), 1125u);
    EXPECT_STREQ(map.GetTail().m_szName, std::string(254, 'c').c_str());
    EXPECT_EQ(map.Register(std::string(254, 'c').c_str()), 1125u);
}

TEST(UserMsgMap, StopsAtTheEndOfThePrivateRange)
{
    CUserMsgMap map;
    map.m_dwNextMsg = CUserMsgMap::kLastMsg;
    EXPECT_EQ(map.Register("last"), 0x7FFFu);
    EXPECT_EQ(map.Register("beyond"), 0u);
    EXPECT_EQ(map.Register("last"), 0x7FFFu);
    EXPECT_EQ(map.GetCount(), 1);
}

// The process-wide map starts with the first call in the process, so this runs in a
// fresh copy of the test program.
TEST(RegisterUserMessage, FirstNamesOfAProcessGet1124And1125)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            bool ok = RegisterUserMessage("zelm.first") == 1124 && RegisterUserMessage("zelm.second") == 1125 &&
                      RegisterUserMessage("zelm.first") == 1124 && RegisterUserMessage(nullptr) == 0;
            _exit(ok ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
