// Whether a text can be read. The probe walks to the terminator itself without
// touching memory that cannot be read, so the text is never measured first.
#include <limits>

#include <zelmtools/errorinfo/MessageStrings.h>
#include <zelmtools/platform/kernel/memory_probe.h>

namespace {
constexpr UINT_PTR kWholeText = std::numeric_limits<UINT_PTR>::max();
}

bool IsGoodReadStrA(const char* pszText)
{
    return pszText != nullptr && !IsBadStringPtrA(pszText, kWholeText);
}

bool IsGoodReadStrW(LPCWSTR pszText)
{
    return pszText != nullptr && !IsBadStringPtrW(pszText, kWholeText);
}
