#pragma once
// The process-wide application object of the toolkit underneath, for programs that
// run without a dialog (the batch mode, tools): message loops, threads and timers
// need it. One per process, made in main.

#include <zelmtools/platform/base/export.h>
#include <memory>

namespace zelm::framework {

class ZELM_API ApplicationScope {
public:
    // withWindows: an application that can show windows (on the offscreen platform
    // when there is no display), else one for message loops and threads only.
    ApplicationScope(int& argc, char** argv, bool withWindows = false);
    ~ApplicationScope();
    ApplicationScope(const ApplicationScope&) = delete;
    ApplicationScope& operator=(const ApplicationScope&) = delete;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// Whether windows can be shown: a display is named, or a toolkit platform is chosen.
ZELM_API bool DisplayAvailable();

}  // namespace zelm::framework
