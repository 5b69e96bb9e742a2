#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

#include <cstdint>

namespace Kv::Geometry {

// Accepts picked sketch curves of the kinds its flags name. Each kind has a
// bit; a curve passes when the bit of its kind is set, so the combined
// filters pass the union of their kinds.
class SketchCurveSelectionFilter : public SwitchableSelectionFilter {
public:
    enum EFlags : uint32_t {
        kLines = 1,          // Line3D (text borders are lines too)
        kCircularCurves = 2, // CircArc3D
        kOtherCurves = 4,    // EllipticArc3D, Spline3D
        kCurves2D = 8,       // reserved for 2D curves, of which no sketch curve is one
        kTextBorders = 16,   // curves of geometry type TextBorder
        kGeometryCurves = kLines | kCircularCurves | kOtherCurves,
        kGeometryCurves2D = kGeometryCurves | kCurves2D,
        kAnyCurves = kGeometryCurves | kTextBorders,
    };

    static SketchCurveSelectionFilter& anyCurves();
    static SketchCurveSelectionFilter& TextBorder();
    static SketchCurveSelectionFilter& lines();
    static SketchCurveSelectionFilter& circularCurves();
    static SketchCurveSelectionFilter& geometryCurves2D();
    static SketchCurveSelectionFilter& geometryCurves();

    uint32_t flags() const { return m_flags; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::SketchCurveSelectionFilter")

protected:
    explicit SketchCurveSelectionFilter(uint32_t flags)
        : m_flags(flags) {}

    // Passes a SketchCurveSelection whose curve still exists and is of a
    // flagged kind.
    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    SelectionCategory* onSelectionCategory() const override;

private:
    uint32_t m_flags;
};

} // namespace Kv::Geometry
