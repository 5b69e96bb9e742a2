#pragma once

#include "Geometry/selection/Geometry3DSelection.h"

#include "ZkGePoint3d.h"

namespace Kv::Geometry {

class Curve3D;
class Geometry3D;

// A picked sketch curve. It offers lines and circular arcs as a line (the
// line itself, the arc's axis) and measures as a curve.
class SketchCurveSelection : public Geometry3DSelection {
public:
    // The curve is only checked against the path: the leaf is what counts.
    static StrongRefCreator<SketchCurveSelection> make(const ObjectPath& path,
                                                       StrongRef<Geometry3D> curve);

    // The path's leaf as a sketch curve; null when it is something else or no longer
    // lives in its document.
    StrongRef<Curve3D> curve() const;

    // Where on the curve the user clicked, in the coordinates of the curve's
    // sketch: the curve point nearest where the pick ray meets the sketch
    // plane. Without a pick, or when the ray runs parallel to the plane, the
    // middle of a bounded curve (the point at parameter 0 of another). False
    // when the curve is gone or lies outside a sketch (`point` then holds the
    // middle all the same when there is a curve).
    bool sketchSpaceHitPoint(ZkGePoint3d& point) const;
    // The same point in the coordinates of the component holding the sketch.
    bool parentComponentSpaceHitPoint(ZkGePoint3d& point) const;

    std::wstring userName() const override;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::Geometry::SketchCurveSelection")

protected:
    explicit SketchCurveSelection(const ObjectPath& path);

    // A line: the infinite line through its ends; a circular arc: its axis.
    bool onProvidesLine(ZkGeLine3d& line) const override;
    bool onHitPoint(ZkGePoint3d& point) const override;
    // A MeasurableCurve on the curve's kernel curve; null without a curve.
    Measurable* onMakeMeasurable() override;
};

} // namespace Kv::Geometry
