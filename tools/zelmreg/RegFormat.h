#pragma once
// The .reg text format: a header line ("Windows Registry Editor Version 5.00", or
// "REGEDIT4" for the older form), then sections "[KEY]" (or "[-KEY]" to delete a key)
// holding lines NAME=DATA, where NAME is @ (the default value) or a quoted string and
// DATA is a quoted string (REG_SZ), dword:XXXXXXXX, hex:BYTES (REG_BINARY), hex(N):BYTES
// (type N) or - (delete the value). In the 5.00 form the bytes of hex(1), hex(2) and
// hex(7) are UTF-16LE text; the store keeps texts as UTF-8.

#include <string>
#include <vector>

#include "KeyPath.h"
#include "RegistryAccess.h"

namespace zelmreg {

// Builds the text of an export, key by key.
class RegWriter {
public:
    RegWriter();
    void BeginKey(const std::string& fullPath);
    // Fails (naming the value) for texts that a .reg file cannot carry: not UTF-8.
    void AddValue(const Value& value);
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    std::string m_keyPath;
};

struct RegEntry {
    Value value;
    bool deleteValue = false;
};

struct RegSection {
    KeyPath key;
    bool deleteKey = false;
    std::vector<RegEntry> entries;
};

// Reads a whole .reg text; a line that cannot be understood fails with its number, so
// that nothing is imported from a broken file.
std::vector<RegSection> ParseRegText(const std::string& text, const std::string& fileName);

}  // namespace zelmreg
