#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include <zelmtools/platform/com/CComBSTR.h>
#include <zelmtools/platform/com/bstr.h>

namespace {

std::uint32_t PrefixOf(BSTR text)
{
    std::uint32_t prefix;
    std::memcpy(&prefix, reinterpret_cast<const char*>(text) - 4, 4);
    return prefix;
}

}  // namespace

TEST(Bstr, ByteLengthPrecedesTheTextAndZerosFollowIt)
{
    BSTR text = SysAllocString(u"Мир");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(PrefixOf(text), 6u);
    EXPECT_EQ(SysStringLen(text), 3u);
    EXPECT_EQ(SysStringByteLen(text), 6u);
    EXPECT_EQ(text[3], u'\0');
    EXPECT_EQ(std::u16string(text), u"Мир");
    SysFreeString(text);

    // Embedded zeros count; a null source leaves zeros.
    BSTR counted = SysAllocStringLen(u"a\0b", 3);
    EXPECT_EQ(SysStringLen(counted), 3u);
    EXPECT_EQ(counted[2], u'b');
    SysFreeString(counted);
    BSTR blank = SysAllocStringLen(nullptr, 4);
    EXPECT_EQ(std::u16string(blank, 5), std::u16string(5, u'\0'));
    SysFreeString(blank);

    // An odd byte count still ends in a whole zero character.
    BSTR odd = SysAllocStringByteLen("abc", 3);
    EXPECT_EQ(SysStringByteLen(odd), 3u);
    EXPECT_EQ(SysStringLen(odd), 1u);
    EXPECT_EQ(std::memcmp(odd, "abc", 3), 0);
    EXPECT_EQ(odd[2], u'\0');
    SysFreeString(odd);

    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
}

TEST(Bstr, ReAllocReplacesTheString)
{
    BSTR text = SysAllocString(u"old");
    EXPECT_TRUE(SysReAllocString(&text, u"newer"));
    EXPECT_EQ(std::u16string(text), u"newer");
    EXPECT_EQ(SysStringLen(text), 5u);
    SysFreeString(text);
}

TEST(CComBSTRTest, ConstructsFromBothTextsCopiesAndHandsOver)
{
    CComBSTR fromAnsi("Привет");
    EXPECT_EQ(fromAnsi.Length(), 6u);
    EXPECT_EQ(std::u16string(fromAnsi), u"Привет");
    CComBSTR fromWide(u"Привет");
    EXPECT_EQ(std::u16string(fromWide.m_str, fromWide.Length()), u"Привет");

    CComBSTR copy(fromWide);
    EXPECT_NE(copy.m_str, fromWide.m_str);
    EXPECT_EQ(std::u16string(copy), u"Привет");
    copy = copy;  // self-assignment keeps the string
    EXPECT_EQ(copy.Length(), 6u);

    BSTR taken = copy.Detach();
    EXPECT_TRUE(!copy);
    EXPECT_EQ(SysStringLen(taken), 6u);
    copy.Attach(taken);
    EXPECT_EQ(copy.m_str, taken);
    copy.Empty();
    EXPECT_EQ(copy.m_str, nullptr);
    EXPECT_EQ(copy.Length(), 0u);

    EXPECT_TRUE(!CComBSTR(static_cast<LPCSTR>(nullptr)));
    CComBSTR empty("");
    EXPECT_FALSE(!empty);
    EXPECT_EQ(empty.Length(), 0u);
}

TEST(CComBSTRTest, AppendJoinsTextsIncludingItself)
{
    CComBSTR text;
    EXPECT_EQ(text.Append(u"ab"), S_OK);
    EXPECT_EQ(text.Append("вг"), S_OK);
    EXPECT_EQ(text.Append(text), S_OK);
    EXPECT_EQ(std::u16string(text), u"abвгabвг");
    EXPECT_EQ(text.Length(), 8u);
    EXPECT_EQ(text.Append(u"xyz", 1), S_OK);
    EXPECT_EQ(text.Append(static_cast<LPCOLESTR>(nullptr), 2), E_INVALIDARG);
    text += u"!";
    EXPECT_EQ(std::u16string(text), u"abвгabвгx!");
}
