#pragma once
// Values as the command line writes them (set) and shows them (query).

#include <string>
#include <string_view>
#include <vector>

#include "RegistryAccess.h"

namespace zelmreg {

// "REG_SZ", "REG_DWORD", ...; "type N" for numbers without a name.
std::string TypeName(DWORD type);

// A value from the arguments of set: a type (sz, expand_sz, multi_sz, dword, qword,
// binary, none or hex(N), with or without "reg_") and its data. Bad arguments are a
// usage error.
Value ValueFromArguments(const std::string& name, const std::string& type, const std::vector<std::string>& data);

// The value's data for a person: texts as text, numbers in decimal and hex, the rest as
// hex bytes.
std::string DisplayData(const Value& value);

// The type of a .reg data kind: "hex" is REG_BINARY, "hex(N)" type N (N in hex); false
// for anything else.
bool HexKindType(const std::string& kind, DWORD& type);

// Hex bytes: "0500", "05 00" or "05,00" (each comma-separated byte of one or two digits).
bool ParseHexBytes(std::string_view text, std::string& bytes);

}  // namespace zelmreg
