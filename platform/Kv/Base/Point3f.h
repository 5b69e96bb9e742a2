#pragma once

namespace Kv {

// A single-precision point, as the graphics system takes positions.
struct Point3f {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Point3f() = default;
    Point3f(float px, float py, float pz)
        : x(px)
        , y(py)
        , z(pz) {}
    bool operator==(const Point3f& o) const { return x == o.x && y == o.y && z == o.z; }
    bool operator!=(const Point3f& o) const { return !(*this == o); }
};

} // namespace Kv
