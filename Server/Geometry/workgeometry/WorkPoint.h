#pragma once

#include "Geometry/workgeometry/WorkGeometry.h"
#include "ZkGePoint3d.h"

namespace Kv::Scene {
class ImageResource;
}

namespace Kv::Geometry {

// A construction point of a component: one position, named Point<n> after
// its number, or an origin point with a fixed name.
class WorkPoint : public WorkGeometry {
    KV_GEOMETRY_ENTITY(WorkPoint, WorkGeometry)

public:
    // A numbered point; `parent` must be the component's WorkGeometries.
    static StrongRefCreator<WorkPoint> make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& position);
    // An origin point, not numbered.
    static StrongRefCreator<WorkPoint> make(const StrongRef<Entity>& parent,
                                            const ZkGePoint3d& position, bool isOrigin,
                                            const std::wstring& originName);
    // The first child of `parent` at `position` (within the global tolerance),
    // or a new numbered point there.
    static StrongRef<WorkPoint> findOrMake(const StrongRef<Entity>& parent,
                                           const ZkGePoint3d& position);

    const ZkGePoint3d& point() const { return m_point; }
    void point(const ZkGePoint3d& position);

    // Scene: a screen-sized image facing the viewer, moved to the position.
    void onCreateScene(Scene::NodeChange& change) override;
    void realizeTransform(Scene::NodeChange& change) override;
    void realizeGeometry(Scene::NodeChange& change) override;
    void realizeAppearance(Scene::NodeChange& change) override;

    std::wstring userName() const override;
    // A pick of the point as the selection class its leaf qualifier calls for;
    // nothing while it only previews.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;
    // Scripting name "WorkPoint", represented by the user name.
    bool getOnk(Onk& key) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkPoint")

protected:
    WorkPoint(Segment* segment, uint64_t id);

    bool onHasLines() const override { return false; }
    bool onHasFill() const override { return false; }
    void onTranslate(const ZkGeVector3d& offset) override;
    void onTransformBy(const ZkGeMatrix3d& transform) override;
    std::wstring onToString() const override;
    ZkGePoint3d nominalPoint() const override;

private:
    WorkPoint(Entity* parent, const ZkGePoint3d& position);
    WorkPoint(Entity* parent, const ZkGePoint3d& position, bool isOrigin,
              const std::wstring& originName);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    // The origin point image for an origin point, the point image otherwise.
    const Scene::ImageResource* image() const;

    ZkGePoint3d m_point;
};

} // namespace Kv::Geometry
