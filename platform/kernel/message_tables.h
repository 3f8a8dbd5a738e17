#pragma once
// Message-table resources (RT_MESSAGETABLE): blocks of consecutive message numbers,
// each message a length, flags (1: UTF-16 text, 0: single-byte text, UTF-8 here) and
// its zero-padded text. The message formatter reads module messages through this.

#include <cstddef>
#include <string>

#include <zelmtools/platform/base/win_types.h>

namespace zelm::platform {

// The text of message `id` in that language of the module's message table 1, as UTF-8
// without the padding. Language 0 takes US English when present, else the first
// language. False with ERROR_RESOURCE_TYPE_NOT_FOUND (no table),
// ERROR_RESOURCE_LANG_NOT_FOUND (not in that language) or ERROR_MR_MID_NOT_FOUND.
bool FindMessageInTable(HMODULE module, DWORD id, WORD language, std::string& text);

// The same lookup in one table's bytes; false for a missing id or a damaged table.
bool FindMessageInBlock(const BYTE* table, std::size_t size, DWORD id, std::string& text);

}  // namespace zelm::platform
