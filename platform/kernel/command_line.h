#pragma once
// Splitting a command line into arguments as the system's programs do.

#include <string>
#include <string_view>
#include <vector>

namespace zelm::platform {

// Spaces and tabs separate arguments outside quotes; a quote starts or ends a quoted
// part ("" inside one is a literal quote); 2n backslashes before a quote give n and the
// quote acts, 2n+1 give n and a literal quote; other backslashes are literal. The first
// argument (the program) takes quotes only as grouping and backslashes literally.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace zelm::platform
