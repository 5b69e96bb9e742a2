#include "ZkGeNurbsFormat.h"

#include "ZkGeFormat.h"
#include "ZkGeNurbCurve2d.h"
#include "ZkGeNurbCurve3d.h"

#include <type_traits>

namespace {

template <class T> std::string list(const ZkArray<T>& values) {
    std::string text = "[";
    for (int i = 0; i < values.length(); ++i) {
        if (i > 0)
            text += ", ";
        if constexpr (std::is_same_v<T, double>)
            text += ZkGeFormat::number(values[i]);
        else
            text += ZkGeFormat::toString(values[i]);
    }
    return text + "]";
}

// Both curve classes answer the same questions, so one writer serves both.
template <class Curve, class Point, class Vector> std::string curveText(const Curve& curve) {
    int degree = 0;
    bool rational = false;
    bool periodic = false;
    ZkGeKnotVector knots;
    ZkArray<Point> points;
    ZkArray<double> weights;
    curve.getDefinitionData(degree, rational, periodic, knots, points, weights);
    std::string text = "nurbs(" + std::to_string(degree) + ", " + (periodic ? "periodic " : "") +
                       ZkGeNurbsFormat::toString(knots) + ", " + list(points) + ", " +
                       list(weights);
    ZkArray<Point> fitPoints;
    ZkGeTol fitTol;
    bool tangentsExist = false;
    Vector start;
    Vector end;
    if (curve.getFitData(fitPoints, fitTol, tangentsExist, start, end)) {
        text += ", fit " + list(fitPoints);
        if (tangentsExist) {
            text += ", tangents (" + ZkGeFormat::toString(start) + ", " +
                    ZkGeFormat::toString(end) + ")";
        }
    }
    return text + ")";
}

} // namespace

std::string ZkGeNurbsFormat::toString(const ZkGeKnotVector& knots) {
    return list(ZkArray<double>(knots.asStdVector()));
}

std::string ZkGeNurbsFormat::toString(const ZkGeNurbCurve3d& curve) {
    return curveText<ZkGeNurbCurve3d, ZkGePoint3d, ZkGeVector3d>(curve);
}

std::string ZkGeNurbsFormat::toString(const ZkGeNurbCurve2d& curve) {
    return curveText<ZkGeNurbCurve2d, ZkGePoint2d, ZkGeVector2d>(curve);
}
