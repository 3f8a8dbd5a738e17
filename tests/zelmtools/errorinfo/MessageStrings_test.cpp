#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include <zelmtools/errorinfo/MessageStrings.h>
#include <zelmtools/platform/base/errors.h>

#include "platform/kernel/version_module.h"

namespace {

// Takes a message string and frees it.
std::u16string Take(LPWSTR message)
{
    std::u16string text = message ? message : u"(null)";
    FreeMessageString(message);
    return text;
}

TEST(MessageStrings, TemplatesAreFormattedWithPointerSizedInserts)
{
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>("C:")};
    EXPECT_EQ(Take(GetMessageStringFromString(u"Disk %1 full", inserts)), u"Disk C: full");
    const DWORD_PTR wide[] = {reinterpret_cast<DWORD_PTR>(u"Диск")};
    EXPECT_EQ(Take(GetMessageStringFromString(u"%1!S!: нет места", wide)), u"Диск: нет места");
    EXPECT_EQ(Take(GetMessageStringFromString(u"plain text", nullptr)), u"plain text");
    // No arguments: the insert stays as it stands instead of reading what is not there.
    EXPECT_EQ(Take(GetMessageStringFromString(u"Disk %1 full", nullptr)), u"Disk %1 full");
    EXPECT_EQ(GetMessageStringFromString(nullptr, nullptr), nullptr);
    FreeMessageString(nullptr);
}

TEST(MessageStrings, ModuleAndSystemTables)
{
    HMODULE module = VersionTestModule();
    const DWORD_PTR inserts[] = {reinterpret_cast<DWORD_PTR>("a.txt")};
    EXPECT_EQ(Take(GetMessageStringModule(1000, module, 0x0409, inserts)), u"File a.txt not found.\r\n");
    EXPECT_EQ(Take(GetMessageStringModule(1000, module, 0x0419, inserts)), u"Файл a.txt не найден.\r\n");
    EXPECT_EQ(GetMessageStringModule(4242, module, 0x0409, nullptr), nullptr);

    SetLastError(5);
    std::u16string text = Take(GetMessageStringSystem());
    EXPECT_TRUE(text.starts_with(u"Access is denied") || text.starts_with(u"Отказано в доступе")) << text.size();
}

TEST(MessageStrings, HResultDescriptions)
{
    CString denied = GetSystemErrorMessage(5);
    ASSERT_FALSE(denied.IsEmpty());
    EXPECT_EQ(GetHResultDescription(5), "[00000005] " + denied);
    CString unspecified = GetHResultDescription(static_cast<LONG>(0x80004005u));
    EXPECT_EQ(std::string(unspecified).rfind("[80004005] ", 0), 0u) << unspecified;
    EXPECT_GT(unspecified.GetLength(), 11);
    EXPECT_TRUE(GetSystemErrorMessage(0x7654321).IsEmpty());
    EXPECT_EQ(GetHResultDescription(0x7654321), "[07654321]");
}

TEST(MessageStrings, ReadProbesNeverFault)
{
    EXPECT_TRUE(IsGoodReadStrA("text"));
    EXPECT_TRUE(IsGoodReadStrW(u"text"));
    EXPECT_FALSE(IsGoodReadStrA(nullptr));
    EXPECT_FALSE(IsGoodReadStrW(nullptr));

    // A text that runs to the end of a readable page, into one that is not mapped.
    long page = sysconf(_SC_PAGESIZE);
    auto* pages =
        static_cast<char*>(mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(pages, MAP_FAILED);
    munmap(pages + page, page);
    std::memset(pages, 'x', page);
    EXPECT_FALSE(IsGoodReadStrA(pages));
    EXPECT_FALSE(IsGoodReadStrW(reinterpret_cast<LPCWSTR>(pages)));
    pages[page - 1] = '\0';
    EXPECT_TRUE(IsGoodReadStrA(pages));
    munmap(pages, page);
    EXPECT_FALSE(IsGoodReadStrA(pages));
}

}  // namespace
