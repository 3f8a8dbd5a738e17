#include "platform/kernel/command_line.h"

namespace zelm::platform {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string TakeProgram(std::string_view text, std::size_t& i)
{
    std::string program;
    bool quoted = false;
    for (; i < text.size() && (quoted || !IsBlank(text[i])); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else
            program += text[i];
    }
    return program;
}

// Backslashes at text[i...]; i ends past them and any quote they escape.
void TakeBackslashes(std::string_view text, std::size_t& i, std::string& argument, bool& quoteFollows)
{
    std::size_t count = 0;
    while (i < text.size() && text[i] == '\\') ++count, ++i;
    quoteFollows = i < text.size() && text[i] == '"';
    if (!quoteFollows) {
        argument.append(count, '\\');
        return;
    }
    argument.append(count / 2, '\\');
    if (count % 2 == 1) {
        argument += '"';
        ++i;
        quoteFollows = false;
    }
}

std::string TakeArgument(std::string_view text, std::size_t& i)
{
    std::string argument;
    bool quoted = false;
    while (i < text.size() && (quoted || !IsBlank(text[i]))) {
        if (text[i] == '\\') {
            bool quoteFollows = false;
            TakeBackslashes(text, i, argument, quoteFollows);
            if (!quoteFollows) continue;
        }
        if (text[i] != '"') {
            argument += text[i++];
        } else if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
            argument += '"';
            i += 2;
        } else {
            quoted = !quoted;
            ++i;
        }
    }
    return argument;
}

void SkipBlanks(std::string_view text, std::size_t& i)
{
    while (i < text.size() && IsBlank(text[i])) ++i;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine)
{
    std::vector<std::string> arguments;
    std::size_t i = 0;
    SkipBlanks(commandLine, i);
    if (i >= commandLine.size()) return arguments;
    arguments.push_back(TakeProgram(commandLine, i));
    for (SkipBlanks(commandLine, i); i < commandLine.size(); SkipBlanks(commandLine, i))
        arguments.push_back(TakeArgument(commandLine, i));
    return arguments;
}

}  // namespace zelm::platform
