#include "platform/kernel/disk_space.h"

#include <gtest/gtest.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <string>

#include <zelmtools/platform/base/errors.h>

namespace {

struct Figures {
    ULONGLONG available, total, totalFree;
    bool operator==(const Figures&) const = default;
};

Figures FromStatvfs(const char* path)
{
    struct statvfs info {};
    EXPECT_EQ(statvfs(path, &info), 0);
    const ULONGLONG unit = info.f_frsize;
    return {info.f_bavail * unit, info.f_blocks * unit, info.f_bfree * unit};
}

// Other processes change free space: compare when statvfs gives the same before and after.
void ExpectStatvfsFigures(const char* query, const char* statPath)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        const Figures before = FromStatvfs(statPath);
        ULARGE_INTEGER available, total, totalFree;
        ASSERT_TRUE(GetDiskFreeSpaceExA(query, &available, &total, &totalFree));
        const Figures measured{available.QuadPart, total.QuadPart, totalFree.QuadPart};
        if (before != FromStatvfs(statPath)) continue;
        EXPECT_EQ(measured, before) << query;
        return;
    }
    ADD_FAILURE() << "free space never held still on " << statPath;
}

}  // namespace

TEST(DiskFreeSpace, FiguresAreStatvfsTimesFragmentSize)
{
    ExpectStatvfsFigures("/", "/");
    ExpectStatvfsFigures("/dev/shm", "/dev/shm");
    // The current folder's file system for no name or an empty one.
    ExpectStatvfsFigures(nullptr, ".");
    ExpectStatvfsFigures("", ".");
    ULARGE_INTEGER total;
    EXPECT_TRUE(GetDiskFreeSpaceExA("/", nullptr, &total, nullptr));
    EXPECT_GT(total.QuadPart, 0u);
}

TEST(DiskFreeSpace, MissingFolderFailsAndLeavesTheOutputs)
{
    ULARGE_INTEGER available;
    available.QuadPart = 12345;
    SetLastError(0);
    EXPECT_FALSE(GetDiskFreeSpaceExA("/zelm-no-such-folder/x", &available, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(available.QuadPart, 12345u);
    EXPECT_FALSE(GetDiskFreeSpaceExA("/etc/hostname/below-a-file", &available, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}
