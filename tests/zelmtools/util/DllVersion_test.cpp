#include <gtest/gtest.h>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/libraries.h>
#include <zelmtools/util/FileUtils.h>

#include "platform/shell/shell_version.h"

TEST(GetDllVersion, MajorInTheHighHalfMinorInTheLow)
{
    EXPECT_EQ(GetDllVersion(ZELM_TEST_DLL_VERSION_MODULE), 0x00050051ul);
}

TEST(GetDllVersion, NoLibraryOrNoEntryPointGivesZero)
{
    EXPECT_EQ(GetDllVersion("/nonexistent/libnothing.so"), 0ul);
    EXPECT_EQ(GetDllVersion(nullptr), 0ul);
    // Loads, but has no DllGetVersion of its own.
    EXPECT_EQ(GetDllVersion(ZELM_TEST_VERSION_MODULE), 0ul);
}

TEST(GetDllVersion, TheShellAnswersForShell32InAnySpelling)
{
    EXPECT_EQ(GetDllVersion("shell32.dll"), 0x00060000ul);
    EXPECT_EQ(GetDllVersion("SHELL32"), 0x00060000ul);
    zelm::platform::OverrideShellVersion(4, 71);
    EXPECT_EQ(GetDllVersion("Shell32.DLL"), 0x00040047ul);
    zelm::platform::OverrideShellVersion(0, 0);
    EXPECT_EQ(GetDllVersion("shell32.dll"), 0x00060000ul);
}

TEST(GetProcAddress, OnlyTheLibrarysOwnEntryPoints)
{
    HMODULE library = LoadLibraryA(ZELM_TEST_DLL_VERSION_MODULE);
    ASSERT_NE(library, nullptr);
    EXPECT_NE(GetProcAddress(library, "DllGetVersion"), nullptr);
    // malloc is reachable through the library's dependencies, but is not its entry.
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(library, "malloc"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    EXPECT_TRUE(FreeLibrary(library));
}
