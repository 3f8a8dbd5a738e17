#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"
#include <zelmtools/registry/RegItem.h>

namespace {

std::string Bytes(std::initializer_list<int> bytes)
{
    std::string result;
    for (int b : bytes) result += static_cast<char>(b);
    return result;
}

class RegItemValues : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_item.CreateKey("Values"), 1); }

    // The stored type and bytes of a value, as another reader of the store sees them.
    std::pair<DWORD, std::string> Stored(const char* name)
    {
        DWORD type = 0;
        std::string bytes = QueryBytes(m_item.GetHKEY(), name, &type);
        return {type, bytes};
    }

    TempRegistry m_store;
    CRegItem m_item;
};

}  // namespace

TEST_F(RegItemValues, EveryTypedWriteStoresItsTypeAndBytes)
{
    struct Case {
        const char* name;
        std::function<int(CRegItem&)> write;
        DWORD type;
        std::string bytes;
    };
    const Case cases[] = {
        {"int", [](CRegItem& r) { return r.SetValue("int", 5); }, REG_BINARY, Bytes({5, 0, 0, 0})},
        {"uint", [](CRegItem& r) { return r.SetValue("uint", 0x01020304u); }, REG_BINARY, Bytes({4, 3, 2, 1})},
        {"long", [](CRegItem& r) { return r.SetValue("long", 5L); }, REG_DWORD, Bytes({5, 0, 0, 0})},
        {"neg", [](CRegItem& r) { return r.SetValue("neg", -2L); }, REG_DWORD, Bytes({0xFE, 0xFF, 0xFF, 0xFF})},
        {"ulong", [](CRegItem& r) { return r.SetValue("ulong", 0xFFFFFFFFul); }, REG_DWORD,
         Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
        {"time", [](CRegItem& r) { return r.SetValue("time", CTime(0x01020304)); }, REG_BINARY, Bytes({4, 3, 2, 1})},
        {"span", [](CRegItem& r) { return r.SetValue("span", CTimeSpan(-1)); }, REG_BINARY,
         Bytes({0xFF, 0xFF, 0xFF, 0xFF})},
        {"double", [](CRegItem& r) { return r.SetValue("double", 1.5); }, REG_BINARY,
         Bytes({0, 0, 0, 0, 0, 0, 0xF8, 0x3F})},
        {"size", [](CRegItem& r) { return r.SetValue("size", CSize(1, -1)); }, REG_BINARY,
         Bytes({1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF})},
        {"word", [](CRegItem& r) { return r.SetValue("word", static_cast<unsigned short>(0x0102)); }, REG_BINARY,
         Bytes({2, 1})},
        {"char", [](CRegItem& r) { return r.SetValue("char", 'a'); }, REG_BINARY, "a"},
        {"uchar", [](CRegItem& r) { return r.SetValue("uchar", static_cast<unsigned char>(0xFE)); }, REG_BINARY,
         Bytes({0xFE})},
        {"rect", [](CRegItem& r) { return r.SetValue("rect", CRect(1, 2, 3, 4)); }, REG_BINARY,
         Bytes({1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0})},
        {"text", [](CRegItem& r) { return r.SetValue("text", "abc"); }, REG_SZ, "abc"},
        {"empty", [](CRegItem& r) { return r.SetValue("empty", ""); }, REG_SZ, ""},
        {"null", [](CRegItem& r) { return r.SetValue("null", static_cast<const char*>(nullptr)); }, REG_SZ, ""},
        {"raw", [](CRegItem& r) { return r.SetValue("raw", (void*)"\x01\x00\x02", 3); }, REG_BINARY, Bytes({1, 0, 2})},
        {"typed", [](CRegItem& r) { return r.SetValue("typed", REG_EXPAND_SZ, (void*)"%X%", 3); }, REG_EXPAND_SZ,
         "%X%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.write(m_item), 1);
        EXPECT_EQ(m_item.m_strValueName, CString(c.name));
        EXPECT_EQ(m_item.m_dwType, c.type);
        EXPECT_EQ(m_item.m_dwSize, c.bytes.size());
        EXPECT_EQ(Stored(c.name), std::make_pair(c.type, c.bytes));
        EXPECT_EQ(m_item.GetType(c.name), static_cast<int>(c.type));
        EXPECT_EQ(m_item.GetSize(c.name), static_cast<int>(c.bytes.size()));
    }
}

TEST_F(RegItemValues, TypedReadsGiveBackWhatWasWritten)
{
    m_item.SetValue("long", -7L);
    m_item.SetValue("ulong", 4000000000ul);
    m_item.SetValue("time", CTime(4000000000));  // past 2038: the stored form is unsigned
    m_item.SetValue("span", CTimeSpan(1, 2, 3, 4));
    m_item.SetValue("rect", CRect(-1, 2, -3, 4));
    m_item.SetValue("size", CSize(7, 8));
    m_item.SetValue("double", -0.25);

    long l = 0;
    unsigned long ul = 0;
    CTime time;
    CTimeSpan span;
    CRect rect;
    CSize size;
    double d = 0;
    EXPECT_EQ(m_item.QueryValue("long", &l), 1);
    EXPECT_EQ(l, -7);
    EXPECT_EQ(m_item.QueryValue("ulong", &ul), 1);
    EXPECT_EQ(ul, 4000000000ul);
    EXPECT_EQ(m_item.QueryValue("time", &time), 1);
    EXPECT_EQ(time.GetTime(), 4000000000);
    EXPECT_EQ(m_item.GetValue("span", &span, CTimeSpan()), 1);
    EXPECT_EQ(span.GetTotalSeconds(), 93784);
    EXPECT_EQ(m_item.GetValue("rect", &rect, CRect()), 1);
    EXPECT_EQ(rect, CRect(-1, 2, -3, 4));
    EXPECT_EQ(m_item.QueryValue("size", &size), 1);
    EXPECT_EQ(size, CSize(7, 8));
    EXPECT_EQ(m_item.GetValue("double", &d, 0.0), 1);
    EXPECT_EQ(d, -0.25);
}

TEST_F(RegItemValues, NumbersBeyondTheStoredWidthAreRefusedNotCut)
{
    EXPECT_EQ(m_item.SetValue("big", 1L << 40), 0);
    EXPECT_EQ(m_item.SetValue("big", 1ul << 32), 0);
    EXPECT_EQ(m_item.SetValue("big", CTime(-1)), 0);
    EXPECT_EQ(m_item.SetValue("big", CTimeSpan(1LL << 31)), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(m_item.GetType("big"), 0);
}

TEST_F(RegItemValues, TextReadsReplaceTheStringAndStopAtZero)
{
    CString text = "a much longer text than the value";
    ASSERT_EQ(m_item.SetValue("t", "abc"), 1);
    EXPECT_EQ(m_item.QueryValue("t", &text), 1);
    EXPECT_EQ(text, CString("abc"));

    ASSERT_EQ(m_item.SetValue("zero", REG_SZ, (void*)"ab\0cd", 5), 1);
    EXPECT_EQ(m_item.QueryValue("zero", &text), 1);
    EXPECT_EQ(text, CString("ab"));

    ASSERT_EQ(m_item.SetValue("e", ""), 1);
    EXPECT_EQ(m_item.QueryValue("e", &text), 1);
    EXPECT_EQ(text, CString(""));

    text = "kept";
    EXPECT_EQ(m_item.QueryValue("missing", &text), 0);
    EXPECT_EQ(text, CString("kept"));
    EXPECT_EQ(m_item.GetValue("missing", &text, "default"), 0);
    EXPECT_EQ(text, CString("default"));
    EXPECT_EQ(m_item.GetValue("missing", &text, nullptr), 0);
    EXPECT_EQ(text, CString(""));
}

TEST_F(RegItemValues, ShorterValuesFillTheFrontAndLongerOnesFail)
{
    ASSERT_EQ(m_item.SetValue("dword", 7L), 1);
    int n = 0;
    EXPECT_EQ(m_item.QueryValue("dword", &n), 1);  // types are not compared
    EXPECT_EQ(n, 7);

    double d;
    std::memset(&d, 0xAA, sizeof d);
    EXPECT_EQ(m_item.QueryValue("dword", &d), 1);
    unsigned char bytes[8];
    std::memcpy(bytes, &d, 8);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 8), Bytes({7, 0, 0, 0, 0xAA, 0xAA, 0xAA, 0xAA}));
    EXPECT_EQ(m_item.m_dwSize, 4u);
    EXPECT_EQ(m_item.m_dwType, REG_DWORD);

    long l = 0x11223344;
    ASSERT_EQ(m_item.SetValue("word", static_cast<unsigned short>(5)), 1);
    EXPECT_EQ(m_item.QueryValue("word", &l), 1);
    EXPECT_EQ(l, 0x11220005);

    ASSERT_EQ(m_item.SetValue("wide", 1.0), 1);
    n = 3;
    EXPECT_EQ(m_item.QueryValue("wide", &n), 0);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(m_item.m_dwSize, 8u);  // the size needed
}

TEST_F(RegItemValues, MissingValuesGiveDefaultsAndZeroTypeAndSize)
{
    int n = 1;
    long l = 1;
    unsigned short w = 1;
    char ch = 'x';
    CSize size(1, 1);
    CTime time(5);
    EXPECT_EQ(m_item.GetValue("missing", &n, 7), 0);
    EXPECT_EQ(n, 7);
    EXPECT_EQ(m_item.GetValue("missing", &l, 8L), 0);
    EXPECT_EQ(l, 8);
    EXPECT_EQ(m_item.GetValue("missing", &w, static_cast<unsigned short>(9)), 0);
    EXPECT_EQ(w, 9);
    EXPECT_EQ(m_item.GetValue("missing", &ch, 'z'), 0);
    EXPECT_EQ(ch, 'z');
    EXPECT_EQ(m_item.GetValue("missing", &size, CSize(3, 4)), 0);
    EXPECT_EQ(size, CSize(3, 4));
    EXPECT_EQ(m_item.GetValue("missing", &time, CTime(6)), 0);
    EXPECT_EQ(time.GetTime(), 6);
    EXPECT_EQ(m_item.GetType("missing"), 0);
    EXPECT_EQ(m_item.GetSize("missing"), 0);

    ASSERT_EQ(m_item.SetValue("present", 2), 1);
    EXPECT_EQ(m_item.GetValue("PRESENT", &n, 7), 1);
    EXPECT_EQ(n, 2);
}

TEST_F(RegItemValues, NothingIsReadOrWrittenWithoutAnOpenKey)
{
    CRegItem closed;
    int n = 4;
    EXPECT_EQ(closed.SetValue("v", 1), 0);
    EXPECT_EQ(closed.QueryValue("v", &n), 0);
    EXPECT_EQ(n, 4);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}
