#include <gtest/gtest.h>

#include "support/version_text.h"

namespace {

// The program's file carries its own version information: the executable's module
// is found first even though the library's resources live in the same test program.
TEST(ProgramVersion, EnglishAndRussianStringTables)
{
    char path[4096];
    ASSERT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u);
    for (const char* table : {"\\StringFileInfo\\040904b0\\", "\\StringFileInfo\\041904b0\\"}) {
        std::string prefix = table;
        EXPECT_EQ(VersionText(path, prefix + "CompanyName"), "Brannic KSD") << table;
        EXPECT_EQ(VersionText(path, prefix + "ProductName"), "Scrivane") << table;
        EXPECT_EQ(VersionText(path, prefix + "FileVersion"), "1.0.0.0") << table;
        EXPECT_EQ(VersionText(path, prefix + "OriginalFilename"), "scrivane") << table;
    }
}

}  // namespace
