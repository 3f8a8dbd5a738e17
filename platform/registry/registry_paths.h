#pragma once
// Key and value names as the store compares them, and key paths split into names.

#include <string>
#include <string_view>
#include <vector>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform::registry {

// The form in which names are compared: every character in lower case (all of Unicode,
// so that Cyrillic names match too); bytes that are not UTF-8 are kept as they are.
std::string FoldName(std::string_view name);

// Splits a sub-key path at "\" into names. Trailing separators are ignored; an empty
// name before them (a leading or doubled "\") makes the path invalid (false).
bool SplitKeyPath(std::string_view path, std::vector<std::string>& names);

// Copies a name with its terminator into a caller's buffer of *capacity characters and
// sets *capacity to the name's length; ERROR_MORE_DATA (and the length needed) when it
// does not fit.
LONG CopyNameOut(const std::string& name, LPSTR buffer, LPDWORD capacity);

}  // namespace zelm::platform::registry
