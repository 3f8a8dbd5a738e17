#include <zelmtools/framework/strings/CString.h>

#include <gtest/gtest.h>

TEST(CString, SubstringsClampOutOfRangeArguments)
{
    CString s("Scrivane");
    EXPECT_EQ(s.Left(3), "Scr");
    EXPECT_EQ(s.Left(99), "Scrivane");
    EXPECT_EQ(s.Right(4), "vane");
    EXPECT_EQ(s.Right(-1), "");
    EXPECT_EQ(s.Mid(5), "ane");
    EXPECT_EQ(s.Mid(7, 10), "e");
    EXPECT_EQ(s.Mid(20), "");
}

TEST(CString, SearchesAndEdits)
{
    CString s("a\\b\\c");
    EXPECT_EQ(s.Find('\\'), 1);
    EXPECT_EQ(s.Find('\\', 2), 3);
    EXPECT_EQ(s.ReverseFind('\\'), 3);
    EXPECT_EQ(s.Find("x"), -1);
    EXPECT_EQ(s.Replace("\\", "/"), 2);
    EXPECT_EQ(s, "a/b/c");
    s.Delete(1, 2);
    EXPECT_EQ(s, "a/c");
    s.Insert(0, "<<");
    EXPECT_EQ(s, "<<a/c");
    CString padded("  x y \t");
    EXPECT_EQ(padded.Trim(), "x y");
    CString slashes("dir///");
    EXPECT_EQ(slashes.TrimRight('/'), "dir");
    EXPECT_EQ(CString("AbC").CompareNoCase("aBc"), 0);
}

TEST(CString, BufferRoundTripAndFormat)
{
    CString s("long text here");
    char* buffer = s.GetBuffer(32);
    std::snprintf(buffer, 33, "%s", "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s, "abc");
    s.Format("T%04d.bmp", 12);
    EXPECT_EQ(s, "T0012.bmp");
    s.Format("%s", std::string(5000, 'x').c_str());
    EXPECT_EQ(s.GetLength(), 5000);
}

TEST(CString, LoadStringLeavesTheStringWhenNoModuleHasIt)
{
    CString s("kept");
    EXPECT_FALSE(s.LoadString(65000));
    EXPECT_EQ(s, "kept");
}
