// The text window: normalisation of line breaks and spaces, and filling from the file.
#include <gtest/gtest.h>

#include <unistd.h>

#include <thread>

#include "JobRunner.h"
#include "app/WorkThread.h"
#include "support/temp_dir.h"

namespace {

// Opens the worker's steps to the tests, without a thread.
class CTextBufferProbe : public CWorkThread {
public:
    std::string Normalize(const std::string& bytes)
    {
        std::copy(bytes.begin(), bytes.end(), m_textBuf);
        m_nTextPos = 0;
        m_nTextCount = static_cast<int>(bytes.size());
        NormalizeText();
        return Text();
    }
    void OpenInput(const std::string& path, TextEncoding encoding = TextEncoding::Auto)
    {
        ASSERT_TRUE(m_file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyWrite));
        m_dwFileLength = m_file.GetLength();
        m_decoder.Begin(m_file, encoding);
    }
    bool Fill() { return FillTextBuffer(); }
    // Takes the first n bytes as laid out.
    void Consume(int n) { m_nTextPos += n; }
    std::string Text() const { return std::string(m_textBuf + m_nTextPos, m_textBuf + m_nTextCount); }
    ULONGLONG FilePos() const { return m_dwFilePos; }
    ULONGLONG Length() const { return m_decoder.Length(); }
};

}  // namespace

TEST(TextNormalization, LineBreaksAndSpaceRunsBecomeOneSpace)
{
    CTextBufferProbe probe;
    EXPECT_EQ(probe.Normalize("ab\r\ncd"), "ab cd");
    EXPECT_EQ(probe.Normalize("a  \r\n  b"), "a b");
    EXPECT_EQ(probe.Normalize("a\n\n\nb"), "a b");
    EXPECT_EQ(probe.Normalize("\r\r\r"), "");
    EXPECT_EQ(probe.Normalize("\n"), " ");
    EXPECT_EQ(probe.Normalize("tab\there\x01"), "tab\there\x01");  // other control bytes stay
    EXPECT_EQ(probe.Normalize("a\r b"), "a b");
}

TEST(TextNormalization, ARunSpanningTwoFillsIsShrunk)
{
    TempDir dir;
    std::string path = dir.file("run.txt");
    WriteFile(path, std::string(498, 'a') + "     \r\n  b" + std::string(100, 'c'));
    CTextBufferProbe probe;
    probe.OpenInput(path);
    ASSERT_TRUE(probe.Fill());
    std::string text = probe.Text();
    ASSERT_EQ(text.size(), 500u);
    EXPECT_EQ(text.substr(494), "aaaa b");
    EXPECT_EQ(probe.Text().find("  "), std::string::npos);
}

TEST(TextBuffer, FillMovesTheRestToTheFrontAndTopsUpTo500Bytes)
{
    TempDir dir;
    std::string path = dir.file("long.txt");
    std::string text;
    for (int i = 0; i < 200; ++i) text += "word" + std::to_string(i) + " ";
    WriteFile(path, text);
    CTextBufferProbe probe;
    probe.OpenInput(path);
    ASSERT_TRUE(probe.Fill());
    EXPECT_EQ(probe.Text(), text.substr(0, 500));
    EXPECT_EQ(probe.FilePos(), 500u);
    probe.Consume(300);
    ASSERT_TRUE(probe.Fill());
    EXPECT_EQ(probe.Text(), text.substr(300, 500));
}

TEST(TextBuffer, ACharacterIsNeverSplitBetweenFills)
{
    TempDir dir;
    std::string path = dir.file("cyrillic.txt");
    std::string text = "x";  // an odd start puts the 500-byte limit inside a two-byte letter
    for (int i = 0; i < 400; ++i) text += "\xD0\x96";  // Ж
    WriteFile(path, text);
    CTextBufferProbe probe;
    probe.OpenInput(path);
    ASSERT_TRUE(probe.Fill());
    EXPECT_EQ(probe.Text().size(), 499u);  // the 250th letter does not fit whole
    probe.Consume(499);
    ASSERT_TRUE(probe.Fill());
    EXPECT_EQ(probe.Text().size(), 302u);
    EXPECT_EQ(probe.Text().substr(0, 2), "\xD0\x96");
}

TEST(TextBuffer, Windows1251IsReadAsCyrillicAndAByteOrderMarkIsDropped)
{
    TempDir dir;
    WriteFile(dir.file("cp.txt"), "\xcf\xf0\xe8\xe2\xe5\xf2 \xa8\xb8");  // Привет Ёё
    CTextBufferProbe cp;
    cp.OpenInput(dir.file("cp.txt"));
    ASSERT_TRUE(cp.Fill());
    EXPECT_EQ(cp.Text(), "Привет Ёё");

    WriteFile(dir.file("bom.txt"), "\xEF\xBB\xBFhello");
    CTextBufferProbe bom;
    bom.OpenInput(dir.file("bom.txt"));
    ASSERT_TRUE(bom.Fill());
    EXPECT_EQ(bom.Text(), "hello");

    // One invalid byte anywhere makes the whole file Windows-1251.
    WriteFile(dir.file("mixed.txt"), "Ж" + std::string(70000, 'a') + "\xC0");
    CTextBufferProbe mixed;
    mixed.OpenInput(dir.file("mixed.txt"));
    ASSERT_TRUE(mixed.Fill());
    EXPECT_EQ(mixed.Text().substr(0, 5), "Р–");  // D0 96 read as two Windows-1251 characters
}

TEST(TextBuffer, Utf16WithAByteOrderMarkIsReadAsUtf16)
{
    TempDir dir;
    // "Hi Ж" and a character beyond the basic plane (a surrogate pair), little- and big-endian.
    WriteFile(dir.file("le.txt"), std::string("\xFF\xFEH\0i\0 \0\x16\x04\x3D\xD8\x00\xDE", 14));
    WriteFile(dir.file("be.txt"), std::string("\xFE\xFF\0H\0i\0 \x04\x16\xD8\x3D\xDE\x00", 14));
    for (const char* name : {"le.txt", "be.txt"}) {
        CTextBufferProbe probe;
        probe.OpenInput(dir.file(name));
        ASSERT_TRUE(probe.Fill());
        EXPECT_EQ(probe.Text(), "Hi \xD0\x96\xF0\x9F\x98\x80") << name;
    }
    // A lone surrogate and an odd last byte become replacement characters.
    WriteFile(dir.file("broken.txt"), std::string("\xFF\xFE" "a\0\x00\xD8" "b\0c", 9));
    CTextBufferProbe broken;
    broken.OpenInput(dir.file("broken.txt"));
    ASSERT_TRUE(broken.Fill());
    EXPECT_EQ(broken.Text(), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(TextBuffer, AnInputThatCannotBeRepositionedIsReadOnceAndMeasured)
{
    TempDir dir;
    std::string text = "\xCF\xF0\xE8\xE2\xE5\xF2 " + std::string(100000, 'a');  // Windows-1251, over one chunk
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    std::thread writer([&] {
        for (std::size_t at = 0; at < text.size();) {
            ssize_t put = write(fds[1], text.data() + at, text.size() - at);
            if (put <= 0) break;
            at += static_cast<std::size_t>(put);
        }
        close(fds[1]);
    });
    CTextBufferProbe probe;
    probe.OpenInput("/proc/self/fd/" + std::to_string(fds[0]));
    writer.join();
    close(fds[0]);
    ASSERT_TRUE(probe.Fill());
    EXPECT_EQ(probe.Text().substr(0, 13), "Привет ") << "the whole pipe was scanned to choose the encoding";
    EXPECT_EQ(probe.Length(), text.size());
}
