#pragma once

// A document with one sketch for the tests of sketch geometry, the kinds of
// geometry they draw, and the checks they share: deleting as the user does,
// use lists, printed members and the scene's attributes.

#include "../sketch3d/SketchModelDocument.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/CurvatureHandle.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/curves3d/TangentHandle.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Wyn/Graphics/Attribute.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace Kv::Geometry::Tests {

using SketchTests::describeModel;

class SketchTestDocument : public SketchTests::SketchModelDocument {
public:
    SketchTestDocument();

    // The entity of the same segment and identifier in an opened copy.
    Entity* counterpart(Asset& opened, const Entity* entity) const;
    bool inSketch(const Entity* entity) const;
    // Deletes `entity` as the user would: through the request it offers for
    // itself, with `adjust` applied to the request first.
    void deleteThroughRequest(Geometry3D& entity,
                              const std::function<void(Request*)>& adjust = {}) const;
    // The scene as a view would draw it now.
    void realize();

    StrongRef<Sketch> sketch;
    StrongRef<Entity> parent; // the sketch, as the makes take it
};

// The persisted members of `entity`, one "name = value" line each.
std::string printed(Entity* entity);
std::vector<std::string> ownMemberNames(const MemberSet& set);
bool usedBy(const StrongRef<Point3D>& point, Curve3D* curve);

const Wyn::Graphics::Attribute* attribute(const Wyn::Graphics::ARenderNode* node,
                                          Wyn::Graphics::AttributeType type);
bool hidden(const Wyn::Graphics::ARenderNode* node);
// Whether the node draws in exactly `expected`.
bool drawnIn(const Wyn::Graphics::ARenderNode* node, const Color& expected);

} // namespace Kv::Geometry::Tests
