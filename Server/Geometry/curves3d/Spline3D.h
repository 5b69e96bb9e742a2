#pragma once

#include "Geometry/curves3d/Curve3D.h"
#include "Kv/DataModel/MigrationHelper.h"
#include "ZkGeNurbCurve3d.h"

#include <vector>

namespace Kv::Geometry {

class CurvatureHandle;
class CurvatureUses;
class PointUses;
class TangentHandle;
class TangentUses;

// A fit-point spline of a 3D sketch. Its fit points are shared sketch points:
// the start point, the interior points in its PointUses list and the end
// point, which is the start point again when the spline is closed. Tangent
// and curvature handles attach to fit points by index. The NURBS itself is
// fitted outside this class and handed over with setCurve.
class Spline3D : public Curve3D {
    KV_GEOMETRY_ENTITY(Spline3D, Curve3D)

public:
    // The spline through `points` with the given curve (none when null). A
    // closed curve makes a closed spline whose list does not repeat the
    // start point. Each end tangent of the curve's fit data gets a tangent
    // handle at the matching fit point.
    static StrongRefCreator<Spline3D> make(const StrongRef<Entity>& parent,
                                           const ZkGeNurbCurve3d* curve,
                                           const std::vector<StrongRef<Point3D>>& points);

    const ZkGeCurve3d& curve() const override { return m_splineCurve; }
    const ZkGeNurbCurve3d& splineCurve() const { return m_splineCurve; }
    // Takes the curve when it is a NURBS; the points are not moved.
    virtual void setCurve(const ZkGeCurve3d& curve);
    // The curve is kept as it was handed over: fitting it to the points is
    // not this class's work.
    void updateCurve() override {}

    unsigned int fitPointsLimit() const { return m_fitPointsLimit; }
    void setFitPointLimit(unsigned int limit);

    const StrongRef<PointUses>& pointUses() const { return m_pointUses; }
    const StrongRef<TangentUses>& tangentUses() const { return m_tangentUses; }
    const StrongRef<CurvatureUses>& curvatureUses() const { return m_curvatureUses; }

    // Fit point indices: 0 is the start point, 1 .. k the interior points,
    // k + 1 the end point of an open spline.
    int fitPoints() const;
    // Null outside 0 .. fitPoints(); fitPoints() itself is the start point
    // again on a closed spline.
    StrongRef<Point3D> fitPoint(int index) const;
    // Start, interior points, and the end point unless it is the start.
    std::vector<StrongRef<Point3D>> fitPointEntities() const;

    // Appends an interior point after the last one; handles at the end point
    // move up one index with it.
    void addPointUse(const StrongRef<Point3D>& point);
    void addTangentUse(int index, const StrongRef<TangentHandle>& handle);
    void addCurvatureUse(int index, const StrongRef<CurvatureHandle>& handle);
    bool hasTangent(int index) const;
    bool hasCurvature(int index) const;

    // The display length of handles: a tenth of the diagonal of the curve's
    // box, computed on first use and kept.
    double handleScale();

    EGeometry3DType geomType() const override { return kSpline3D; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Spline3D")

    void onPostMigrate() override;

protected:
    Spline3D(Entity* parent, const ZkGeNurbCurve3d* curve,
             const std::vector<StrongRef<Point3D>>& points);
    Spline3D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    bool onReferences(const StrongRef<Point3D>& point) const override;
    void onTranslate(const ZkGeVector3d& offset) override;
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    EMigrationStatus postMigrate(uint32_t oldVersion);

    bool isClosedSpline() const;
    // A tangent handle centred on `position`, on two new points of its own.
    StrongRef<TangentHandle> makeTangentHandle(const ZkGePoint3d& position,
                                               const ZkGeVector3d& tangent);

    ZkGeNurbCurve3d m_splineCurve;
    unsigned int m_fitPointsLimit = 0;
    StrongRef<PointUses> m_pointUses;
    StrongRef<TangentUses> m_tangentUses;
    StrongRef<CurvatureUses> m_curvatureUses;
    double m_handleScale = 0.0;
};

} // namespace Kv::Geometry
