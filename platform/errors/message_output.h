#pragma once
// The text a template expands to, with a cap on its length and the optional wrapping
// at a line width.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zelm::platform {

class MessageOutput {
public:
    explicit MessageOutput(std::size_t maxLength) : m_maxLength(maxLength) {}

    // False (and nothing added) when the text would pass the cap.
    bool Append(std::string_view text);
    // A space that wrapping never breaks at ("% ").
    bool AppendHardSpace();

    std::size_t Room() const { return m_maxLength - m_text.size(); }

    // The text, wrapped when width is a line width (1 to 254); false when wrapping
    // makes it longer than the cap.
    bool Finish(int width, std::string& text) const;

private:
    bool IsHardSpace(std::size_t pos) const;

    std::size_t m_maxLength;
    std::string m_text;
    std::vector<std::size_t> m_hardSpaces;  // positions, in increasing order
};

}  // namespace zelm::platform
