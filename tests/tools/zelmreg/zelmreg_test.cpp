#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

#include "support/registry_helpers.h"
#include "support/run_program.h"
#include "support/temp_registry.h"

namespace {

ToolResult RunZelmreg(const std::vector<std::string>& args)
{
    return RunProgram(ZELMREG_PATH, args);
}

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

using ValueRecord = std::tuple<std::string, DWORD, std::string>;
using Snapshot = std::map<std::string, std::vector<ValueRecord>>;

// Every key below path with its values (name, type, bytes) in order.
void TakeSnapshot(HKEY root, const std::string& path, Snapshot& snapshot)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    auto& values = snapshot[path];
    char name[512];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name, type = 0, size = 0;
        if (RegEnumValueA(key, index, name, &length, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        values.emplace_back(name, type, QueryBytes(key, name));
    }
    for (const auto& child : SubKeyNames(key)) TakeSnapshot(root, path + "\\" + child, snapshot);
    RegCloseKey(key);
}

Snapshot SnapshotOf(const std::string& path)
{
    Snapshot snapshot;
    TakeSnapshot(HKEY_CURRENT_USER, path, snapshot);
    return snapshot;
}

void WriteText(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(Zelmreg, ExportThenImportIntoAnEmptyStoreReproducesEveryValue)
{
    TempRegistry source;
    HKEY top = CreateTestKey("Software\\Round");
    HKEY deep = CreateTestKey("Software\\Round\\Вложенный\\Deep");
    const std::string bigBinary(300, '\xAB');
    const std::vector<std::tuple<HKEY, std::string, DWORD, std::string>> values = {
        {top, "", REG_SZ, "default text"},
        {top, "plain", REG_SZ, "quotes \" and \\ backslashes"},
        {top, "terminated", REG_SZ, std::string("abc\0", 4)},
        {top, "control", REG_SZ, "line\r\nbreak"},
        {top, "empty text", REG_SZ, ""},
        {top, "name with \"quote\" = and \\", REG_BINARY, "\x01\x02"},
        {top, "dword", REG_DWORD, std::string("\x07\x00\x00\x80", 4)},
        {top, "short dword", REG_DWORD, "\x07"},
        {top, "qword", REG_QWORD, std::string("\x01\x00\x00\x00\x00\x00\x00\xFF", 8)},
        {top, "expand", REG_EXPAND_SZ, "%HOME%/x"},
        {top, "multi", REG_MULTI_SZ, std::string("a\0Привет\0\0", 15)},
        {top, "empty binary", REG_BINARY, ""},
        {top, "none", REG_NONE, std::string("\x00\xFF", 2)},
        {top, "odd type", 0x12345, "xyz"},
        {deep, "big", REG_BINARY, bigBinary},
        {deep, "Имя", REG_SZ, "значение"},
    };
    for (const auto& [key, name, type, data] : values)
        ASSERT_EQ(SetBytes(key, name.c_str(), type, data), ERROR_SUCCESS);
    RegCloseKey(CreateTestKey("Software\\Round\\Empty key"));
    RegCloseKey(top);
    RegCloseKey(deep);
    Snapshot before = SnapshotOf("Software\\Round");
    ASSERT_EQ(before.size(), 4u);

    std::string file = source.dir().file("round.reg");
    ToolResult exported = RunZelmreg({"export", "HKCU\\Software\\Round", file});
    ASSERT_EQ(exported.exitCode, 0) << exported.output;
    std::string bytes = FileBytes(file);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");  // UTF-16LE with its mark
    EXPECT_EQ(bytes.substr(2, 8), std::string("W\0i\0n\0d\0", 8));

    TempRegistry target;
    ToolResult imported = RunZelmreg({"import", file});
    ASSERT_EQ(imported.exitCode, 0) << imported.output;
    EXPECT_EQ(SnapshotOf("Software\\Round"), before);
}

TEST(Zelmreg, ImportReadsOlderAndUtf8FilesWithContinuationsAndDeletions)
{
    TempRegistry store;
    RegCloseKey(CreateTestKey("Software\\Old\\Gone"));
    HKEY keep = CreateTestKey("Software\\Keep");
    ASSERT_EQ(SetBytes(keep, "drop", REG_SZ, "x"), ERROR_SUCCESS);
    RegCloseKey(keep);

    std::string v4 = store.dir().file("v4.reg");
    WriteText(v4,
              "REGEDIT4\r\n\r\n; a comment\r\n[HKEY_CURRENT_USER\\Software\\New]\r\n"
              "\"text\"=\"caf\xC3\xA9\"\r\n@=dword:0000002a\r\n\"path\"=hex(2):25,48,4f,4d,\\\r\n  45,25,00\r\n"
              "[-HKEY_CURRENT_USER\\Software\\Old]\r\n\"ignored\"=\"x\"\r\n"
              "[HKCU\\Software\\Keep]\r\n\"drop\"=-\r\n");
    ToolResult result = RunZelmreg({"import", v4});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    Snapshot expected{{"Software\\New",
                       {{"text", REG_SZ, "café"},
                        {"", REG_DWORD, std::string("\x2A\0\0\0", 4)},
                        {"path", REG_EXPAND_SZ, std::string("%HOME%\0", 7)}}}};
    EXPECT_EQ(SnapshotOf("Software\\New"), expected);
    EXPECT_TRUE(SnapshotOf("Software\\Old").empty());
    EXPECT_EQ(SnapshotOf("Software\\Keep"), (Snapshot{{"Software\\Keep", {}}}));

    std::string utf8 = store.dir().file("utf8.reg");
    WriteText(utf8,
              "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\U]\n"
              "\"Ключ\"=hex(1):3f,04,00,00\n");
    result = RunZelmreg({"import", utf8});
    ASSERT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(SnapshotOf("Software\\U"), (Snapshot{{"Software\\U", {{"Ключ", REG_SZ, std::string("\xD0\xBF\0", 3)}}}}));
}

TEST(Zelmreg, BrokenImportFileNamesTheLineAndChangesNothing)
{
    TempRegistry store;
    std::string file = store.dir().file("bad.reg");
    WriteText(file,
              "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\A]\n\"ok\"=\"1\"\n"
              "\"bad\"=dword:xyz\n");
    ToolResult result = RunZelmreg({"import", file});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find(file + ":5:"), std::string::npos) << result.output;
    EXPECT_TRUE(SnapshotOf("Software\\A").empty());

    WriteText(file, "not a registry file\n");
    result = RunZelmreg({"import", file});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("not a .reg file"), std::string::npos) << result.output;
}

TEST(Zelmreg, SetQueryAndDeleteFromTheCommandLine)
{
    TempRegistry store;
    EXPECT_EQ(RunZelmreg({"set", "HKCU\\Software\\X", "n", "dword", "7"}).exitCode, 0);
    EXPECT_EQ(RunZelmreg({"set", "HKEY_CURRENT_USER\\Software\\X", "b", "binary", "05,00,00,00"}).exitCode, 0);
    EXPECT_EQ(RunZelmreg({"set", "hkcu\\Software\\X\\Sub", "", "sz", "text"}).exitCode, 0);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD type = 0;
    EXPECT_EQ(QueryBytes(key, "n", &type), std::string("\x07\0\0\0", 4));
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(QueryBytes(key, "b", &type), std::string("\x05\0\0\0", 4));
    EXPECT_EQ(type, REG_BINARY);
    RegCloseKey(key);

    ToolResult query = RunZelmreg({"query", "HKCU\\Software\\X"});
    EXPECT_EQ(query.exitCode, 0);
    EXPECT_NE(query.output.find("n    REG_DWORD    7 (0x00000007)"), std::string::npos) << query.output;
    EXPECT_NE(query.output.find("HKEY_CURRENT_USER\\Software\\X\\Sub"), std::string::npos) << query.output;
    EXPECT_NE(RunZelmreg({"query", "HKCU\\Software\\X\\Sub", ""}).output.find("(Default)    REG_SZ    text"),
              std::string::npos);

    EXPECT_EQ(RunZelmreg({"delete", "HKCU\\Software\\X", "n"}).exitCode, 0);
    EXPECT_EQ(RunZelmreg({"delete", "HKCU\\Software\\X"}).exitCode, 0);  // with its sub-key
    EXPECT_TRUE(SnapshotOf("Software\\X").empty());
}

TEST(Zelmreg, FailuresAndWrongArgumentsHaveTheirExitCodes)
{
    TempRegistry store;
    ToolResult missing = RunZelmreg({"query", "HKCU\\Software\\Missing"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("HKEY_CURRENT_USER\\Software\\Missing"), std::string::npos) << missing.output;
    EXPECT_EQ(RunZelmreg({"delete", "HKCU"}).exitCode, 1);
    EXPECT_EQ(RunZelmreg({}).exitCode, 2);
    EXPECT_EQ(RunZelmreg({"frobnicate"}).exitCode, 2);
    EXPECT_EQ(RunZelmreg({"query", "NOWHERE\\X"}).exitCode, 2);
    EXPECT_EQ(RunZelmreg({"set", "HKCU\\X", "v", "dword", "4294967296"}).exitCode, 2);
    EXPECT_EQ(RunZelmreg({"set", "HKCU\\X", "v", "binary", "0g"}).exitCode, 2);
    EXPECT_EQ(RunZelmreg({"set", "HKCU\\X", "v", "colour", "red"}).exitCode, 2);
    ToolResult help = RunZelmreg({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("Usage: zelmreg"), std::string::npos);
}

TEST(Zelmreg, DamagedStoreIsReportedAndLeftAlone)
{
    TempRegistry store;
    const std::string garbage(5000, '\x42');
    WriteText(store.file(), garbage);
    ToolResult result = RunZelmreg({"query", "HKCU\\Software"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.output.find("damaged"), std::string::npos) << result.output;
    EXPECT_NE(result.output.find(store.file()), std::string::npos) << result.output;
    EXPECT_EQ(RunZelmreg({"set", "HKCU\\Software", "v", "sz", "x"}).exitCode, 1);
    EXPECT_EQ(FileBytes(store.file()), garbage);
}
