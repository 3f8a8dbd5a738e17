#include "framework/menus/MenuTemplate.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <vector>

#include <zelmtools/framework/menus/CMenu.h>

#include "framework/resources/ScriptText.h"

namespace zelm::framework {
namespace {

// One statement: its keyword, then its comma-separated arguments.
struct Statement {
    std::string keyword;
    std::optional<std::string> text;
    std::vector<std::string> words;  // numbers and option names, in order
};

bool Tokenize(std::string_view line, Statement& statement)
{
    std::size_t i = 0;
    auto isSpace = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (i < line.size()) {
        char c = line[i];
        if (isSpace(c) || c == ',' || c == '|') {
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') break;
        if (c == '"') {
            ++i;
            statement.text = ReadScriptText(line, i);
            if (!statement.text) return false;
            continue;
        }
        std::size_t start = i;
        while (i < line.size() && !isSpace(line[i]) && line[i] != ',' && line[i] != '|') ++i;
        std::string word(line.substr(start, i - start));
        if (statement.keyword.empty())
            statement.keyword = word;
        else
            statement.words.push_back(word);
    }
    return true;
}

std::optional<UINT> Number(const std::string& word)
{
    UINT value = 0;
    const char* first = word.data();
    const char* last = word.data() + word.size();
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) first += 2, base = 16;
    auto [end, error] = std::from_chars(first, last, value, base);
    if (error != std::errc() || end != last || value > 0xFFFF) return std::nullopt;
    return value;
}

std::optional<UINT> Option(const std::string& word)
{
    if (word == "GRAYED") return MF_GRAYED;
    if (word == "INACTIVE") return MF_DISABLED;
    if (word == "CHECKED") return MF_CHECKED;
    return std::nullopt;
}

// Reads the options from `first` on into the item's flags.
bool ReadOptions(const Statement& statement, std::size_t first, MenuItem& item)
{
    for (std::size_t i = first; i < statement.words.size(); ++i) {
        auto flag = Option(statement.words[i]);
        if (!flag) return false;
        item.flags |= *flag;
    }
    return true;
}

bool ReadItem(const Statement& statement, MenuItem& item)
{
    if (statement.keyword == "POPUP") {
        if (!statement.text) return false;
        item.text = *statement.text;
        item.flags = MF_POPUP;
        return ReadOptions(statement, 0, item);
    }
    if (statement.keyword != "MENUITEM") return false;
    if (!statement.text) {
        if (statement.words.size() != 1 || statement.words[0] != "SEPARATOR") return false;
        item.flags = MF_SEPARATOR;
        return true;
    }
    auto id = statement.words.empty() ? std::nullopt : Number(statement.words[0]);
    if (!id) return false;
    item.text = *statement.text;
    item.id = *id;
    return ReadOptions(statement, 1, item);
}

class Parser {
public:
    explicit Parser(std::string& error) : m_error(error) {}

    std::unique_ptr<Menu> Parse(std::string_view text)
    {
        auto top = std::make_unique<Menu>();
        int lineNumber = 0;
        while (!text.empty()) {
            std::string_view line = TakeScriptLine(text);
            ++lineNumber;
            Statement statement;
            if (!Tokenize(line, statement)) return Fail(lineNumber, "unterminated text");
            if (statement.keyword.empty()) continue;
            if (!Step(statement, top.get())) return Fail(lineNumber, "cannot read " + statement.keyword);
        }
        if (!m_seenMenu || !m_open.empty() || !m_closed) return Fail(lineNumber, "incomplete menu");
        return top;
    }

private:
    bool Step(const Statement& statement, Menu* top)
    {
        if (!m_seenMenu) return m_seenMenu = statement.keyword == "MENU" && statement.words.empty();
        if (m_closed) return false;
        if (statement.keyword == "BEGIN") {
            if (m_open.empty() && m_pendingPopup == nullptr)
                m_open.push_back(top);
            else if (m_pendingPopup)
                m_open.push_back(m_pendingPopup);
            else
                return false;
            m_pendingPopup = nullptr;
            return true;
        }
        if (statement.keyword == "END") {
            if (m_open.empty() || m_pendingPopup) return false;
            m_open.pop_back();
            m_closed = m_open.empty();
            return true;
        }
        if (m_open.empty() || m_pendingPopup) return false;
        MenuItem item;
        if (!ReadItem(statement, item)) return false;
        Menu* menu = m_open.back();
        if (item.flags & MF_POPUP) {
            item.popup = std::make_unique<Menu>();
            item.popup->parent = menu;
            m_pendingPopup = item.popup.get();
        }
        menu->items.push_back(std::move(item));
        return true;
    }

    std::unique_ptr<Menu> Fail(int lineNumber, const std::string& what)
    {
        m_error = "line " + std::to_string(lineNumber) + ": " + what;
        return nullptr;
    }

    std::string& m_error;
    bool m_seenMenu = false;
    bool m_closed = false;
    std::vector<Menu*> m_open;       // the menus whose BEGIN came, innermost last
    Menu* m_pendingPopup = nullptr;  // a POPUP that waits for its BEGIN
};

}  // namespace

std::unique_ptr<Menu> ParseMenuTemplate(std::string_view text, std::string& error)
{
    return Parser(error).Parse(text);
}

}  // namespace zelm::framework
