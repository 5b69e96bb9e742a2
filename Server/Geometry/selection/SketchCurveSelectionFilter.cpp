#include "Geometry/selection/SketchCurveSelectionFilter.h"

#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/selection/GeometrySelectionGlobals.h"
#include "Geometry/selection/SketchCurveSelection.h"

namespace Kv::Geometry {
namespace {

// One instance per flag value, made on first use and kept until unload.
template <uint32_t Flags> SketchCurveSelectionFilter& instance() {
    struct Instance : SketchCurveSelectionFilter {
        Instance()
            : SketchCurveSelectionFilter(Flags) {}
    };
    static Instance filter;
    return filter;
}

} // namespace

SketchCurveSelectionFilter& SketchCurveSelectionFilter::anyCurves() {
    return instance<kAnyCurves>();
}

SketchCurveSelectionFilter& SketchCurveSelectionFilter::TextBorder() {
    return instance<kTextBorders>();
}

SketchCurveSelectionFilter& SketchCurveSelectionFilter::lines() {
    return instance<kLines>();
}

SketchCurveSelectionFilter& SketchCurveSelectionFilter::circularCurves() {
    return instance<kCircularCurves>();
}

SketchCurveSelectionFilter& SketchCurveSelectionFilter::geometryCurves2D() {
    return instance<kGeometryCurves2D>();
}

SketchCurveSelectionFilter& SketchCurveSelectionFilter::geometryCurves() {
    return instance<kGeometryCurves>();
}

StrongRef<Selection> SketchCurveSelectionFilter::onFilter(const StrongRef<Selection>& candidate,
                                                          const SelectionFilterContext*) const {
    auto* selection = ::Kv::queryInterface<SketchCurveSelection>(candidate.get());
    const StrongRef<Curve3D> curve = selection ? selection->curve() : StrongRef<Curve3D>();
    if (!curve)
        return {};
    const bool passes =
        ((m_flags & kLines) && ::Kv::queryInterface<Line3D>(curve.get())) ||
        ((m_flags & kCircularCurves) && ::Kv::queryInterface<CircArc3D>(curve.get())) ||
        ((m_flags & kOtherCurves) && (::Kv::queryInterface<EllipticArc3D>(curve.get()) ||
                                      ::Kv::queryInterface<Spline3D>(curve.get()))) ||
        ((m_flags & kTextBorders) && curve->geomType() == Geometry3D::kTextBorder);
    return passes ? candidate : StrongRef<Selection>();
}

SelectionCategory* SketchCurveSelectionFilter::onSelectionCategory() const {
    return &g_sketchCurveSelectionCategory;
}

void* SketchCurveSelectionFilter::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : SwitchableSelectionFilter::queryInterface(id);
}

} // namespace Kv::Geometry
