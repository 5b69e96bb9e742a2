#pragma once

#include "Kv/Scene/Environment.h"

#include <memory>
#include <string>
#include <vector>

namespace Kv::Scene {

// The process's display environments and which one is active. On first use
// it reads every theme file in <root>/Environments (Default.xml is the one
// shipped); without that directory it starts from the built-in "Default", so
// a host embedded without a runtime root still draws.
class EnvironmentManager {
public:
    static EnvironmentManager& getEnvManager();
    // The theme directory of the runtime root.
    static std::string defaultDirectory();

    // Never null.
    Environment* activeEnvironment();
    // Makes the named environment the active one and, when that changes
    // anything, tells the EnvironmentEventSource. Throws
    // std::invalid_argument for a name no environment has.
    void activeEnvironment(const std::string& name);

    Environment* environment(const std::string& name);
    std::vector<std::string> environmentNames() const;
    // Adds the environment, replacing one of the same name; replacing the
    // active one counts as a change of the active environment.
    void addEnvironment(const Environment& environment);

    // Replaces every environment with the themes in `directory` (each *.xml
    // file, in name order). "Default" becomes active, or else the first.
    // Throws Kv::XmlError for a theme that cannot be read, leaving the
    // environments as they were; a missing directory gives the built-in one.
    void load(const std::string& directory);

private:
    EnvironmentManager();
    void changed(const std::string& previousName);

    std::vector<std::unique_ptr<Environment>> m_environments;
    Environment* m_active = nullptr;
};

} // namespace Kv::Scene
