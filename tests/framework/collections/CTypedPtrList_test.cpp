#include <gtest/gtest.h>

#include <vector>

#include <zelmtools/framework/collections/CTypedPtrList.h>

namespace {

struct Thing {
    int id;
};

std::vector<int> Ids(const CTypedPtrList<CPtrList, Thing*>& list)
{
    std::vector<int> ids;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) ids.push_back(list.GetNext(pos)->id);
    return ids;
}

}  // namespace

TEST(CTypedPtrList, TypedOperationsOverThePointerList)
{
    Thing a{1}, b{2}, c{3}, d{4};
    CTypedPtrList<CPtrList, Thing*> list(2);  // several node blocks
    EXPECT_TRUE(list.IsEmpty());
    list.AddTail(&b);
    list.AddTail(&c);
    list.AddHead(&a);
    list.AddTail(&d);
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(Ids(list), (std::vector<int>{1, 2, 3, 4}));

    POSITION pos = list.Find(&c);
    ASSERT_NE(pos, nullptr);
    list.RemoveAt(pos);
    EXPECT_EQ(list.Find(&c), nullptr);
    EXPECT_EQ(list.RemoveHead()->id, 1);
    EXPECT_EQ(list.RemoveTail()->id, 4);
    EXPECT_EQ(Ids(list), std::vector<int>{2});

    POSITION tail = list.GetTailPosition();
    EXPECT_EQ(list.GetPrev(tail)->id, 2);
    EXPECT_EQ(tail, nullptr);
    list.GetHead() = &d;  // elements are references into the list
    EXPECT_EQ(list.GetTail()->id, 4);
    list.RemoveTail();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
}
