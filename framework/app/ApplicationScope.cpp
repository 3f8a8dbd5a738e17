#include "framework/app/ApplicationScope.h"

#include <QCoreApplication>

namespace zelm::framework {

struct ApplicationScope::State {
    State(int& argc, char** argv) : app(argc, argv) {}
    QCoreApplication app;
};

ApplicationScope::ApplicationScope(int& argc, char** argv) : m_state(std::make_unique<State>(argc, argv)) {}

ApplicationScope::~ApplicationScope() = default;

}  // namespace zelm::framework
