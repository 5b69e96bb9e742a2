#pragma once

// Kinds of kernel entities, so callers can dispatch on an entity without RTTI.
// Kept apart from ZkGe.h because ZkGe.h includes every entity header.
namespace ZkGe {

enum EntityId {
    kEntity3d,
    kCurve3d,
    kLinearEnt3d,
    kLine3d,
    kLineSeg3d,
    kRay3d,
    kPlanarEnt,
    kPlane,
    kCircArc3d,
    kEllipArc3d,
    kNurbCurve3d,
    kCircArc2d,
    kEllipArc2d,
    kNurbCurve2d,
    kCurve2d,
};

} // namespace ZkGe
