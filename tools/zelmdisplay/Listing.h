#pragma once
// The adapters, their monitors and modes, in words.

#include <ostream>

namespace zelmdisplay {

// False when there is no adapter at all (no display).
bool ListAdapters(std::ostream& out, bool withModes);

}  // namespace zelmdisplay
