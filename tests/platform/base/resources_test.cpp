#include <zelmtools/platform/kernel/resources.h>

#include <gtest/gtest.h>

#include <zelmtools/platform/base/errors.h>

using namespace zelm::platform;

namespace {
const BYTE kHello[] = {'h', 'e', 'l', 'l', 'o'};
const BYTE kRussian[] = {0xD0, 0x9F, 0xD1, 0x80, 0xD0, 0xB8};  // При
const BYTE kBlob[] = {1, 2, 3};
const ResourceEntry kEntries[] = {{6, 7, kHello, 5}, {6, 8, kRussian, 6}, {2, 129, kBlob, 3}};
}  // namespace

TEST(Resources, FindsByTypeAndNumberAndCutsStringsOnCharacters)
{
    HMODULE module = RegisterModuleResources("testmodule", false, kEntries, 3);
    EXPECT_EQ(GetModuleHandleA("testmodule"), module);

    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(129), RT_BITMAP);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(module, found), 3u);
    EXPECT_EQ(static_cast<const BYTE*>(LockResource(LoadResource(module, found)))[2], 3);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(129), RT_ICON), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));

    char buffer[8];
    EXPECT_EQ(LoadStringA(module, 7, buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "hello");
    EXPECT_EQ(LoadStringA(module, 8, buffer, 4), 2);  // room for one Cyrillic letter only
    EXPECT_STREQ(buffer, "\xD0\x9F");
    EXPECT_EQ(LoadStringA(module, 9, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");

    UnregisterModuleResources(module);
    EXPECT_EQ(GetModuleHandleA("testmodule"), nullptr);
}
