#include "Geometry/selection/Geometry2DSelectionFilter.h"

#include "Geometry/selection/Geometry2DSelection.h"
#include "Geometry/selection/GeometrySelectionGlobals.h"
#include "Geometry/sketch2d/Arc2D.h"
#include "Geometry/sketch2d/EllipticArc2D.h"
#include "Geometry/sketch2d/GeometryGroup2D.h"
#include "Geometry/sketch2d/Line2D.h"
#include "Geometry/sketch2d/Point2D.h"
#include "Geometry/sketch2d/Spline2D.h"

namespace Kv::Geometry {
namespace {

// One instance per flag value, made on first use and kept until unload.
template <uint32_t Flags> Geometry2DSelectionFilter& instance() {
    struct Instance : Geometry2DSelectionFilter {
        Instance()
            : Geometry2DSelectionFilter(Flags) {}
    };
    static Instance filter;
    return filter;
}

bool hasAll(uint32_t flags, uint32_t wanted) {
    return (flags & wanted) == wanted;
}

} // namespace

Geometry2DSelectionFilter& Geometry2DSelectionFilter::any() {
    return instance<kAny>();
}

Geometry2DSelectionFilter& Geometry2DSelectionFilter::lines() {
    return instance<kLines>();
}

Geometry2DSelectionFilter& Geometry2DSelectionFilter::circularCurves() {
    return instance<kCircularCurves>();
}

Geometry2DSelectionFilter& Geometry2DSelectionFilter::anyCurves() {
    return instance<kAnyCurves>();
}

Geometry2DSelectionFilter& Geometry2DSelectionFilter::points() {
    return instance<kPoints>();
}

Geometry2DSelectionFilter& Geometry2DSelectionFilter::groups() {
    return instance<kGroups>();
}

StrongRef<Selection> Geometry2DSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                         const SelectionFilterContext*) const {
    auto* selection = ::Kv::queryInterface<Geometry2DSelection>(candidate.get());
    const StrongRef<GeometryBase2D> item =
        selection ? selection->geometry() : StrongRef<GeometryBase2D>();
    if (!item)
        return {};
    Entity* entity = item.get();
    const bool passes =
        (hasAll(m_flags, kLines) && ::Kv::queryInterface<Line2D>(entity)) ||
        (hasAll(m_flags, kCircularCurves) && ::Kv::queryInterface<Arc2D>(entity)) ||
        (hasAll(m_flags, kAnyCurves) &&
         (::Kv::queryInterface<EllipticArc2D>(entity) || ::Kv::queryInterface<Spline2D>(entity))) ||
        (hasAll(m_flags, kPoints) && ::Kv::queryInterface<Point2D>(entity)) ||
        (hasAll(m_flags, kGroups) && ::Kv::queryInterface<GeometryGroup2D>(entity));
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* Geometry2DSelectionFilter::onSelectionCategory() const {
    return &g_geometry2DSelectionCategory;
}

void* Geometry2DSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
