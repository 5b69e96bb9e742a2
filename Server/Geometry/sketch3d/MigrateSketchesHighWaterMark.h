#pragma once

#include "Kv/DataModel/AssetMigrator.h"

namespace Kv {

// Numbers the sketches of collections saved before they kept a high-water
// mark. It has to see the whole asset, so those collections hand themselves
// to it while they are migrated and it runs once loading is complete.
class MigrateSketchesHighWaterMark : public AssetMigrator {
public:
    // The name the migrator is registered under and that collections ask
    // their asset for.
    static constexpr const char* kName = "MigrateSketchesHighWaterMark";

    void migrate(Asset& asset) override;
};

} // namespace Kv
