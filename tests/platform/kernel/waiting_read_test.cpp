// Reads that wait: a FIFO opened before its writer, the cancel that ends a wait from
// another thread, and what the file type and attributes say.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

#include <zelmtools/platform/base/errors.h>
#include "platform/kernel/files.h"
#include "support/temp_dir.h"

namespace {

HANDLE OpenForReading(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

struct ReadOutcome {
    BOOL ok = FALSE;
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
};

ReadOutcome ReadAll(HANDLE file)
{
    ReadOutcome outcome;
    char buffer[64];
    DWORD got = 0;
    outcome.ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr);
    outcome.bytes.assign(buffer, got);
    outcome.error = GetLastError();
    return outcome;
}

}  // namespace

TEST(WaitingRead, AFifoOpensAtOnceAndItsReadWaitsForTheWriter)
{
    TempDir dir;
    std::string fifo = dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    HANDLE file = OpenForReading(fifo);  // no writer yet: must not block
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileType(file), FILE_TYPE_PIPE);

    auto reading = std::async(std::launch::async, [file] { return ReadAll(file); });
    EXPECT_EQ(reading.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout)
        << "an empty FIFO without a writer is not its end";
    int writer = open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(write(writer, "first bytes", 11), 11);
    close(writer);
    ReadOutcome outcome = reading.get();
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.bytes, "first bytes") << "nothing the first writer wrote is lost";
    CloseHandle(file);
}

TEST(WaitingRead, CancelEndsAWaitFromAnotherThread)
{
    TempDir dir;
    std::string fifo = dir.file("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    HANDLE file = OpenForReading(fifo);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    auto reading = std::async(std::launch::async, [file] { return ReadAll(file); });
    // Repeated as a caller would, since a cancel between two reads finds nothing to end.
    while (reading.wait_for(std::chrono::milliseconds(20)) == std::future_status::timeout)
        EXPECT_TRUE(CancelIoEx(file, nullptr));
    ReadOutcome outcome = reading.get();
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, static_cast<DWORD>(ERROR_OPERATION_ABORTED));
    CloseHandle(file);
}

TEST(WaitingRead, RegularFilesNeverWaitAndAttributesTellFoldersFromFiles)
{
    TempDir dir;
    std::string path = dir.file("plain.txt");
    close(open(path.c_str(), O_WRONLY | O_CREAT, 0600));
    HANDLE file = OpenForReading(path);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetFileType(file), FILE_TYPE_DISK);
    EXPECT_FALSE(CancelIoEx(file, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_FOUND));
    EXPECT_TRUE(ReadAll(file).ok);
    CloseHandle(file);

    EXPECT_EQ(GetFileAttributesA(path.c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesA(dir.path().c_str()), FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(GetFileAttributesA(dir.file("missing").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}
