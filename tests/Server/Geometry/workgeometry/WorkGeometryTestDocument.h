#pragma once

// A new document as the application makes it, and what the work geometry
// tests need to look at it.

#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityChange.h"
#include "Kv/DataModel/IEntityObserver.h"

#include <memory>
#include <string>
#include <vector>

namespace Kv::Geometry::WorkGeometryTests {

struct WorkGeometryTestDocument {
    WorkGeometryTestDocument();

    // The collection as a parent for work geometry.
    StrongRef<Entity> collection() const { return StrongRef<Entity>(workGeometries.get()); }
    // Runs `edit` as one transaction, as one command would.
    template <class F> void transact(F edit) {
        asset->beginTransaction("edit");
        edit();
        asset->commitTransaction();
    }

    std::unique_ptr<Asset> asset;
    StrongRef<Component> component;
    StrongRef<WorkGeometries> workGeometries;
    StrongRef<OriginWorkGeometry> origin;
};

// The change types an entity reported, and whether each was recorded.
struct ChangeLog : IEntityObserver {
    void onEntityPostChange(Entity&, const EntityChange& change) override {
        types.push_back(change.changeType());
        recorded.push_back(change.isRecorded());
    }
    std::vector<unsigned> types;
    std::vector<bool> recorded;
};

// The first child of `group` of class T, or null.
template <class T> StrongRef<T> firstChildOf(const Managed::ManagedGroupEntity& group) {
    for (const StrongRef<Entity>& child : group.children())
        if (T* found = ::Kv::queryInterface<T>(child.get()))
            return StrongRef<T>(found);
    return {};
}

// Saves `asset` to a fresh temporary file and opens it again.
std::unique_ptr<Asset> saveAndOpen(Asset& asset);

} // namespace Kv::Geometry::WorkGeometryTests
