// Creating files as the page writer does: a creating open tells a new file from an
// existing one (which it empties) without probing the path first.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include "platform/kernel/files.h"
#include "support/temp_dir.h"

namespace {

// Opens path for writing with a disposition; the last error as the call left it.
DWORD OpenForWriting(const std::string& path, DWORD disposition)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, 0, nullptr);
    DWORD error = GetLastError();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return error;
}

}  // namespace

TEST(CreateFile, CreateAlwaysMakesNewFilesAndEmptiesExistingOnes)
{
    TempDir dir;
    const std::string path = dir.file("T0000.bmp");
    EXPECT_EQ(OpenForWriting(path, CREATE_ALWAYS), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(std::filesystem::exists(path));

    std::ofstream(path) << "an earlier page";
    EXPECT_EQ(OpenForWriting(path, CREATE_ALWAYS), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);

    std::ofstream(path) << "kept";
    EXPECT_EQ(OpenForWriting(path, OPEN_ALWAYS), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(std::filesystem::file_size(path), 4u);
    EXPECT_EQ(OpenForWriting(dir.file("new"), OPEN_ALWAYS), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(OpenForWriting(path, CREATE_NEW), static_cast<DWORD>(ERROR_FILE_EXISTS));
}

TEST(CreateFile, CreateAlwaysFailsForAFolderOrAMissingPath)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    EXPECT_EQ(OpenForWriting(dir.file("sub"), CREATE_ALWAYS), static_cast<DWORD>(ERROR_DIRECTORY));
    EXPECT_EQ(OpenForWriting(dir.file("missing/T0000.bmp"), CREATE_ALWAYS), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));
}
