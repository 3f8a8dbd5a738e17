#include <gtest/gtest.h>

#include "support/registry_helpers.h"
#include "support/temp_registry.h"

class RegistryKeys : public ::testing::Test {
protected:
    TempRegistry m_store;
};

TEST_F(RegistryKeys, CreateReportsWhetherTheKeyExistedAndMatchesNamesWithoutCase)
{
    DWORD disposition = 0;
    RegCloseKey(CreateTestKey("Software\\Тест\\App", HKEY_CURRENT_USER, &disposition));
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(CreateTestKey("SOFTWARE\\тЕСТ\\app\\", HKEY_CURRENT_USER, &disposition));
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

    HKEY software = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software", 0, KEY_READ, &software), ERROR_SUCCESS);
    EXPECT_EQ(SubKeyNames(software), std::vector<std::string>{"Тест"});  // the first spelling stays
    RegCloseKey(software);
}

TEST_F(RegistryKeys, OpenFailsForMissingKeysAndBadPaths)
{
    HKEY key = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Missing", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "\\Lead", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "A\\\\B", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegOpenKeyExA(reinterpret_cast<HKEY>(0x12345), "X", 0, KEY_READ, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "V", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_NOT_SUPPORTED);
}

TEST_F(RegistryKeys, EmptySubKeyOpensTheSameKeyAgain)
{
    HKEY app = CreateTestKey("Software\\App");
    ASSERT_EQ(SetBytes(app, "v", REG_BINARY, "x"), ERROR_SUCCESS);
    DWORD disposition = 0;
    HKEY again = CreateTestKey("", app, &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    EXPECT_NE(again, app);
    EXPECT_EQ(QueryBytes(again, "v"), "x");
    RegCloseKey(app);
    RegCloseKey(again);
}

TEST_F(RegistryKeys, HandlesAreCheckedForClosingRightsAndDeletion)
{
    HKEY key = CreateTestKey("Software\\App");
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetBytes(key, "v", REG_BINARY, "x"), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);

    HKEY readOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\App", 0, KEY_READ, &readOnly), ERROR_SUCCESS);
    EXPECT_EQ(SetBytes(readOnly, "v", REG_BINARY, "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));

    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\App"), ERROR_SUCCESS);
    EXPECT_EQ(QueryBytes(readOnly, "v"), "<error 1018>");  // ERROR_KEY_DELETED
    // A key created again under the same name is a new key, not the old handle's.
    HKEY fresh = CreateTestKey("Software\\App");
    EXPECT_EQ(QueryBytes(readOnly, "v"), "<error 1018>");
    RegCloseKey(readOnly);
    RegCloseKey(fresh);
}

TEST_F(RegistryKeys, DeleteRefusesKeysWithSubKeysAndTakesTheValuesAlong)
{
    HKEY child = CreateTestKey("Software\\App\\Child");
    HKEY app = CreateTestKey("Software\\App");
    ASSERT_EQ(SetBytes(app, "v", REG_BINARY, "x"), ERROR_SUCCESS);

    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\App"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(QueryBytes(app, "v"), "x");
    EXPECT_EQ(RegDeleteKeyA(app, "child"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(app, "child"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\App"), ERROR_SUCCESS);

    DWORD disposition = 0;
    HKEY again = CreateTestKey("Software\\App", HKEY_CURRENT_USER, &disposition);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(QueryBytes(again, "v"), "<error 2>");
    RegCloseKey(child);
    RegCloseKey(app);
    RegCloseKey(again);
}

TEST_F(RegistryKeys, RootKeysCannotBeDeleted)
{
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
    // Each root is its own tree.
    RegCloseKey(CreateTestKey("Only", HKEY_LOCAL_MACHINE));
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Only", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeys, EnumerationIsSortedWithoutCaseAndReportsSmallBuffers)
{
    HKEY parent = CreateTestKey("P");
    for (const char* name : {"beta", "Alpha", "GAMMA"}) RegCloseKey(CreateTestKey((std::string("P\\") + name).c_str()));
    EXPECT_EQ(SubKeyNames(parent), (std::vector<std::string>{"Alpha", "beta", "GAMMA"}));

    char name[8];
    DWORD length = 5;  // "Alpha" needs 6 with its terminator
    EXPECT_EQ(RegEnumKeyExA(parent, 0, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
    EXPECT_EQ(length, 5u);
    length = sizeof name;
    FILETIME written{};
    EXPECT_EQ(RegEnumKeyExA(parent, 1, name, &length, nullptr, nullptr, nullptr, &written), ERROR_SUCCESS);
    EXPECT_STREQ(name, "beta");
    EXPECT_NE(written.dwHighDateTime, 0u);
    length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(parent, 3, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);
    RegCloseKey(parent);
}
