// Whole jobs on the real worker thread: page layout, page files, and how jobs end.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "JobRunner.h"
#include "PageImage.h"
#include "platform/base/utf8.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPageFileSize = 65590;

std::string Page(const TempDir& dir, int index) { return ReadFile(dir.file(CWorkThread::FileNameForIndex(index).GetString())); }

int PageCount(const TempDir& dir)
{
    int count = 0;
    while (fs::exists(dir.file(CWorkThread::FileNameForIndex(count).GetString()))) ++count;
    return count;
}

void ExpectSamePixels(const PagePixels& actual, const PagePixels& expected)
{
    int differing = 0;
    for (std::size_t i = 0; i < expected.pixels.size(); ++i) differing += actual.pixels[i] != expected.pixels[i];
    EXPECT_EQ(differing, 0) << "pixels that differ from the reference layout";
}

std::string EnglishText(int words)
{
    static const char* kWords[] = {"keeper", "wind", "sea", "notebook", "lamp", "harbour", "steps", "grey"};
    std::string text;
    for (int i = 0; i < words; ++i) text += std::string(i ? " " : "") + kWords[i % 8];
    return text;
}

}  // namespace

TEST(PageLayout, OnePageMatchesTheReferenceLayout)
{
    TempDir dir;
    std::string text = EnglishText(12);  // fits on one page even when lines do not overlap
    WriteFile(dir.file("in.txt"), text);
    for (int delSize : {0, 3, 7}) {
        TempDir out;
        JobSettings settings;
        settings.delSize = delSize;
        JobResult result = RunRenderJob(dir.file("in.txt"), out.folder(), settings);
        ASSERT_EQ(result.pagesWritten, 1);
        ASSERT_EQ(PageCount(out), 1) << "no empty page follows a text that fits on one";

        auto lines = LayoutReferencePage(text, settings.font, delSize);
        ASSERT_GE(lines.size(), 3u);
        for (const auto& line : lines) EXPECT_LE(line.width, 122);
        EXPECT_EQ(lines[1].top, lines[0].height - delSize);
        PagePixels page = ReadPagePixels(Page(out, 0));
        ExpectSamePixels(page, DrawReferencePage(lines, settings.font));
        RECT ink = page.InkBounds();
        EXPECT_GE(ink.left, 2);
        EXPECT_LE(ink.right, 2 + 122);
        EXPECT_LT(ink.top, lines[0].height);
    }
}

TEST(PageLayout, FullPagesCarryTheLineOverAndNoLineReachesRow116)
{
    TempDir dir;
    std::string text = EnglishText(60);  // about two pages, within one 500-byte window
    ASSERT_LT(text.size(), 500u);
    WriteFile(dir.file("in.txt"), text);
    TempDir out;
    JobResult result = RunRenderJob(dir.file("in.txt"), out.folder());
    ASSERT_GE(result.pagesWritten, 2);

    auto lines = LayoutReferencePage(text, JobSettings::DefaultTestFont(), 3);
    const auto& last = lines.back();
    EXPECT_LT(last.top + last.height, 116);
    EXPECT_GE(last.top + last.height + last.height - 3, 116) << "the next line would have reached row 116";
    ExpectSamePixels(ReadPagePixels(Page(out, 0)), DrawReferencePage(lines, JobSettings::DefaultTestFont()));

    // The second page starts with the first line that did not fit (its leading space dropped).
    std::size_t laidOut = 0;
    for (const auto& line : lines) laidOut = text.find(line.text, laidOut) + line.text.size();
    auto rest = LayoutReferencePage(text.substr(laidOut), JobSettings::DefaultTestFont(), 3);
    ExpectSamePixels(ReadPagePixels(Page(out, 1)), DrawReferencePage(rest, JobSettings::DefaultTestFont()));
}

TEST(PageLayout, APageNeverHoldsMoreThanOne500ByteWindow)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), std::string(600, 'i'));
    LOGFONT tiny = JobSettings::DefaultTestFont();
    tiny.lfHeight = -6;
    JobSettings settings;
    settings.font = tiny;
    TempDir out;
    JobResult result = RunRenderJob(dir.file("in.txt"), out.folder(), settings);
    EXPECT_EQ(result.pagesWritten, 2);
    PagePixels first = ReadPagePixels(Page(out, 0));
    EXPECT_LT(first.InkBounds().bottom, 100) << "the first page ends with room left below";
    ExpectSamePixels(first, DrawReferencePage(LayoutReferencePage(std::string(500, 'i'), tiny, 3), tiny));
}

TEST(PageLayout, ACharacterWiderThanALineStillMovesTheJobOn)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), "WMW");
    JobSettings settings;
    settings.font.lfHeight = -200;
    TempDir out;
    JobResult result = RunRenderJob(dir.file("in.txt"), out.folder(), settings);
    EXPECT_EQ(result.pagesWritten, 3);  // one character per line, one line per page
    EXPECT_EQ(result.endNotifications, 1);
    EXPECT_FALSE(ReadPagePixels(Page(out, 0)).InkBounds().right < 0) << "the character is drawn, cut at the edge";
}

TEST(PageLayout, LineBreaksOnlyGiveOneBlankPageAndCarriageReturnsNone)
{
    TempDir dir;
    WriteFile(dir.file("lf.txt"), "\n\n\n");
    WriteFile(dir.file("crlf.txt"), "\r\n\r\n");
    WriteFile(dir.file("cr.txt"), "\r\r\r\r");
    WriteFile(dir.file("empty.txt"), "");
    for (const char* name : {"lf.txt", "crlf.txt"}) {
        TempDir out;
        JobResult result = RunRenderJob(dir.file(name), out.folder());
        EXPECT_EQ(result.pagesWritten, 1) << name;
        EXPECT_LT(ReadPagePixels(Page(out, 0)).InkBounds().right, 0) << name << ": the page is blank";
    }
    for (const char* name : {"cr.txt", "empty.txt"}) {
        TempDir out;
        JobResult result = RunRenderJob(dir.file(name), out.folder());
        EXPECT_EQ(result.pagesWritten, 0) << name;
        EXPECT_EQ(PageCount(out), 0) << name;
        ASSERT_FALSE(result.progress.empty()) << name;
        EXPECT_EQ(result.progress.back(), 100) << name;
        EXPECT_EQ(result.endNotifications, 1) << name;
    }
}

TEST(PageFiles, HeaderFieldsAndTheWhiteRowsBelowThePage)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), "Header check");
    TempDir out;
    RunRenderJob(dir.file("in.txt"), out.folder());
    std::string file = Page(out, 0);
    ASSERT_EQ(file.size(), kPageFileSize);
    const unsigned char expected[54] = {
        'B', 'M', 0x36, 0x00, 0x01, 0x00,  // size 65,590
        0, 0, 0, 0,                        // reserved
        54, 0, 0, 0,                       // pixel data offset
        40, 0, 0, 0,                       // information header size
        128, 0, 0, 0, 116, 0, 0, 0,        // width, height (bottom-up)
        1, 0, 32, 0,                       // planes, bits per pixel
        0, 0, 0, 0,                        // uncompressed
        0x00, 0x00, 0x01, 0x00,            // image size 65,536
        0, 0, 0, 0, 0, 0, 0, 0,            // resolution
        0, 0, 0, 0, 0, 0, 0, 0};           // colours used, important
    for (int i = 0; i < 54; ++i) EXPECT_EQ(static_cast<unsigned char>(file[i]), expected[i]) << "header byte " << i;
    // Data rows 116 to 127 lie past the declared height and stay white.
    for (std::size_t at = 54 + 116 * 512; at < file.size(); at += 4)
        ASSERT_EQ(file.substr(at, 3), "\xFF\xFF\xFF") << "offset " << at;
}

TEST(PageFiles, NamesCountFromT0000AndJoinTheFolderAsTyped)
{
    EXPECT_EQ(CWorkThread::FileNameForIndex(0), "T0000.bmp");
    EXPECT_EQ(CWorkThread::FileNameForIndex(10), "T0010.bmp");
    EXPECT_EQ(CWorkThread::FileNameForIndex(1000), "T1000.bmp");
    EXPECT_EQ(CWorkThread::FileNameForIndex(10000), "T10000.bmp");

    // A folder typed without its final "/" is joined as it stands.
    TempDir dir;
    WriteFile(dir.file("in.txt"), "x");
    std::string prefix = dir.file("Out");
    RunRenderJob(dir.file("in.txt"), prefix);
    EXPECT_TRUE(fs::exists(prefix + "T0000.bmp"));
}

TEST(PageFiles, EarlierPagesAreOverwrittenAndHigherNumbersKept)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), "one short page");
    TempDir out;
    WriteFile(out.file("T0000.bmp"), "old page zero");
    WriteFile(out.file("T0001.bmp"), "old page one");
    RunRenderJob(dir.file("in.txt"), out.folder());
    EXPECT_EQ(Page(out, 0).size(), kPageFileSize);
    EXPECT_EQ(Page(out, 1), "old page one");
}

TEST(JobEnd, AMissingOutputFolderShowsOneMessageAndMakesNoFile)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), EnglishText(200));
    std::string folder = dir.file("missing") + "/";
    JobResult result = RunRenderJob(dir.file("in.txt"), folder);
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_NE(result.messages[0].find(folder + "T0000.bmp"), std::string::npos) << result.messages[0];
    EXPECT_EQ(result.pagesWritten, 0);
    EXPECT_EQ(result.progressAfterLastMessage, 1) << "progress is reported once more after the failure";
    EXPECT_EQ(result.endNotifications, 1);
    EXPECT_FALSE(fs::exists(dir.file("missing")));
}

TEST(JobEnd, AnInputThatCannotBeOpenedOrReadEndsTheJobWithOneMessageNamingIt)
{
    // Missing, and one that opens but fails on reading: without a message either would
    // look like a job whose text is empty.
    TempDir out;
    for (std::string input : {out.file("does-not-exist.txt"), std::string("/proc/self/mem")}) {
        JobResult result = RunRenderJob(input, out.folder());
        EXPECT_EQ(result.endNotifications, 1);
        EXPECT_TRUE(result.progress.empty());
        ASSERT_EQ(result.messages.size(), 1u) << input;
        EXPECT_NE(result.messages[0].find(input), std::string::npos) << result.messages[0];
    }
    EXPECT_EQ(PageCount(out), 0);
}

TEST(JobEnd, StopFinishesTheCurrentPageThenEnds)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), EnglishText(400));
    TempDir out;
    JobSettings settings;
    settings.onProgress = [](CWorkThread& worker) { worker.m_bStop = 1; };
    JobResult result = RunRenderJob(dir.file("in.txt"), out.folder(), settings);
    EXPECT_EQ(result.pagesWritten, 1);
    EXPECT_EQ(PageCount(out), 1);
    EXPECT_EQ(result.endNotifications, 1);
}

TEST(JobEnd, ProgressClimbsTo100)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), EnglishText(800));
    TempDir out;
    JobResult result = RunRenderJob(dir.file("in.txt"), out.folder());
    ASSERT_GT(result.progress.size(), 3u);
    EXPECT_TRUE(std::is_sorted(result.progress.begin(), result.progress.end()));
    EXPECT_EQ(result.progress.back(), 100);
    // Only a changed percentage is sent while the job goes on; after the last page always.
    EXPECT_EQ(std::adjacent_find(result.progress.begin(), result.progress.end() - 1), result.progress.end() - 1);
    EXPECT_LE(static_cast<int>(result.progress.size()), result.pagesWritten + 1);
}

TEST(JobEnd, ALongJobSendsEachPercentageOnceAndEndsWithEveryPageCounted)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), EnglishText(30000));
    TempDir out;
    JobResult result = RunRenderJob(dir.file("in.txt"), out.folder());
    ASSERT_GT(result.pagesWritten, 300);
    EXPECT_LE(result.progress.size(), 102u) << "not one notification per page";
    EXPECT_EQ(result.progress.back(), 100);
    EXPECT_EQ(result.pagesWritten, PageCount(out)) << "the last notification follows the last file";
}

TEST(JobEnd, StopInTheMiddleWritesEveryPageLaidOutInOrder)
{
    TempDir dir;
    const std::string text = EnglishText(30000);
    WriteFile(dir.file("in.txt"), text);
    TempDir out;
    JobSettings settings;
    int notifications = 0;
    settings.onProgress = [&notifications](CWorkThread& worker) {
        if (++notifications == 3) worker.m_bStop = 1;
    };
    JobResult result = RunRenderJob(dir.file("in.txt"), out.folder(), settings);
    EXPECT_EQ(result.endNotifications, 1);
    const int pages = PageCount(out);
    ASSERT_GT(pages, 2);
    EXPECT_LT(pages, 100) << "the job ended soon after Stop";
    EXPECT_EQ(result.pagesWritten, pages);
    // Every file is whole, and the pages are those of an undisturbed job, in order.
    TempDir whole;
    RunRenderJob(dir.file("in.txt"), whole.folder());
    for (int i = 0; i < pages; ++i) {
        ASSERT_EQ(Page(out, i).size(), kPageFileSize) << "page " << i;
        EXPECT_EQ(Page(out, i), Page(whole, i)) << "page " << i;
    }
}

TEST(JobEnd, AWriteErrorUnderALongFolderIsReportedWhole)
{
    TempDir dir;
    WriteFile(dir.file("in.txt"), EnglishText(20));
    std::string folder = dir.path().string();
    while (folder.size() < 1200) folder += "/" + std::string(200, 'd');
    fs::create_directories(folder + "/T0000.bmp");  // a folder where the page file should go
    JobResult result = RunRenderJob(dir.file("in.txt"), folder + "/");
    ASSERT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.messages[0], "Access to " + folder + "/T0000.bmp was denied.");
}

TEST(JobEnd, AGrowingInputNeverTakesTheProgressPast100)
{
    TempDir dir;
    std::string path = dir.file("growing.txt");
    WriteFile(path, EnglishText(200));
    TempDir out;
    JobSettings settings;
    int grown = 0;
    settings.onProgress = [&](CWorkThread&) {
        if (grown++ < 20) std::ofstream(path, std::ios::app) << EnglishText(100);
    };
    JobResult result = RunRenderJob(path, out.folder(), settings);
    ASSERT_FALSE(result.progress.empty());
    EXPECT_LE(*std::max_element(result.progress.begin(), result.progress.end()), 100);
    EXPECT_EQ(result.progress.back(), 100);
}

TEST(Encoding, TheSameRussianTextInUtf8AndWindows1251GivesTheSamePages)
{
    std::string utf8;
    for (int i = 0; i < 12; ++i)
        utf8 += "Каждый вечер смотритель поднимался по ступенькам и записывал ветер, море и суда. ";
    std::string cp1251;
    for (std::size_t pos = 0; pos < utf8.size();) {
        char32_t ch = zelm::platform::DecodeUtf8(utf8, pos);
        if (ch < 0x80) cp1251 += static_cast<char>(ch);
        else if (ch == 0x0451) cp1251 += '\xB8';
        else cp1251 += static_cast<char>(0xC0 + (ch - 0x0410));
    }
    TempDir dir;
    WriteFile(dir.file("utf8.txt"), utf8);
    WriteFile(dir.file("cp1251.txt"), cp1251);
    TempDir outUtf8, outCp1251;
    JobResult a = RunRenderJob(dir.file("utf8.txt"), outUtf8.folder());
    JobResult b = RunRenderJob(dir.file("cp1251.txt"), outCp1251.folder());
    ASSERT_GT(a.pagesWritten, 2);
    ASSERT_EQ(a.pagesWritten, b.pagesWritten);
    for (int i = 0; i < a.pagesWritten; ++i) EXPECT_EQ(Page(outUtf8, i), Page(outCp1251, i)) << "page " << i;
}
