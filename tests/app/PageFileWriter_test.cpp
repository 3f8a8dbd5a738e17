// The ring of page images written on a thread of their own: order, no image reused
// before its file is written, and the end at the first file that fails.
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "JobRunner.h"
#include "app/PageFileWriter.h"
#include "support/temp_dir.h"

namespace {

constexpr int kImageBytes = 1000;

std::string PageFile(const TempDir& dir, int index) { return dir.file("P" + std::to_string(index)); }

}  // namespace

TEST(PageFileWriter, WritesEveryPageInOrderFromTheRing)
{
    TempDir dir;
    const std::string blank(kImageBytes, 'B');
    std::atomic<int> written{0};
    PageFileWriter writer(reinterpret_cast<const BYTE*>(blank.data()), kImageBytes, written);
    constexpr int kPages = 5 * PageFileWriter::kRingPages + 1;
    for (int i = 0; i < kPages; ++i) {
        BYTE* image = writer.NextImage();
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image[kImageBytes - 1], 'B') << "the part a page leaves alone stays as the blank image";
        std::fill(image, image + 100, static_cast<BYTE>('a' + i % 26));
        writer.Submit(PageFile(dir, i).c_str());
    }
    EXPECT_EQ(writer.Finish(), nullptr);
    EXPECT_EQ(written, kPages);
    for (int i = 0; i < kPages; ++i) {
        std::string bytes = ReadFile(PageFile(dir, i));
        ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kImageBytes)) << "page " << i;
        EXPECT_EQ(bytes.substr(0, 100), std::string(100, static_cast<char>('a' + i % 26))) << "page " << i;
    }
    EXPECT_EQ(writer.Finish(), nullptr) << "finishing twice is harmless";
}

TEST(PageFileWriter, TheFirstFileThatFailsEndsTheWriting)
{
    TempDir dir;
    const std::string blank(kImageBytes, 'B');
    std::atomic<int> written{0};
    PageFileWriter writer(reinterpret_cast<const BYTE*>(blank.data()), kImageBytes, written);
    const std::string missing = dir.file("missing/P3");
    int handedOver = 0;
    for (int i = 0; i < 40; ++i) {
        BYTE* image = writer.NextImage();
        if (!image) break;  // the failure is known: nothing more is taken
        writer.Submit(i == 3 ? missing.c_str() : PageFile(dir, i).c_str());
        ++handedOver;
    }
    EXPECT_LT(handedOver, 40) << "the ring stops giving out images after the failure";
    CFileException* error = writer.Finish();
    ASSERT_NE(error, nullptr);
    EXPECT_NE(std::string(error->GetErrorMessage().GetString()).find(missing), std::string::npos);
    error->Delete();
    EXPECT_EQ(written, 3);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(std::filesystem::exists(PageFile(dir, i)));
    for (int i = 4; i < handedOver; ++i) EXPECT_FALSE(std::filesystem::exists(PageFile(dir, i))) << "page " << i;
}
