#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Kv {

class Asset;
class Entity;

// Conversion work that needs the whole asset loaded first. Entities register
// themselves with the asset's migrator of a name while they are migrated; the
// asset runs every migrator once loading is complete.
class AssetMigrator {
public:
    using Factory = std::function<AssetMigrator*()>;

    virtual ~AssetMigrator() = default;

    // Makes the migrator of `name` known to every asset. Registering the same
    // name again replaces the factory.
    static void registerAssetMigrator(const std::string& name, Factory factory);
    static bool isRegistered(const std::string& name);
    // How many times `name` was registered since start-up.
    static int registrationCount(const std::string& name);
    // A new migrator of `name`, or null when none is registered.
    static AssetMigrator* create(const std::string& name);

    void addEntity(Entity* entity);
    const std::vector<Entity*>& entities() const { return m_entities; }

    // Runs once, after the asset finished loading.
    virtual void migrate(Asset& asset) = 0;

private:
    std::vector<Entity*> m_entities;
};

} // namespace Kv
