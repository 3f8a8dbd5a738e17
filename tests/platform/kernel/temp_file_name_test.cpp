#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include "platform/kernel/files.h"
#include "support/temp_dir.h"

namespace {

TEST(GetTempFileName, CreatesAnEmptyPrivateFileUnderAFreeNumber)
{
    TempDir dir;
    char first[MAX_PATH];
    char second[MAX_PATH];
    UINT a = GetTempFileNameA(dir.path().c_str(), "abcdef", 0, first);  // no final "/"
    UINT b = GetTempFileNameA(dir.folder().c_str(), "abcdef", 0, second);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, 0u);
    EXPECT_NE(std::string(first), std::string(second));
    for (const char* name : {first, second}) {
        std::filesystem::path path(name);
        EXPECT_EQ(path.parent_path(), dir.path());
        EXPECT_EQ(path.filename().string().substr(0, 3), "abc");
        EXPECT_EQ(path.filename().string().size(), 3u + 4u + 4u);  // prefix, hex number, ".tmp"
        EXPECT_EQ(std::filesystem::file_size(path), 0u);
        struct stat info {};
        ASSERT_EQ(stat(name, &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
}

TEST(GetTempFileName, GivenNumberOnlyBuildsTheName)
{
    TempDir dir;
    char name[MAX_PATH];
    EXPECT_EQ(GetTempFileNameA(dir.folder().c_str(), "x", 0x1A2B, name), 0x1A2Bu);
    EXPECT_EQ(std::string(name), dir.folder() + "x1A2B.tmp");
    EXPECT_FALSE(std::filesystem::exists(name));
}

TEST(GetTempFileName, PrefixIsCutOnACharacterAndMayNotLeaveTheFolder)
{
    TempDir dir;
    char name[MAX_PATH];
    ASSERT_EQ(GetTempFileNameA(dir.folder().c_str(), "жжж", 7, name), 7u);
    EXPECT_EQ(std::string(name), dir.folder() + "ж0007.tmp");
    EXPECT_EQ(GetTempFileNameA(dir.folder().c_str(), "../", 0, name), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
}

TEST(GetTempFileName, FailsForAMissingFolderOrAnOverlongPath)
{
    TempDir dir;
    char name[MAX_PATH];
    EXPECT_EQ(GetTempFileNameA(dir.file("missing").c_str(), "t", 0, name), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    std::string deep = "/" + std::string(MAX_PATH - 5, 'd');
    EXPECT_EQ(GetTempFileNameA(deep.c_str(), "t", 0, name), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
    EXPECT_EQ(GetTempFileNameA("", "t", 0, name), 0u);
}

}  // namespace
