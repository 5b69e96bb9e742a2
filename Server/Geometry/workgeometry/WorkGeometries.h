#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/CommonData/IComponentObject.h"
#include "Kv/CommonData/IVisibilityToggle.h"
#include "Kv/DataModel/IScriptableObject.h"

namespace Kv {
class IComponent;
}

namespace Kv::Geometry {

class WorkGeometry;

// A component's work planes, axes and points, in creation order. It hands out
// their numbers, one never-reused counter per kind, and shows or hides them
// all at once.
class WorkGeometries : public CommonData::CommonBaseGroupEntity,
                       public CommonData::IComponentObject,
                       public CommonData::IVisibilityToggle,
                       public IScriptableObject {
    KV_GEOMETRY_ENTITY(WorkGeometries, CommonData::CommonBaseGroupEntity)

public:
    static StrongRefCreator<WorkGeometries> make(IComponent* component);

    StrongRef<WorkGeometry> workGeometry(unsigned int index) const;

    // The next number of each kind, recorded as a change of the collection;
    // the first of each is 1.
    int getNextWorkPlaneID();
    int getNextWorkAxisID();
    int getNextWorkPointID();
    int highWaterMarkPlanes() const { return m_highWaterMarkPlanes; }
    int highWaterMarkAxes() const { return m_highWaterMarkAxes; }
    int highWaterMarkPoints() const { return m_highWaterMarkPoints; }

    bool isVisible(CommonData::IComponentTraversalContext* context = nullptr) override;
    void isVisible(bool visible);
    bool toggleVisibility(const ObjectPath& path) override;

    Entity* componentObjectEntity() override { return this; }

    // Scripting name "WorkGeometries"; children are found by user name.
    bool getOnk(Onk& key) override;
    IScriptableObject* getChildObject(const Onk& key, const ObjectPath& path) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::WorkGeometries")

protected:
    WorkGeometries(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit WorkGeometries(Entity* component);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
    int nextID(int& highWaterMark);

    int m_highWaterMarkPlanes = 0;
    int m_highWaterMarkAxes = 0;
    int m_highWaterMarkPoints = 0;
    bool m_visible = true;
};

} // namespace Kv::Geometry
