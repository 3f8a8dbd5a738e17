#include <zelmtools/mask/C32Mask.h>

#include <gtest/gtest.h>

#include <type_traits>

namespace {

TEST(C32MaskLayout, IsExactlyOneWordAndAssignmentReturnsNothing)
{
    static_assert(sizeof(C32Mask) == 4);
    static_assert(!std::is_polymorphic_v<C32Mask>);
    static_assert(std::is_void_v<decltype(std::declval<C32Mask&>() = std::declval<const C32Mask&>())>);
    static_assert(std::is_same_v<decltype(std::declval<C32Mask&>() += 1), C32Mask&>);
    static_assert(std::is_same_v<decltype(std::declval<C32Mask&>() |= std::declval<const C32Mask&>()), C32Mask&>);
    static_assert(std::is_same_v<decltype(std::declval<const C32Mask&>() == std::declval<const C32Mask&>()), int>);
}

TEST(C32MaskList, EndsAtTheTerminatorButNeverAtTheFirstArgument)
{
    C32Mask listed(3, 7, 32);
    EXPECT_EQ(listed.m_dwMask, (1u << 3) | (1u << 7));
    EXPECT_TRUE(C32Mask(32, 32).IsEmpty());
    C32Mask leadingTerminator(32, 5, 32);
    EXPECT_EQ(leadingTerminator.m_dwMask, 1u << 5);
    C32Mask duplicates(4, 4, 4, 32);
    EXPECT_EQ(duplicates.CalcRisedNumber(), 1);
}

TEST(C32MaskList, InitClearsFirst)
{
    C32Mask mask(-1L);
    mask.Init(32, 32);
    EXPECT_TRUE(mask.IsEmpty());
    mask.Init(0, 31, 32);
    EXPECT_EQ(mask.m_dwMask, 0x80000001u);
    mask.Init(32, 9, 32);
    EXPECT_EQ(mask.m_dwMask, 1u << 9);
}

TEST(C32MaskMembers, HighestBitReadsAsOneNotNegative)
{
    C32Mask mask(31, 32);
    EXPECT_EQ(mask[31], 1);
    EXPECT_EQ(mask.GetAt(31), 1);
    EXPECT_EQ(mask.Has(31), 1);
    EXPECT_EQ(mask[30], 0);
    EXPECT_EQ(mask.CalcRisedNumber(), 1);
}

TEST(C32MaskMembers, AddRemoveSetAtAndToggle)
{
    C32Mask mask;
    mask += 2;
    mask += 2;
    EXPECT_EQ(mask.m_dwMask, 4u);
    mask.SetAt(5, 7);
    mask.SetAt(2, 0);
    EXPECT_EQ(mask.m_dwMask, 1u << 5);
    mask -= 6;
    EXPECT_EQ(mask.m_dwMask, 1u << 5);
    mask.Inverse(0);
    mask.Inverse(0);
    EXPECT_EQ(mask.m_dwMask, 1u << 5);
}

TEST(C32MaskMembers, NumbersOutsideTheRangeChangeNothing)
{
    C32Mask mask(1, 32);
    mask += 32;
    mask += -1;
    mask.Inverse(40);
    mask -= 33;
    EXPECT_EQ(mask.m_dwMask, 2u);
    EXPECT_EQ(mask[32], 0);
    EXPECT_EQ(mask[-1], 0);
}

TEST(C32MaskSets, FullSetsCount32)
{
    EXPECT_EQ(C32Mask(-1L).CalcRisedNumber(), 32);
    C32Mask empty;
    EXPECT_EQ((~empty).CalcRisedNumber(), 32);
    EXPECT_TRUE(empty.IsEmpty());  // ~ leaves its operand alone
    empty.Inverse();
    EXPECT_EQ(empty.m_dwMask, 0xFFFFFFFFu);
}

TEST(C32MaskSets, Algebra)
{
    C32Mask a(1, 2, 3, 32);
    C32Mask b(3, 4, 32);
    EXPECT_EQ((a & b).m_dwMask, 1u << 3);
    EXPECT_EQ((a | b).m_dwMask, 0x1Eu);
    EXPECT_EQ((a ^ b).m_dwMask, 0x16u);
    C32Mask diff(a);
    diff -= b;
    EXPECT_EQ(diff.m_dwMask, 0x6u);
    C32Mask both(a);
    both += b;
    EXPECT_EQ(both.m_dwMask, 0x1Eu);
    EXPECT_EQ(a.m_dwMask, 0xEu);  // the binary operators leave their operands alone
}

TEST(C32MaskSets, EqualityDependsOnlyOnMembers)
{
    C32Mask grown;
    (grown += 9) += 6;
    EXPECT_EQ(C32Mask(6, 9, 32) == grown, 1);
    EXPECT_EQ(C32Mask(6, 32) != grown, 1);
}

}  // namespace
