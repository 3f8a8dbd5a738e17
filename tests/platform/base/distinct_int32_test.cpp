// DWORD and LONG are types of their own that still hold and compute as 32-bit integers.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <unordered_set>

#include <zelmtools/platform/base/win_types.h>

namespace {

int Overload(unsigned int)
{
    return 1;
}
int Overload(DWORD)
{
    return 2;
}
int Overload(int)
{
    return 3;
}
int Overload(LONG)
{
    return 4;
}

}  // namespace

TEST(DistinctInt32, OverloadsTellThemFromIntAndUnsignedInt)
{
    EXPECT_EQ(Overload(5u), 1);
    EXPECT_EQ(Overload(DWORD{5}), 2);
    EXPECT_EQ(Overload(5), 3);
    EXPECT_EQ(Overload(LONG{5}), 4);
}

TEST(DistinctInt32, ArithmeticWrapsAndConvertsAsThe32BitIntegers)
{
    DWORD dw = 0;
    dw -= 1;
    EXPECT_EQ(dw, 0xFFFFFFFFu);
    EXPECT_EQ(++dw, 0u);
    dw |= 0x80000000u;
    dw >>= 4;
    EXPECT_EQ(dw, 0x08000000u);
    EXPECT_EQ(dw-- + 1, 0x08000001u);

    LONG l = -1;
    EXPECT_EQ(static_cast<long>(l), -1L);  // sign-extends
    EXPECT_EQ(static_cast<DWORD>(l), 0xFFFFFFFFu);
    DWORD fromLong = LONG{-2};
    EXPECT_EQ(fromLong, 0xFFFFFFFEu);

    const unsigned char bytes[] = {0x78, 0x56, 0x34, 0x12};
    std::memcpy(&dw, bytes, sizeof dw);  // record layouts read the same bytes
    EXPECT_EQ(dw, 0x12345678u);
}

TEST(DistinctInt32, GenericCodeSeesTheRangeAndHash)
{
    EXPECT_EQ(std::numeric_limits<DWORD>::max(), 0xFFFFFFFFu);
    EXPECT_EQ(std::numeric_limits<LONG>::min(), INT32_MIN);
    EXPECT_FALSE(std::numeric_limits<LONG>::is_signed == std::numeric_limits<DWORD>::is_signed);
    std::unordered_set<DWORD> seen{DWORD{1}, DWORD{2}, DWORD{1}};
    EXPECT_EQ(seen.size(), 2u);
}
