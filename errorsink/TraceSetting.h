#pragma once
// Whether new sinks record traces: the value "TraceEnabled" (REG_DWORD) under
// HKEY_CURRENT_USER\Software\Brannic KSD\ErrorSink; off when it is missing.

#include <zelmtools/platform/base/win_types.h>

namespace zelm::errorsink {

inline constexpr const char* kSettingsKey = "Software\\Brannic KSD\\ErrorSink";
inline constexpr const char* kTraceValue = "TraceEnabled";

DWORD ReadTraceSetting();

}  // namespace zelm::errorsink
