#pragma once
// One insert of a message template: its printf-style format ("%1!-8.3s!")
// and the text it gives for its arguments.

#include <optional>
#include <string>
#include <string_view>

#include "platform/errors/message_arguments.h"

namespace zelm::platform {

struct InsertSpec {
    std::string flags;  // any of "-+0 #"
    bool widthFromArgument = false;
    int width = -1;  // -1: none
    bool precisionFromArgument = false;
    int precision = -1;  // -1: none
    enum class Size { Default, Short, Wide, Long64 } size = Size::Default;
    char conversion = 's';  // one of "cCdiouxXsSp"
};

// Parses what stands between the exclamation marks; nullopt for a format the
// formatter does not support (floating point among them).
std::optional<InsertSpec> ParseInsertSpec(std::string_view spec);

// How many arguments the insert takes, starting at its own number.
int ArgumentCount(const InsertSpec& spec);

// Formats insert `number`; nullopt when the text would be longer than maxLength bytes.
std::optional<std::string> FormatInsert(const InsertSpec& spec, MessageArguments& arguments, int number,
                                        std::size_t maxLength);

}  // namespace zelm::platform
