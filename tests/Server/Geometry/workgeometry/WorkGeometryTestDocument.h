#pragma once

// A new document as the application makes it, and what the work geometry
// tests need to look at it.

#include "Geometry/workgeometry/OriginWorkGeometry.h"
#include "Geometry/workgeometry/WorkGeometries.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"

#include <memory>
#include <string>
#include <vector>

namespace Kv {
class MemberSet;
}

namespace Kv::Geometry::WorkGeometryTests {

struct WorkGeometryTestDocument {
    WorkGeometryTestDocument();

    std::unique_ptr<Asset> asset;
    StrongRef<Component> component;
    StrongRef<WorkGeometries> workGeometries;
    StrongRef<OriginWorkGeometry> origin;
};

// The first child of `group` of class T, or null.
template <class T> StrongRef<T> firstChildOf(const Managed::ManagedGroupEntity& group) {
    for (const StrongRef<Entity>& child : group.children())
        if (T* found = ::Kv::queryInterface<T>(child.get()))
            return StrongRef<T>(found);
    return {};
}

// Every member name of `set`, bases first.
std::vector<std::string> memberNames(const MemberSet& set);

// The entity's persisted members as `get` prints them.
std::string printed(Entity* entity);

// Saves `asset` to a fresh temporary file and opens it again.
std::unique_ptr<Asset> saveAndOpen(Asset& asset);

} // namespace Kv::Geometry::WorkGeometryTests
