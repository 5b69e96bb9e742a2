#pragma once

namespace Wyn::Objects {

// A texture coordinate: u to the right, v downwards, both 0..1 across an image.
struct TexCoord {
    float u = 0.0f;
    float v = 0.0f;

    constexpr TexCoord() = default;
    constexpr TexCoord(float pu, float pv)
        : u(pu)
        , v(pv) {}

    bool operator==(const TexCoord& o) const { return u == o.u && v == o.v; }
    bool operator!=(const TexCoord& o) const { return !(*this == o); }
};

} // namespace Wyn::Objects
