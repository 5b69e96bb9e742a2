#pragma once

#include "Geometry/sketch2d/GeometryBase2D.h"

namespace Kv::Geometry {

// A single item of a 2D sketch (as opposed to a group): points and curves.
class Geometry2D : public GeometryBase2D {
    KV_GEOMETRY_ENTITY(Geometry2D, GeometryBase2D)

public:
    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Geometry2D")

protected:
    explicit Geometry2D(Entity* parent);
    Geometry2D(Segment* segment, uint64_t id);

    std::wstring onToString() const override;

private:
    void initializeMemberSetIfNeeded();
};

} // namespace Kv::Geometry
