#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseEntity.h"
#include "ZkGeMatrix3d.h"
#include "ZkGePoint3d.h"
#include "ZkGeVector3d.h"

namespace Kv::Geometry {

class Sketch;

// The placement of a sketch in its component: columns 0 to 2 of the matrix are
// the sketch's axes, column 3 its origin.
class CoordinateSystem : public CommonData::CommonBaseEntity {
    KV_GEOMETRY_ENTITY(CoordinateSystem, CommonData::CommonBaseEntity)

public:
    static StrongRefCreator<CoordinateSystem> make(Segment* segment);
    static StrongRefCreator<CoordinateSystem> make(const StrongRef<Entity>& parent);

    const ZkGeMatrix3d& transform() const { return m_transform; }
    void transform(const ZkGeMatrix3d& transform);
    void alignWithOtherCoordSystem(const StrongRef<CoordinateSystem>& other);

    void setCoordSystem(const ZkGePoint3d& origin, const ZkGeVector3d& xAxis,
                        const ZkGeVector3d& yAxis, const ZkGeVector3d& zAxis);
    void coordSystem(ZkGePoint3d& origin, ZkGeVector3d& xAxis, ZkGeVector3d& yAxis,
                     ZkGeVector3d& zAxis) const;

    ZkGePoint3d origin() const;
    // Replaces the whole matrix by the translation to `origin`: the axes
    // become the world axes again.
    void origin(const ZkGePoint3d& origin);
    ZkGeVector3d xAxis() const { return column(0); }
    ZkGeVector3d yAxis() const { return column(1); }
    ZkGeVector3d zAxis() const { return column(2); }
    // Each writes that column as given: no normalising, no squaring up with
    // the other axes.
    void xAxis(const ZkGeVector3d& axis) { column(0, axis); }
    void yAxis(const ZkGeVector3d& axis) { column(1, axis); }
    void zAxis(const ZkGeVector3d& axis) { column(2, axis); }

    // The sketch the system places, or null.
    StrongRef<Sketch> sketch() const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::CoordinateSystem")

protected:
    CoordinateSystem(Segment* segment, uint64_t id);
    std::wstring onToString() const override;
    // The sketch it places draws itself anew.
    void onPostChange(const EntityChange& change) override;

private:
    explicit CoordinateSystem(Entity* parent);
    explicit CoordinateSystem(Segment* segment);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    ZkGeVector3d column(int index) const;
    void column(int index, const ZkGeVector3d& axis);

    ZkGeMatrix3d m_transform;
};

} // namespace Kv::Geometry
