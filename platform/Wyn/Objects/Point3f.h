#pragma once

namespace Wyn::Objects {

// A single-precision position or direction, as meshes store their vertices.
struct Point3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    constexpr Point3f() = default;
    constexpr Point3f(float px, float py, float pz)
        : x(px)
        , y(py)
        , z(pz) {}

    bool operator==(const Point3f& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Point3f& o) const { return !(*this == o); }
};

} // namespace Wyn::Objects
