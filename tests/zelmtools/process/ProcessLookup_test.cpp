#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include <zelmtools/process/ProcessLookup.h>

#include "support/message_capture.h"
#include "support/named_process.h"
#include "support/temp_dir.h"
#include "zelmtools/process/ProcessList.h"

namespace {

// The kernel's short name of this one would be "zelmlookup-note": the pattern's end
// lies past it.
const char* const kNotepad = "zelmlookup-notepad-long.exe";

CString WriteList(const TempDir& dir, const std::string& text)
{
    std::string path = dir.file("programs.txt");
    std::ofstream(path, std::ios::binary) << text;
    return CString(path.c_str());
}

}  // namespace

TEST(FindActiveProcessFromFile, MixedCasePartOfALongNameIsFoundAndAppendedAfterTheText)
{
    TempDir dir;
    NamedProcess child(dir, kNotepad);
    MessageCapture boxes;
    CString message("before");
    EXPECT_EQ(FindActiveProcessFromFile(WriteList(dir, "NotePad-Long.EXE\nclose the editor\n"), message, "; ", 0), 1);
    EXPECT_EQ(std::string(message), "before; close the editor");
    EXPECT_TRUE(boxes.texts.empty());
}

TEST(FindActiveProcessFromFile, TwoProcessesAndADuplicatePatternGiveOneEntryWithTheFirstMessage)
{
    TempDir dir;
    NamedProcess first(dir, kNotepad);
    NamedProcess second(dir, kNotepad);
    CString message;
    EXPECT_EQ(FindActiveProcessFromFile(WriteList(dir, "zelmlookup-notepad\nfirst\nZELMLOOKUP-NOTEPAD\nsecond\n"),
                                        message, "|", 0),
              1);
    EXPECT_EQ(std::string(message), "|first");
}

TEST(FindActiveProcessFromFile, OneArgumentFormShowsEachMessageAfterALineFeed)
{
    TempDir dir;
    NamedProcess child(dir, kNotepad);
    MessageCapture boxes;
    EXPECT_EQ(
        FindActiveProcessFromFile(WriteList(dir, "lookup-note\r\nfirst\r\n-long.exe\r\nsecond\r\nabsent-zelm\r\nx")),
        2);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "\nfirst\nsecond");
}

TEST(FindActiveProcessFromFile, EmptyListsAndNoMatchGiveZeroWithoutABox)
{
    TempDir dir;
    NamedProcess child(dir, kNotepad);
    MessageCapture boxes;
    for (const char* text : {"", "\nnotepad\n", "notepad\n\n", "notepad", "absent-zelm-program\nmessage\n"}) {
        CString message("kept");
        EXPECT_EQ(FindActiveProcessFromFile(WriteList(dir, text), message, "\n", 1), 0) << text;
        EXPECT_EQ(std::string(message), "kept");
    }
    EXPECT_TRUE(boxes.texts.empty());
}

TEST(FindActiveProcessFromFile, AMissingListGivesMinusOneAndNothingElse)
{
    TempDir dir;
    MessageCapture boxes;
    CString message("kept");
    EXPECT_EQ(FindActiveProcessFromFile(CString(dir.file("absent.txt").c_str()), message, "\n", 1), -1);
    EXPECT_EQ(FindActiveProcessFromFile(CString(dir.file("absent.txt").c_str())), -1);
    EXPECT_EQ(std::string(message), "kept");
    EXPECT_TRUE(boxes.texts.empty());
}

TEST(ProcessList, PairsUntilALineLacksItsPartnerOrIsEmpty)
{
    CProcessArray list;
    zelm::tools::ParseProcessList("ab\r\nm1\r\ncd\nm2 \nlone", list);
    ASSERT_EQ(list.GetSize(), 2);
    EXPECT_EQ(std::string(list[0].strProcess), "AB");
    EXPECT_EQ(std::string(list[0].strMessage), "m1");
    EXPECT_EQ(std::string(list[1].strProcess), "CD");
    EXPECT_EQ(std::string(list[1].strMessage), "m2 ");
    CProcessArray stopped;
    zelm::tools::ParseProcessList("ab\nm1\ncd\n\nef\nm3\n", stopped);
    EXPECT_EQ(stopped.GetSize(), 1);
}
