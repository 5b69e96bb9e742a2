#pragma once

#include "Geometry/GeometryEntity.h"
#include "Geometry/workgeometry/WorkGeometryCollection.h"

namespace Kv {
class IComponent;
}

namespace Kv::Geometry {

class WorkGeometry;

// A component's origin set: the fixed planes, axes and point at its origin,
// hidden until the user shows them.
class OriginWorkGeometry : public ToggledWorkGeometryCollection<OriginWorkGeometry> {
    KV_GEOMETRY_ENTITY(OriginWorkGeometry, CommonData::CommonBaseGroupEntity)

public:
    // Scripting name; children are found by user name.
    static constexpr const wchar_t* kScriptingName = L"OriginWorkGeometry";

    // An empty, hidden origin set.
    static StrongRefCreator<OriginWorkGeometry> make(IComponent* component);
    // The origin set a new component starts with: the YZ, XZ and XY planes,
    // the X, Y and Z axes and the centre point, under their fixed names.
    static StrongRefCreator<OriginWorkGeometry> makeStandard(IComponent* component);

    unsigned int originWorkGeometries() const { return static_cast<unsigned int>(childCount()); }
    StrongRef<WorkGeometry> originWorkGeometry(unsigned int index) const;

    // An OriginWorkGeometrySelection of the collection.
    StrongRef<LogicalSelection> onCreateLogicalSelection(const ObjectPath& path) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::OriginWorkGeometry")

protected:
    OriginWorkGeometry(Segment* segment, uint64_t id);

private:
    explicit OriginWorkGeometry(Entity* component);
    void initializeMemberSet(uint32_t version, MemberSet& memberSet);
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::Geometry
