#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseRootCollection.h"

namespace Kv::Geometry {

class Sketch2D;

// A segment's root collection of the 2D sketches made directly in it, for
// code that only knows the segment.
class Sketch2DsRoot : public CommonData::CommonBaseRootCollection {
    KV_GEOMETRY_ENTITY(Sketch2DsRoot, CommonData::CommonBaseRootCollection)

public:
    static StrongRefCreator<Sketch2DsRoot> make(Segment* segment);
    // The segment's collection, or null when the segment has none yet.
    static StrongRef<Sketch2DsRoot> find(Segment* segment);
    static const std::string& segmentRootId();

    unsigned int sketch2Ds() const { return static_cast<unsigned int>(elementCount()); }
    StrongRef<Sketch2D> sketch2D(unsigned int index) const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Sketch2DsRoot")

protected:
    Sketch2DsRoot(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit Sketch2DsRoot(Segment* segment);
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::Geometry
