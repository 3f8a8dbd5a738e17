#pragma once
// Messages from a module's message-table resource (RT_MESSAGETABLE number 1), in the
// standard layout: a block count, blocks of id ranges, entries of length, flags, text.

#include <optional>
#include <string>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

// The text of message `messageId` of the module (null: the executable), as UTF-8.
// nullopt with ERROR_RESOURCE_TYPE_NOT_FOUND when the module has no message table,
// ERROR_MR_MID_NOT_FOUND when the table has no such message or is malformed.
std::optional<std::string> ModuleMessage(HMODULE module, DWORD messageId, DWORD& error);

// The same from the table's bytes.
std::optional<std::string> FindInMessageTable(const BYTE* data, std::size_t size, DWORD messageId);

}  // namespace zelm::platform
