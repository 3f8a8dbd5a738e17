// zelmrescompile version INPUT OUTPUT
// zelmrescompile messages INPUT LANGUAGE OUTPUT
// Writes the compiled resource as a C++ initializer list ("0x12,0x34,...") that the
// module's generated resource table includes.

#include <cstdio>
#include <fstream>
#include <iostream>

#include "message_table.h"
#include "version_info.h"

namespace {

void WriteInitializer(const rescompile::Bytes& bytes, const std::string& path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    char hex[8];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(hex, sizeof hex, "0x%02x,", bytes[i]);
        out << hex << (i % 16 == 15 ? "\n" : "");
    }
    out << "\n";
    if (!out.flush()) throw rescompile::InputError(path + ": cannot be written");
}

rescompile::Bytes Compile(int argc, char** argv)
{
    std::string kind = argv[1];
    auto lines = rescompile::ReadLines(argv[2]);
    try {
        if (kind == "version" && argc == 4) return rescompile::CompileVersionInfo(lines);
        if (kind == "messages" && argc == 5)
            return rescompile::CompileMessageTable(
                lines, static_cast<std::uint16_t>(rescompile::ParseNumber(argv[3], 0xFFFF)));
    } catch (const rescompile::InputError& error) {
        throw rescompile::InputError(std::string(argv[2]) + ": " + error.what());
    }
    throw rescompile::InputError("usage: zelmrescompile version INPUT OUTPUT | messages INPUT LANGUAGE OUTPUT");
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        if (argc < 4)
            throw rescompile::InputError("usage: zelmrescompile version INPUT OUTPUT | messages INPUT LANGUAGE OUTPUT");
        WriteInitializer(Compile(argc, argv), argv[argc - 1]);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "zelmrescompile: " << error.what() << "\n";
        return 1;
    }
}
