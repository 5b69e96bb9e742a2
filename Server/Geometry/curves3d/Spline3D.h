#pragma once

#include "Geometry/curves3d/Curve3D.h"
#include "Kv/DataModel/MigrationHelper.h"
#include "ZkArray.h"
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
// and curvature handles attach to fit points by index, and the spline keeps
// points, handles and indices consistent through every edit. updateCurve
// fits the NURBS to the points and handles (SplineSolver); edits leave that
// to their caller, as several usually come before one fit.
class Spline3D : public Curve3D {
    KV_GEOMETRY_ENTITY(Spline3D, Curve3D)

public:
    // How an end blends into its continuity curve (bit values).
    enum EContinuityFlag {
        kNoContinuity = 0,
        kTangentContinuity = 1,
        kCurvatureContinuity = 2,
    };

    // The spline through `positions`: the ends are found or made, every
    // position between them gets a new point of its own. Closed, the last
    // position stands for the start again and is not used. The curve stays
    // empty until updateCurve.
    static StrongRefCreator<Spline3D> make(const StrongRef<Entity>& parent,
                                           const ZkArray<ZkGePoint3d>& positions, bool closed);
    // The spline with `curve` between points found or made at the first and
    // last position (the same point when the curve is closed).
    static StrongRefCreator<Spline3D> make(const StrongRef<Entity>& parent,
                                           const ZkGeNurbCurve3d& curve,
                                           const std::vector<ZkGePoint3d>& positions);
    // The spline through `points` with the given curve (none when null). A
    // closed curve makes a closed spline whose list does not repeat the
    // start point.
    static StrongRefCreator<Spline3D> make(const StrongRef<Entity>& parent,
                                           const ZkGeNurbCurve3d* curve,
                                           const std::vector<StrongRef<Point3D>>& points);
    ~Spline3D() override;

    // ---- the curve

    const ZkGeCurve3d& curve() const override { return m_splineCurve; }
    const ZkGeNurbCurve3d& splineCurve() const { return m_splineCurve; }
    void getDefinitionData(int& degree, bool& rational, bool& periodic, ZkGeKnotVector& knots,
                           ZkArray<ZkGePoint3d>& controlPoints, ZkArray<double>& weights) const;
    // Appends the curve's fit points; false when it has none.
    bool getFitPoints(ZkArray<ZkGePoint3d>& points) const;
    // Takes the curve when it is a NURBS; the points are not moved.
    virtual void setCurve(const ZkGeCurve3d& curve);
    // A new curve through `positions` (closed when the last is the first
    // again) with the optional end tangents and curvatures; the spline itself
    // does not change. False when no curve meets them.
    virtual bool generateNewCurve(const std::vector<ZkGePoint3d>& positions, ZkGeNurbCurve3d& curve,
                                  const ZkGeVector3d* startTangent, const ZkGeVector3d* endTangent,
                                  const ZkGeVector3d* startCurvature,
                                  const ZkGeVector3d* endCurvature) const;
    // Fits the curve to the fit points and handles and sets it.
    virtual void solveCurve();
    void updateCurve() override { solveCurve(); }

    unsigned int fitPointsLimit() const { return m_fitPointsLimit; }
    void setFitPointLimit(unsigned int limit);

    // ---- fit points

    const StrongRef<PointUses>& pointUses() const { return m_pointUses; }
    // Fit point indices: 0 is the start point, 1 .. k the interior points,
    // k + 1 the end point of an open spline.
    int fitPoints() const;
    // Null outside 0 .. fitPoints(); fitPoints() itself is the start point
    // again on a closed spline.
    StrongRef<Point3D> fitPoint(int index) const;
    // -1 for a point that is no fit point.
    int fitPointIndex(const StrongRef<Point3D>& point) const;
    // Start, interior points, and the end point unless it is the start.
    std::vector<StrongRef<Point3D>> fitPointEntities() const;
    std::vector<PassiveRef<Point3D>> deleteNominees() const override;

    // Appends an interior point after the last one; handles at the end point
    // move up one index with it.
    void addPointUse(const StrongRef<Point3D>& point);
    // Inserts an interior point before interior position `index` (so that
    // it becomes fit point index + 1); handles from there on move up.
    void insertPointUse(int index, const StrongRef<Point3D>& point);
    // Takes a fit point out of the spline, with its handles; the first or
    // last interior point takes the place of a start or end point (on a
    // closed spline the new start closes it again). The point itself stays.
    // A spline without interior points must not be asked for an end.
    void removePointUse(const StrongRef<Point3D>& point);

    // ---- handles

    const StrongRef<TangentUses>& tangentUses() const { return m_tangentUses; }
    const StrongRef<CurvatureUses>& curvatureUses() const { return m_curvatureUses; }
    void addTangentUse(int index, const StrongRef<TangentHandle>& handle);
    void addCurvatureUse(int index, const StrongRef<CurvatureHandle>& handle);
    // Detaches the handle; it goes once no curve uses it. A handle the
    // spline does not hold is left alone.
    void removeTangent(const StrongRef<TangentHandle>& handle);
    void removeCurvature(const StrongRef<CurvatureHandle>& handle);
    bool hasTangent(int index) const;
    bool hasCurvature(int index) const;
    // The display length of handles: a tenth of the diagonal of the curve's
    // box, computed on first use and kept.
    double handleScale();

    // ---- continuity with the neighbouring curves

    // The curve an end blends into; the options and flag as stored with it.
    PassiveRef<Curve3D> startContinuityCurve(bool& option1, bool& option2,
                                             EContinuityFlag& flag) const;
    PassiveRef<Curve3D> endContinuityCurve(bool& option1, bool& option2,
                                           EContinuityFlag& flag) const;
    // Stores the curve and options. A set curve with a flag keeps that flag;
    // otherwise the conditions the old flag put on the end are let go first.
    void setStartContinuityCurve(const PassiveRef<Curve3D>& curve, bool option1, bool option2,
                                 EContinuityFlag flag);
    void setEndContinuityCurve(const PassiveRef<Curve3D>& curve, bool option1, bool option2,
                               EContinuityFlag flag);

    // Closes an open spline on its start point, or opens a closed one at its
    // last interior point, and fits the curve either way. Closing a spline
    // whose ends coincide with three fit points or fewer changes nothing.
    void makeClosed(bool close);
    // Whether start and end are one point; the tolerance does not matter.
    bool isClosed(double tolerance) const override;
    using Curve3D::isClosed;
    bool degenerate() const override;

    // New splines through the fit points, fitted, without handles; this one
    // stays as it is. A closed spline's positions end with its start again,
    // as the closed make expects, so that no fit point is lost; reversed, it
    // keeps its start and runs the other way round.
    StrongRef<Curve3D> reverseCurve() override;
    StrongRef<Curve3D> transformBy(const ZkGeMatrix3d& matrix) override;
    StrongRef<Curve3D> clone() override;
    // The open splines before and after `at`, each through its side's fit
    // points and `at`.
    void SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                    StrongRef<Curve3D>& second) override;
    // The end tangent of the fit data when they have tangents, else the x
    // axis.
    ZkGeVector3d GetCurveTangentAtEndPoint() const override;

    EGeometry3DType geomType() const override { return kSpline3D; }
    // A spline has no single representative position.
    bool getPosition(ZkGePoint3d&) const override { return false; }

    void realizeGeometry(Scene::NodeChange& change) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Spline3D")

    void onPostMigrate() override;

protected:
    // The spline of the given definition between points found or made at its
    // first and last control point.
    Spline3D(Entity* parent, int degree, const ZkGeKnotVector& knots,
             const ZkArray<ZkGePoint3d>& controlPoints, const ZkArray<double>& weights,
             bool periodic);
    Spline3D(Segment* segment, uint64_t id);

    // Extension points through which a solver may follow edits as they
    // happen; the solver here fits from scratch and needs none of them.
    virtual void onRemovePoint(int) {}
    virtual void onAddPoint(const ZkGePoint3d&) {}
    virtual void onInsertPoint(int, const ZkGePoint3d&) {}
    virtual void onAddTangent(int, const ZkGeVector3d&) {}
    virtual void onRemoveTangent(int) {}
    virtual void onAddCurvature(int, const ZkGeVector3d&) {}
    virtual void onRemoveCurvature(int) {}
    // The fitted spline through the fit points moved by `matrix`.
    virtual StrongRef<Spline3D> cloneTransformedCurve(bool transform, const ZkGeMatrix3d& matrix);

    void onPostCreation(int kind) override;
    void onPreDeletion(int kind) override;
    bool onReferences(const StrongRef<Point3D>& point) const override;
    void onTranslate(const ZkGeVector3d& offset) override;
    void onCreateGeometryNode(Scene::NodeChange& change) override;
    const wchar_t* onkWord() const override { return L"Spline"; }
    std::wstring onToString() const override;

private:
    Spline3D(Entity* parent, const ZkGeNurbCurve3d* curve, const StrongRef<Point3D>& start,
             const StrongRef<Point3D>& end);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    EMigrationStatus postMigrate(uint32_t oldVersion);

    bool isClosedSpline() const;
    // Tangent handles at the ends whose fit data have end tangents.
    void addFitTangentHandles();
    // A fitted spline through `positions`, open or closed as this one.
    StrongRef<Spline3D> derived(const ZkArray<ZkGePoint3d>& positions, bool closed) const;
    // The positions of the fit points, a closed spline's start repeated.
    ZkArray<ZkGePoint3d> closingPositions(const std::vector<StrongRef<Point3D>>& points) const;

    // Let go of an end point with its handles; with `removeUnused` the point
    // leaves the sketch when nothing else uses it.
    void removeStartPoint(bool removeUnused);
    void removeEndPoint(bool removeUnused);
    // The handle at `index` leaves the list and, unused, the sketch.
    void removeTangent(int index);
    void removeCurvature(int index);
    // Both handle lists shift from `index` on, down or up by one.
    void rearrangeHandles(int index, bool decrement);
    void setContinuityCurve(int index, PassiveRef<Curve3D>& curve, bool (&options)[2],
                            EContinuityFlag& flag, const PassiveRef<Curve3D>& newCurve,
                            bool option1, bool option2, EContinuityFlag newFlag);

    ZkGeNurbCurve3d m_splineCurve;
    PassiveRef<Curve3D> m_startContinuityCurve;
    bool m_startContinuityOptions[2] = {false, false};
    PassiveRef<Curve3D> m_endContinuityCurve;
    bool m_endContinuityOptions[2] = {false, false};
    EContinuityFlag m_startContinuityFlag = kNoContinuity;
    EContinuityFlag m_endContinuityFlag = kNoContinuity;
    unsigned int m_fitPointsLimit = 0;
    StrongRef<PointUses> m_pointUses;
    StrongRef<TangentUses> m_tangentUses;
    StrongRef<CurvatureUses> m_curvatureUses;
    double m_handleScale = 0.0;
};

} // namespace Kv::Geometry
