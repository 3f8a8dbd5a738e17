#pragma once
// Message text -> MESSAGE_RESOURCE_DATA for one language. The text reads
//   ENCODING UNICODE|ANSI        how entries are stored (default UNICODE; ANSI is UTF-8)
//   1000 0x0409 Text\r\n         id, language, text with \n \r \t \\ escapes
// Runs of consecutive ids make one block each.

#include "text_input.h"

namespace rescompile {

Bytes CompileMessageTable(const std::vector<Line>& lines, std::uint16_t language);

}  // namespace rescompile
