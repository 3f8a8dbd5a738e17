#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "framework/ui/MessageBox.h"
#include <zelmtools/platform/kernel/resources.h>
#include "support/registry_helpers.h"
#include "support/temp_registry.h"
#include <zelmtools/registry/RegItem.h>

namespace {

const char kDeleteMessage[] = "Error: class CRegItem don't work under WindowsNT yet.";

bool KeyExists(const char* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Records the texts of the message boxes shown while it lives.
class MessageBoxSpy {
public:
    MessageBoxSpy()
    {
        m_previous = zelm::framework::SetMessageBoxHandler([this](const zelm::framework::MessageBoxRequest& request) {
            m_texts.emplace_back(request.text);
            return IDOK;
        });
    }
    ~MessageBoxSpy() { zelm::framework::SetMessageBoxHandler(m_previous); }
    const std::vector<std::string>& texts() const { return m_texts; }

private:
    zelm::framework::MessageBoxHandler m_previous;
    std::vector<std::string> m_texts;
};

class RegItemKeys : public ::testing::Test {
protected:
    TempRegistry m_store;
    MessageBoxSpy m_messages;
};

}  // namespace

TEST_F(RegItemKeys, CreateKeyOpensRootPathPlusNameAndTellsWhetherItExisted)
{
    CRegItem first;
    EXPECT_EQ(first.IsOpen(), 0);  // nothing opened yet
    ASSERT_EQ(first.CreateKey("Scrivane"), 1);
    EXPECT_EQ(first.GetPath(), CString("Software\\Brannic KSD\\Scrivane"));
    EXPECT_EQ(first.m_bOpen, 1);
    EXPECT_EQ(first.IsOpen(), 0);
    EXPECT_EQ(first.m_dwType, REG_DWORD);
    EXPECT_TRUE(KeyExists("software\\brannic ksd\\scrivane"));

    CRegItem second;
    ASSERT_EQ(second.CreateKey("SCRIVANE"), 1);
    EXPECT_EQ(second.IsOpen(), 1);
    HKEY handle = nullptr;
    second.GetCurrentHKEY(&handle);
    EXPECT_EQ(handle, second.GetHKEY());
    // Opening again releases the handle it replaces instead of leaking it.
    ASSERT_EQ(second.CreateKey("Other"), 1);
    EXPECT_EQ(RegCloseKey(handle), ERROR_INVALID_HANDLE);
    EXPECT_EQ(second.CloseKey(), 1);
    EXPECT_EQ(second.m_bOpen, 0);
    EXPECT_EQ(second.CloseKey(), 1);  // closing a closed object is no failure
}

TEST_F(RegItemKeys, RootPathLosesTrailingSeparatorsAndNeverGetsThemDoubled)
{
    EXPECT_EQ(CRegItem(HKEY_CURRENT_USER, "A//").m_strRootPath, CString("A"));
    EXPECT_EQ(CRegItem(HKEY_CURRENT_USER, "A\\/\\").m_strRootPath, CString("A"));
    EXPECT_EQ(CRegItem(HKEY_CURRENT_USER, nullptr).m_strRootPath, CString(""));

    CRegItem item(HKEY_CURRENT_USER, "A\\");
    ASSERT_EQ(item.CreateKey("X"), 1);
    EXPECT_EQ(item.GetPath(), CString("A\\X"));
    ASSERT_EQ(item.CreateKeyEx("B\\"), 1);  // a whole path stays as given and becomes the root path
    EXPECT_EQ(item.m_strRootPath, CString("B\\"));
    ASSERT_EQ(item.CreateKey("Y"), 1);
    EXPECT_EQ(item.GetPath(), CString("B\\Y"));
    EXPECT_TRUE(KeyExists("B\\Y"));
}

TEST_F(RegItemKeys, EmptyOrNullNamesOpenTheRootPathItself)
{
    CRegItem item(HKEY_CURRENT_USER, "Root\\Path");
    ASSERT_EQ(item.CreateKey(""), 1);
    EXPECT_EQ(item.GetPath(), CString("Root\\Path"));
    ASSERT_EQ(item.CreateKey(static_cast<const char*>(nullptr)), 1);
    EXPECT_EQ(item.GetPath(), CString("Root\\Path"));
    ASSERT_EQ(item.CreateKeyEx(static_cast<const char*>(nullptr)), 1);
    EXPECT_EQ(item.GetPath(), CString("Root\\Path"));
    EXPECT_EQ(item.m_strRootPath, CString("Root\\Path"));

    CString path;
    item.GetCurrentPath(&path);
    EXPECT_EQ(path, CString("Root\\Path"));
}

TEST_F(RegItemKeys, FolderWalkClimbsBackToWhereItBeganAndNoFurther)
{
    CRegItem item;
    EXPECT_EQ(item.BackFolder(1), 0);  // no walk yet
    ASSERT_EQ(item.CreateKey("App"), 1);
    ASSERT_EQ(item.AddFolder("X"), 1);
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD\\App\\X"));
    EXPECT_EQ(item.m_strBasePath, CString("Software\\Brannic KSD\\App"));
    EXPECT_EQ(item.m_strRootPath, item.GetPath());
    EXPECT_TRUE(KeyExists("Software\\Brannic KSD\\App\\X"));

    EXPECT_EQ(item.BackFolder(1), 1);
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD\\App"));
    EXPECT_EQ(item.BackFolder(1), 0);
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD\\App"));
    EXPECT_EQ(item.m_bOpen, 1);

    ASSERT_EQ(item.AddFolder("X"), 1);
    ASSERT_EQ(item.AddFolder("Y"), 1);
    EXPECT_EQ(item.m_strBasePath, CString("Software\\Brannic KSD\\App"));  // kept from the first walk
    EXPECT_EQ(item.BackFolder(3), 0);
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD\\App"));  // two levels stay climbed
    EXPECT_EQ(item.BackFolder(0), 1);
}

TEST_F(RegItemKeys, DeleteKeyRemovesTheKeyAndReopensTheRootPathWhenAsked)
{
    CRegItem item;
    ASSERT_EQ(item.CreateKey("App"), 1);
    ASSERT_EQ(item.DeleteKey(1), 1);
    EXPECT_FALSE(KeyExists("Software\\Brannic KSD\\App"));
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD"));
    EXPECT_EQ(item.m_bOpen, 1);

    // After AddFolder the folder is the root path: deleting it with reopen makes it anew, empty.
    ASSERT_EQ(item.CreateKey("App"), 1);
    ASSERT_EQ(item.AddFolder("X"), 1);
    ASSERT_EQ(item.SetValue("v", 1L), 1);
    ASSERT_EQ(item.DeleteKey(1), 1);
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD\\App\\X"));
    EXPECT_EQ(item.IsOpen(), 0);
    EXPECT_EQ(item.GetType("v"), 0);

    ASSERT_EQ(item.DeleteKey(0), 1);
    EXPECT_EQ(item.m_bOpen, 0);
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD\\App\\X"));
    EXPECT_FALSE(KeyExists("Software\\Brannic KSD\\App\\X"));
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(RegItemKeys, DeletesOfKeysWithSubKeysAreRefusedWithTheMessage)
{
    CRegItem item;
    ASSERT_EQ(item.CreateKey("App"), 1);
    ASSERT_EQ(item.AddFolder("Sub"), 1);
    ASSERT_EQ(item.BackFolder(1), 1);

    EXPECT_EQ(item.DeleteKey(1), 0);
    ASSERT_EQ(m_messages.texts(), std::vector<std::string>{kDeleteMessage});
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(KeyExists("Software\\Brannic KSD\\App\\Sub"));

    CRegItem parent;
    ASSERT_EQ(parent.CreateKey("App"), 1);
    EXPECT_EQ(parent.DeleteFolder("Sub"), 1);
    EXPECT_FALSE(KeyExists("Software\\Brannic KSD\\App\\Sub"));
    EXPECT_EQ(parent.SetValue("still open", 1), 1);
    EXPECT_EQ(parent.DeleteFolder("Sub"), 0);  // gone already: every failure shows the message
    EXPECT_EQ(m_messages.texts().size(), 2u);
}

TEST_F(RegItemKeys, IsFolderExistLooksWithoutTouchingTheCurrentKey)
{
    CRegItem item;
    ASSERT_EQ(item.CreateKey("App"), 1);
    ASSERT_EQ(item.AddFolder("Sub"), 1);
    ASSERT_EQ(item.BackFolder(1), 1);
    HKEY before = item.GetHKEY();
    EXPECT_EQ(item.IsFolderExist("sub"), 1);
    EXPECT_EQ(item.IsFolderExist("Missing"), 0);
    EXPECT_EQ(item.GetHKEY(), before);
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD\\App"));

    CRegItem bare(HKEY_CURRENT_USER, "");
    EXPECT_EQ(bare.IsFolderExist(""), 0);
    EXPECT_EQ(bare.IsFolderExist("Software"), 1);
}

TEST_F(RegItemKeys, NamesByResourceComeFromTheApplicationFirst)
{
    const BYTE app[] = {'F', 'r', 'o', 'm', 'A', 'p', 'p'};
    const BYTE lib[] = {'F', 'r', 'o', 'm', 'L', 'i', 'b'};
    const zelm::platform::ResourceEntry appEntries[] = {{6, 7001, app, sizeof app}};
    const zelm::platform::ResourceEntry libEntries[] = {{6, 7001, lib, sizeof lib}, {6, 7002, lib, sizeof lib}};
    HMODULE appModule = zelm::platform::RegisterModuleResources("regitem-app", true, appEntries, 1);
    HMODULE libModule = zelm::platform::RegisterModuleResources("regitem-lib", false, libEntries, 2);

    CRegItem item;
    ASSERT_EQ(item.CreateKey(7001u), 1);
    EXPECT_EQ(item.GetPath(), CString("Software\\Brannic KSD\\FromApp"));
    ASSERT_EQ(item.SetValue(7002u, 5L), 1);
    EXPECT_EQ(item.m_strValueName, CString("FromLib"));
    EXPECT_EQ(item.CreateKeyEx(7002u), 1);
    EXPECT_EQ(item.GetPath(), CString("FromLib"));

    // A missing resource names the root path, and for values the default value.
    ASSERT_EQ(item.CreateKey(59999u), 1);
    EXPECT_EQ(item.GetPath(), CString("FromLib"));
    ASSERT_EQ(item.SetValue(59999u, "unnamed"), 1);
    EXPECT_EQ(QueryBytes(item.GetHKEY(), ""), "unnamed");
    CString text;
    EXPECT_EQ(item.GetValue(59998u, &text, "x"), 1);
    EXPECT_EQ(text, CString("unnamed"));

    zelm::platform::UnregisterModuleResources(appModule);
    zelm::platform::UnregisterModuleResources(libModule);
}

TEST_F(RegItemKeys, DamagedStoreGivesFailuresNotCrashes)
{
    std::ofstream(m_store.file(), std::ios::binary) << std::string(4096, '\x7F');
    CRegItem item;
    EXPECT_EQ(item.CreateKey("Scrivane"), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BADDB));
    EXPECT_EQ(item.m_bOpen, 0);
    EXPECT_EQ(item.SetValue("v", 1), 0);
    int value = 3;
    EXPECT_EQ(item.GetValue("v", &value, 7), 0);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(item.IsFolderExist("x"), 0);
    EXPECT_EQ(item.DeleteKey(1), 0);
    EXPECT_EQ(m_messages.texts().size(), 1u);
}
