#pragma once

#include <string>

namespace Kv::Scene {

class Environment;

// Tells subscribers that another environment became the active one.
class EnvironmentEvent {
public:
    EnvironmentEvent(Environment* environment, std::string previousName)
        : m_environment(environment)
        , m_previousName(std::move(previousName)) {}

    // The environment that is active now.
    Environment* environment() const { return m_environment; }
    // The name of the one active before ("" when there was none).
    const std::string& previousName() const { return m_previousName; }

private:
    Environment* m_environment;
    std::string m_previousName;
};

} // namespace Kv::Scene
