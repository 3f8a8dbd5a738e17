#include "framework/files/CFile.h"

#include <gtest/gtest.h>

#include <fstream>

#include <zelmtools/platform/base/errors.h>
#include "support/temp_dir.h"

namespace {

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

}  // namespace

TEST(CFile, ReadsShortAtTheEndAndReportsA64BitLength)
{
    TempDir dir;
    WriteText(dir.file("in.txt"), "hello world");
    CFile file;
    ASSERT_TRUE(file.Open(dir.file("in.txt").c_str(), CFile::modeRead | CFile::shareDenyWrite));
    EXPECT_EQ(file.GetLength(), 11u);
    char buffer[8];
    EXPECT_EQ(file.Read(buffer, 8), 8u);
    EXPECT_EQ(file.Read(buffer, 8), 3u);
    EXPECT_EQ(file.Read(buffer, 8), 0u);
    EXPECT_EQ(file.GetPosition(), 11u);
}

TEST(CFile, ShareModesHoldBetweenOpeners)
{
    TempDir dir;
    std::string path = dir.file("shared.bin");
    WriteText(path, "x");
    CFile reader;
    ASSERT_TRUE(reader.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));

    CFileException error;
    CFile writer;
    EXPECT_FALSE(writer.Open(path.c_str(), CFile::modeWrite | CFile::shareDenyNone, &error));
    EXPECT_EQ(error.m_cause, CFileException::sharingViolation);

    CFile secondReader;  // reading is still allowed
    EXPECT_TRUE(secondReader.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));

    // A writer that lets others read does not stop a reader that allows writing...
    reader.Close();
    secondReader.Close();
    ASSERT_TRUE(writer.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite));
    CFile lenientReader;
    EXPECT_TRUE(lenientReader.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone));
    // ...but stops one that would deny writing, and an exclusive opener.
    CFile strictReader;
    EXPECT_FALSE(strictReader.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
    CFile exclusive;
    EXPECT_FALSE(exclusive.Open(path.c_str(), CFile::modeRead | CFile::shareExclusive));
}

TEST(CFile, CreateReplacesAnExistingFile)
{
    TempDir dir;
    std::string path = dir.file("out.bin");
    WriteText(path, "a much longer old content");
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    file.Write("new", 3);
    file.Close();
    std::ifstream in(path, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "new");
}

TEST(CFileException, DescriptionNamesTheFileAndTheReason)
{
    TempDir dir;
    std::string path = dir.file("missing/T0000.bmp");
    try {
        CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        FAIL() << "opening in a missing folder must throw";
    } catch (CFileException* e) {
        EXPECT_EQ(e->m_cause, CFileException::badPath);
        EXPECT_EQ(e->m_lOsError, ERROR_PATH_NOT_FOUND);
        char text[512];
        ASSERT_TRUE(e->GetErrorMessage(text, sizeof text));
        EXPECT_EQ(std::string(text), path + " contains an invalid path.");
        e->Delete();
    }
    CFileException denied(CFileException::accessDenied, ERROR_ACCESS_DENIED, "/root/x");
    EXPECT_EQ(denied.GetErrorMessage(), "Access to /root/x was denied.");
    char small[12];
    denied.GetErrorMessage(small, sizeof small);
    EXPECT_STREQ(small, "Access to /");
}
