#pragma once
// The process-wide application object of the toolkit underneath, for programs that
// run without a dialog (the batch mode, tools): message loops, threads and timers
// need it. One per process, made in main.

#include <memory>

namespace zelm::framework {

class ApplicationScope {
public:
    ApplicationScope(int& argc, char** argv);
    ~ApplicationScope();
    ApplicationScope(const ApplicationScope&) = delete;
    ApplicationScope& operator=(const ApplicationScope&) = delete;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace zelm::framework
