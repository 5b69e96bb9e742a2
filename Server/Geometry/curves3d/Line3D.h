#pragma once

#include "Geometry/curves3d/Curve3D.h"
#include "ZkGeLineSeg3d.h"

namespace Kv::Geometry {

// The straight sketch segment between two shared sketch points. A line
// shows no curvature comb.
class Line3D : public Curve3D {
    KV_GEOMETRY_ENTITY(Line3D, Curve3D)

public:
    static StrongRefCreator<Line3D> make(const StrongRef<Entity>& parent,
                                         const StrongRef<Point3D>& start,
                                         const StrongRef<Point3D>& end);
    // Each end is a sketch point found at the position or made there.
    static StrongRefCreator<Line3D> make(const StrongRef<Entity>& parent, const ZkGePoint3d& start,
                                         const ZkGePoint3d& end);

    const ZkGeCurve3d& curve() const override { return m_lineCurve; }
    const ZkGeLineSeg3d& lineCurve() const { return m_lineCurve; }
    // Takes the segment of a kernel line segment; the points stay where they
    // are. Other kinds of curve are ignored.
    virtual void setCurve(const ZkGeCurve3d& curve);
    // The segment from the start to the end point, never of zero length.
    void updateCurve() override;
    void setStartPoint(const StrongRef<Point3D>& point) override;
    void setEndPoint(const StrongRef<Point3D>& point) override;

    // Both ends within 1e-6 of each other.
    bool degenerate() const override;
    bool isClosed(double) const override { return false; }
    using Curve3D::isClosed;

    // The lines share the points of this one, or find or make points at the
    // transformed positions.
    StrongRef<Curve3D> reverseCurve() override;
    StrongRef<Curve3D> transformBy(const ZkGeMatrix3d& matrix) override;
    StrongRef<Curve3D> clone() override;
    void SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                    StrongRef<Curve3D>& second) override;
    // The unit direction from the start to the end point.
    ZkGeVector3d GetCurveTangentAtEndPoint() const override;

    EGeometry3DType geomType() const override { return kLine3D; }
    // The midpoint.
    bool getPosition(ZkGePoint3d& position) const override;

    void realizeGeometry(Scene::NodeChange& change) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Line3D")

protected:
    Line3D(Entity* parent, const StrongRef<Point3D>& start, const StrongRef<Point3D>& end);
    Line3D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    bool onReferences(const StrongRef<Point3D>& point) const override;
    void onTranslate(const ZkGeVector3d&) override {}
    void onCreateGeometryNode(Scene::NodeChange& change) override;
    const wchar_t* onkWord() const override { return L"Line"; }
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    ZkGeLineSeg3d m_lineCurve;
};

} // namespace Kv::Geometry
