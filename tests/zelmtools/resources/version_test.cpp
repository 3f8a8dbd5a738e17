#include <gtest/gtest.h>

#include <zelmtools/platform/kernel/resources.h>

#include "support/version_text.h"

namespace {

// The library's own version information, read through the file its module came from.
TEST(LibraryVersion, EnglishAndRussianStringTables)
{
    char path[4096];
    DWORD length = GetModuleFileNameA(GetModuleHandleA("zelmtools"), path, sizeof path);
    ASSERT_GT(length, 0u);
    for (const char* table : {"\\StringFileInfo\\040904B0\\", "\\StringFileInfo\\041904B0\\"}) {
        std::string prefix = table;
        EXPECT_EQ(VersionText(path, prefix + "CompanyName"), "Brannic KSD") << table;
        EXPECT_EQ(VersionText(path, prefix + "FileVersion"), "1.0.0.0") << table;
        EXPECT_EQ(VersionText(path, prefix + "ProductName"), "zelmTools") << table;
        EXPECT_NE(VersionText(path, prefix + "FileDescription"), "<none>") << table;
        EXPECT_NE(VersionText(path, prefix + "LegalCopyright"), "<none>") << table;
    }
    EXPECT_EQ(VersionText(path, "\\StringFileInfo\\041904B0\\FileDescription"),
              "Библиотека служебных функций zelmTools");
}

}  // namespace
