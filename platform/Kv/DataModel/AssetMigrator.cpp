#include "Kv/DataModel/AssetMigrator.h"

#include <algorithm>
#include <map>
#include <mutex>

namespace Kv {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, AssetMigrator::Factory> factories;
    std::map<std::string, int> counts;
};

Registry& registry() {
    static Registry* r = new Registry; // factories may be registered during static init
    return *r;
}

} // namespace

void AssetMigrator::registerAssetMigrator(const std::string& name, Factory factory) {
    std::lock_guard<std::mutex> lock(registry().mutex);
    registry().factories[name] = std::move(factory);
    ++registry().counts[name];
}

bool AssetMigrator::isRegistered(const std::string& name) {
    std::lock_guard<std::mutex> lock(registry().mutex);
    return registry().factories.count(name) > 0;
}

int AssetMigrator::registrationCount(const std::string& name) {
    std::lock_guard<std::mutex> lock(registry().mutex);
    auto it = registry().counts.find(name);
    return it == registry().counts.end() ? 0 : it->second;
}

AssetMigrator* AssetMigrator::create(const std::string& name) {
    Factory factory;
    {
        std::lock_guard<std::mutex> lock(registry().mutex);
        auto it = registry().factories.find(name);
        if (it == registry().factories.end())
            return nullptr;
        factory = it->second;
    }
    return factory();
}

void AssetMigrator::addEntity(Entity* entity) {
    if (std::find(m_entities.begin(), m_entities.end(), entity) == m_entities.end())
        m_entities.push_back(entity);
}

} // namespace Kv
