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

// A component's origin set: the fixed planes, axes and point at its origin,
// hidden until the user shows them.
class OriginWorkGeometry : public CommonData::CommonBaseGroupEntity,
                           public CommonData::IComponentObject,
                           public CommonData::IVisibilityToggle,
                           public IScriptableObject {
    KV_GEOMETRY_ENTITY(OriginWorkGeometry, CommonData::CommonBaseGroupEntity)

public:
    // An empty, hidden origin set.
    static StrongRefCreator<OriginWorkGeometry> make(IComponent* component);
    // The origin set a new component starts with: the YZ, XZ and XY planes,
    // the X, Y and Z axes and the centre point, under their fixed names.
    static StrongRefCreator<OriginWorkGeometry> makeStandard(IComponent* component);

    unsigned int originWorkGeometries() const { return static_cast<unsigned int>(childCount()); }
    StrongRef<WorkGeometry> originWorkGeometry(unsigned int index) const;

    bool isVisible(CommonData::IComponentTraversalContext* context = nullptr) override;
    void isVisible(bool visible);
    bool toggleVisibility(const ObjectPath& path) override;

    Entity* componentObjectEntity() override { return this; }

    // Scripting name "OriginWorkGeometry"; children are found by user name.
    bool getOnk(Onk& key) override;
    IScriptableObject* getChildObject(const Onk& key, const ObjectPath& path) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::OriginWorkGeometry")

protected:
    OriginWorkGeometry(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit OriginWorkGeometry(Entity* component);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();

    bool m_visible = false;
};

} // namespace Kv::Geometry
