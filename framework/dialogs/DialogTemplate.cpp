#include "framework/dialogs/DialogTemplate.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <optional>

#include "framework/resources/ResourceChain.h"
#include "framework/resources/ScriptText.h"
#include <zelmtools/platform/kernel/resources.h>
#include "platform/user/window_styles.h"

namespace zelm::framework {
namespace {

const std::map<std::string, DWORD, std::less<>>& StyleNames()
{
    static const std::map<std::string, DWORD, std::less<>> names = {
        {"WS_POPUP", WS_POPUP}, {"WS_CHILD", WS_CHILD}, {"WS_VISIBLE", WS_VISIBLE}, {"WS_DISABLED", WS_DISABLED},
        {"WS_CAPTION", WS_CAPTION}, {"WS_BORDER", WS_BORDER}, {"WS_SYSMENU", WS_SYSMENU}, {"WS_GROUP", WS_GROUP},
        {"WS_TABSTOP", WS_TABSTOP}, {"WS_EX_APPWINDOW", WS_EX_APPWINDOW}, {"WS_EX_CLIENTEDGE", WS_EX_CLIENTEDGE},
        {"WS_EX_STATICEDGE", WS_EX_STATICEDGE}, {"DS_MODALFRAME", DS_MODALFRAME}, {"DS_SETFONT", DS_SETFONT},
        {"DS_CENTER", DS_CENTER}, {"BS_PUSHBUTTON", BS_PUSHBUTTON}, {"BS_DEFPUSHBUTTON", BS_DEFPUSHBUTTON},
        {"ES_LEFT", ES_LEFT}, {"ES_AUTOHSCROLL", ES_AUTOHSCROLL}, {"ES_READONLY", ES_READONLY},
        {"ES_NUMBER", ES_NUMBER}, {"SS_LEFT", SS_LEFT}, {"SS_CENTER", SS_CENTER}, {"SS_BITMAP", SS_BITMAP},
        {"SS_ETCHEDHORZ", SS_ETCHEDHORZ}, {"SS_SUNKEN", SS_SUNKEN}, {"SS_ENDELLIPSIS", SS_ENDELLIPSIS},
        {"SS_PATHELLIPSIS", SS_PATHELLIPSIS}, {"ES_MULTILINE", ES_MULTILINE}, {"WS_VSCROLL", WS_VSCROLL},
        {"WS_HSCROLL", WS_HSCROLL}, {"UDS_SETBUDDYINT", UDS_SETBUDDYINT},
        {"UDS_ALIGNRIGHT", UDS_ALIGNRIGHT}, {"UDS_ALIGNLEFT", UDS_ALIGNLEFT}, {"UDS_AUTOBUDDY", UDS_AUTOBUDDY},
        {"UDS_ARROWKEYS", UDS_ARROWKEYS}, {"TVS_HASBUTTONS", TVS_HASBUTTONS}, {"TVS_HASLINES", TVS_HASLINES},
        {"TVS_LINESATROOT", TVS_LINESATROOT}, {"TVS_DISABLEDRAGDROP", TVS_DISABLEDRAGDROP},
        {"TVS_SHOWSELALWAYS", TVS_SHOWSELALWAYS}};
    return names;
}

struct Token {
    enum Kind { Word, Number, String, Bar, Comma } kind;
    std::string text;
    long number = 0;
};

bool Tokenize(std::string_view line, std::vector<Token>& tokens)
{
    std::size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (std::isspace(static_cast<unsigned char>(c))) { ++i; continue; }
        if (c == '/' && i + 1 < line.size() && line[i + 1] == '/') break;
        if (c == '|' || c == ',') { tokens.push_back({c == '|' ? Token::Bar : Token::Comma, {}}); ++i; continue; }
        if (c == '"') {
            auto text = ReadScriptText(line, ++i);
            if (!text) return false;
            tokens.push_back({Token::String, *text});
            continue;
        }
        std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])) && line[i] != ',' && line[i] != '|') ++i;
        std::string word(line.substr(start, i - start));
        if (std::isdigit(static_cast<unsigned char>(word[0])) || (word[0] == '-' && word.size() > 1))
            tokens.push_back({Token::Number, word, std::strtol(word.c_str(), nullptr, 0)});
        else
            tokens.push_back({Token::Word, word});
    }
    return true;
}

// Reads the comma-separated arguments of a statement; a style argument may be an
// expression of names and numbers joined with "|".
class Arguments {
public:
    explicit Arguments(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    std::optional<std::string> Text()
    {
        if (!More() || m_tokens[m_pos].kind != Token::String) return std::nullopt;
        std::string text = m_tokens[m_pos++].text;
        SkipComma();
        return text;
    }
    std::optional<long> Number()
    {
        if (!More() || m_tokens[m_pos].kind != Token::Number) return std::nullopt;
        long value = m_tokens[m_pos++].number;
        SkipComma();
        return value;
    }
    std::optional<DWORD> Style()
    {
        DWORD style = 0;
        bool any = false;
        while (More() && m_tokens[m_pos].kind != Token::Comma) {
            const Token& t = m_tokens[m_pos++];
            if (t.kind == Token::Bar) continue;
            if (t.kind == Token::Number) style |= static_cast<DWORD>(t.number);
            else if (auto it = StyleNames().find(t.text); it != StyleNames().end()) style |= it->second;
            else return std::nullopt;
            any = true;
        }
        SkipComma();
        return any ? std::optional<DWORD>(style) : std::nullopt;
    }
    bool More() const { return m_pos < m_tokens.size(); }

private:
    void SkipComma()
    {
        if (More() && m_tokens[m_pos].kind == Token::Comma) ++m_pos;
    }
    std::vector<Token> m_tokens;
    std::size_t m_pos = 0;
};

bool ReadRect(Arguments& args, RECT& units)
{
    auto x = args.Number(), y = args.Number(), cx = args.Number(), cy = args.Number();
    if (!x || !y || !cx || !cy) return false;
    units = {static_cast<LONG>(*x), static_cast<LONG>(*y), static_cast<LONG>(*x + *cx), static_cast<LONG>(*y + *cy)};
    return true;
}

// TEXT-first statements: DEFPUSHBUTTON, PUSHBUTTON and LTEXT.
bool ReadTextItem(Arguments& args, DialogItemTemplate& item, const char* className, DWORD style)
{
    auto text = args.Text();
    auto id = args.Number();
    if (!text || !id || !ReadRect(args, item.units)) return false;
    item.className = className;
    item.text = *text;
    item.id = static_cast<int>(*id);
    item.style = WS_CHILD | WS_VISIBLE | style;
    if (args.More()) item.style |= args.Style().value_or(0);
    return true;
}

bool ReadEditItem(Arguments& args, DialogItemTemplate& item)
{
    auto id = args.Number();
    if (!id || !ReadRect(args, item.units)) return false;
    item.className = "Edit";
    item.id = static_cast<int>(*id);
    item.style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
    if (args.More()) item.style |= args.Style().value_or(0);
    return true;
}

bool ReadGenericItem(Arguments& args, DialogItemTemplate& item)
{
    if (auto image = args.Number()) item.imageId = static_cast<int>(*image);
    else if (auto text = args.Text()) item.text = *text;
    else return false;
    auto id = args.Number();
    auto className = args.Text();
    auto style = args.Style();
    if (!id || !className || !style || !ReadRect(args, item.units)) return false;
    item.id = static_cast<int>(*id);
    item.className = *className;
    item.style = WS_CHILD | WS_VISIBLE | *style;
    if (args.More()) item.exStyle = args.Style().value_or(0);
    return true;
}

bool ReadItem(const std::string& keyword, Arguments& args, DialogTemplate& dialog)
{
    DialogItemTemplate item;
    bool ok = false;
    if (keyword == "DEFPUSHBUTTON") ok = ReadTextItem(args, item, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP);
    else if (keyword == "PUSHBUTTON") ok = ReadTextItem(args, item, "Button", BS_PUSHBUTTON | WS_TABSTOP);
    else if (keyword == "LTEXT") ok = ReadTextItem(args, item, "Static", SS_LEFT | WS_GROUP);
    else if (keyword == "EDITTEXT") ok = ReadEditItem(args, item);
    else if (keyword == "CONTROL") ok = ReadGenericItem(args, item);
    if (ok) dialog.items.push_back(item);
    return ok;
}

bool ReadFrameStatement(const std::string& keyword, Arguments& args, DialogTemplate& dialog)
{
    if (keyword == "DIALOG") return ReadRect(args, dialog.units);
    if (keyword == "STYLE") return (dialog.style = args.Style().value_or(0)) != 0;
    if (keyword == "EXSTYLE") return (dialog.exStyle = args.Style().value_or(0)) != 0;
    if (keyword == "CAPTION") {
        auto text = args.Text();
        if (text) dialog.caption = *text;
        return text.has_value();
    }
    if (keyword == "FONT") {
        auto size = args.Number();
        auto face = args.Text();
        if (size && face) dialog.pointSize = static_cast<int>(*size), dialog.faceName = *face;
        return size && face;
    }
    return false;
}

}  // namespace

bool ParseDialogTemplate(std::string_view text, DialogTemplate& dialog, std::string& error)
{
    dialog = DialogTemplate{};
    bool inBody = false;
    int lineNumber = 0;
    while (!text.empty()) {
        std::string_view line = TakeScriptLine(text);
        ++lineNumber;
        std::vector<Token> tokens;
        if (!Tokenize(line, tokens)) return error = "line " + std::to_string(lineNumber) + ": unterminated text", false;
        if (tokens.empty()) continue;
        if (tokens[0].kind != Token::Word) return error = "line " + std::to_string(lineNumber) + ": statement expected", false;
        std::string keyword = tokens[0].text;
        tokens.erase(tokens.begin());
        Arguments args(std::move(tokens));
        if (keyword == "BEGIN" || keyword == "END") {
            inBody = keyword == "BEGIN";
            continue;
        }
        bool ok = inBody ? ReadItem(keyword, args, dialog) : ReadFrameStatement(keyword, args, dialog);
        if (!ok) return error = "line " + std::to_string(lineNumber) + ": cannot read " + keyword, false;
    }
    return true;
}

bool LoadDialogTemplate(UINT nIDTemplate, DialogTemplate& dialog, std::string& error)
{
    LPCSTR name = MAKEINTRESOURCEA(nIDTemplate);
    HINSTANCE module = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC found = module ? FindResourceA(module, name, RT_DIALOG) : nullptr;
    if (!found) return error = "dialog template " + std::to_string(nIDTemplate) + " not found", false;
    auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return ParseDialogTemplate(std::string_view(data, SizeofResource(module, found)), dialog, error);
}

}  // namespace zelm::framework
