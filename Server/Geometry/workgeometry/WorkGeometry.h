#pragma once

#include "Geometry/sketch3d/Geometry3D.h"
#include "Kv/DataModel/IScriptableObject.h"

#include <string>

class ZkGeMatrix3d;

namespace Kv::Geometry {

// Base of work planes, axes and points: a sequence number handed out by the
// component's WorkGeometries, or the fixed name of an origin entity.
class WorkGeometry : public Geometry3D, public IScriptableObject {
    KV_GEOMETRY_ENTITY(WorkGeometry, Geometry3D)

public:
    bool isOrigin() const { return m_isOrigin; }
    int getUserId() const { return m_id; }
    std::wstring getOriginName() const { return m_originName; }

    // The name the user sees; each kind derives it from its number or origin
    // name.
    virtual std::wstring userName() const;

    void transformBy(const ZkGeMatrix3d& transform) { onTransformBy(transform); }

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
    // Work geometry never uses sketch points.
    bool onReferences(const StrongRef<Point3D>&) const override { return false; }
    std::wstring onToString() const override;

private:
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    int m_id = -1;
    bool m_isOrigin = false;
    std::wstring m_originName;
};

} // namespace Kv::Geometry
