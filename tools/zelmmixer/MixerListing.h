#pragma once
// "zelmmixer list": every mixer device with its destinations, their source lines, the
// lines' controls and their current values.

#include <ostream>

namespace zelmmixer {

// Returns the number of devices listed.
unsigned int ListMixers(std::ostream& out);

}  // namespace zelmmixer
