#include "platform/kernel/message_tables.h"

#include <zelmtools/platform/base/errors.h>

#include "platform/kernel/version_module.h"

namespace {

using zelm::platform::FindMessageInBlock;
using zelm::platform::FindMessageInTable;

TEST(MessageTables, LookupByIdAndLanguage)
{
    HMODULE module = VersionTestModule();
    ASSERT_NE(module, nullptr);
    std::string text;
    ASSERT_TRUE(FindMessageInTable(module, 1000, 0x0409, text));
    EXPECT_EQ(text, "File %1 not found.\r\n");
    ASSERT_TRUE(FindMessageInTable(module, 1001, 0x0419, text));
    EXPECT_EQ(text, "Диск заполнен.\r\n");
    ASSERT_TRUE(FindMessageInTable(module, 2000, 0x0409, text));
    EXPECT_EQ(text, "Another block, with an emoji 🙂");
    ASSERT_TRUE(FindMessageInTable(module, 70000, 0x0409, text));
    EXPECT_EQ(text, "A number beyond 16 bits");
    // The neutral language takes US English.
    ASSERT_TRUE(FindMessageInTable(module, 1000, 0, text));
    EXPECT_EQ(text, "File %1 not found.\r\n");
}

TEST(MessageTables, MissingMessagesFailWithTheirReason)
{
    HMODULE module = VersionTestModule();
    std::string text = "unchanged";
    EXPECT_FALSE(FindMessageInTable(module, 2000, 0x0419, text));  // only in English
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    EXPECT_FALSE(FindMessageInTable(module, 1002, 0x0409, text));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
    EXPECT_FALSE(FindMessageInTable(module, 1000, 0x0407, text));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
    EXPECT_FALSE(FindMessageInTable(nullptr, 1000, 0x0409, text));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(text, "unchanged");
}

// One block (ids 5..6) of single-byte entries, as another resource compiler may write it.
const BYTE kAnsiTable[] = {1, 0, 0,   0,   5, 0, 0,  0, 6, 0, 0,   0,   16,  0, 0, 0, 8, 0,
                           0, 0, 'a', 'b', 0, 0, 12, 0, 0, 0, 'c', 'd', 'e', 0, 0, 0, 0, 0};

TEST(MessageTables, SingleByteEntriesAndDamagedTables)
{
    std::string text;
    ASSERT_TRUE(FindMessageInBlock(kAnsiTable, sizeof kAnsiTable, 5, text));
    EXPECT_EQ(text, "ab");
    ASSERT_TRUE(FindMessageInBlock(kAnsiTable, sizeof kAnsiTable, 6, text));
    EXPECT_EQ(text, "cde");
    EXPECT_FALSE(FindMessageInBlock(kAnsiTable, sizeof kAnsiTable, 7, text));
    // Cut tables and entries that claim more than the table holds are refused.
    for (std::size_t size : {0, 3, 10, 20, 27}) EXPECT_FALSE(FindMessageInBlock(kAnsiTable, size, 6, text)) << size;
    BYTE zeroLength[sizeof kAnsiTable];
    std::copy(std::begin(kAnsiTable), std::end(kAnsiTable), zeroLength);
    zeroLength[16] = 0;  // an entry of length 0 must not loop
    EXPECT_FALSE(FindMessageInBlock(zeroLength, sizeof zeroLength, 6, text));
}

}  // namespace
