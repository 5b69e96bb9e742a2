#pragma once

#include "Kv/Base/PassiveRef.h"

#include <functional>
#include <vector>

namespace Kv::Geometry {

class Curve3D;
class CurveUses;
class Spline3D;

// The curves to bring up to date after their points changed, such as the
// splines a deletion request changed, fitted again once it has run: each
// once, in the order they were met.
class CurvesToUpdate {
public:
    // Keeps every curve among `uses`.
    void add(const CurveUses* uses);
    // Calls `edit` on every spline among `uses` (a copy of them, as edits
    // change the list) and keeps those it says it changed.
    void editSplines(const CurveUses* uses, const std::function<bool(Spline3D&)>& edit);
    // Calls updateCurve on every curve kept that is still alive, and forgets
    // them.
    void updateAll();

private:
    void keep(Curve3D* curve);

    std::vector<PassiveRef<Curve3D>> m_curves;
};

} // namespace Kv::Geometry
