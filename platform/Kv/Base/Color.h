#pragma once

namespace Kv {

// An RGBA colour with components in 0..1.
struct Color {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;

    Color() = default;
    Color(float r, float g, float b, float a = 1.0f)
        : red(r)
        , green(g)
        , blue(b)
        , alpha(a) {}

    // From the theme's four-float form, alpha first.
    static Color fromArgb(const float argb[4]) { return Color(argb[1], argb[2], argb[3], argb[0]); }

    bool operator==(const Color& o) const {
        return red == o.red && green == o.green && blue == o.blue && alpha == o.alpha;
    }
    bool operator!=(const Color& o) const { return !(*this == o); }
};

} // namespace Kv
