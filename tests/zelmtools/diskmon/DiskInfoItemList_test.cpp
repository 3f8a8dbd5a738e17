#include <gtest/gtest.h>

#include <vector>

#include <zelmtools/diskmon/DiskInfoItem.h>

#include "platform/kernel/mount_points.h"
#include "zelmtools/diskmon/DiskmonTestSupport.h"

namespace {

struct Entry {
    std::string drive;
    long long required;
    bool operator==(const Entry&) const = default;
};

std::vector<Entry> Entries(const CDiskInfoItemList& list)
{
    std::vector<Entry> out;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;) {
        const CDiskInfoItem* item = list.GetNext(pos);
        out.push_back({item->m_strDrive.str(), item->m_liRequired.QuadPart});
    }
    return out;
}

constexpr long long kGiB = 1024LL * 1024 * 1024;

// /dev/shm as the second drive when it is a mount point of its own.
bool ShmIsOwnMount()
{
    return zelm::platform::MountPointOf("/dev/shm/x") == "/dev/shm";
}

}  // namespace

TEST(DiskInfoItemList, FoldsPathsOfOneMountPointAndKeepsFirstAddedOrder)
{
    if (!ShmIsOwnMount()) GTEST_SKIP() << "/dev/shm is not a file system of its own here";
    TempDir dir;
    const std::string root = zelm::platform::MountPointOf(dir.file("a"));
    CDiskInfoItemList list;
    EXPECT_EQ(list.AddDrive("", Bytes(5)), TRUE);
    EXPECT_TRUE(list.IsEmpty());

    list.AddDrive(dir.file("a").c_str(), Bytes(100));
    list.AddDrive("/dev/shm/zelm/b.txt", Bytes(7));
    list.AddDrive(dir.file("b/c.txt").c_str(), Bytes(200));
    list.AddDrive("/dev/shm", Bytes(3));
    EXPECT_EQ(Entries(list), (std::vector<Entry>{{root, 300}, {"/dev/shm", 10}}));

    const CDiskInfoItem* added = list.GetTail();
    EXPECT_EQ(added->m_liFreeBytesAvailable.QuadPart, -1);
    EXPECT_EQ(added->m_liTotalBytes.QuadPart, -1);
    EXPECT_EQ(added->m_liTotalFreeBytes.QuadPart, -1);
}

TEST(DiskInfoItemList, MountPointInsideAnotherIsADriveOfItsOwn)
{
    // "/" is a part of every mount point's text: each still gets its own entry.
    if (!ShmIsOwnMount()) GTEST_SKIP() << "/dev/shm is not a file system of its own here";
    CDiskInfoItemList list;
    list.AddDrive("/", Bytes(1));
    list.AddDrive("/dev/shm/a", Bytes(2));
    list.AddDrive("/dev/shm/b", Bytes(4));
    EXPECT_EQ(Entries(list), (std::vector<Entry>{{"/", 1}, {"/dev/shm", 6}}));
}

TEST(DiskInfoItemList, ScratchVolumeIsADriveOfItsOwn)
{
    ScratchVolume volume;
    if (!volume.mounted()) GTEST_SKIP() << "no permission to mount a tmpfs";
    CDiskInfoItemList list;
    list.AddDrive(volume.path("data/file.bin").c_str(), Bytes(1));
    list.AddDrive(volume.path("other").c_str(), Bytes(2));
    EXPECT_EQ(Entries(list), (std::vector<Entry>{{volume.point(), 3}}));
}

TEST(DiskInfoItemList, RelativePathGoesToFirstEntryOrMakesAnEmptyDrive)
{
    CDiskInfoItemList empty;
    empty.AddDrive("data/file.txt", Bytes(9));
    EXPECT_EQ(Entries(empty), (std::vector<Entry>{{"", 9}}));

    CDiskInfoItemList list;
    list.AddDrive("/", Bytes(1));
    list.AddDrive("relative.txt", Bytes(2));
    EXPECT_EQ(Entries(list), (std::vector<Entry>{{"/", 3}}));
}

TEST(DiskInfoItemList, RequirementsAbove4GiBAddWithCarry)
{
    CDiskInfoItemList list;
    list.AddDrive("/", Bytes(3 * kGiB));
    list.AddDrive("/", Bytes(3 * kGiB + 5));
    const CDiskInfoItem* entry = list.GetHead();
    EXPECT_EQ(entry->m_liRequired.QuadPart, 6 * kGiB + 5);
    EXPECT_EQ(static_cast<std::int32_t>(entry->m_liRequired.u.HighPart), 1);
    EXPECT_EQ(static_cast<std::uint32_t>(entry->m_liRequired.u.LowPart), static_cast<std::uint32_t>(2 * kGiB + 5));
}

TEST(DiskInfoItemList, AssignmentCopiesDeeplyAndSelfAssignmentKeepsEntries)
{
    CDiskInfoItemList source;
    source.AddDrive("/", Bytes(10));
    source.AddDrive("rel", Bytes(5));
    source.GetHead()->m_liFreeBytesAvailable.QuadPart = 77;
    source = source;
    EXPECT_EQ(Entries(source), (std::vector<Entry>{{"/", 15}}));

    CDiskInfoItemList copy;
    copy.AddDrive("/something", Bytes(1));
    copy.AddDrive("", Bytes(1));
    copy = source;
    source.Clear();
    EXPECT_TRUE(source.IsEmpty());
    ASSERT_EQ(copy.GetCount(), 1);
    EXPECT_EQ(copy.GetHead()->m_strDrive, "/");
    EXPECT_EQ(copy.GetHead()->m_liRequired.QuadPart, 15);
    EXPECT_EQ(copy.GetHead()->m_liFreeBytesAvailable.QuadPart, 77);
    EXPECT_EQ(copy.GetHead()->m_liTotalBytes.QuadPart, -1);
}

TEST(DiskInfoItem, CopyAndAssignmentTakeAllFiveMembers)
{
    CDiskInfoItem item;
    item.m_strDrive = "/data";
    item.m_liRequired.QuadPart = 1;
    item.m_liFreeBytesAvailable.QuadPart = 2;
    item.m_liTotalBytes.QuadPart = 3;
    item.m_liTotalFreeBytes.QuadPart = 4;
    CDiskInfoItem copy(item);
    CDiskInfoItem assigned;
    assigned = item;
    for (const CDiskInfoItem* other : {&copy, &assigned}) {
        EXPECT_EQ(other->m_strDrive, "/data");
        EXPECT_EQ(other->m_liRequired.QuadPart, 1);
        EXPECT_EQ(other->m_liFreeBytesAvailable.QuadPart, 2);
        EXPECT_EQ(other->m_liTotalBytes.QuadPart, 3);
        EXPECT_EQ(other->m_liTotalFreeBytes.QuadPart, 4);
    }
}
