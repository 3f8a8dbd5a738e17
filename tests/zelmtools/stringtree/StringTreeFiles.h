#pragma once
// Writing string-tree files for the tests, byte for byte.

#include <fstream>
#include <string>

#include "support/temp_dir.h"

inline std::string WriteTreeFile(const TempDir& dir, const std::string& bytes, const std::string& name = "tree.txt")
{
    const std::string path = dir.file(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The message shown for a line that is no node.
inline std::string BadLineMessage(const std::string& error, int line, const std::string& file, const std::string& text,
                                  int level, const std::string& name, const std::string& data)
{
    return "Ошибка " + error + "\nСтрока " + std::to_string(line) + ", файл " + file +
           ".\nПродолжать чтение файла?\n\n\"" + text + "\"\nLevel = " + std::to_string(level) + "\nName=\"" + name +
           "\"\nData=\"" + data + "\"";
}
