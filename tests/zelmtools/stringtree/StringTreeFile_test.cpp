// Reading string-tree files: levels, names, data and comments, and the message shown
// for each line that is no node, with the user's choice to go on or stop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StringTreeFiles.h"
#include "support/message_capture.h"
#include "zelmtools/dialogs/StringTreeData.h"

namespace {

struct Node {
    int level;
    std::string name;
    std::string data;
    bool operator==(const Node&) const = default;
};

std::vector<Node> NodesOf(const CStringTree& tree)
{
    std::vector<Node> nodes;
    for (INT_PTR i = 0; i < tree.m_Nodes.GetSize(); ++i) {
        const auto& node = tree.m_Nodes[i];
        nodes.push_back({node.m_nLevel, node.m_strName.str(), node.m_strData.str()});
    }
    return nodes;
}

// Accepts every value except "bad"; rejects "quiet" without saying why.
class TestRejectingBad : public CStringTreeDataTestAbs {
public:
    int TestData(LPCSTR pszData) override
    {
        tested.emplace_back(pszData);
        if (std::string(pszData) == "bad") {
            SetLastError("Плохое значение.");
            return FALSE;
        }
        return std::string(pszData) != "quiet";
    }
    std::vector<std::string> tested;
};

}  // namespace

TEST(StringTreeFile, ReadsLevelsNamesDataAndSkipsCommentsAndBlanks)
{
    TempDir dir;
    const std::string path = WriteTreeFile(dir,
                                           "// a comment line\n"
                                           "\n"
                                           "   \t\n"
                                           "1 Group\n"
                                           "  2  Name one   =  value = more  \r\n"
                                           "2 Two=a//b\n"
                                           "\t3\tDeep // a comment after the name\n"
                                           "12abc\n"
                                           "2No blank after the digit=x");
    MessageCapture capture;
    CStringTree tree;
    ASSERT_TRUE(tree.LoadFromFile(path.c_str(), nullptr));
    EXPECT_TRUE(capture.texts.empty());
    const std::vector<Node> expected = {{1, "Group", ""}, {2, "Name one", "value = more"},
                                        {2, "Two", "a"},  {3, "Deep", ""},
                                        {1, "2abc", ""},  {2, "No blank after the digit", "x"}};
    EXPECT_EQ(NodesOf(tree), expected);
}

TEST(StringTreeFile, ShowsEveryKindOfBadLineWithItsErrorAndLineNumber)
{
    TempDir dir;
    const std::string bom = "\xEF\xBB\xBF";
    const std::string path = WriteTreeFile(dir, bom + "1 First\n0 zero\nx letter\n\n3   = data\n1 Good\n");
    MessageCapture capture(IDYES);
    TestRejectingBad test;
    CStringTree tree;
    ASSERT_TRUE(tree.LoadFromFile(path.c_str(), &test));
    const std::vector<std::string> expected = {
        // The byte-order mark is part of the first line: its first byte is no digit.
        BadLineMessage("Неверный номер уровня.", 1, path, bom + "1 First", '\xEF' - '0', "", ""),
        BadLineMessage("Неверный номер уровня.", 2, path, "0 zero", 0, "", ""),
        BadLineMessage("Неверный номер уровня.", 3, path, "x letter", 72, "", ""),
        BadLineMessage("Отсутствует название вершины.", 5, path, "3   = data", 3, "", "data"),
    };
    EXPECT_EQ(capture.texts, expected);
    EXPECT_EQ(NodesOf(tree), (std::vector<Node>{{1, "Good", ""}}));
}

TEST(StringTreeFile, WithoutADataTestEveryBadLineIsAnUnknownError)
{
    TempDir dir;
    const std::string path = WriteTreeFile(dir, "  0 zero\n2 = x\n");
    MessageCapture capture(IDYES);
    CStringTree tree;
    ASSERT_TRUE(tree.LoadFromFile(path.c_str(), nullptr));
    ASSERT_EQ(capture.texts.size(), 2u);
    // The line is shown exactly as read, leading blanks included.
    EXPECT_EQ(capture.texts[0], BadLineMessage("Неизвестная ошибка", 1, path, "  0 zero", 0, "", ""));
    EXPECT_EQ(capture.texts[1], BadLineMessage("Неизвестная ошибка", 2, path, "2 = x", 2, "", "x"));
}

TEST(StringTreeFile, DataTestRejectionsShowItsTextOrTheTextItHeldBefore)
{
    TempDir dir;
    const std::string path = WriteTreeFile(dir, "1 A = quiet\n1 B = bad\n1 C = quiet\n1 D = good\n1 E\n");
    MessageCapture capture(IDYES);
    TestRejectingBad test;
    CStringTree tree;
    ASSERT_TRUE(tree.LoadFromFile(path.c_str(), &test));
    ASSERT_EQ(capture.texts.size(), 3u);
    EXPECT_EQ(capture.texts[0], BadLineMessage("Неизвестная ошибка.", 1, path, "1 A = quiet", 1, "A", "quiet"));
    EXPECT_EQ(capture.texts[1], BadLineMessage("Плохое значение.", 2, path, "1 B = bad", 1, "B", "bad"));
    EXPECT_EQ(capture.texts[2], BadLineMessage("Плохое значение.", 3, path, "1 C = quiet", 1, "C", "quiet"));
    // Groups have no data to test.
    EXPECT_EQ(test.tested, (std::vector<std::string>{"quiet", "bad", "quiet", "good"}));
    EXPECT_EQ(NodesOf(tree), (std::vector<Node>{{1, "D", "good"}, {1, "E", ""}}));
}

TEST(StringTreeFile, NoAtABadLineStopsReadingAndKeepsTheNodesBeforeIt)
{
    TempDir dir;
    const std::string path = WriteTreeFile(dir, "1 A\n2 B = 1\nbad\n2 C = 2\nworse\n");
    MessageCapture capture(IDNO);
    CStringTree tree;
    EXPECT_TRUE(tree.LoadFromFile(path.c_str(), nullptr));
    EXPECT_EQ(capture.texts.size(), 1u);
    EXPECT_EQ(NodesOf(tree), (std::vector<Node>{{1, "A", ""}, {2, "B", "1"}}));
}

TEST(StringTreeFile, AMissingFileIsSaidAndReadsNothing)
{
    TempDir dir;
    const std::string path = dir.file("missing.txt");
    MessageCapture capture;
    CStringTree tree;
    EXPECT_FALSE(tree.LoadFromFile(path.c_str(), nullptr));
    EXPECT_EQ(capture.texts, (std::vector<std::string>{"Open file error: file name = " + path}));
}

TEST(StringTreeFile, AnyBytesAndLongLinesAreReadWithoutHarm)
{
    TempDir dir;
    const std::string longName(1 << 20, 'n');
    std::string bytes = "\xC0 high byte\n\xFF\n";
    bytes += "1 " + longName + " = " + std::string(70000, 'd') + "\n";
    bytes += std::string("2 with\0zero = v\n", 16);
    bytes += "3 last line without an end";
    const std::string path = WriteTreeFile(dir, bytes);
    MessageCapture capture(IDYES);
    CStringTree tree;
    ASSERT_TRUE(tree.LoadFromFile(path.c_str(), nullptr));
    // Bytes above 127 are taken as signed: bad levels, not crashes.
    ASSERT_EQ(capture.texts.size(), 2u);
    EXPECT_NE(capture.texts[0].find("Level = " + std::to_string(static_cast<signed char>('\xC0') - '0')),
              std::string::npos);
    const auto nodes = NodesOf(tree);
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[0].name, longName);
    EXPECT_EQ(nodes[0].data.size(), 70000u);
    EXPECT_EQ(nodes[2], (Node{3, "last line without an end", ""}));
}

TEST(StringTreeNode, ParseResetsTheNodeAndRefusesAnEmptyLineSilently)
{
    TestRejectingBad test;
    test.SetLastError("before");
    CStringTree::CStringTreeNode node;
    ASSERT_TRUE(node.Parse("4 Name = data", &test));
    EXPECT_FALSE(node.Parse(" \t ", &test));
    EXPECT_EQ(node.m_nLevel, -1);
    EXPECT_TRUE(node.m_strName.IsEmpty());
    EXPECT_EQ(test.GetLastError(), "before");
}

TEST(StringTreeDataTest, CopiesKeepTheErrorText)
{
    TestRejectingBad first;
    EXPECT_EQ(first.GetLastError(), "Неизвестная ошибка.");
    first.SetLastError("one");
    TestRejectingBad second(first);
    EXPECT_EQ(second.GetLastError(), "one");
    TestRejectingBad third;
    third = first;
    EXPECT_EQ(third.GetLastError(), "one");
}
