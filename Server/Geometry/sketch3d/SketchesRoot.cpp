#include "Geometry/sketch3d/SketchesRoot.h"

#include "Geometry/sketch3d/Sketch.h"
#include "Kv/Base/ScopedLock.h"
#include "Kv/DataModel/DataChange.h"
#include "Kv/DataModel/Segment.h"

#include <boost/format.hpp>

namespace Kv::Geometry {

KV_GEOMETRY_ENTITY_IMPL(SketchesRoot)

const std::string& SketchesRoot::segmentRootId() {
    ScopedLock lock;
    static const std::string id("SketchesRoot");
    return id;
}

StrongRefCreator<SketchesRoot> SketchesRoot::make(Segment* segment) {
    if (!segment)
        return {};
    StrongRef<SketchesRoot> root(new SketchesRoot(segment));
    root->postCreation(kTransactDo);
    return StrongRefCreator<SketchesRoot>(root);
}

StrongRef<SketchesRoot> SketchesRoot::find(Segment* segment) {
    if (!segment)
        return {};
    StrongRef<Entity> root = segment->rootEntity(UniqueString(segmentRootId()));
    return StrongRef<SketchesRoot>(::Kv::queryInterface<SketchesRoot>(root.get()));
}

SketchesRoot::SketchesRoot(Segment* segment)
    : CommonBaseRootCollection(segment, UniqueString(segmentRootId()), &g_SketchMetaType) {
    initializeMemberSetIfNeeded();
}

SketchesRoot::SketchesRoot(Segment* segment, uint64_t id)
    : CommonBaseRootCollection(segment, id) {
    initializeMemberSetIfNeeded();
}

void SketchesRoot::initializeMemberSetIfNeeded() {
    s_metaType().initializeMemberSetIfNeeded(this, nullptr);
    s_metaType().beginMigrationIfNeeded(this, nullptr);
}

StrongRef<Sketch> SketchesRoot::sketch(unsigned int index) const {
    return StrongRef<Sketch>(::Kv::queryInterface<Sketch>(element(index).get()));
}

void* SketchesRoot::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : CommonBaseRootCollection::queryInterface(id);
}

std::wstring SketchesRoot::onToString() const {
    return (boost::wformat(L"SketchesRoot (base %1%)") % CommonBaseRootCollection::onToString())
        .str();
}

} // namespace Kv::Geometry
