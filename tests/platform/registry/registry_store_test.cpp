#include "platform/registry/registry_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"

namespace {

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

int ExitCodeOf(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Writes values "<prefix><i>" = i for i in [0, count) into Software\Shared, one call each.
// Returns the number of writes that failed.
int WriteNumbers(const std::string& prefix, int count)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Shared", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return count;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        std::string name = prefix + std::to_string(i);
        DWORD value = static_cast<DWORD>(i);
        if (RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&value), 4) != ERROR_SUCCESS)
            ++failures;
    }
    RegCloseKey(key);
    return failures;
}

// How many of "<prefix><i>" for i in [0, count) hold i.
int CountNumbers(const std::string& prefix, int count)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Shared", 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    int found = 0;
    for (int i = 0; i < count; ++i) {
        DWORD value = 0, size = 4;
        std::string name = prefix + std::to_string(i);
        if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) ==
                ERROR_SUCCESS &&
            value == static_cast<DWORD>(i))
            ++found;
    }
    RegCloseKey(key);
    return found;
}

pid_t ForkWriter(const std::string& prefix, int count)
{
    pid_t child = fork();
    if (child == 0) _exit(WriteNumbers(prefix, count) == 0 ? 0 : 1);
    return child;
}

}  // namespace

TEST(RegistryStoreLocation, FollowsTheEnvironment)
{
    TempDir home;
    std::string saved = std::getenv("HOME") ? std::getenv("HOME") : "";
    unsetenv("ZELM_REGISTRY");
    setenv("XDG_CONFIG_HOME", (home.folder() + "config").c_str(), 1);
    EXPECT_EQ(zelm::platform::RegistryStorePath(), home.folder() + "config/zelmtools/registry.db");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    setenv("HOME", home.path().c_str(), 1);
    EXPECT_EQ(zelm::platform::RegistryStorePath(), home.folder() + ".config/zelmtools/registry.db");

    // The folders are created on first use, private to the user.
    RegCloseKey(CreateTestKey("Software\\X"));
    struct stat info {};
    ASSERT_EQ(stat((home.folder() + ".config/zelmtools").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    setenv("HOME", saved.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
}

TEST(RegistryStoreFile, IsCreatedPrivateAndHandlesBelongToTheirStore)
{
    HKEY key = nullptr;
    {
        TempRegistry store;
        key = CreateTestKey("Software\\X");
        struct stat info {};
        ASSERT_EQ(stat(store.file().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
    TempRegistry other;
    EXPECT_EQ(SetBytes(key, "v", REG_BINARY, "1"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST(RegistryStoreDamage, GarbageFileFailsClearlyAndIsLeftAsItWas)
{
    TempRegistry store;
    const std::string garbage(8192, 'Z');
    WriteFile(store.file(), garbage);
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "X", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BADDB);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BADDB));
    EXPECT_NE(zelm::platform::RegistryStoreProblem().find(store.file()), std::string::npos);
    EXPECT_EQ(FileBytes(store.file()), garbage);
}

TEST(RegistryStoreDamage, ForeignDatabaseIsNotTouched)
{
    TempRegistry store;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(store.file().c_str(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE notes(text TEXT)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const std::string before = FileBytes(store.file());

    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "X", 0, KEY_READ, &key), ERROR_BADDB);
    EXPECT_NE(zelm::platform::RegistryStoreProblem().find("not a registry store"), std::string::npos);
    EXPECT_EQ(FileBytes(store.file()), before);
}

TEST(RegistryStoreDamage, DamagedPagesGiveFailuresNotCrashes)
{
    TempRegistry store;
    HKEY key = CreateTestKey("Software\\Damaged");
    std::string big(3000, 'v');
    for (int i = 0; i < 200; ++i) SetBytes(key, ("value" + std::to_string(i)).c_str(), REG_BINARY, big);
    RegCloseKey(key);
    // Another process so that the store is opened anew after the damage.
    pid_t child = fork();
    if (child == 0) {
        std::string bytes = FileBytes(store.file());
        std::fstream file(store.file(), std::ios::in | std::ios::out | std::ios::binary);
        for (std::size_t page = 1; page * 4096 < bytes.size(); page += 3) {
            file.seekp(static_cast<std::streamoff>(page * 4096));
            file << std::string(4096, '\x5A');
        }
        file.close();
        HKEY damaged = nullptr;
        LONG code = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Damaged", 0, KEY_READ, &damaged);
        for (int i = 0; code == ERROR_SUCCESS && i < 200; ++i) {
            code = QueryBytes(damaged, ("value" + std::to_string(i)).c_str()) == big ? ERROR_SUCCESS : LONG{1};
        }
        _exit(code == ERROR_SUCCESS ? 0 : 3);  // 3: failed cleanly
    }
    EXPECT_EQ(ExitCodeOf(child), 3);
}

TEST(RegistryStoreSharing, TwoProcessesWritingAtOnceLoseNothing)
{
    TempRegistry store;
    RegCloseKey(CreateTestKey("Software\\Shared"));
    pid_t first = ForkWriter("first", 1000);
    pid_t second = ForkWriter("second", 1000);
    EXPECT_EQ(ExitCodeOf(first), 0);
    EXPECT_EQ(ExitCodeOf(second), 0);
    EXPECT_EQ(CountNumbers("first", 1000), 1000);
    EXPECT_EQ(CountNumbers("second", 1000), 1000);
}

TEST(RegistryStoreSharing, ThreadsOfOneProcessShareTheConnection)
{
    TempRegistry store;
    int failures[2] = {0, 0};
    std::thread a([&] { failures[0] = WriteNumbers("a", 300); });
    std::thread b([&] { failures[1] = WriteNumbers("b", 300); });
    a.join();
    b.join();
    EXPECT_EQ(failures[0] + failures[1], 0);
    EXPECT_EQ(CountNumbers("a", 300) + CountNumbers("b", 300), 600);
}

TEST(RegistryStoreSharing, CallsWaitForAnotherWriterInsteadOfFailing)
{
    TempRegistry store;
    HKEY key = CreateTestKey("Software\\Busy");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store.file().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    EXPECT_EQ(SetBytes(key, "v", REG_BINARY, "1"), ERROR_SUCCESS);
    release.join();
    sqlite3_close(other);
    EXPECT_EQ(QueryBytes(key, "v"), "1");
    RegCloseKey(key);
}

TEST(RegistryStoreSharing, WriterKilledMidWritesLeavesEveryCommittedValue)
{
    TempRegistry store;
    RegCloseKey(CreateTestKey("Software\\Shared"));
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    pid_t writer = fork();
    if (writer == 0) {
        close(pipeFds[0]);
        for (int i = 0;; ++i) {
            if (WriteNumbers("n" + std::to_string(i) + "_", 1) != 0) _exit(1);
            if (write(pipeFds[1], &i, sizeof i) != sizeof i) _exit(1);
        }
    }
    close(pipeFds[1]);
    int committed = -1, last = -1;
    while (committed < 300 && read(pipeFds[0], &last, sizeof last) == sizeof last) committed = last;
    kill(writer, SIGKILL);
    ExitCodeOf(writer);
    close(pipeFds[0]);

    pid_t checker = fork();  // a fresh process opens the store as the next program would
    if (checker == 0) {
        int found = 0;
        for (int i = 0; i <= committed; ++i) found += CountNumbers("n" + std::to_string(i) + "_", 1);
        _exit(found == committed + 1 ? 0 : 1);
    }
    EXPECT_EQ(ExitCodeOf(checker), 0);
    EXPECT_EQ(SetBytes(HKEY_CURRENT_USER, "after", REG_BINARY, "1"), ERROR_SUCCESS);
}
