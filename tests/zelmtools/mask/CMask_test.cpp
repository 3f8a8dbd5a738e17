#include <zelmtools/mask/CMask.h>

#include <gtest/gtest.h>

#include <type_traits>

namespace {

// Reaches the protected addressing helpers.
struct MaskAddressing : CMask {
    using CMask::Loc;
    using CMask::Mask;
};

TEST(CMaskLayout, IsEightWordsWithLowNumbersFirst)
{
    static_assert(sizeof(CMask) == 32);
    static_assert(!std::is_polymorphic_v<CMask>);
    static_assert(std::is_same_v<decltype(std::declval<CMask&>() = std::declval<const C32Mask&>()), CMask&>);
    CMask mask(0, 33, 255, 256);
    EXPECT_EQ(mask.m_dwMask[0], 1u);
    EXPECT_EQ(mask.m_dwMask[1], 2u);
    EXPECT_EQ(mask.m_dwMask[7], 0x80000000u);
    EXPECT_EQ(MaskAddressing::Loc(255), 7);
    EXPECT_EQ(MaskAddressing::Loc(-1), -1);  // an arithmetic shift, as documented
    EXPECT_EQ(static_cast<DWORD>(MaskAddressing::Mask(63)), 0x80000000u);
}

TEST(CMaskList, TerminatorCases)
{
    CMask listed(0, 255, 256);
    EXPECT_EQ(listed[0], 1);
    EXPECT_EQ(listed[255], 1);
    EXPECT_EQ(listed.CalcRisedNumber(), 2);
    EXPECT_TRUE(CMask(256, 256).IsEmpty());
    CMask mask(7, 256);
    mask.Init(256, 256);
    EXPECT_TRUE(mask.IsEmpty());
    mask.Init(256, 100, 32, 256);
    EXPECT_EQ(mask.CalcRisedNumber(), 2);
    EXPECT_EQ(mask[32], 1);  // 32 ends only C32Mask lists
}

TEST(CMaskMembers, NumbersOutsideTheRangeTouchNoWord)
{
    CMask mask;
    mask += 256;
    mask += -1;
    mask += 1000;
    mask.Inverse(-33);
    EXPECT_TRUE(mask.IsEmpty());
    EXPECT_EQ(mask[256], 0);
    EXPECT_EQ(mask[-1], 0);
}

TEST(CMaskMembers, HighestBitOfEveryWordReadsAsOne)
{
    CMask mask;
    for (int n = 31; n < 256; n += 32) mask.SetAt(n, 1);
    for (int n = 31; n < 256; n += 32) EXPECT_EQ(mask.Has(n), 1) << n;
    EXPECT_EQ(mask.CalcRisedNumber(), 8);
}

TEST(CMaskConversion, WithC32MaskKeepsOnlyWordZero)
{
    CMask wide(3, 40, 256);
    C32Mask narrow = wide;
    EXPECT_EQ(narrow.m_dwMask, 1u << 3);
    CMask back(narrow);
    EXPECT_EQ(back == CMask(3, 256), 1);

    CMask held(200, 256);
    held = C32Mask(1, 2, 32);
    EXPECT_EQ(held[200], 0);
    EXPECT_EQ(held.CalcRisedNumber(), 2);
}

TEST(CMaskSets, FullSetCounts256)
{
    CMask empty;
    CMask full = ~empty;
    EXPECT_TRUE(empty.IsEmpty());
    EXPECT_FALSE(full.IsEmpty());
    EXPECT_EQ(full.CalcRisedNumber(), 256);
    empty.Inverse();
    EXPECT_EQ(empty == full, 1);
}

TEST(CMaskSets, AlgebraWorksOnEveryWord)
{
    CMask a(1, 100, 200, 256);
    CMask b(100, 250, 256);
    EXPECT_EQ((a & b) == CMask(100, 256), 1);
    EXPECT_EQ((a | b) == CMask(1, 100, 200, 250, 256), 1);
    EXPECT_EQ((a ^ b) == CMask(1, 200, 250, 256), 1);
    CMask diff(a);
    diff -= b;
    EXPECT_EQ(diff == CMask(1, 200, 256), 1);
    CMask both(a);
    both += b;
    EXPECT_EQ(both == (a | b), 1);
    EXPECT_EQ(a != b, 1);
    EXPECT_EQ(a != CMask(200, 100, 1, 256), 0);
}

}  // namespace
