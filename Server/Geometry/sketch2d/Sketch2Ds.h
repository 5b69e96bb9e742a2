#pragma once

#include "Geometry/GeometryEntity.h"
#include "Kv/CommonData/CommonBaseGroupEntity.h"
#include "Kv/DataModel/IScriptableObject.h"

namespace Kv {
class IComponent;
}

namespace Kv::Geometry {

class Sketch2D;

// A component's 2D sketches, in order.
class Sketch2Ds : public CommonData::CommonBaseGroupEntity, public IScriptableObject {
    KV_GEOMETRY_ENTITY(Sketch2Ds, CommonData::CommonBaseGroupEntity)

public:
    static StrongRefCreator<Sketch2Ds> make(IComponent* component);

    unsigned int sketch2Ds() const { return static_cast<unsigned int>(childCount()); }
    // The child at `index` as a 2D sketch (null if it is none).
    StrongRef<Sketch2D> sketch2D(unsigned int index) const;

    // Scripting name "Sketch2Ds".
    bool getOnk(Onk& key) override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Sketch2Ds")

protected:
    Sketch2Ds(Segment* segment, uint64_t id);
    std::wstring onToString() const override;

private:
    explicit Sketch2Ds(Entity* component);
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::Geometry
