#include "framework/app/ApplicationScope.h"

#include <QApplication>
#include <cstdlib>

namespace zelm::framework {

namespace {

bool IsSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

struct ApplicationScope::State {
    State(int& argc, char** argv, bool withWindows)
    {
        if (withWindows) {
            if (!DisplayAvailable()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
            app = std::make_unique<QApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
    }
    std::unique_ptr<QCoreApplication> app;
};

ApplicationScope::ApplicationScope(int& argc, char** argv, bool withWindows)
    : m_state(std::make_unique<State>(argc, argv, withWindows))
{
}

bool DisplayAvailable() { return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

ApplicationScope::~ApplicationScope() = default;

}  // namespace zelm::framework
