#pragma once

// A document with one sketch for the tests of sketch geometry, and the
// save/open and member helpers they share.

#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/sketch3d/Sketches.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/Storage/DocumentWriter.h"

#include <memory>
#include <string>
#include <vector>

namespace Kv::Geometry::Tests {

class SketchTestDocument {
public:
    SketchTestDocument();
    ~SketchTestDocument();

    // Saves to a file of this document's own and opens it again.
    std::unique_ptr<Asset> saveAndOpen(const DocumentWriter::Schema& schema = {});
    // The entity of the same segment and identifier in an opened copy.
    Entity* counterpart(Asset& opened, const Entity* entity) const;
    template <class Edit> void transact(Edit edit) {
        asset.beginTransaction("test");
        edit();
        asset.commitTransaction();
    }

    Asset asset;
    Segment* segment;
    StrongRef<Component> component;
    StrongRef<Sketches> sketches;
    StrongRef<Sketch> sketch;
    StrongRef<Entity> parent; // the sketch, as the makes take it

private:
    std::string m_path;
};

// The persisted members of `entity`, one "name = value" line each.
std::string printed(Entity* entity);
std::vector<std::string> ownMemberNames(const MemberSet& set);

} // namespace Kv::Geometry::Tests
