#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/base/utf8.h"
#include <zelmtools/util/StrUtils.h>

namespace {

using zelm::platform::Utf8CharacterLength;

// A set of delimiter characters. A character is matched whole, so a multi-byte
// delimiter never splits a different character that shares some of its bytes.
class DelimiterSet {
public:
    explicit DelimiterSet(std::string_view set)
    {
        for (std::size_t pos = 0; pos < set.size(); pos += m_members.back().size())
            m_members.push_back(set.substr(pos, Utf8CharacterLength(set, pos)));
    }

    bool Contains(std::string_view character) const
    {
        return std::find(m_members.begin(), m_members.end(), character) != m_members.end();
    }

private:
    std::vector<std::string_view> m_members;
};

// Scans the caller's line in place and keeps its own position, so that nobody's
// strtok state is touched.
class WordScanner {
public:
    WordScanner(std::string_view line, const DelimiterSet& delimiters) : m_line(line), m_delimiters(delimiters) {}

    std::optional<std::string_view> Next()
    {
        while (m_pos < m_line.size() && IsDelimiterAt(m_pos)) m_pos += Utf8CharacterLength(m_line, m_pos);
        if (m_pos == m_line.size()) return std::nullopt;
        std::size_t start = m_pos;
        while (m_pos < m_line.size() && !IsDelimiterAt(m_pos)) m_pos += Utf8CharacterLength(m_line, m_pos);
        return m_line.substr(start, m_pos - start);
    }

private:
    bool IsDelimiterAt(std::size_t pos) const
    {
        return m_delimiters.Contains(m_line.substr(pos, Utf8CharacterLength(m_line, pos)));
    }

    std::string_view m_line;
    const DelimiterSet& m_delimiters;
    std::size_t m_pos = 0;
};

std::optional<std::string_view> FindWord(int nIndex, std::string_view line, std::string_view delimiters)
{
    DelimiterSet set(delimiters);
    WordScanner scanner(line, set);
    std::optional<std::string_view> word = scanner.Next();
    for (int skipped = 0; word && skipped < nIndex; ++skipped) word = scanner.Next();
    return word;
}

}  // namespace

char* ExtractWord(int nIndex, const char* pszLine, const char* pszDelimiters, char* pszWord)
{
    if (pszLine == nullptr || pszWord == nullptr) return nullptr;
    std::optional<std::string_view> word = FindWord(nIndex, pszLine, pszDelimiters ? pszDelimiters : "");
    if (!word) return nullptr;
    std::size_t length = zelm::platform::Utf8PrefixLength(word->data(), word->size(), zelm::tools::kMaxWordBytes);
    std::memcpy(pszWord, word->data(), length);
    pszWord[length] = '\0';
    return pszWord;
}

CString ExtractWord(int nIndex, const char* pszLine, const char* pszDelimiters)
{
    char word[zelm::tools::kMaxWordBytes + 1];
    const char* found = ExtractWord(nIndex, pszLine, pszDelimiters, word);
    return found ? CString(found) : CString();
}
