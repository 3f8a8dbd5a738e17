#pragma once
// Expansion of a message template: inserts (%1 to %99, with !printf-spec!), escapes
// (%0 %n %r %t %% "% " %. %!) and the line-width modes.

#include <string>
#include <string_view>

#include <zelmtools/platform/base/win_types.h>

#include "platform/errors/message_arguments.h"

namespace zelm::platform {

// The formatter's longest message, as the platform's own limit.
constexpr std::size_t kMaxMessageLength = 64 * 1024 - 1;

struct ExpandOptions {
    bool ignoreInserts = false;
    int lineWidth = 0;  // the low byte of the flags
};

// Expands the template into text; false with the error code for a malformed insert or
// a text longer than kMaxMessageLength. Without arguments, inserts stay as written.
bool ExpandMessage(std::string_view pattern, const ExpandOptions& options, MessageArguments& arguments,
                   std::string& text, DWORD& error);

}  // namespace zelm::platform
