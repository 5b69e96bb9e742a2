#pragma once

#include "Geometry/sketch3d/Geometry3D.h"
#include "Kv/Base/PassiveRef.h"
#include "Kv/Base/Point3f.h"
#include "Kv/Base/StrongRef.h"
#include "Kv/DataModel/IScriptableObject.h"
#include "Kv/Scene/EnvironmentEventSite.h"
#include "Wyn/Graphics/GeometryNode.h"
#include "Wyn/Graphics/GroupNode.h"

#include <initializer_list>
#include <memory>
#include <vector>

class ZkGeCurve3d;

namespace Kv {
class LogicalSelection;
}

namespace Kv::Geometry {

class Point3D;

// Base of every bounded sketch curve: its two shared end points, the fixed
// state, whether it takes its colour from the display environment, and the
// curvature comb. Each curve kind keeps its own kernel curve and recomputes
// it from its points in updateCurve; moving a point does not do that by
// itself, so whoever moves points calls updateCurve on the curves using them.
class Curve3D : public Geometry3D, public Scene::EnvironmentEventSite, public IScriptableObject {
    KV_GEOMETRY_ENTITY(Curve3D, Geometry3D)

public:
    // The tolerance isClosed() uses.
    static constexpr double kClosureTolerance = 1e-6;

    const StrongRef<Point3D>& startPoint() const { return m_startPoint; }
    const StrongRef<Point3D>& endPoint() const { return m_endPoint; }
    // The positions of the end points; the origin for a missing point.
    ZkGePoint3d start() const;
    ZkGePoint3d end() const;
    // Replace one end: the curve leaves the old point's use list (the point
    // goes when nothing else uses it and it is not the other end) and joins
    // the new one's. A null point or the current one changes nothing.
    virtual void setStartPoint(const StrongRef<Point3D>& point);
    virtual void setEndPoint(const StrongRef<Point3D>& point);

    // The kernel curve, recomputed from the points by updateCurve.
    virtual const ZkGeCurve3d& curve() const = 0;
    virtual void updateCurve() = 0;
    // Both ends are set and are different points.
    virtual bool bounded() const;
    virtual bool degenerate() const = 0;
    // The points that may be left without a use when the curve goes: the
    // start and then the end point, each when set; kinds with more points
    // add theirs.
    virtual std::vector<PassiveRef<Point3D>> deleteNominees() const;
    virtual bool isClosed(double tolerance) const = 0;
    bool isClosed() const { return isClosed(kClosureTolerance); }

    // New curves of the same kind next to this one, which stays as it is.
    virtual StrongRef<Curve3D> reverseCurve() = 0;
    virtual StrongRef<Curve3D> transformBy(const ZkGeMatrix3d& matrix) = 0;
    virtual ZkGeVector3d GetCurveTangentAtEndPoint() const = 0;
    // The two pieces before and after `at`; both outputs stay untouched when
    // the curve cannot be split (an end missing).
    virtual void SplitInTwo(const StrongRef<Point3D>& at, StrongRef<Curve3D>& first,
                            StrongRef<Curve3D>& second) = 0;
    virtual StrongRef<Curve3D> clone() = 0;

    double distanceTo(const ZkGePoint3d& position) const;
    double distanceTo(const Curve3D& other) const;

    bool isFixed() const { return m_isFixed; }
    // Fixed curves are drawn dark green unless they follow the environment.
    void fixed(bool fixed);
    bool useEnvironmentColors() const { return m_useEnvironmentColors; }
    void useEnvironmentColors(bool use);
    bool showCurvatureComb() const { return m_bShowCurvComb; }
    void showCurvatureComb(bool show);
    unsigned int combDensity() const { return m_combDensity; }
    void combDensity(unsigned int density);
    double combScale() const { return m_combScale; }
    void combScale(double scale);
    // A comb scale that makes the longest spine a quarter of the curve's
    // largest extent.
    double defaultScale();

    // The number of points the comb outline passes through at `density`.
    static unsigned int outlineSampleCount(unsigned int density);

    // The middle of the curve stands for a picked curve.
    bool onProvideNominalHitInfo(const LogicalSelection* selection, const ZkGeMatrix3d& transform,
                                 ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const;
    // A pick of the curve as a SketchCurveSelection.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;
    // ":T:N" (see getOnkName) after the kind's own word, represented by the
    // curve's middle point.
    bool getOnk(Onk& key) override;

    // Scene: the curve's group node when it has one (arcs, ellipses and
    // splines hang their curve node and the comb below it), else its curve
    // node. The host offers a group node as the curve's group node.
    Wyn::Graphics::ARenderNode* sceneNode() const override;
    void sceneNode(Wyn::Graphics::ARenderNode* node) override;
    // The comb, below the group node: spines at the curvature evaluator's
    // adaptive parameters and an outline through the tips of a finer uniform
    // sampling. Kinds that show a comb set their own curve first and then
    // call this.
    void realizeGeometry(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;
    void releaseScene() override;
    void activeEnvironmentChanged(Event* event) override;

    Wyn::Graphics::GroupNode* groupNode() const {
        return m_combNodes ? m_combNodes->group.get() : nullptr;
    }
    Wyn::Graphics::GeometryNode* combSpinesNode() const {
        return m_combNodes ? m_combNodes->spines.get() : nullptr;
    }
    Wyn::Graphics::GeometryNode* combOutlineNode() const {
        return m_combNodes ? m_combNodes->outline.get() : nullptr;
    }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Curve3D")

protected:
    explicit Curve3D(Entity* parent);
    Curve3D(Segment* segment, uint64_t id);

    // The end point fields, which each curve class persists under its own
    // member names and in its own order.
    StrongRef<Point3D>& startPointField() { return m_startPoint; }
    StrongRef<Point3D>& endPointField() { return m_endPoint; }

    // Use-list bookkeeping of the points a curve holds: it joins their lists
    // after its creation and, before its deletion, leaves them, lets each go
    // that nothing uses any more and drops its reference. Both skip replays,
    // whose recorded snapshots restore the lists.
    void addToCurveUses(int kind, std::initializer_list<StrongRef<Point3D>> points);
    void releasePoints(int kind, std::initializer_list<StrongRef<Point3D>*> points);
    // The entity the curve lies in, where derived curves are made.
    StrongRef<Entity> owner() const { return StrongRef<Entity>(parentEntity()); }

    // The group node for kinds that draw a comb; the curve node itself is
    // made by each kind and kept as the Geometry3D scene node.
    void onCreateGeometryNode(Scene::NodeChange& change) override;
    // The node of the curve itself (Geometry3D's scene node).
    Wyn::Graphics::ARenderNode* curveNode() const { return Geometry3D::sceneNode(); }
    // The word that starts the kind's key name ("Line", "CircArc" ...).
    virtual const wchar_t* onkWord() const = 0;

    bool onHasLines() const override { return true; }
    bool onHasFill() const override { return false; }
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    // Writes one curve property inside a recorded change.
    template <class T> void setProperty(T& field, const T& value);
    // Replaces the point in `field`, which `other` may share.
    void replacePoint(StrongRef<Point3D>& field, const StrongRef<Point3D>& other,
                      const StrongRef<Point3D>& point);
    ZkGePoint3d middlePoint() const;

    Color lineDrawColor() const;
    // Colour, occluded effect and, with environment colours, the standard
    // line weight.
    void applyColors(Scene::NodeChange& realized);
    // Makes the comb node in `field` below the group node when it is missing.
    void makeCombNode(Scene::NodeChange& group,
                      Wyn::Objects::Ref<Wyn::Graphics::GeometryNode>& field, const Color& color);
    void dropCombNode(Wyn::Objects::Ref<Wyn::Graphics::GeometryNode>& field);
    void createCombSpinesNode(Scene::NodeChange& change);
    void createOutlineNode(Scene::NodeChange& change);
    static void setCombMesh(Scene::NodeChange& change, int primitiveType,
                            const std::vector<Point3f>& points);

    // The nodes of kinds that draw a comb (not lines): the group node that
    // holds the curve node and the comb, and the comb's two nodes. Made with
    // the group node and let go with the scene.
    struct CombNodes {
        Wyn::Objects::Ref<Wyn::Graphics::GroupNode> group;
        Wyn::Objects::Ref<Wyn::Graphics::GeometryNode> spines;
        Wyn::Objects::Ref<Wyn::Graphics::GeometryNode> outline;
    };
    CombNodes& combNodes();

    StrongRef<Point3D> m_startPoint;
    StrongRef<Point3D> m_endPoint;
    bool m_isFixed = false;
    bool m_useEnvironmentColors = true;
    bool m_bShowCurvComb = false;
    unsigned int m_combDensity = 20;
    double m_combScale = 10.0;
    std::unique_ptr<CombNodes> m_combNodes;
};

} // namespace Kv::Geometry
