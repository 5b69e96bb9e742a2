#pragma once

#include "Geometry/curves3d/Curve3D.h"
#include "ZkGeLineSeg3d.h"

namespace Kv::Geometry {

// The straight sketch segment between two shared sketch points.
class Line3D : public Curve3D {
    KV_GEOMETRY_ENTITY(Line3D, Curve3D)

public:
    static StrongRefCreator<Line3D> make(const StrongRef<Entity>& parent,
                                         const StrongRef<Point3D>& start,
                                         const StrongRef<Point3D>& end);

    const ZkGeCurve3d& curve() const override { return m_lineCurve; }
    const ZkGeLineSeg3d& lineCurve() const { return m_lineCurve; }
    void updateCurve() override;

    EGeometry3DType geomType() const override { return kLine3D; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Line3D")

protected:
    Line3D(Entity* parent, const StrongRef<Point3D>& start, const StrongRef<Point3D>& end);
    Line3D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    bool onReferences(const StrongRef<Point3D>& point) const override;
    void onTranslate(const ZkGeVector3d&) override {}
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    ZkGeLineSeg3d m_lineCurve;
};

} // namespace Kv::Geometry
