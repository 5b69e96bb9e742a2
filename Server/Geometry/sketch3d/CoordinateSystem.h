#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseEntity.h"
#include "ZkGeMatrix3d.h"

namespace Kv::Geometry {

// The placement of a sketch in its component: columns 0 to 2 of the matrix are
// the sketch's axes, column 3 its origin.
class CoordinateSystem : public CommonData::CommonBaseEntity {
    KV_GEOMETRY_ENTITY(CoordinateSystem, CommonData::CommonBaseEntity)

public:
    static StrongRefCreator<CoordinateSystem> make(Segment* segment);
    static StrongRefCreator<CoordinateSystem> make(const StrongRef<Entity>& parent);

    const ZkGeMatrix3d& transform() const { return m_transform; }
    void transform(const ZkGeMatrix3d& transform);

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::CoordinateSystem")

protected:
    CoordinateSystem(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit CoordinateSystem(Entity* parent);
    explicit CoordinateSystem(Segment* segment);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    ZkGeMatrix3d m_transform;
};

} // namespace Kv::Geometry
