#pragma once

#include "Geometry/sketch3d/Geometry3D.h"
#include "Kv/DataModel/IPasteSink.h"
#include "Kv/DataModel/IPasteSource.h"
#include "Kv/DataModel/IScriptableObject.h"

#include <functional>
#include <string>
#include <vector>

class ZkGeMatrix3d;

namespace Kv::Geometry {

// Base of work planes, axes and points: a sequence number handed out by the
// component's WorkGeometries, or the fixed name of an origin entity.
class WorkGeometry : public Geometry3D,
                     public DataModel::IPasteSource,
                     public DataModel::IPasteSink,
                     public IScriptableObject {
    KV_GEOMETRY_ENTITY(WorkGeometry, Geometry3D)

public:
    // The client type of every work geometry node and collection node.
    static constexpr unsigned kClientType = 0x1000000;
    // Where a view draws a model point: x and y in pixels (z is ignored).
    using ScreenProjection = std::function<ZkGePoint3d(const ZkGePoint3d&)>;

    bool isOrigin() const { return m_isOrigin; }
    int getUserId() const { return m_id; }
    std::wstring getOriginName() const { return m_originName; }

    // The name the user sees; each kind derives it from its number or origin
    // name.
    virtual std::wstring userName() const;

    void transformBy(const ZkGeMatrix3d& transform) { onTransformBy(transform); }

    // The origin set is fixed: its entities refuse deletion.
    bool onCanDelete(const ObjectPath& path) override;

    // Work geometry is copied, cut and reordered within its collection;
    // pastes are the component's business.
    bool onCanCopy(const ObjectPath&) override { return true; }
    bool onCanCut(const ObjectPath&) override { return true; }
    bool onCanReorder(const ObjectPath&) override { return true; }
    // True as soon as a path (before any equal to `target`) ends at a work
    // geometry of this entity's collection.
    bool onCanReorder(const std::vector<ObjectPath>& paths, const ObjectPath& target) const;
    Request* onProvidePasteRequest(const std::vector<ObjectPath>& pasted, const ObjectPath& target,
                                   bool isCut, bool isClone, bool isReorder) override;
    bool onCanPaste(const std::vector<ObjectPath>& pasted, const ObjectPath& target, bool isCut,
                    bool isReorder) override;

    // The extent handle a pick at `hit` (screen pixels, as `toScreen` draws
    // model points) lands on, numbered from 1, or 0 for the entity itself.
    // Only planes and axes have handles.
    virtual int extentHandleAt(const ZkGePoint3d&, const ScreenProjection&) const { return 0; }
    // A pick of the entity at `path` as the view saw it: a path whose leaf
    // qualifier names a handle stays as it is; otherwise, with a hit, a copy
    // qualified with the handle under the hit, if any. Nothing while the
    // entity only previews.
    StrongRef<LogicalSelection>
    onCreateViewDependentLogicalSelection(const ObjectPath& path, const ZkGePoint3d* hit,
                                          const ScreenProjection& toScreen);

    // Where a pick of the entity lands (nominalPoint), in the coordinates of
    // `transform`, which it keeps.
    bool onProvideNominalHitInfo(const LogicalSelection* selection, const ZkGeMatrix3d& transform,
                                 ZkGePoint3d& point, ZkGeMatrix3d& pointTransform) const;
    // The same point in model space, for `selection` of the entity.
    bool modelHitPoint(const LogicalSelection& selection, ZkGePoint3d& point) const;

    // The first work geometry among `group`'s children whose user name is
    // exactly `name`, or null: how the collections answer scripts.
    static WorkGeometry* childNamed(const Managed::ManagedGroupEntity& group,
                                    const std::wstring& name);

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkGeometry")

protected:
    // Not numbered yet: the derived constructor asks the collection.
    explicit WorkGeometry(Entity* parent);
    WorkGeometry(Entity* parent, bool isOrigin, const std::wstring& originName);
    WorkGeometry(Segment* segment, uint64_t id);

    void setUserId(int id);
    // The origin name for an origin entity, otherwise the localized prefix
    // stored under `key` in the add-in's string table followed by the number.
    std::wstring nameFromNumber(const std::string& key, const std::wstring& fallback) const;

    virtual void onTransformBy(const ZkGeMatrix3d&) {}
    // The point a pick of the entity stands for.
    virtual ZkGePoint3d nominalPoint() const { return ZkGePoint3d::kOrigin; }
    // How many extent handles the kind has, numbered from 1.
    virtual int extentHandleCount() const { return 0; }
    // Where `toScreen` draws `point`, flattened onto the screen: handles are
    // picked by their distance across the screen, whatever their depth.
    static ZkGePoint3d onScreen(const ScreenProjection& toScreen, const ZkGePoint3d& point);
    void onCreateGeometryNode(Scene::NodeChange& change) override;
    // Work geometry never uses sketch points.
    bool onReferences(const StrongRef<Point3D>&) const override { return false; }
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    // The paste sink of the component whose WorkGeometries holds the entity.
    DataModel::IPasteSink* componentPasteSink() const;

    int m_id = -1;
    bool m_isOrigin = false;
    std::wstring m_originName;
};

} // namespace Kv::Geometry
