#include <zelmtools/framework/collections/CList.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts live values, to see that every element is destroyed exactly once.
struct Tracked {
    static inline int live = 0;
    std::string text;
    Tracked(const char* t) : text(t) { ++live; }
    Tracked(const Tracked& other) : text(other.text) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
    bool operator==(const Tracked& other) const { return text == other.text; }
};

std::string Joined(const CList<Tracked>& list)
{
    std::string out;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) out += list.GetNext(pos).text;
    return out;
}

TEST(CList, KeepsOrderAcrossBlocksAndRemovals)
{
    {
        CList<Tracked> list(3);
        for (const char* t : {"b", "c", "d", "e", "f", "g", "h"}) list.AddTail(t);
        list.AddHead("a");
        EXPECT_EQ(Joined(list), "abcdefgh");
        EXPECT_EQ(list.GetCount(), 8);

        list.RemoveAt(list.Find("d"));
        EXPECT_EQ(list.RemoveHead().text, "a");
        EXPECT_EQ(list.RemoveTail().text, "h");
        list.AddTail("x");  // reuses a freed node
        EXPECT_EQ(Joined(list), "bcefgx");

        POSITION pos = list.GetTailPosition();
        EXPECT_EQ(list.GetPrev(pos).text, "x");
        EXPECT_EQ(list.GetAt(pos).text, "g");
        list.SetAt(pos, "G");
        EXPECT_EQ(list.Find("g"), nullptr);
        EXPECT_EQ(list.Find("G"), pos);
        EXPECT_EQ(list.Find("G", pos), nullptr);
        EXPECT_EQ(Tracked::live, 6);
    }
    EXPECT_EQ(Tracked::live, 0);
}

TEST(CList, EmptiesAndStartsOver)
{
    CList<Tracked> list;
    list.AddTail("one");
    list.RemoveHead();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
    for (int i = 0; i < 25; ++i) list.AddTail("n");
    list.RemoveAll();
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(Tracked::live, 0);
    list.AddHead("again");
    EXPECT_EQ(list.GetHead().text, "again");
    EXPECT_EQ(list.GetTail().text, "again");
}

}  // namespace
