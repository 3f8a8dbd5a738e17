#pragma once
// Identifiers as braced text, in the single-byte form the registry paths use.

#include <optional>
#include <string>
#include <string_view>

#include <zelmtools/platform/com/unknown.h>

namespace zelm::platform::com {

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" with capital hexadecimal digits.
std::string GuidToText(const GUID& guid);
// The braced form, in either case; nothing for any other text.
std::optional<GUID> GuidFromText(std::u16string_view text);

}  // namespace zelm::platform::com
