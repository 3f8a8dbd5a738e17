#pragma once
// Pieces of the resource-script text that dialog and menu templates are written in.

#include <optional>
#include <string>
#include <string_view>

namespace zelm::framework {

// Takes the next line off `text`, without its "\n" or "\r\n".
inline std::string_view TakeScriptLine(std::string_view& text)
{
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Reads a quoted text whose opening quote is just before `i`, leaving `i` after the
// closing one: "" is a quote, \t a tab and \\ a backslash. Nothing when the line ends
// before the closing quote.
inline std::optional<std::string> ReadScriptText(std::string_view line, std::size_t& i)
{
    std::string text;
    for (; i < line.size(); ++i) {
        char c = line[i];
        if (c == '"') {
            if (i + 1 < line.size() && line[i + 1] == '"') {
                text += '"';
                ++i;
                continue;
            }
            ++i;
            return text;
        }
        if (c == '\\' && i + 1 < line.size() && (line[i + 1] == 't' || line[i + 1] == '\\')) {
            text += line[++i] == 't' ? '\t' : '\\';
            continue;
        }
        text += c;
    }
    return std::nullopt;
}

}  // namespace zelm::framework
