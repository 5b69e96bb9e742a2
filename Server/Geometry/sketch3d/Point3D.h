#pragma once

#include "Geometry/sketch3d/Geometry3D.h"
#include "Kv/Base/PassiveRef.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "ZkGePoint3d.h"

#include <vector>

namespace Kv {
class LogicalSelection;
namespace Managed {
class ManagedGroupEntity;
}
} // namespace Kv

namespace Kv::Geometry {

class Curve3D;
class CurveUses;
class PointIndex;

// The sketch point: curve ends, arc centres and spline fit points. Curves that
// meet share one point; the curves using a point are listed in its CurveUses.
class Point3D : public Geometry3D, public IScriptableObject {
    KV_GEOMETRY_ENTITY(Point3D, Geometry3D)

public:
    // A new point at `position` under `parent`, not fixed.
    static StrongRefCreator<Point3D> make(const StrongRef<Entity>& parent,
                                          const ZkGePoint3d& position);
    // The first point among `parent`'s own children (not those of its groups)
    // at `position` within the global tolerance, or a new one there. Whether
    // the point found may be shared is the caller's question
    // (isShareablePoint).
    static StrongRef<Point3D> findOrMake(const StrongRef<Entity>& parent,
                                         const ZkGePoint3d& position);

    const ZkGePoint3d& point() const { return m_point; }
    void point(const ZkGePoint3d& position);
    bool isFixed() const { return m_isFixed; }
    void fixed(bool fixed);
    // Shows or hides the point without an undo record: display state that
    // commands derive from other data and set again after undo.
    void isVisibleDontTransact(bool visible);

    const StrongRef<CurveUses>& curveUses() const { return m_curveUses; }
    void addCurveUse(const PassiveRef<Curve3D>& curve);
    void removeCurveUse(const PassiveRef<Curve3D>& curve);
    // Takes the point out of its group once no curve uses it.
    void removeIfNoUse();
    // Whether a new curve may end on this point: some curve uses it, and none
    // of them uses it as a handle, an arc or ellipse centre or a spline fit
    // point.
    bool isShareablePoint() const;
    // Whether a tangent or curvature handle uses the point.
    bool isHandleUses() const;
    // True only when every curve of the use list equals every given curve.
    bool isPurgeable(std::vector<PassiveRef<Curve3D>> curves) const;
    // Appends the geometry below `group` (depth first through geometry
    // groups) that references this point.
    void referencingGeometry(const StrongRef<Managed::ManagedGroupEntity>& group,
                             std::vector<StrongRef<GeometryBase3D>>& geometry) const;

    double distanceTo(const ZkGePoint3d& position) const;
    double distanceTo(const Curve3D& curve) const;

    EGeometry3DType geomType() const override { return kPoint3D; }
    bool getPosition(ZkGePoint3d& position) const override;
    // A point used by curves may go only when every one of them is a spline
    // that keeps enough fit points without it.
    bool onCanDelete(const ObjectPath& path) override;
    // A DeletePoint3DRequest when `path` ends at this point.
    Request* onProvideDeleteRequest(const ObjectPath& path) override;
    // The point the picked selection stands for, in the coordinates of
    // `transform`.
    bool onProvideNominalHitInfo(const LogicalSelection* selection, const ZkGeMatrix3d& transform,
                                 ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const;
    // A pick of the point as a SketchPointSelection.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;
    // "Point:1:N", represented by the position.
    bool getOnk(Onk& key) override;

    // Drawn as a screen-sized image facing the viewer. The shared end of
    // curves is hidden (the curves show it) but can still be picked; a fixed
    // point shows the fixed-point image.
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeTransform(Scene::NodeChange& change) override;
    void realizeGeometry(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Point3D")

protected:
    Point3D(Segment* segment, uint64_t id);

    void onPostCreation(int kind) override;
    // Keeps the parent's point index in step with the position, whoever
    // changed it (a setter, undo or redo).
    void onPostChange(const EntityChange& change) override;
    bool onReferences(const StrongRef<Point3D>&) const override { return false; }
    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    void onTranslate(const ZkGeVector3d& offset) override;
    std::wstring onToString() const override;

private:
    Point3D(Entity* parent, const ZkGePoint3d& position);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    // Unfixed, shown, and only ever a start or end of the curves using it.
    bool isDrawnByItsCurves() const;

    ZkGePoint3d m_point;
    StrongRef<CurveUses> m_curveUses;

    // Kept by the point index of the parent group: the point's order among
    // the group's points (ties within tolerance go to the earlier child), the
    // low bits of the cell it is filed under, which are where its slot's
    // probe run starts, and whether it is filed at all.
    friend class PointIndex;
    uint64_t m_indexOrder = 0;
    uint32_t m_indexHome = 0;
    bool m_indexed = false;

    bool m_isFixed = false;
};

} // namespace Kv::Geometry
