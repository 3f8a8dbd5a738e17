#pragma once
// Durations in milliseconds as texts under a picture of the field letters h (hours),
// m (minutes), s (seconds) and t (thousandths), such as "hh:mm:ss:ttt".

#include <zelmtools/platform/base/export.h>
#include <zelmtools/framework/strings/CString.h>
#include <zelmtools/platform/base/win_types.h>

namespace zelm::tools {
// What StrToTime gives for a field out of its range.
constexpr LONG kTimeOutOfRange = static_cast<LONG>(0x80000001u);
}  // namespace zelm::tools

// Sets the picture used when a call passes none; it is kept to 15 bytes.
ZELM_API void SetDefaultTimeFormat(const char* pszFormat);
// Writes the duration into pszBuffer, which must hold the picture's layout and a
// terminator; a null picture selects the default.
ZELM_API char* TimeToStr(LONG lMilliseconds, char* pszBuffer, const char* pszFormat);
ZELM_API CString TimeToStr(LONG lMilliseconds, const char* pszFormat = nullptr);
// Hours up to 24, minutes and seconds up to 60, thousandths up to 999; a field out of
// its range gives zelm::tools::kTimeOutOfRange.
ZELM_API LONG StrToTime(const char* pszText, const char* pszFormat = nullptr);
