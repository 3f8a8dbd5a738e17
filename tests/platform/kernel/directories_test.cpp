#include "platform/kernel/directories.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <zelmtools/platform/base/errors.h>

#include "platform/kernel/files.h"
#include "platform/kernel/open_file.h"
#include "support/exclusive_holder.h"
#include "support/temp_dir.h"

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    stat(path.c_str(), &info);
    return info.st_mode;
}

}  // namespace

TEST(Directories, CreateAndRemoveReportTheSystemsCodes)
{
    TempDir dir;
    std::string sub = dir.file("sub");
    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    EXPECT_FALSE(CreateDirectoryA(sub.c_str(), nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_ALREADY_EXISTS});
    EXPECT_FALSE(CreateDirectoryA(dir.file("missing/sub").c_str(), nullptr));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});

    std::ofstream(sub + "/f.txt") << "x";
    EXPECT_FALSE(RemoveDirectoryA(sub.c_str()));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_DIR_NOT_EMPTY});
    EXPECT_FALSE(RemoveDirectoryA((sub + "/f.txt").c_str()));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_DIRECTORY});
    ASSERT_TRUE(DeleteFileA((sub + "/f.txt").c_str()));
    EXPECT_TRUE(RemoveDirectoryA(sub.c_str()));

    EXPECT_FALSE(RemoveDirectoryA(sub.c_str()));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
    EXPECT_FALSE(RemoveDirectoryA(dir.file("missing/sub").c_str()));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_PATH_NOT_FOUND});
    EXPECT_FALSE(RemoveDirectoryA(""));
}

TEST(Directories, CurrentDirectoryReportsTheSizeItNeeds)
{
    std::string current = std::filesystem::current_path().string();
    EXPECT_EQ(GetCurrentDirectoryA(0, nullptr), DWORD(current.size() + 1));
    char small[2];
    EXPECT_EQ(GetCurrentDirectoryA(2, small), DWORD(current.size() + 1));
    char buffer[4096];
    ASSERT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), DWORD(current.size()));
    EXPECT_EQ(std::string(buffer), current);
}

TEST(FileAttributes, ReadOnlyIsTheOwnersWriteBit)
{
    TempDir dir;
    std::string path = dir.file("f.txt");
    std::ofstream(path) << "x";
    chmod(path.c_str(), 0664);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ModeOf(path) & 07777, 0464u);  // only the owner's bit
    // Read back from the bit, also for root, who may write anything anyway.
    EXPECT_EQ(GetFileAttributesA(path.c_str()), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(ModeOf(path) & 07777, 0664u);
    EXPECT_FALSE(SetFileAttributesA(dir.file("missing").c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetLastError(), DWORD{ERROR_FILE_NOT_FOUND});
}

TEST(OpenFile, ExistenceTestFillsTheRecord)
{
    TempDir dir;
    std::string path = dir.file("f.txt");
    std::ofstream(path) << "x";
    OFSTRUCT record{};
    EXPECT_EQ(OpenFile(path.c_str(), &record, OF_EXIST | OF_SHARE_EXCLUSIVE), 1);
    EXPECT_EQ(record.cBytes, sizeof record);
    EXPECT_STREQ(record.szPathName, path.c_str());

    EXPECT_EQ(OpenFile(dir.file("missing").c_str(), &record, OF_EXIST), HFILE_ERROR);
    EXPECT_EQ(record.nErrCode, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(OpenFile(path.c_str(), &record, OF_READ), HFILE_ERROR);  // would keep the file
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
    // A path too long for the record is still tested, not refused as if it were missing.
    std::string longName = dir.file(std::string(OFS_MAXPATHNAME, 'a'));
    std::ofstream(longName) << "x";
    EXPECT_EQ(OpenFile(longName.c_str(), &record, OF_EXIST | OF_SHARE_EXCLUSIVE), 1);
    EXPECT_STREQ(record.szPathName, "");
}

TEST(OpenFile, ExclusiveTestSeesAnOpenerInAnotherProcess)
{
    TempDir dir;
    std::string path = dir.file("held.txt");
    std::ofstream(path) << "x";
    OFSTRUCT record{};
    {
        ExclusiveHolder holder(path);
        ASSERT_TRUE(holder.opened());
        EXPECT_EQ(OpenFile(path.c_str(), &record, OF_EXIST | OF_SHARE_EXCLUSIVE), HFILE_ERROR);
        EXPECT_EQ(GetLastError(), DWORD{ERROR_SHARING_VIOLATION});
    }
    EXPECT_EQ(OpenFile(path.c_str(), &record, OF_EXIST | OF_SHARE_EXCLUSIVE), 1);
}
