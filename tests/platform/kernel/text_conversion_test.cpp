#include <gtest/gtest.h>

#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/text_conversion.h>

namespace {

const char kCyrillic[] = "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82";  // "Привет" in UTF-8

}  // namespace

TEST(TextConversion, CyrillicRoundTripsWithTerminatorCountedForMinusOne)
{
    for (UINT codePage : {CP_ACP, CP_UTF8}) {
        int needed = MultiByteToWideChar(codePage, 0, kCyrillic, -1, nullptr, 0);
        ASSERT_EQ(needed, 7);  // six letters and the terminator
        char16_t wide[7];
        ASSERT_EQ(MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, kCyrillic, -1, wide, 7), 7);
        EXPECT_EQ(std::u16string(wide), u"Привет");

        ASSERT_EQ(WideCharToMultiByte(codePage, 0, wide, -1, nullptr, 0, nullptr, nullptr), 13);
        char narrow[13];
        ASSERT_EQ(WideCharToMultiByte(codePage, 0, wide, -1, narrow, 13, nullptr, nullptr), 13);
        EXPECT_STREQ(narrow, kCyrillic);
    }
    // An explicit length converts no terminator.
    char16_t two[2];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, kCyrillic, 4, two, 2), 2);
    EXPECT_EQ(two[1], u'р');
}

TEST(TextConversion, TooSmallBufferFailsWithoutOverrunning)
{
    char16_t wide[4] = {u'x', u'x', u'x', u'x'};
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, kCyrillic, -1, wide, 3), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(wide[3], u'x');

    char narrow[3] = {'x', 'x', 'x'};
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"Да", -1, narrow, 2, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(narrow[2], 'x');
}

TEST(TextConversion, InvalidInputIsReplacedOrRefused)
{
    const char broken[] =
        "a\xD0"
        "b\xFF";  // a lead byte without continuation, a byte never valid
    char16_t wide[8];
    int length = MultiByteToWideChar(CP_UTF8, 0, broken, -1, wide, 8);
    ASSERT_GT(length, 0);
    EXPECT_EQ(std::u16string(wide), u"a\uFFFDb\uFFFD");

    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, broken, -1, wide, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);

    const char16_t loneSurrogate[] = {u'a', 0xD800, u'b', 0};
    char narrow[8];
    ASSERT_EQ(WideCharToMultiByte(CP_UTF8, 0, loneSurrogate, -1, narrow, 8, nullptr, nullptr), 6);
    EXPECT_STREQ(narrow,
                 "a\xEF\xBF\xBD"
                 "b");
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, loneSurrogate, -1, narrow, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(TextConversion, BadArgumentsAreRefused)
{
    char16_t wide[4];
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, nullptr, -1, wide, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", 0, wide, 4), 0);
    EXPECT_EQ(MultiByteToWideChar(1251, 0, "abc", -1, wide, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abc", -1, nullptr, 4), 0);
    char narrow[4];
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"abc", -1, narrow, 4, nullptr, &usedDefault), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}
