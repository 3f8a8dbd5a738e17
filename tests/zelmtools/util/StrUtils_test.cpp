#include <zelmtools/util/StrUtils.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <zelmtools/platform/kernel/resources.h>
#include "support/temp_dir.h"

namespace {

TEST(NumberToStr, IntegersAndFixedPoint)
{
    EXPECT_STREQ(IntToStr(-5), "-5");
    EXPECT_STREQ(IntToStr(0), "0");
    EXPECT_STREQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_STREQ(DoubleToStr(3.14159, 8, 2), "    3.14");
    EXPECT_STREQ(DoubleToStr(3.14159, 0, 0), "3");
    EXPECT_STREQ(DoubleToStr(2.5, -6, 1), "2.5   ");
    EXPECT_STREQ(DoubleToStr(-0.125, 0, 2), "-0.12");  // the runtime rounds half to even
}

TEST(NumberToStr, NegativePrecisionAndHugeFieldsStayDefined)
{
    EXPECT_STREQ(DoubleToStr(7.6, 0, -3), "8");
    EXPECT_EQ(DoubleToStr(1.0, 2147483647, 0).GetLength(), 4096);
    EXPECT_EQ(DoubleToStr(1.0, -2147483647 - 1, 0).GetLength(), 4096);
    EXPECT_EQ(DoubleToStr(1.0, 0, 2147483647).GetLength(), 4096 + 2);
}

TEST(CalcCheckSum, CountsSetBitsWhateverTheAlignment)
{
    unsigned char bytes[] = {0x00, 0xFF, 0x00, 0x01, 0x80, 0x03};
    EXPECT_EQ(CalcCheckSum(bytes + 1, 5), 12);  // FF 00 01 80 03, unaligned
    EXPECT_EQ(CalcCheckSum(bytes + 1, 0), 0);
    EXPECT_EQ(CalcCheckSum(bytes + 1, -4), 0);
    EXPECT_EQ(CalcCheckSum(nullptr, 4), 0);
    unsigned char ones[9];
    std::fill(std::begin(ones), std::end(ones), 0xFF);
    EXPECT_EQ(CalcCheckSum(ones, 9), 72);
    EXPECT_EQ(CalcCheckSum(ones, 3), 24);
}

// One string table registered for the test, as a library's would be.
class StringResources : public ::testing::Test {
protected:
    static constexpr BYTE kLibraryText[] = {'l', 'i', 'b'};
    static constexpr BYTE kAppText[] = {'a', 'p', 'p'};
    static constexpr BYTE kRussian[] = {0xD0, 0x94, 0xD0, 0xB0};  // Да
    const zelm::platform::ResourceEntry kLibrary[2] = {{6, 64001, kLibraryText, 3}, {6, 64002, kRussian, 4}};
    const zelm::platform::ResourceEntry kApp[1] = {{6, 64001, kAppText, 3}};
};

TEST_F(StringResources, ComeThroughTheChainWithTheApplicationFirst)
{
    HMODULE library = zelm::platform::RegisterModuleResources("strutils-test", false, kLibrary, 2);
    EXPECT_STREQ(LoadStringA(64001), "lib");
    EXPECT_STREQ(LoadStringA(64002), "Да");
    EXPECT_STREQ(LoadStringA(64003), "");
    HMODULE app = zelm::platform::RegisterModuleResources("strutils-app", true, kApp, 1);
    EXPECT_STREQ(LoadStringA(64001), "app");
    char buffer[8];  // the module call keeps its own overload
    EXPECT_EQ(LoadStringA(library, 64001, buffer, sizeof buffer), 3);
    zelm::platform::UnregisterModuleResources(app);
    zelm::platform::UnregisterModuleResources(library);
    EXPECT_STREQ(LoadStringA(64001), "");
}

// Points the temporary folder at a private one for the test.
class TempFolder : public ::testing::Test {
protected:
    TempFolder() { setenv("TMPDIR", m_dir.path().c_str(), 1); }
    ~TempFolder() override
    {
        if (m_old.empty())
            unsetenv("TMPDIR");
        else
            setenv("TMPDIR", m_old.c_str(), 1);
    }
    std::string m_old = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
    TempDir m_dir;
};

TEST_F(TempFolder, TwoCallsMakeTwoEmptyFilesNamedFromThePrefix)
{
    std::filesystem::path first = MakeTempFileName("zlmtools").GetString();
    std::filesystem::path second = MakeTempFileName("zlmtools").GetString();
    EXPECT_NE(first, second);
    for (const auto& path : {first, second}) {
        EXPECT_EQ(path.parent_path(), m_dir.path());
        EXPECT_EQ(path.filename().string().substr(0, 3), "zlm");
        EXPECT_EQ(path.filename().string().size(), 11u);  // three of the prefix, four hex digits, ".tmp"
        EXPECT_EQ(std::filesystem::file_size(path), 0u);
    }
}

TEST_F(TempFolder, NoFolderGivesAnEmptyName)
{
    setenv("TMPDIR", m_dir.file("gone").c_str(), 1);
    EXPECT_TRUE(MakeTempFileName("zlm").IsEmpty());
}

}  // namespace
