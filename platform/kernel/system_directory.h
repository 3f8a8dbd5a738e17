#pragma once
// Tests put a folder of their own in place of the system folder (one without
// regsvr32, to see what its callers do then). It is used as given, never searched
// further; an empty text returns to the real one. Not for use outside tests.

#include <string>

namespace zelm::platform {

void SetSystemDirectoryForTests(const std::string& folder);

}  // namespace zelm::platform
