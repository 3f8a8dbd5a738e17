#include "message_table.h"

#include <map>
#include <regex>

namespace rescompile {
namespace {

struct Messages {
    bool unicode = true;
    std::map<std::uint32_t, std::string> texts;  // of the wanted language, by id
};

void ParseLine(const std::string& text, std::uint16_t language, Messages& messages)
{
    static const std::regex encoding(R"(ENCODING\s+(UNICODE|ANSI)\s*)");
    static const std::regex message(R"((\w+)\s+(\w+)\s(.*))");
    std::smatch match;
    if (std::regex_match(text, match, encoding)) {
        messages.unicode = match[1] == "UNICODE";
        return;
    }
    if (!std::regex_match(text, match, message)) throw InputError("not a message line");
    std::uint32_t id = ParseNumber(match[1], 0xFFFFFFFF);
    if (ParseNumber(match[2], 0xFFFF) != language) return;
    if (!messages.texts.emplace(id, Unescape(match[3])).second)
        throw InputError("message " + std::string(match[1]) + " given twice in one language");
}

Bytes Entry(const std::string& text, bool unicode)
{
    Bytes body;
    if (unicode) {
        AppendUtf16(body, Utf8ToUtf16(text));
    } else {
        Utf8ToUtf16(text);  // refuses text that is not UTF-8
        body.assign(text.begin(), text.end());
        body.push_back(0);
    }
    while ((body.size() + 4) % 4 != 0) body.push_back(0);
    if (body.size() + 4 > 0xFFFF) throw InputError("message longer than 64 KiB");
    Bytes out;
    AppendWord(out, static_cast<std::uint16_t>(body.size() + 4));
    AppendWord(out, unicode ? 1 : 0);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

struct Block {
    std::uint32_t low;
    std::uint32_t high;
    Bytes entries;
};

std::vector<Block> Blocks(const Messages& messages)
{
    std::vector<Block> blocks;
    for (const auto& [id, text] : messages.texts) {
        if (blocks.empty() || blocks.back().high + 1 != id) blocks.push_back({id, id, {}});
        Bytes entry = Entry(text, messages.unicode);
        blocks.back().high = id;
        blocks.back().entries.insert(blocks.back().entries.end(), entry.begin(), entry.end());
    }
    return blocks;
}

}  // namespace

Bytes CompileMessageTable(const std::vector<Line>& lines, std::uint16_t language)
{
    Messages messages;
    for (const auto& line : lines) {
        try {
            ParseLine(line.text, language, messages);
        } catch (const InputError& error) {
            throw InputError("line " + std::to_string(line.number) + ": " + error.what());
        }
    }
    std::vector<Block> blocks = Blocks(messages);
    Bytes out;
    AppendDword(out, static_cast<std::uint32_t>(blocks.size()));
    std::uint32_t offset = 4 + 12 * static_cast<std::uint32_t>(blocks.size());
    for (const auto& block : blocks) {
        AppendDword(out, block.low);
        AppendDword(out, block.high);
        AppendDword(out, offset);
        offset += static_cast<std::uint32_t>(block.entries.size());
    }
    for (const auto& block : blocks) out.insert(out.end(), block.entries.begin(), block.entries.end());
    return out;
}

}  // namespace rescompile
