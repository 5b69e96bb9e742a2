#pragma once

#include "Geometry/sketch3d/Geometry3D.h"
#include "ZkGePoint3d.h"

namespace Kv::Geometry {

class Curve3D;
class CurveUses;

// The sketch point: curve ends, arc centres and spline fit points. Curves that
// meet share one point; the curves using a point are listed in its CurveUses.
class Point3D : public Geometry3D {
    KV_GEOMETRY_ENTITY(Point3D, Geometry3D)

public:
    // A new point at `position` under `parent`, not fixed.
    static StrongRefCreator<Point3D> make(const StrongRef<Entity>& parent,
                                          const ZkGePoint3d& position);

    const ZkGePoint3d& point() const { return m_point; }
    void point(const ZkGePoint3d& position);
    bool isFixed() const { return m_isFixed; }
    void fixed(bool fixed);
    const StrongRef<CurveUses>& curveUses() const { return m_curveUses; }
    void addCurveUse(const PassiveRef<Curve3D>& curve);
    void removeCurveUse(const PassiveRef<Curve3D>& curve);

    EGeometry3DType geomType() const override { return kPoint3D; }
    bool getPosition(ZkGePoint3d& position) const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Point3D")

protected:
    Point3D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    bool onReferences(const StrongRef<Point3D>&) const override { return false; }
    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    void onTranslate(const ZkGeVector3d& offset) override;
    std::wstring onToString() const override;

private:
    Point3D(Entity* parent, const ZkGePoint3d& position);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    ZkGePoint3d m_point;
    StrongRef<CurveUses> m_curveUses;
    bool m_isFixed = false;
};

} // namespace Kv::Geometry
