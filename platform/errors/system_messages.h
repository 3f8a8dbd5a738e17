#pragma once
// The system's message table: texts for the error codes this platform layer sets and
// for the common result codes (HRESULT), in English and Russian.

#include <optional>
#include <string>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

enum class MessageLanguage { English, Russian };

// The language a language id asks for: a neutral id (0, user or system default) the
// user's language from LC_ALL, LC_MESSAGES or LANG (Russian when it starts with "ru",
// else English); nullopt for a language without a table.
std::optional<MessageLanguage> ResolveMessageLanguage(DWORD languageId);

// The text with its final "\r\n"; an HRESULT 0x8007xxxx of a known code gives that
// code's text. nullopt for a code without one.
std::optional<std::string> SystemMessage(DWORD messageId, MessageLanguage language);

}  // namespace zelm::platform
