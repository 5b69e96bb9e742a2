#pragma once

#include "Kv/Base/StrongRef.h"

#include <functional>
#include <map>

namespace Wyn::Graphics {
class ARenderNode;
}

namespace Kv {
class Entity;
namespace Scene {
class NodeChange;
}
} // namespace Kv

namespace Kv::Geometry {

class Curve3D;
class CurveUses;
class Point3D;
class Spline3D;

// What tangent and curvature handles share: they belong to the splines in
// their curve uses, leave the sketch once none is left, pass changes of their
// own geometry on to those splines, and draw in the sketch's inference colour.
class SplineHandle {
public:
    // The fit point of the first spline among `uses`, at the index `indexOf`
    // finds the handle under in that spline's list (-1: not listed).
    static StrongRef<Point3D> fitPoint(const CurveUses* uses,
                                       const std::function<int(const Spline3D&)>& indexOf);
    template <class Handle>
    static int indexOf(const std::map<int, StrongRef<Handle>>& handles, const Handle* handle) {
        for (const auto& [index, held] : handles)
            if (held.get() == handle)
                return index;
        return -1;
    }
    // Takes the handle out of its group when no curve uses it and the group
    // is not going itself.
    static void removeIfNoUse(Entity& handle, const CurveUses* uses);
    // Refits the splines using the handle, after its geometry changed.
    static void updateSplines(const CurveUses* uses);
    // The handle's colour, effect, weight and depth on its curve node `node`,
    // and its visibility on the node being realised.
    static void realizeAppearance(const Curve3D& handle, Wyn::Graphics::ARenderNode* node,
                                  Scene::NodeChange& realized);
    // The inference colour of the active environment on `node`.
    static void recolor(Wyn::Graphics::ARenderNode* node);
};

} // namespace Kv::Geometry
