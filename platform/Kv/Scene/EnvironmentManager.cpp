#include "Kv/Scene/EnvironmentManager.h"

#include "Kv/Base/PathInfo.h"
#include "Kv/Scene/EnvironmentEventSource.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace Kv::Scene {
namespace {

constexpr const char* kDefaultName = "Default";

} // namespace

EnvironmentManager& EnvironmentManager::getEnvManager() {
    static EnvironmentManager manager;
    return manager;
}

std::string EnvironmentManager::defaultDirectory() {
    return PathInfo::join(PathInfo::rootDirectory(), "Environments");
}

EnvironmentManager::EnvironmentManager() {
    load(defaultDirectory());
}

void EnvironmentManager::load(const std::string& directory) {
    std::vector<std::string> files;
    std::error_code error;
    if (std::filesystem::is_directory(directory, error)) {
        for (const auto& entry : std::filesystem::directory_iterator(directory, error))
            if (entry.is_regular_file() && entry.path().extension() == ".xml")
                files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    std::vector<std::unique_ptr<Environment>> loaded;
    for (const std::string& file : files) {
        auto environment = std::make_unique<Environment>(Environment::load(file));
        auto same = std::find_if(loaded.begin(), loaded.end(),
                                 [&](const auto& e) { return e->name() == environment->name(); });
        if (same != loaded.end())
            *same = std::move(environment);
        else
            loaded.push_back(std::move(environment));
    }
    if (loaded.empty())
        loaded.push_back(std::make_unique<Environment>(kDefaultName));

    const std::string previous = m_active ? m_active->name() : std::string();
    m_environments = std::move(loaded);
    m_active = environment(kDefaultName);
    if (!m_active)
        m_active = m_environments.front().get();
    if (!previous.empty())
        changed(previous);
}

Environment* EnvironmentManager::activeEnvironment() {
    return m_active;
}

void EnvironmentManager::activeEnvironment(const std::string& name) {
    Environment* chosen = environment(name);
    if (!chosen)
        throw std::invalid_argument("there is no display environment '" + name + "'");
    if (chosen == m_active)
        return;
    const std::string previous = m_active->name();
    m_active = chosen;
    changed(previous);
}

Environment* EnvironmentManager::environment(const std::string& name) {
    for (auto& e : m_environments)
        if (e->name() == name)
            return e.get();
    return nullptr;
}

std::vector<std::string> EnvironmentManager::environmentNames() const {
    std::vector<std::string> names;
    for (const auto& e : m_environments)
        names.push_back(e->name());
    return names;
}

void EnvironmentManager::addEnvironment(const Environment& added) {
    if (Environment* held = environment(added.name())) {
        *held = added;
        if (held == m_active)
            changed(held->name());
        return;
    }
    m_environments.push_back(std::make_unique<Environment>(added));
}

void EnvironmentManager::changed(const std::string& previousName) {
    EnvironmentEvent event(m_active, previousName);
    EnvironmentEventSource::get().activeEnvironmentChanged(event);
}

} // namespace Kv::Scene
