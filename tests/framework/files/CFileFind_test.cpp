#include "framework/files/CFileFind.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <zelmtools/platform/base/errors.h>

#include "support/temp_dir.h"

namespace {

// Every entry a search finds: name -> (full path, is a folder, is a dots entry).
struct Found {
    std::string path;
    bool directory;
    bool dots;
};

std::map<std::string, Found> FindAll(const std::string& pattern)
{
    std::map<std::string, Found> found;
    CFileFind finder;
    BOOL more = finder.FindFile(pattern.c_str());
    while (more) {
        more = finder.FindNextFile();
        found[finder.GetFileName().GetString()] = {finder.GetFilePath().GetString(), finder.IsDirectory() != 0,
                                                   finder.IsDots() != 0};
    }
    finder.Close();
    return found;
}

}  // namespace

TEST(CFileFind, StarDotStarFindsNamesWithAndWithoutADot)
{
    TempDir dir;
    std::ofstream(dir.file("a.txt")) << "x";
    std::ofstream(dir.file("README")) << "x";
    std::ofstream(dir.file(".hidden")) << "x";
    std::filesystem::create_directory(dir.file("sub"));

    auto found = FindAll(dir.folder() + "*.*");
    ASSERT_EQ(found.size(), 6u);  // with "." and ".."
    EXPECT_TRUE(found.at(".").dots);
    EXPECT_TRUE(found.at("..").dots);
    EXPECT_TRUE(found.at("sub").directory);
    EXPECT_FALSE(found.at("sub").dots);
    EXPECT_FALSE(found.at("README").directory);
    EXPECT_EQ(found.at("a.txt").path, dir.file("a.txt"));
    EXPECT_TRUE(found.contains(".hidden"));

    auto texts = FindAll(dir.folder() + "*.txt");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts.contains("a.txt"));
}

TEST(CFileFind, ALinkToAFolderIsNotAFolder)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("real"));
    std::filesystem::create_directory_symlink(dir.file("real"), dir.file("link"));
    auto found = FindAll(dir.folder() + "*.*");
    EXPECT_TRUE(found.at("real").directory);
    EXPECT_FALSE(found.at("link").directory);
}

TEST(CFileFind, NothingToFindIsFalseWithTheReason)
{
    TempDir dir;
    CFileFind finder;
    EXPECT_FALSE(finder.FindFile((dir.folder() + "*.txt").c_str()));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_FALSE(finder.FindFile(dir.file("missing/*.*").c_str()));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});
    EXPECT_FALSE(finder.FindNextFile());
    EXPECT_TRUE(finder.GetFileName().IsEmpty());
}
