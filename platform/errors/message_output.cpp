#include "platform/errors/message_output.h"

#include <algorithm>

#include "platform/base/utf8.h"

namespace zelm::platform {

bool MessageOutput::Append(std::string_view text)
{
    if (text.size() > Room()) return false;
    m_text += text;
    return true;
}

bool MessageOutput::AppendHardSpace()
{
    if (Room() == 0) return false;
    m_hardSpaces.push_back(m_text.size());
    m_text += ' ';
    return true;
}

bool MessageOutput::IsHardSpace(std::size_t pos) const
{
    return std::binary_search(m_hardSpaces.begin(), m_hardSpaces.end(), pos);
}

bool MessageOutput::Finish(int width, std::string& text) const
{
    if (width <= 0 || width >= 255) {
        text = m_text;
        return true;
    }
    // Breaks a line that reaches the width at its last breakable space, or at the width
    // itself when a word is longer than a line. Line breaks already there start a new line.
    std::string out;
    std::size_t column = 0;
    std::size_t lastSpace = std::string::npos;  // in out, on the current line
    for (std::size_t pos = 0; pos < m_text.size();) {
        std::size_t length = Utf8CharacterLength(m_text, pos);
        std::string_view ch(m_text.data() + pos, length);
        bool softSpace = ch == " " && !IsHardSpace(pos);
        pos += length;
        if (ch == "\r" || ch == "\n") {  // takes no column, so never breaks a line itself
            out += ch;
            if (ch == "\n") {
                column = 0;
                lastSpace = std::string::npos;
            }
            continue;
        }
        if (column == static_cast<std::size_t>(width)) {
            if (softSpace) {
                out += "\r\n";
                column = 0;
                lastSpace = std::string::npos;
                continue;
            }
            if (lastSpace != std::string::npos) {
                out.replace(lastSpace, 1, "\r\n");
                column = Utf8CharacterCount(std::string_view(out).substr(lastSpace + 2));
            } else {
                out += "\r\n";
                column = 0;
            }
            lastSpace = std::string::npos;
        }
        if (softSpace) lastSpace = out.size();
        out += ch;
        ++column;
    }
    if (out.size() > m_maxLength) return false;
    text = std::move(out);
    return true;
}

}  // namespace zelm::platform
