#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/kernel/version.h>

#include "platform/kernel/version_module.h"

namespace {

std::vector<BYTE> ReadVersionBlock(const std::string& path)
{
    DWORD handle = 7;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoA(path.c_str(), 0, size, block.data())) block.clear();
    return block;
}

std::string QueryText(const std::vector<BYTE>& block, const char* path)
{
    LPVOID value = nullptr;
    UINT length = 99;
    if (!VerQueryValueA(block.data(), path, &value, &length)) return "<none>";
    EXPECT_EQ(std::strlen(static_cast<const char*>(value)), length) << path;
    return std::string(static_cast<const char*>(value), length);
}

class VersionInfo : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(VersionTestModule(), nullptr);
        block = ReadVersionBlock(VersionTestModulePath());
        ASSERT_FALSE(block.empty());
    }
    std::vector<BYTE> block;
};

TEST_F(VersionInfo, StringTablesInBothLanguages)
{
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\CompanyName"), "Brannic KSD");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\FileDescription"), "Version test module");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\FileVersion"), "2.5.17.300");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\Comments"), "Quote \" and backslash \\");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\040904b0\\Empty"), "");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\041904b0\\CompanyName"), "Бранник КСД");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\041904b0\\FileDescription"), "Проверочный модуль");
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\041904b0\\FileVersion"), "2.5.17.300");
    // Keys compare without case, as the loader asks for "...\\041904B0\\FileVersion".
    EXPECT_EQ(QueryText(block, "\\StringFileInfo\\041904B0\\fileversion"), "2.5.17.300");
}

TEST_F(VersionInfo, FixedInfoAndTranslation)
{
    LPVOID value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO fixed;
    std::memcpy(&fixed, value, sizeof fixed);
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00020005u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x0011012Cu);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00020005u);
    EXPECT_EQ(fixed.dwFileType, 2u);

    ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 8u);
    const WORD expected[] = {0x0409, 0x04B0, 0x0419, 0x04B0};
    EXPECT_EQ(std::memcmp(value, expected, sizeof expected), 0);
}

TEST_F(VersionInfo, MalformedQueriesFail)
{
    LPVOID value = nullptr;
    UINT length = 0;
    for (const char* path :
         {"\\StringFileInfo\\040704b0\\FileVersion", "\\StringFileInfo\\040904b0\\NoSuchKey",
          "\\StringFileInfo\\040904b0", "\\StringFileInfo\\040904b0\\FileVersion\\More", "\\NoSuchBlock"}) {
        SetLastError(0);
        EXPECT_FALSE(VerQueryValueA(block.data(), path, &value, &length)) << path;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND)) << path;
    }
    EXPECT_FALSE(VerQueryValueA(block.data(), nullptr, &value, &length));
    EXPECT_FALSE(VerQueryValueA(nullptr, "\\", &value, &length));
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\", nullptr, &length));
    EXPECT_FALSE(VerQueryValueA(block.data(), "\\", &value, nullptr));
    std::vector<BYTE> garbage(64, 0xAB);
    garbage[0] = 64;
    garbage[1] = 0;
    EXPECT_FALSE(VerQueryValueA(garbage.data(), "\\", &value, &length));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

TEST_F(VersionInfo, ShortBufferIsRefused)
{
    std::string path = VersionTestModulePath();
    std::vector<BYTE> small(block.size() - 1, 0xEE);
    EXPECT_FALSE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(small.size()), small.data()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(small[0], 0xEE);
}

TEST(VersionInfoFiles, FilesWithoutVersionInformation)
{
    DWORD handle = 0;
    EXPECT_EQ(GetFileVersionInfoSizeA("/no/such/file.so", &handle), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    // A file that exists but belongs to no module with resources.
    EXPECT_EQ(GetFileVersionInfoSizeA("/proc/self/cmdline", &handle), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, &handle), 0u);
    BYTE buffer[16];
    EXPECT_FALSE(GetFileVersionInfoA("/no/such/file.so", 0, sizeof buffer, buffer));
}

TEST(ModuleFileName, OfTheModuleAndOfTheProgram)
{
    HMODULE module = VersionTestModule();
    ASSERT_NE(module, nullptr);
    char path[4096];
    DWORD length = GetModuleFileNameA(module, path, sizeof path);
    EXPECT_EQ(std::string(path, length), VersionTestModulePath());

    char self[4096];
    ssize_t selfLength = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(selfLength, 0);
    length = GetModuleFileNameA(nullptr, path, sizeof path);
    EXPECT_EQ(std::string(path, length), std::string(self, selfLength));

    // A short buffer gets the cut, terminated path and the size back.
    char shortPath[5];
    EXPECT_EQ(GetModuleFileNameA(module, shortPath, sizeof shortPath), 5u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(shortPath), VersionTestModulePath().substr(0, 4));

    int notAModule = 0;
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(&notAModule), path, sizeof path), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

}  // namespace
