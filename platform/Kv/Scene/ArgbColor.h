#pragma once

#include "Kv/Base/Color.h"

namespace Kv::Scene {

// A theme colour as environments hand it out: four floats, alpha first, then
// red, green and blue. It reads as a float array, so callers can index it or
// pass it to Color::fromArgb.
struct ArgbColor {
    float argb[4] = {1.0f, 0.0f, 0.0f, 0.0f};

    constexpr ArgbColor() = default;
    constexpr ArgbColor(float alpha, float red, float green, float blue)
        : argb{alpha, red, green, blue} {}

    operator const float*() const { return argb; }
    float alpha() const { return argb[0]; }
    float red() const { return argb[1]; }
    float green() const { return argb[2]; }
    float blue() const { return argb[3]; }
    Color toColor() const { return Color::fromArgb(argb); }

    bool operator==(const ArgbColor& o) const {
        return argb[0] == o.argb[0] && argb[1] == o.argb[1] && argb[2] == o.argb[2] &&
               argb[3] == o.argb[3];
    }
    bool operator!=(const ArgbColor& o) const { return !(*this == o); }
};

} // namespace Kv::Scene
