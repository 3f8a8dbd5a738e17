#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/libraries.h>
#include <zelmtools/platform/kernel/processes.h>

#include "platform/kernel/command_line.h"
#include "platform/kernel/files.h"

using zelm::platform::SplitCommandLine;
using Args = std::vector<std::string>;

TEST(CommandLine, QuotesGroupAndBackslashesEscapeOnlyBeforeAQuote)
{
    EXPECT_EQ(SplitCommandLine("  prog  a\tb  "), (Args{"prog", "a", "b"}));
    EXPECT_EQ(SplitCommandLine(R"(prog "a b" c" "d)"), (Args{"prog", "a b", "c d"}));
    EXPECT_EQ(SplitCommandLine(R"(prog a\\b a\"b a\\\"b a\\\\"b c")"),
              (Args{"prog", R"(a\\b)", R"(a"b)", R"(a\"b)", R"(a\\b c)"}));
    EXPECT_EQ(SplitCommandLine(R"(prog "a""b" "")"), (Args{"prog", R"(a"b)", ""}));
    EXPECT_EQ(SplitCommandLine(R"("C:\dir with\prog" x)"), (Args{R"(C:\dir with\prog)", "x"}));
    EXPECT_TRUE(SplitCommandLine("   ").empty());
}

namespace {

struct Started {
    PROCESS_INFORMATION info{};
    BOOL ok = FALSE;
    Started(const char* application, std::string commandLine)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ok = CreateProcessA(application, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info);
    }
    ~Started()
    {
        if (!ok) return;
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    DWORD ExitCode()
    {
        EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), WAIT_OBJECT_0);
        DWORD code = 0;
        EXPECT_TRUE(GetExitCodeProcess(info.hProcess, &code));
        return code;
    }
};

}  // namespace

TEST(CreateProcess, TheChildGetsTheArgumentsAsSplit)
{
    Started counted("/bin/sh", R"(sh -c "exit $#" zero "a b" c\"d e)");
    ASSERT_TRUE(counted.ok);
    EXPECT_EQ(counted.ExitCode(), DWORD(3));
    Started compared("/bin/sh", R"(sh -c "test \"$1\" = 'a \\\"b' && exit 7" zero "a \\\"b")");
    ASSERT_TRUE(compared.ok);
    EXPECT_EQ(compared.ExitCode(), DWORD(7));
}

TEST(CreateProcess, WithoutApplicationTheFirstWordIsLookedUpAlongThePath)
{
    Started started(nullptr, "sh -c \"exit 5\"");
    ASSERT_TRUE(started.ok);
    EXPECT_EQ(started.ExitCode(), DWORD(5));
}

TEST(CreateProcess, AMissingProgramFails)
{
    Started started("/nonexistent/program", "program");
    EXPECT_FALSE(started.ok);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST(WaitForSingleObject, TimesOutWhileTheChildRunsThenSeesItEnd)
{
    Started started("/bin/sleep", "sleep 0.3");
    ASSERT_TRUE(started.ok);
    auto before = std::chrono::steady_clock::now();
    EXPECT_EQ(WaitForSingleObject(started.info.hProcess, 50), WAIT_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(50));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(started.info.hProcess, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(started.info.hProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(started.info.hProcess, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(GetExitCodeProcess(started.info.hProcess, &code));
    EXPECT_EQ(code, DWORD(0));
}

TEST(WaitForSingleObject, FailsOnAHandleThatIsNoProcess)
{
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

TEST(Libraries, LoadsAndFindsSymbols)
{
    HMODULE library = LoadLibraryA("libm.so.6");
    ASSERT_NE(library, nullptr);
    auto cosine = reinterpret_cast<double (*)(double)>(GetProcAddress(library, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(GetProcAddress(library, "no_such_symbol_here"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(library));
    EXPECT_EQ(LoadLibraryA("libno-such-library.so"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
}

TEST(Libraries, TheSystemFolderOfABuildIsItsBin)
{
    char folder[MAX_PATH];
    UINT length = GetSystemDirectoryA(folder, sizeof folder);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, UINT(sizeof folder));
    EXPECT_EQ(std::filesystem::path(folder), std::filesystem::canonical("/proc/self/exe").parent_path());
    EXPECT_EQ(GetSystemDirectoryA(folder, length), length + 1);
}

TEST(CreateProcess, ALeadingBlankMeansEveryWordIsAnArgument)
{
    Started started("/bin/sh", R"( -c "exit 4")");
    ASSERT_TRUE(started.ok);
    EXPECT_EQ(started.ExitCode(), DWORD(4));
}

TEST(CreateProcess, AChildClosedWhileRunningLeavesNoZombie)
{
    pid_t pid = 0;
    {
        Started running("/bin/sleep", "sleep 0.2");
        ASSERT_TRUE(running.ok);
        pid = static_cast<pid_t>(static_cast<std::uint32_t>(running.info.dwProcessId));
    }
    // A reaped child leaves /proc; a zombie would stay there until this process ends.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::filesystem::exists("/proc/" + std::to_string(pid)) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(pid)));
}
