// System error codes as single-byte text.
#include <zelmtools/errorinfo/MessageStrings.h>
#include <zelmtools/platform/base/format_message.h>

CString GetSystemErrorMessage(LONG lCode)
{
    char buffer[1024];
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(lCode), LANG_USER_DEFAULT, buffer, sizeof buffer, nullptr);
    return length == 0 ? CString() : CString(buffer, static_cast<int>(length));
}

CString GetHResultDescription(LONG lCode)
{
    CString description;
    description.Format("[%.8X]", static_cast<unsigned>(static_cast<DWORD>(lCode)));
    CString text = GetSystemErrorMessage(lCode);
    if (!text.IsEmpty()) description += " ";
    return description + text;
}
