#include "platform/kernel/split_path.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "platform/kernel/mount_points.h"
#include "support/temp_dir.h"

namespace {

struct Parts {
    std::string drive, dir, fname, ext;
    bool operator==(const Parts&) const = default;
};

Parts Split(const std::string& path)
{
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    _splitpath(path.c_str(), drive, dir, fname, ext);
    return {drive, dir, fname, ext};
}

bool ShmIsOwnMount()
{
    for (const auto& point : zelm::platform::ReadMountPoints())
        if (point == "/dev/shm") return true;
    return false;
}

}  // namespace

TEST(SplitPath, DriveIsTheLongestMountPointHoldingThePath)
{
    EXPECT_EQ(Split("/"), (Parts{"/", "", "", ""}));
    // Nothing needs to exist; "/" holds what no other mount point does.
    EXPECT_EQ(Split("/zelm-missing-folder/archive.tar.gz"), (Parts{"/", "zelm-missing-folder/", "archive.tar", ".gz"}));
    if (!ShmIsOwnMount()) GTEST_SKIP() << "/dev/shm is not a file system of its own here";
    EXPECT_EQ(Split("/dev/shm/a/b.txt"), (Parts{"/dev/shm", "/a/", "b", ".txt"}));
    EXPECT_EQ(Split("/dev/shm"), (Parts{"/dev/shm", "", "", ""}));
    // A mount point's text as a prefix of another name is not that mount point.
    EXPECT_EQ(Split("/dev/shmother/x").drive, Split("/dev/x").drive);
}

TEST(SplitPath, LinksAreFollowedToTheFileSystemTheyReach)
{
    if (!ShmIsOwnMount()) GTEST_SKIP() << "/dev/shm is not a file system of its own here";
    TempDir dir;
    std::filesystem::create_directory_symlink("/dev/shm", dir.path() / "link");
    const Parts parts = Split(dir.file("link/sub/f.c"));
    EXPECT_EQ(parts.drive, "/dev/shm");
    EXPECT_EQ(parts.dir, dir.folder() + "link/sub/");  // the path's own directory, whole
    EXPECT_EQ(parts.fname, "f");
}

TEST(SplitPath, RelativePathHasNoDrive)
{
    EXPECT_EQ(Split("data/report.v2.txt"), (Parts{"", "data/", "report.v2", ".txt"}));
    EXPECT_EQ(Split("name"), (Parts{"", "", "name", ""}));
    EXPECT_EQ(Split(".profile"), (Parts{"", "", "", ".profile"}));
    EXPECT_EQ(Split(""), (Parts{"", "", "", ""}));
}

TEST(SplitPath, SizedFormRefusesSmallBuffersAndNullPath)
{
    char drive[2] = "x", dir[64], fname[64], ext[64];
    EXPECT_EQ(_splitpath_s("/dev/shm/a.b", drive, sizeof drive, dir, sizeof dir, fname, sizeof fname, ext, sizeof ext),
              ERANGE);
    EXPECT_STREQ(drive, "");
    EXPECT_STREQ(fname, "");
    EXPECT_EQ(_splitpath_s(nullptr, drive, sizeof drive, nullptr, 0, nullptr, 0, nullptr, 0), EINVAL);
    EXPECT_EQ(_splitpath_s("a.b", nullptr, 5, nullptr, 0, nullptr, 0, nullptr, 0), EINVAL);
    EXPECT_EQ(_splitpath_s("a.b", nullptr, 0, nullptr, 0, fname, sizeof fname, nullptr, 0), 0);
    EXPECT_STREQ(fname, "a");
}

TEST(SplitPath, MountPointWithSpacesAndStackedMountsComeFromMountinfo)
{
    TempDir dir;
    const std::string point = dir.file("my volume");
    std::filesystem::create_directory(point);
    if (mount("tmpfs", point.c_str(), "tmpfs", 0, "size=1m") != 0) GTEST_SKIP() << "no permission to mount a tmpfs";
    // mountinfo writes the space as \040; a second mount on the same point stacks on it.
    const bool stacked = mount("tmpfs", point.c_str(), "tmpfs", 0, "size=2m") == 0;
    const Parts parts = Split(point + "/sub/file.txt");
    EXPECT_EQ(parts, (Parts{point, "/sub/", "file", ".txt"}));
    if (stacked) umount(point.c_str());
    umount(point.c_str());
    EXPECT_EQ(Split(point + "/sub/file.txt").drive, zelm::platform::MountPointOf(dir.path().string()));
}
