#include "platform/base/utf8.h"

#include <gtest/gtest.h>

using namespace zelm::platform;

TEST(Utf8, ValidityRejectsOverlongSurrogatesAndTruncation)
{
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("\xD0\x9F\xD1\x80\xD0\xB8"));  // При
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xD0"));              // cut short
    EXPECT_FALSE(IsValidUtf8("\xCF\xF0\xE8"));      // Windows-1251 bytes
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // past U+10FFFF
}

TEST(Utf8, PrefixNeverCutsACharacter)
{
    const char text[] = "a\xD0\x96\xD0\x96";  // a Ж Ж: 5 bytes
    EXPECT_EQ(Utf8PrefixLength(text, 5, 5), 5u);
    EXPECT_EQ(Utf8PrefixLength(text, 5, 4), 3u);
    EXPECT_EQ(Utf8PrefixLength(text, 5, 2), 1u);
    EXPECT_EQ(Utf8PrefixLength(text, 5, 0), 0u);
}

TEST(Utf8, RoundTripsThroughUtf16IncludingAstralCharacters)
{
    std::string text = "Тест \xF0\x9F\x98\x80 test";
    std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 12u);  // the astral character takes a surrogate pair
    EXPECT_EQ(Utf16ToUtf8(wide), text);
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");  // lone surrogate
}
