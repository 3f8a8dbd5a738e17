#pragma once
// Whether the calling thread has initialised the component-object runtime.

namespace zelm::platform::com {

bool IsThreadInitialized();

}  // namespace zelm::platform::com
