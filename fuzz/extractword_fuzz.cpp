// Random lines and delimiter sets through ExtractWord. Every word must fit a MAX_PATH
// buffer, hold no delimiter, agree between the two forms and, for ASCII delimiters,
// with the runtime's own tokenizer; the caller's strtok state must survive.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/base/utf8.h"
#include <zelmtools/util/StrUtils.h>

namespace {

bool IsAscii(const std::string& text)
{
    for (unsigned char ch : text)
        if (ch >= 0x80) return false;
    return true;
}

// The words as strtok finds them, each cut as ExtractWord cuts it.
std::vector<std::string> ReferenceWords(std::string line, const std::string& delimiters)
{
    std::vector<std::string> words;
    char* state = nullptr;
    for (char* word = strtok_r(line.data(), delimiters.c_str(), &state); word;
         word = strtok_r(nullptr, delimiters.c_str(), &state)) {
        std::size_t length = zelm::platform::Utf8PrefixLength(word, std::strlen(word), zelm::tools::kMaxWordBytes);
        words.emplace_back(word, length);
    }
    return words;
}

void CheckWord(const std::string& word, const std::string& line, const std::string& delimiters)
{
    if (word.empty() || word.size() > static_cast<std::size_t>(zelm::tools::kMaxWordBytes)) std::abort();
    if (line.find(word) == std::string::npos) std::abort();
    if (!zelm::platform::IsValidUtf8(line) || !zelm::platform::IsValidUtf8(delimiters)) return;
    for (std::size_t pos = 0; pos < delimiters.size();) {
        std::size_t length = zelm::platform::Utf8CharacterLength(delimiters, pos);
        if (word.find(delimiters.substr(pos, length)) != std::string::npos) std::abort();
        pos += length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) return 0;
    std::size_t delimiterLength = data[0] % 8;
    const char* rest = reinterpret_cast<const char*>(data + 1);
    if (delimiterLength > size - 1) delimiterLength = size - 1;
    std::string delimiters = std::string(rest, delimiterLength).c_str();
    std::string line = std::string(rest + delimiterLength, size - 1 - delimiterLength).c_str();

    char own[] = "one two";
    if (std::strcmp(std::strtok(own, " "), "one") != 0) std::abort();

    std::vector<std::string> found;
    auto buffer = std::make_unique<char[]>(MAX_PATH);  // the documented buffer, exactly
    for (int index = -1; index < 1000; ++index) {
        const char* word = ExtractWord(index, line.c_str(), delimiters.c_str(), buffer.get());
        if (word == nullptr) {
            if (!ExtractWord(index, line.c_str(), delimiters.c_str()).IsEmpty()) std::abort();
            break;
        }
        if (ExtractWord(index, line.c_str(), delimiters.c_str()) != word) std::abort();
        CheckWord(word, line, delimiters);
        if (index >= 0) found.emplace_back(word);
    }
    if (IsAscii(delimiters) && found != ReferenceWords(line, delimiters)) std::abort();

    const char* next = std::strtok(nullptr, " ");
    if (next == nullptr || std::strcmp(next, "two") != 0) std::abort();
    return 0;
}
