#pragma once

#include "ZkGePoint2d.h"

#include <memory>
#include <vector>

namespace Wyn::Objects {

// One piece of a glyph outline in the text plane: a straight segment or a
// quadratic piece. Parameters run from 0 at the start to 1 at the end.
class Curve2d {
public:
    enum class Kind { LineSegment, QuadraticSegment };

    virtual ~Curve2d() = default;
    virtual Kind kind() const = 0;
    virtual ZkGePoint2d startPoint() const = 0;
    virtual ZkGePoint2d endPoint() const = 0;
    virtual ZkGePoint2d evalPoint(double t) const = 0;
};

// One closed contour of an outline, its pieces in drawing order.
using CurveList = std::vector<std::shared_ptr<const Curve2d>>;

} // namespace Wyn::Objects
