#include "Geometry/sketch2d/Sketch2DsRoot.h"

#include "Geometry/sketch2d/Sketch2D.h"
#include "Kv/Base/ScopedLock.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Segment.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(Sketch2DsRoot)

const std::string& Sketch2DsRoot::segmentRootId() {
    ScopedLock lock;
    static const std::string id("Sketch2DsRoot");
    return id;
}

StrongRefCreator<Sketch2DsRoot> Sketch2DsRoot::make(Segment* segment) {
    if (!segment)
        return {};
    StrongRef<Sketch2DsRoot> root(new Sketch2DsRoot(segment));
    root->postCreation(kTransactDo);
    return StrongRefCreator<Sketch2DsRoot>(root);
}

StrongRef<Sketch2DsRoot> Sketch2DsRoot::find(Segment* segment) {
    if (!segment)
        return {};
    StrongRef<Entity> root = segment->rootEntity(UniqueString(segmentRootId()));
    // Another class filed under the same name is not ours to hand out.
    if (!root || root->metaType() != &s_metaType())
        return {};
    return StrongRef<Sketch2DsRoot>(static_cast<Sketch2DsRoot*>(root.get()));
}

Sketch2DsRoot::Sketch2DsRoot(Segment* segment)
    : CommonBaseRootCollection(segment, UniqueString(segmentRootId()), &g_Sketch2DMetaType) {
    initializeMemberSetIfNeeded();
}

Sketch2DsRoot::Sketch2DsRoot(Segment* segment, uint64_t id)
    : CommonBaseRootCollection(segment, id) {
    initializeMemberSetIfNeeded();
}

void Sketch2DsRoot::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<Sketch2D> Sketch2DsRoot::sketch2D(unsigned int index) const {
    return StrongRef<Sketch2D>(::Kv::queryInterface<Sketch2D>(element(index).get()));
}

void* Sketch2DsRoot::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseRootCollection::queryInterface(id);
}

std::wstring Sketch2DsRoot::onToString() const {
    return (boost::wformat(L"Sketch2DsRoot (base %1%)") % CommonBaseRootCollection::onToString())
        .str();
}

} // namespace Kv::Geometry
