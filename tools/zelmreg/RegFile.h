#pragma once
// .reg files on disk: written as UTF-16LE with a byte-order mark, read in UTF-16LE or
// UTF-8 (with or without a mark), always handed over as UTF-8 text.

#include <string>

namespace zelmreg {

std::string ReadRegFile(const std::string& path);
// Nothing is left behind when the file cannot be written completely.
void WriteRegFile(const std::string& path, const std::string& text);

}  // namespace zelmreg
