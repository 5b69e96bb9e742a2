#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseRootCollection.h"

namespace Kv::Geometry {

class Sketch;

// A segment's root collection of its sketches, for code that only knows the
// segment.
class SketchesRoot : public CommonData::CommonBaseRootCollection {
    KV_GEOMETRY_ENTITY(SketchesRoot, CommonData::CommonBaseRootCollection)

public:
    static StrongRefCreator<SketchesRoot> make(Segment* segment);
    static StrongRef<SketchesRoot> find(Segment* segment);
    static const std::string& segmentRootId();

    unsigned int sketches() const { return static_cast<unsigned int>(elementCount()); }
    StrongRef<Sketch> sketch(unsigned int index) const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::SketchesRoot")

protected:
    SketchesRoot(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit SketchesRoot(Segment* segment);
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::Geometry
