#include "version_info.h"

#include <array>
#include <map>
#include <regex>

namespace rescompile {
namespace {

struct StringTable {
    std::string key;  // e.g. 040904b0
    std::vector<std::pair<std::string, std::string>> values;
};

struct VersionText {
    std::map<std::string, std::uint32_t> fixed;  // FILEFLAGS, FILEOS, ...
    std::array<std::uint32_t, 4> fileVersion{};
    std::array<std::uint32_t, 4> productVersion{};
    std::vector<StringTable> tables;
};

// One node of the version tree: header, key, padding, value, padded children.
Bytes Node(const std::string& key, std::uint16_t type, const Bytes& value, std::uint16_t valueLength,
           const std::vector<Bytes>& children)
{
    Bytes out;
    AppendWord(out, 0);  // length, filled in below
    AppendWord(out, valueLength);
    AppendWord(out, type);
    AppendUtf16(out, Utf8ToUtf16(key));
    PadTo4(out);
    out.insert(out.end(), value.begin(), value.end());
    for (const auto& child : children) {
        PadTo4(out);
        out.insert(out.end(), child.begin(), child.end());
    }
    if (out.size() > 0xFFFF) throw InputError("version information is larger than 64 KiB");
    out[0] = static_cast<std::uint8_t>(out.size() & 0xFF);
    out[1] = static_cast<std::uint8_t>(out.size() >> 8);
    return out;
}

std::array<std::uint32_t, 4> ParseVersion(const std::string& text)
{
    static const std::regex pattern(R"(\s*(\w+)\s*,\s*(\w+)\s*,\s*(\w+)\s*,\s*(\w+)\s*)");
    std::smatch match;
    if (!std::regex_match(text, match, pattern)) throw InputError("a version is four numbers: " + text);
    std::array<std::uint32_t, 4> parts{};
    for (int i = 0; i < 4; ++i) parts[i] = ParseNumber(match[i + 1], 0xFFFF);
    return parts;
}

void ParseLine(const std::string& text, VersionText& version)
{
    static const std::regex block(R"(BLOCK\s+([0-9a-fA-F]{8})\s*)");
    static const std::regex value(R"(VALUE\s+(\w+)\s+\"((?:[^\"\\]|\\.)*)\"\s*)");
    static const std::regex setting(
        R"((FILEVERSION|PRODUCTVERSION|FILEFLAGSMASK|FILEFLAGS|FILEOS|FILETYPE|FILESUBTYPE)\s+(.+))");
    std::smatch match;
    if (std::regex_match(text, match, block)) {
        version.tables.push_back({match[1], {}});
    } else if (std::regex_match(text, match, value)) {
        if (version.tables.empty()) throw InputError("VALUE before any BLOCK");
        version.tables.back().values.emplace_back(match[1], Unescape(match[2]));
    } else if (std::regex_match(text, match, setting)) {
        std::string name = match[1];
        std::string argument = std::regex_replace(std::string(match[2]), std::regex(R"(\s+$)"), "");
        if (name == "FILEVERSION")
            version.fileVersion = ParseVersion(argument);
        else if (name == "PRODUCTVERSION")
            version.productVersion = ParseVersion(argument);
        else
            version.fixed[name] = ParseNumber(argument, 0xFFFFFFFF);
    } else {
        throw InputError("not a version line");
    }
}

Bytes FixedFileInfo(const VersionText& version)
{
    auto fixed = [&](const char* name, std::uint32_t otherwise) {
        auto it = version.fixed.find(name);
        return it == version.fixed.end() ? otherwise : it->second;
    };
    Bytes out;
    AppendDword(out, 0xFEEF04BD);  // signature
    AppendDword(out, 0x00010000);  // structure version 1.0
    AppendDword(out, version.fileVersion[0] << 16 | version.fileVersion[1]);
    AppendDword(out, version.fileVersion[2] << 16 | version.fileVersion[3]);
    AppendDword(out, version.productVersion[0] << 16 | version.productVersion[1]);
    AppendDword(out, version.productVersion[2] << 16 | version.productVersion[3]);
    AppendDword(out, fixed("FILEFLAGSMASK", 0x3F));
    AppendDword(out, fixed("FILEFLAGS", 0));
    AppendDword(out, fixed("FILEOS", 0x40004));  // VOS_NT_WINDOWS32, the usual value
    AppendDword(out, fixed("FILETYPE", 1));      // an application
    AppendDword(out, fixed("FILESUBTYPE", 0));
    AppendDword(out, 0);  // no file date
    AppendDword(out, 0);
    return out;
}

Bytes StringFileInfo(const VersionText& version)
{
    std::vector<Bytes> tables;
    for (const auto& table : version.tables) {
        std::vector<Bytes> strings;
        for (const auto& [key, text] : table.values) {
            Bytes value;
            std::u16string utf16 = Utf8ToUtf16(text);
            AppendUtf16(value, utf16);
            // The value length of a string counts its UTF-16 units with the terminator.
            strings.push_back(Node(key, 1, value, static_cast<std::uint16_t>(utf16.size() + 1), {}));
        }
        tables.push_back(Node(table.key, 1, {}, 0, strings));
    }
    return Node("StringFileInfo", 1, {}, 0, tables);
}

Bytes VarFileInfo(const VersionText& version)
{
    Bytes translations;
    for (const auto& table : version.tables) {
        std::uint32_t key = ParseNumber("0x" + table.key, 0xFFFFFFFF);
        AppendWord(translations, static_cast<std::uint16_t>(key >> 16));     // language
        AppendWord(translations, static_cast<std::uint16_t>(key & 0xFFFF));  // code page
    }
    Bytes translation = Node("Translation", 0, translations, static_cast<std::uint16_t>(translations.size()), {});
    return Node("VarFileInfo", 1, {}, 0, {translation});
}

}  // namespace

Bytes CompileVersionInfo(const std::vector<Line>& lines)
{
    VersionText version;
    for (const auto& line : lines) {
        try {
            ParseLine(line.text, version);
        } catch (const InputError& error) {
            throw InputError("line " + std::to_string(line.number) + ": " + error.what());
        }
    }
    if (version.tables.empty()) throw InputError("no string table (BLOCK)");
    Bytes fixed = FixedFileInfo(version);
    return Node("VS_VERSION_INFO", 0, fixed, static_cast<std::uint16_t>(fixed.size()),
                {StringFileInfo(version), VarFileInfo(version)});
}

}  // namespace rescompile
