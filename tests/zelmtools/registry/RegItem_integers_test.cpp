// The integer rule of the value operations: DWORD, LONG, long and unsigned long are
// REG_DWORD of 4 bytes and must fit 32 bits; int and unsigned int stay binary.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"
#include <zelmtools/registry/RegItem.h>

static_assert(!std::is_same_v<DWORD, unsigned int> && !std::is_same_v<LONG, int>, "overloads must tell them apart");

namespace {

std::string Le32(std::uint32_t v)
{
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

class RegItemIntegers : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_item.CreateKey("Integers"), 1); }

    std::pair<DWORD, std::string> Stored(const char* name)
    {
        DWORD type = REG_NONE;
        std::string bytes = QueryBytes(m_item.GetHKEY(), name, &type);
        return {type, bytes};
    }

    // Writes through one overload and reads back through the matching one.
    template <typename T>
    void ExpectRoundTrip(T value, DWORD type)
    {
        SCOPED_TRACE(testing::Message() << "value " << value << " of " << sizeof(T) << " bytes");
        ASSERT_EQ(m_item.SetValue("v", value), 1);
        EXPECT_EQ(Stored("v"), std::make_pair(type, Le32(static_cast<std::uint32_t>(value))));
        T back{};
        EXPECT_EQ(m_item.GetValue("v", &back, T{}), 1);
        EXPECT_EQ(back, value);
    }

    TempRegistry m_store;
    CRegItem m_item;
};

}  // namespace

TEST_F(RegItemIntegers, DwordLongAndTheirCppFormsAreRegDwordAtBothEndsOfTheirRanges)
{
    for (DWORD v : {DWORD{0}, DWORD{1}, DWORD{0xFFFFFFFFu}}) ExpectRoundTrip(v, REG_DWORD);
    for (LONG v : {LONG{INT32_MIN}, LONG{-1}, LONG{INT32_MAX}}) ExpectRoundTrip(v, REG_DWORD);
    for (long v : {long{INT32_MIN}, -1L, long{INT32_MAX}}) ExpectRoundTrip(v, REG_DWORD);
    for (unsigned long v : {0ul, 0xFFFFFFFFul}) ExpectRoundTrip(v, REG_DWORD);
    // int and unsigned int keep their binary form.
    for (int v : {INT_MIN, INT_MAX}) ExpectRoundTrip(v, REG_BINARY);
    for (unsigned int v : {0u, UINT_MAX}) ExpectRoundTrip(v, REG_BINARY);
    // A DWORD as the platform hands it out, not only a literal.
    SetLastError(ERROR_ACCESS_DENIED);
    ASSERT_EQ(m_item.SetValue("error", GetLastError()), 1);
    EXPECT_EQ(Stored("error").first, REG_DWORD);
}

TEST_F(RegItemIntegers, CppLongsOutside32BitsAreRefusedAndTheStoreIsUntouched)
{
    ASSERT_EQ(m_item.SetValue("kept", 7L), 1);
    const std::function<int(CRegItem&, const char*)> refused[] = {
        [](CRegItem& r, const char* n) { return r.SetValue(n, 4000000000L); },
        [](CRegItem& r, const char* n) { return r.SetValue(n, long{INT32_MAX} + 1); },
        [](CRegItem& r, const char* n) { return r.SetValue(n, long{INT32_MIN} - 1); },
        [](CRegItem& r, const char* n) { return r.SetValue(n, 0xFFFFFFFFul + 1); },
        [](CRegItem& r, const char* n) { return r.SetValue(n, ULONG_MAX); },
    };
    for (const auto& write : refused) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(write(m_item, "kept"), 0);
        EXPECT_EQ(write(m_item, "new"), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        EXPECT_EQ(Stored("kept"), std::make_pair(REG_DWORD, Le32(7)));
        EXPECT_EQ(m_item.GetType("new"), 0);
    }
}

TEST_F(RegItemIntegers, RegDwordDataReadsAsEachIntegerTypeWithLongSignExtended)
{
    ASSERT_EQ(SetBytes(m_item.GetHKEY(), "peer", REG_DWORD, Le32(0xFFFFFFFEu)), ERROR_SUCCESS);
    DWORD dw = 0;
    LONG l = 0;
    long cl = 0;
    unsigned long ul = 0;
    EXPECT_EQ(m_item.QueryValue("peer", &dw), 1);
    EXPECT_EQ(dw, 0xFFFFFFFEu);
    EXPECT_EQ(m_item.QueryValue("peer", &l), 1);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(m_item.GetValue("peer", &cl, 0L), 1);
    EXPECT_EQ(cl, -2L);
    EXPECT_EQ(m_item.GetValue("peer", &ul, 0ul), 1);
    EXPECT_EQ(ul, 0xFFFFFFFEul);

    EXPECT_EQ(m_item.GetValue("missing", &dw, 9), 0);
    EXPECT_EQ(dw, 9u);
    EXPECT_EQ(m_item.GetValue("missing", &l, -9), 0);
    EXPECT_EQ(l, -9);
}

TEST_F(RegItemIntegers, EveryTypedReadIntoANullPointerFails)
{
    ASSERT_EQ(m_item.SetValue("v", REG_BINARY, const_cast<char*>("0123456789abcdef"), 16), 1);
    ASSERT_EQ(m_item.SetValue("one", 'x'), 1);
    const std::function<int(CRegItem&)> reads[] = {
        [](CRegItem& r) { return r.QueryValue("v", static_cast<DWORD*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<LONG*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<long*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<unsigned long*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<int*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<unsigned int*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<CTime*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<CTimeSpan*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<double*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<CSize*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<CRect*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("v", static_cast<CString*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("one", static_cast<unsigned short*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("one", static_cast<char*>(nullptr)); },
        [](CRegItem& r) { return r.QueryValue("one", static_cast<unsigned char*>(nullptr)); },
        [](CRegItem& r) { return r.GetValue("v", static_cast<CRect*>(nullptr), CRect()); },
        [](CRegItem& r) { return r.GetValue("v", static_cast<int*>(nullptr), 1); },
        [](CRegItem& r) { return r.GetValue(1u, static_cast<DWORD*>(nullptr), 1); },
    };
    for (std::size_t i = 0; i < std::size(reads); ++i) {
        SCOPED_TRACE(testing::Message() << "read " << i);
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(reads[i](m_item), 0);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
}
