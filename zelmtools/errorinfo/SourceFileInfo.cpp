#include <zelmtools/errorinfo/ErrorInfo.h>

#include "zelmtools/errorinfo/WideText.h"

namespace {
// A text that is missing or cannot be converted is recorded as empty.
std::u16string Wide(const char* text)
{
    return zelm::errorinfo::AnsiToWide(text).value_or(std::u16string());
}
}  // namespace

CSourceFileInfo::CSourceFileInfo(const char* pszFileName, const char* pszCompileDate, const char* pszCompileTime)
    : m_strFileName(Wide(pszFileName)), m_strCompileDate(Wide(pszCompileDate)), m_strCompileTime(Wide(pszCompileTime))
{
}

CSourceFileInfo::~CSourceFileInfo() = default;
