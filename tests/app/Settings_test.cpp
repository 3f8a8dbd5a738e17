// The dialog's font and line-pitch reduction kept in the registry store between runs,
// and the batch mode taking them as its defaults without writing them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/ScrivaneApp.h"
#include "app/ScrivaneDlg.h"
#include "app/StoredSettings.h"
#include "app/resource.h"
#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/registry/registry.h>
#include "support/temp_registry.h"

namespace {

constexpr char kKey[] = "Software\\Brannic KSD\\Scrivane";

struct StoredValue {
    DWORD type = 0;
    std::string bytes;
    bool exists = false;
};

StoredValue Read(const char* name)
{
    StoredValue value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
    BYTE data[256];
    DWORD size = sizeof data;
    value.exists = RegQueryValueExA(key, name, nullptr, &value.type, data, &size) == ERROR_SUCCESS;
    value.bytes.assign(reinterpret_cast<char*>(data), value.exists ? size : DWORD{0});
    RegCloseKey(key);
    return value;
}

bool KeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void WriteDword(const char* name, DWORD value)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

CScrivaneApp& App()
{
    static CScrivaneApp app;
    return app;
}

}  // namespace

TEST(Settings, FirstRunCreatesTheKeyAndEveryCloseWritesBothValues)
{
    App();
    TempRegistry registry;
    {
        CScrivaneDlg dialog;
        ASSERT_TRUE(dialog.Create(CScrivaneDlg::IDD));
        EXPECT_TRUE(KeyExists()) << "made at start-up";
        EXPECT_FALSE(Read("LogFont").exists);
        EXPECT_EQ(dialog.m_nDelSize, 3u);
        std::strcpy(dialog.m_logFont.lfFaceName, "DejaVu Serif");
        dialog.m_nDelSize = 9;
        dialog.DestroyWindow();
    }
    StoredValue font = Read("LogFont"), delSize = Read("DelSize");
    EXPECT_EQ(font.type, REG_BINARY);
    ASSERT_EQ(font.bytes.size(), sizeof(LOGFONT));
    EXPECT_STREQ(reinterpret_cast<const LOGFONT*>(font.bytes.data())->lfFaceName, "DejaVu Serif");
    EXPECT_EQ(delSize.type, REG_BINARY);
    EXPECT_EQ(delSize.bytes, std::string("\x09\x00\x00\x00", 4));

    CScrivaneDlg again;
    ASSERT_TRUE(again.Create(CScrivaneDlg::IDD));
    EXPECT_STREQ(again.m_logFont.lfFaceName, "DejaVu Serif");
    EXPECT_EQ(again.m_nDelSize, 9u);
    again.DestroyWindow();
}

TEST(Settings, ADwordWrittenByAnotherToolIsReadAsItsNumber)
{
    App();
    TempRegistry registry;  // the tool inherits the store through the environment
    std::string command = std::string(ZELMREG_EXE) + " set 'HKCU\\Software\\Brannic KSD\\Scrivane' DelSize dword 7";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_EQ(Read("DelSize").type, REG_DWORD);
    CScrivaneDlg dialog;
    ASSERT_TRUE(dialog.Create(CScrivaneDlg::IDD));
    EXPECT_EQ(dialog.m_nDelSize, 7u);
    dialog.DestroyWindow();
    EXPECT_EQ(Read("DelSize").type, REG_BINARY) << "written back in the dialog's own form";
}

TEST(Settings, TheBatchModeReadsButNeverWrites)
{
    TempRegistry registry;
    LOGFONT font{};
    UINT delSize = 3;
    LoadStoredSettings(font, delSize, false);
    EXPECT_FALSE(std::filesystem::exists(registry.file())) << "reading creates not even the store";
    EXPECT_FALSE(KeyExists()) << "reading creates nothing";
    WriteDword("DelSize", 11);
    LoadStoredSettings(font, delSize, false);
    EXPECT_EQ(delSize, 11u);
    EXPECT_FALSE(Read("LogFont").exists);
}

TEST(Settings, TheScreenshotLeavesTheStoreAsItIs)
{
    TempRegistry registry;  // the program inherits the store through the environment
    TempDir shots;
    const std::string screenshot = std::string(SCRIVANE_EXE) + " --screenshot " + shots.file("a.png") + " >/dev/null";
    ASSERT_EQ(std::system(screenshot.c_str()), 0) << screenshot;
    EXPECT_FALSE(KeyExists()) << "no key made on a first run";

    WriteDword("DelSize", 7);
    ASSERT_EQ(std::system(screenshot.c_str()), 0) << screenshot;
    EXPECT_EQ(Read("DelSize").type, REG_DWORD) << "not rewritten as binary";
    EXPECT_FALSE(Read("LogFont").exists);
}
