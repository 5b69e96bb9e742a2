#pragma once

#include "Kv/Selection/SwitchableSelectionFilter.h"

#include <cstdint>

namespace Kv::Geometry {

// Accepts picked 2D items of the kinds its flags name. Lines and arcs have a
// bit each; elliptic arcs and splines need both, so only the filters for any
// curve pass them.
class Geometry2DSelectionFilter : public SwitchableSelectionFilter {
public:
    enum EFlags : uint32_t {
        kLines = 1,                            // Line2D
        kCircularCurves = 2,                   // Arc2D
        kAnyCurves = kLines | kCircularCurves, // adds EllipticArc2D and Spline2D
        kPoints = 4,                           // Point2D
        kGroups = 8,                           // GeometryGroup2D
        kAny = 255,
    };

    static Geometry2DSelectionFilter& any();
    static Geometry2DSelectionFilter& lines();
    static Geometry2DSelectionFilter& circularCurves();
    static Geometry2DSelectionFilter& anyCurves();
    static Geometry2DSelectionFilter& points();
    static Geometry2DSelectionFilter& groups();

    uint32_t flags() const { return m_flags; }

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::Geometry2DSelectionFilter")

protected:
    explicit Geometry2DSelectionFilter(uint32_t flags)
        : m_flags(flags) {}

    // Passes a Geometry2DSelection whose item still exists and is of a
    // flagged kind.
    StrongRef<Selection> onFilter(const StrongRef<Selection>& candidate,
                                  const SelectionFilterContext* context) const override;
    SelectionCategory* onSelectionCategory() const override;

private:
    uint32_t m_flags;
};

} // namespace Kv::Geometry
