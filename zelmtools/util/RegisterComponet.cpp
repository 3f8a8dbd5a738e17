#include <cstring>

#include <zelmtools/platform/base/errors.h>
#include <zelmtools/platform/base/format_message.h>
#include <zelmtools/platform/kernel/libraries.h>
#include <zelmtools/platform/kernel/local_memory.h>
#include <zelmtools/platform/kernel/processes.h>
#include <zelmtools/util/FileUtils.h>

#include "framework/ui/MessageBox.h"
#include "platform/kernel/directories.h"
#include "platform/kernel/files.h"

namespace {

constexpr DWORD kNormalPriorityClass = 0x20;
constexpr UINT kStartFailureStyle = MB_ICONEXCLAMATION | MB_TOPMOST;  // 0x40030

// A folder read into a MAX_PATH buffer: false when it cannot be read (its error stays)
// or does not fit (ERROR_FILENAME_EXCED_RANGE).
template <class Reader>
bool ReadFolder(Reader read, CString& folder)
{
    char buffer[MAX_PATH];
    unsigned length = static_cast<unsigned>(read(buffer));
    if (length >= MAX_PATH) SetLastError(ERROR_FILENAME_EXCED_RANGE);
    if (length == 0 || length >= MAX_PATH) return false;
    folder = buffer;
    return true;
}

CString WithSlash(CString folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '/') folder += '/';
    return folder;
}

// The quoted path as the program splits it back: backslashes before the closing quote
// are doubled, or they would escape it. A quote inside cannot be written at all.
bool QuotedPath(const CString& path, CString& quoted)
{
    if (path.Find('"') >= 0) return false;
    int trailing = 0;
    while (trailing < path.GetLength() && path[path.GetLength() - 1 - trailing] == '\\') ++trailing;
    quoted = "\"" + path + CString('\\', trailing) + "\"";
    return true;
}

void ShowStartFailure()
{
    LPSTR text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    MessageBoxA(nullptr, text ? text : "", "Ошибка при регистрации", kStartFailureStyle);
    if (text) LocalFree(text);
}

}  // namespace

int RegisterComponet(const CString& strFileName, const CString& strOptions)
{
    CString strSystem, strCurrent, strQuoted;
    if (!ReadFolder([](char* b) { return GetSystemDirectoryA(b, MAX_PATH); }, strSystem) ||
        !ReadFolder([](char* b) { return unsigned(GetCurrentDirectoryA(MAX_PATH, b)); }, strCurrent))
        return 0;
    CString strProgram = WithSlash(strSystem) + "regsvr32";
    if (!QuotedPath(WithSlash(strCurrent) + strFileName, strQuoted)) {
        SetLastError(ERROR_INVALID_NAME);
        return 0;
    }
    CString strCommandLine = " " + (strOptions.IsEmpty() ? CString() : strOptions + " ") + strQuoted;
    if (strCommandLine.GetLength() >= MAX_PATH) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return 0;
    }
    char commandLine[MAX_PATH];
    std::memcpy(commandLine, static_cast<LPCSTR>(strCommandLine), strCommandLine.GetLength() + 1);

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(strProgram, commandLine, nullptr, nullptr, FALSE, kNormalPriorityClass, nullptr, nullptr,
                        &startup, &process)) {
        ShowStartFailure();
        return 0;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return 1;
}
