#include <cstring>

#include <zelmtools/framework/core/CException.h>

#include "platform/base/utf8.h"

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT*) const
{
    if (lpszError != nullptr && nMaxError > 0) lpszError[0] = '\0';
    return FALSE;
}

BOOL CResourceException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    static constexpr char kText[] = "A required resource was unavailable.";
    if (pnHelpContext) *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0) return FALSE;
    std::size_t length = zelm::platform::Utf8PrefixLength(kText, sizeof kText - 1, nMaxError - 1);
    std::memcpy(lpszError, kText, length);
    lpszError[length] = '\0';
    return TRUE;
}

void AfxThrowResourceException()
{
    throw new CResourceException;
}
