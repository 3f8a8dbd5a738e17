#include <gtest/gtest.h>
#include <unistd.h>

#include <optional>
#include <string>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/toolhelp.h>

#include "platform/kernel/files.h"
#include "platform/kernel/proc_text.h"
#include "support/named_process.h"

namespace {

std::optional<PROCESSENTRY32> FindInSnapshot(DWORD pid)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    EXPECT_NE(snapshot, INVALID_HANDLE_VALUE);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    std::optional<PROCESSENTRY32> found;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (entry.th32ProcessID == pid) found = entry;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(CloseHandle(snapshot));
    return found;
}

}  // namespace

TEST(Toolhelp, ListsAChildUnderItsFullExecutableNameWithParentAndThreads)
{
    TempDir dir;
    const std::string name = "zelm-a-name-longer-than-fifteen";
    NamedProcess child(dir, name);
    auto entry = FindInSnapshot(DWORD(child.pid()));
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(std::string(entry->szExeFile), name);
    EXPECT_EQ(entry->th32ParentProcessID, DWORD(getpid()));
    EXPECT_EQ(entry->cntThreads, DWORD(1));
}

TEST(Toolhelp, ListsTheCallerItself)
{
    auto self = FindInSnapshot(DWORD(getpid()));
    ASSERT_TRUE(self.has_value());
    EXPECT_EQ(std::string(self->szExeFile), "test_platform");
}

TEST(Toolhelp, RefusesASmallEntrySizeAndAClosedSnapshot)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry - 1;
    EXPECT_FALSE(Process32First(snapshot, &entry));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_BAD_LENGTH));
    EXPECT_TRUE(CloseHandle(snapshot));
    entry.dwSize = sizeof entry;
    EXPECT_FALSE(Process32First(snapshot, &entry));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST(ProcText, StatFieldsCountFromTheLastParenthesis)
{
    std::string stat = "42 (a) b (c) S 7 42 42 0 -1 4194560 1 0 0 0 0 0 0 0 20 0 3 0 1 2 3\n";
    auto parsed = zelm::platform::ParseProcStat(stat);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->parentId, 7u);
    EXPECT_EQ(parsed->threads, 3u);
    EXPECT_FALSE(zelm::platform::ParseProcStat("42 (x) S 7").has_value());
}

TEST(ProcText, NameFromExeLinkThenCommandLineThenShortName)
{
    using zelm::platform::ProcessExeName;
    EXPECT_EQ(ProcessExeName("/opt/x/long-program-name (deleted)", "", "long-program-na\n"), "long-program-name");
    EXPECT_EQ(ProcessExeName("", std::string("/usr/sbin/sshd: user\0x\0", 22), "sshd\n"), "sshd:");
    EXPECT_EQ(ProcessExeName("", std::string("/usr/bin/daemon-with-long-name\0-f\0", 34), "daemon-with-lon\n"),
              "daemon-with-long-name");
    EXPECT_EQ(ProcessExeName("", "", "kworker/0:1\n"), "kworker/0:1");
}
