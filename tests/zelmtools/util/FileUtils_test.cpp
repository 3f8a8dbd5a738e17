#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/util/FileUtils.h>

#include "support/exclusive_holder.h"
#include "support/temp_dir.h"
#include "zelmtools/util/DirectoryWalk.h"

namespace fs = std::filesystem;

namespace {

// root/a.txt (read-only), root/sub/b.txt (read-only), root/sub/deeper/ (empty)
std::string MakeTree(const TempDir& dir)
{
    std::string root = dir.file("root");
    fs::create_directories(root + "/sub/deeper");
    std::ofstream(root + "/a.txt") << "a";
    std::ofstream(root + "/sub/b.txt") << "b";
    chmod((root + "/a.txt").c_str(), 0444);
    chmod((root + "/sub/b.txt").c_str(), 0444);
    return root;
}

void Record(CString path, int isDirectory, void* context)
{
    static_cast<std::vector<std::pair<std::string, int>>*>(context)->emplace_back(path.GetString(), isDirectory);
}

}  // namespace

TEST(DirectoryWalk, EveryEntryComesBeforeItsFolder)
{
    TempDir dir;
    std::string root = MakeTree(dir);
    std::vector<std::pair<std::string, int>> seen;
    zelm::tools::ForEachDirectoryEntry((root + "/").c_str(), Record, &seen);
    std::vector<std::pair<std::string, int>> expected{
        {root + "/a.txt", 0}, {root + "/sub/b.txt", 0}, {root + "/sub/deeper", 1}, {root + "/sub", 1}, {root + "/", 1}};
    EXPECT_EQ(seen, expected);
}

TEST(CompletelyDeleteDirectory, DeletesReadOnlyFilesAndTheRoot)
{
    TempDir dir;
    std::string root = MakeTree(dir);
    EXPECT_EQ(CompletelyDeleteDirectory(root.c_str()), 1);
    EXPECT_FALSE(fs::exists(root));
}

TEST(CompletelyDeleteDirectory, AMissingFolderIsAFailureWithItsCode)
{
    TempDir dir;
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(CompletelyDeleteDirectory(dir.file("missing").c_str()), 0);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(CompletelyDeleteDirectory(""), 0);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});
}

TEST(CompletelyDeleteDirectory, ALinkIsRemovedNotFollowed)
{
    TempDir dir;
    std::string outside = dir.file("outside");
    fs::create_directory(outside);
    std::ofstream(outside + "/keep.txt") << "k";
    chmod((outside + "/keep.txt").c_str(), 0444);
    fs::create_symlink(outside + "/keep.txt", dir.file("filelink"));
    std::string root = dir.file("root");
    fs::create_directory(root);
    fs::create_directory_symlink(outside, root + "/link");
    fs::rename(dir.file("filelink"), root + "/filelink");
    EXPECT_EQ(CompletelyDeleteDirectory(root.c_str()), 1);
    EXPECT_FALSE(fs::exists(root));
    EXPECT_TRUE(fs::exists(outside + "/keep.txt"));
    struct stat info {};
    stat((outside + "/keep.txt").c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0444u);  // the link's target keeps its attributes
}

TEST(DeleteAllDirectoryContents, EmptiesTheFolderAndKeepsIt)
{
    TempDir dir;
    std::string root = MakeTree(dir);
    EXPECT_EQ(DeleteAllDirectoryContents((root + "/").c_str()), 1);  // a final "/" as well
    EXPECT_TRUE(fs::is_directory(root));
    EXPECT_TRUE(fs::is_empty(root));

    EXPECT_EQ(DeleteAllDirectoryContents(dir.file("missing").c_str()), 1);
    EXPECT_EQ(DeleteAllDirectoryContents(""), 0);
}

TEST(IsDirectoryEmpty, AnyEntryCountsEvenAnEmptyFolder)
{
    TempDir dir;
    std::string root = dir.file("root");
    fs::create_directory(root);
    EXPECT_EQ(IsDirectoryEmpty(root.c_str()), 1);
    EXPECT_EQ(IsDirectoryEmpty((root + "/").c_str()), 1);
    EXPECT_EQ(IsDirectoryEmpty(dir.file("missing").c_str()), 1);
    EXPECT_EQ(IsDirectoryEmpty(""), 0);

    fs::create_directory(root + "/empty");
    EXPECT_EQ(IsDirectoryEmpty(root.c_str()), 0);
    fs::remove(root + "/empty");
    std::ofstream(root + "/.hidden") << "h";
    EXPECT_EQ(IsDirectoryEmpty(root.c_str()), 0);
}

TEST(IsFileAccessDenied, SeesAnExclusiveOpenerInAnotherProcess)
{
    TempDir dir;
    std::string path = dir.file("held.txt");
    std::ofstream(path) << "x";
    EXPECT_EQ(IsFileExist(path.c_str()), 1);
    EXPECT_EQ(IsFileExist(dir.folder().c_str()), 1);
    EXPECT_EQ(IsFileAccessDenied(path.c_str()), 0);
    {
        ExclusiveHolder holder(path);
        ASSERT_TRUE(holder.opened());
        EXPECT_EQ(IsFileAccessDenied(path.c_str()), 1);
    }
    EXPECT_EQ(IsFileAccessDenied(path.c_str()), 0);
    EXPECT_EQ(IsFileAccessDenied(dir.file("missing").c_str()), 1);
    EXPECT_EQ(IsFileExist(dir.file("missing").c_str()), 0);
}
