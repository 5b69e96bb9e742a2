#pragma once

#include "Geometry/workgeometry/WorkGeometry.h"
#include "Kv/Base/Color.h"
#include "Kv/Scene/EnvironmentEventSite.h"
#include "ZkGeLine3d.h"

namespace Kv::Geometry {

// The ends of a work axis, as extent handles.
enum WorkAxisExtentType {
    kLowerEnd = 1,
    kUpperEnd = 2,
};

// A construction axis of a component: an infinite line drawn as a centre-line
// segment between the two line parameters of its extent, in the active
// environment's axis colours.
class WorkAxis : public WorkGeometry, public Scene::EnvironmentEventSite {
    KV_GEOMETRY_ENTITY(WorkAxis, WorkGeometry)

public:
    ~WorkAxis() override;

    // A numbered axis spanning -10..10; `parent` must be the component's
    // WorkGeometries.
    static StrongRefCreator<WorkAxis> make(const StrongRef<Entity>& parent, const ZkGeLine3d& line);
    // The same, through `point` along `direction`.
    static StrongRefCreator<WorkAxis> make(const StrongRef<Entity>& parent,
                                           const ZkGePoint3d& point, const ZkGeVector3d& direction);
    // An origin axis, not numbered, with the short extent 0.175..2.25.
    static StrongRefCreator<WorkAxis> make(const StrongRef<Entity>& parent, const ZkGeLine3d& line,
                                           bool isOrigin, const std::wstring& originName);
    // The first child of `parent` equal to `line` (within the global
    // tolerance), or a new numbered axis.
    static StrongRef<WorkAxis> findOrMake(const StrongRef<Entity>& parent, const ZkGeLine3d& line);

    const ZkGeLine3d& line() const { return m_line; }
    // The extent parameters stay as they are.
    void line(const ZkGeLine3d& line);

    void size(double& lower, double& upper) const;
    void getExtents(ZkGePoint3d& lower, ZkGePoint3d& upper) const;
    // The ends nearest `a` and `b`, in that order and not sorted.
    void setExtents(const ZkGePoint3d& a, const ZkGePoint3d& b);
    // Moves each end out by `factor` times the length.
    void scaleExtents(double factor);
    // Moves the lower end (or, with `lower` false, the upper end) to the line
    // point nearest `point`.
    void setOneExtent(const ZkGePoint3d& point, bool lower);
    // Replaces `point` by the line point nearest to it as seen along
    // `direction`, both given in the coordinates `toWorld` maps to the line's.
    void calculateExtentFromProjectionDirection(ZkGePoint3d& point, ZkGeVector3d direction,
                                                const ZkGeMatrix3d& toWorld) const;

    // The end a pick at `hit` (screen pixels) lands on, as a
    // WorkAxisExtentType, or 0 for the axis itself; the lower end is tried
    // first. Origin axes offer no handles.
    int extentHandleAt(const ZkGePoint3d& hit, const ScreenProjection& toScreen) const override;

    // The colour the axis is drawn in, as the active environment gave it when
    // the appearance was last realised.
    const Color& displayColor() const { return m_color; }

    // Scene: a dash-patterned line strip between the two ends.
    void realizeTransform(Scene::NodeChange&) override {}
    void realizeGeometry(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;
    void activeEnvironmentChanged(Event* event) override;

    std::wstring userName() const override;
    // A pick of the axis (or of one of its ends) as the selection class its leaf qualifier calls
    // for; nothing while it only previews.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;
    // Scripting name "WorkAxis", represented by the user name.
    bool getOnk(Onk& key) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkAxis")

protected:
    WorkAxis(Segment* segment, uint64_t id);

    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    // Records no change of its own: the caller decides how a move is recorded.
    void onTranslate(const ZkGeVector3d& offset) override;
    void onTransformBy(const ZkGeMatrix3d& transform) override;
    std::wstring onToString() const override;
    ZkGePoint3d nominalPoint() const override;
    int extentHandleCount() const override { return 2; }

private:
    WorkAxis(Entity* parent, const ZkGeLine3d& line);
    WorkAxis(Entity* parent, const ZkGeLine3d& line, bool isOrigin, const std::wstring& originName);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    // Takes the colour from the active environment; true when it changed.
    bool applyActiveEnvironmentColors();
    void applyOccludedEffect(Scene::NodeChange& change) const;

    ZkGeLine3d m_line;
    double m_lowerParam = -10.0;
    double m_upperParam = 10.0;
    Color m_color{1, 1, 1, 1};
};

} // namespace Kv::Geometry
