#pragma once

// A new document as the application makes it (one component populated by the
// add-in) with a 2D sketch in it, and what the 2D tests need to look at it.

#include "Geometry/sketch2d/Sketch2D.h"
#include "Geometry/sketch2d/Sketch2Ds.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"

#include <memory>
#include <string>
#include <vector>

namespace Kv::Geometry::Sketch2DTests {

struct Sketch2DTestDocument {
    Sketch2DTestDocument();
    ~Sketch2DTestDocument();

    // The sketch as a parent for geometry.
    StrongRef<Entity> parent() const { return StrongRef<Entity>(sketch.get()); }

    std::unique_ptr<Asset> asset;
    Segment* segment = nullptr;
    StrongRef<Component> component;
    StrongRef<Sketch2Ds> sketch2Ds;
    StrongRef<Sketch2D> sketch;
};

// Runs `edit` as one transaction of `asset`, as one command would.
template <class Edit> void transact(Asset& asset, Edit edit) {
    asset.beginTransaction("test");
    edit();
    asset.commitTransaction();
}

// The children of `group` of class T, in child order.
template <class T> std::vector<StrongRef<T>> childrenOf(const Managed::ManagedGroupEntity& group) {
    std::vector<StrongRef<T>> found;
    for (const StrongRef<Entity>& child : group.children())
        if (T* typed = ::Kv::queryInterface<T>(child.get()))
            found.emplace_back(typed);
    return found;
}

// Saves `asset` to a fresh temporary file and opens it again.
std::unique_ptr<Asset> saveAndOpen(Asset& asset);

} // namespace Kv::Geometry::Sketch2DTests
