#include "Kv/DataModel/KernelCurveCodecs.h"

#include <boost/format.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace Kv {
namespace Detail {
namespace {

ZkGePoint2d readPoint2d(ByteReader& in, const char* valueClass) {
    double x = readCoordinate(in, valueClass);
    return ZkGePoint2d(x, readCoordinate(in, valueClass));
}

ZkGeVector2d readVector2d(ByteReader& in, const char* valueClass) {
    return readPoint2d(in, valueClass).asVector();
}

double readRadius(ByteReader& in, const char* valueClass) {
    double radius = readCoordinate(in, valueClass);
    if (radius < 0.0)
        throw FormatError(
            (boost::format("a %1% has the negative radius %2%") % valueClass % radius).str());
    return radius;
}

// The kernel keeps the major radius the larger one by swapping the axes, so
// written data never has it the other way round.
void checkRadii(double majorRadius, double minorRadius, const char* valueClass) {
    if (minorRadius > majorRadius)
        throw FormatError(
            (boost::format("a %1% has a minor radius %2% above its major radius %3%") % valueClass %
             minorRadius % majorRadius)
                .str());
}

bool readFlag(ByteReader& in, const char* valueClass) {
    uint8_t flag = in.read<uint8_t>();
    if (flag > 1)
        throw FormatError(
            (boost::format("a %1% holds the flag value %2%") % valueClass % unsigned(flag)).str());
    return flag == 1;
}

// A zero axis would be replaced by a default one, so it cannot have been written.
template <class Vector>
void checkAxis(const Vector& axis, const char* valueClass, const char* name) {
    if (axis.isZeroLength())
        throw FormatError((boost::format("a %1% has a zero %2%") % valueClass % name).str());
}

// The count of items of `itemSize` bytes that follow. A damaged count would
// otherwise make the reader allocate for items the data cannot hold.
int readCount(ByteReader& in, size_t itemSize, const char* valueClass) {
    uint32_t count = in.read<uint32_t>();
    if (count > in.remaining() / itemSize)
        throw FormatError((boost::format("a %1% announces %2% items, more than its data holds") %
                           valueClass % count)
                              .str());
    return static_cast<int>(count);
}

// What the spline codec needs to know about the space of a curve class.
template <class Curve> struct NurbsSpace;

template <> struct NurbsSpace<ZkGeNurbCurve3d> {
    using Point = ZkGePoint3d;
    using Vector = ZkGeVector3d;
    static constexpr size_t kPointSize = 3 * sizeof(double);
    static void write(const Point& p, ByteWriter& out) { ValueCodec<Point>::encode(p, out); }
    static void write(const Vector& v, ByteWriter& out) { ValueCodec<Vector>::encode(v, out); }
    static Point readPoint(ByteReader& in, const char* c) { return readPoint3d(in, c); }
    static Vector readVector(ByteReader& in, const char* c) { return readVector3d(in, c); }
};

template <> struct NurbsSpace<ZkGeNurbCurve2d> {
    using Point = ZkGePoint2d;
    using Vector = ZkGeVector2d;
    static constexpr size_t kPointSize = 2 * sizeof(double);
    static void write(const Point& p, ByteWriter& out) { ValueCodec<Point>::encode(p, out); }
    static void write(const Vector& v, ByteWriter& out) { ValueCodec<Vector>::encode(v, out); }
    static Point readPoint(ByteReader& in, const char* c) { return readPoint2d(in, c); }
    static Vector readVector(ByteReader& in, const char* c) { return readVector2d(in, c); }
};

void writeNumbers(const std::vector<double>& numbers, ByteWriter& out) {
    out.write<uint32_t>(static_cast<uint32_t>(numbers.size()));
    for (double number : numbers)
        out.write(number);
}

std::vector<double> readNumbers(ByteReader& in, const char* key) {
    std::vector<double> numbers(static_cast<size_t>(readCount(in, sizeof(double), key)));
    for (double& number : numbers)
        number = readCoordinate(in, key);
    return numbers;
}

template <class Space>
void writePoints(const ZkArray<typename Space::Point>& points, ByteWriter& out) {
    out.write<uint32_t>(static_cast<uint32_t>(points.length()));
    for (const auto& point : points)
        Space::write(point, out);
}

template <class Space> ZkArray<typename Space::Point> readPoints(ByteReader& in, const char* key) {
    const int count = readCount(in, Space::kPointSize, key);
    ZkArray<typename Space::Point> points;
    points.setPhysicalLength(count);
    for (int i = 0; i < count; ++i)
        points.append(Space::readPoint(in, key));
    return points;
}

} // namespace

template <class Curve> void NurbsCodec<Curve>::encode(const Curve& curve, ByteWriter& out) {
    using Space = NurbsSpace<Curve>;
    int degree = 0;
    bool rational = false;
    bool periodic = false;
    ZkGeKnotVector knots;
    ZkArray<typename Space::Point> points;
    ZkArray<double> weights;
    curve.getDefinitionData(degree, rational, periodic, knots, points, weights);
    out.write<int32_t>(degree);
    out.write<uint8_t>(periodic ? 1 : 0);
    out.write(knots.tolerance());
    writeNumbers(knots.asStdVector(), out);
    writePoints<Space>(points, out);
    writeNumbers(weights.asStdVector(), out);

    ZkArray<typename Space::Point> fitPoints;
    ZkGeTol fitTol;
    bool tangentsExist = false;
    typename Space::Vector startTangent;
    typename Space::Vector endTangent;
    const bool hasFit =
        curve.getFitData(fitPoints, fitTol, tangentsExist, startTangent, endTangent);
    out.write<uint8_t>(hasFit ? 1 : 0);
    if (!hasFit)
        return;
    writePoints<Space>(fitPoints, out);
    out.write(fitTol.equalPoint());
    out.write(fitTol.equalVector());
    out.write<uint8_t>(tangentsExist ? 1 : 0);
    Space::write(startTangent, out);
    Space::write(endTangent, out);
}

template <class Curve> Curve NurbsCodec<Curve>::decode(ByteReader& in, const char* key) {
    using Space = NurbsSpace<Curve>;
    const int32_t degree = in.read<int32_t>();
    if (degree < 1)
        throw FormatError((boost::format("a %1% has degree %2%") % key % degree).str());
    const bool periodic = readFlag(in, key);
    const double knotTolerance = readCoordinate(in, key);
    if (knotTolerance < 0.0)
        throw FormatError(
            (boost::format("a %1% has the negative knot tolerance %2%") % key % knotTolerance)
                .str());
    const std::vector<double> knots = readNumbers(in, key);
    for (size_t i = 1; i < knots.size(); ++i) {
        if (knots[i] < knots[i - 1])
            throw FormatError(
                (boost::format("the knots of a %1% decrease at knot %2%") % key % i).str());
    }
    const ZkArray<typename Space::Point> points = readPoints<Space>(in, key);
    const ZkArray<double> weights(readNumbers(in, key));

    Curve curve;
    const bool empty = points.isEmpty() && knots.empty() && weights.isEmpty();
    if (!empty && !curve.setDefinitionData(degree, ZkGeKnotVector(knots, knotTolerance), points,
                                           weights, periodic)) {
        throw FormatError((boost::format("a %1%%2% of degree %3% cannot have %4% knots, %5% "
                                         "control points and %6% weights") %
                           (periodic ? "periodic " : "") % key % degree % knots.size() %
                           points.length() % weights.length())
                              .str());
    }
    if (!readFlag(in, key))
        return curve;

    const ZkArray<typename Space::Point> fitPoints = readPoints<Space>(in, key);
    const double equalPoint = readCoordinate(in, key);
    const double equalVector = readCoordinate(in, key);
    if (equalPoint < 0.0 || equalVector < 0.0)
        throw FormatError((boost::format("a %1% has a negative fit tolerance") % key).str());
    const bool tangentsExist = readFlag(in, key);
    const typename Space::Vector startTangent = Space::readVector(in, key);
    const typename Space::Vector endTangent = Space::readVector(in, key);
    if (!tangentsExist && (!startTangent.isZeroLength() || !endTangent.isZeroLength()))
        throw FormatError(
            (boost::format("a %1% has end tangents but says it has none") % key).str());

    curve.restoreFitData(fitPoints, ZkGeTol(equalPoint, equalVector), tangentsExist, startTangent,
                         endTangent);
    return curve;
}

template struct NurbsCodec<ZkGeNurbCurve3d>;
template struct NurbsCodec<ZkGeNurbCurve2d>;

} // namespace Detail

ZkGeCircArc3d ValueCodec<ZkGeCircArc3d>::decode(ByteReader& in) {
    const ZkGePoint3d center = Detail::readPoint3d(in, key());
    const ZkGeVector3d normal = Detail::readVector3d(in, key());
    const ZkGeVector3d refVec = Detail::readVector3d(in, key());
    Detail::checkAxis(normal, key(), "normal");
    Detail::checkAxis(refVec, key(), "reference vector");
    const double radius = Detail::readRadius(in, key());
    const double startAng = Detail::readCoordinate(in, key());
    const double endAng = Detail::readCoordinate(in, key());
    return ZkGeCircArc3d(center, normal, refVec, radius, startAng, endAng);
}

ZkGeCircArc2d ValueCodec<ZkGeCircArc2d>::decode(ByteReader& in) {
    const ZkGePoint2d center = Detail::readPoint2d(in, key());
    const double radius = Detail::readRadius(in, key());
    const ZkGeVector2d refVec = Detail::readVector2d(in, key());
    Detail::checkAxis(refVec, key(), "reference vector");
    const double startAng = Detail::readCoordinate(in, key());
    const double endAng = Detail::readCoordinate(in, key());
    return ZkGeCircArc2d(center, radius, startAng, endAng, refVec);
}

ZkGeEllipArc3d ValueCodec<ZkGeEllipArc3d>::decode(ByteReader& in) {
    const ZkGePoint3d center = Detail::readPoint3d(in, key());
    const ZkGeVector3d majorAxis = Detail::readVector3d(in, key());
    const ZkGeVector3d minorAxis = Detail::readVector3d(in, key());
    Detail::checkAxis(majorAxis, key(), "major axis");
    Detail::checkAxis(minorAxis, key(), "minor axis");
    const double majorRadius = Detail::readRadius(in, key());
    const double minorRadius = Detail::readRadius(in, key());
    Detail::checkRadii(majorRadius, minorRadius, key());
    const double startAng = Detail::readCoordinate(in, key());
    const double endAng = Detail::readCoordinate(in, key());
    return ZkGeEllipArc3d(center, majorAxis, minorAxis, majorRadius, minorRadius, startAng, endAng);
}

ZkGeEllipArc2d ValueCodec<ZkGeEllipArc2d>::decode(ByteReader& in) {
    const ZkGePoint2d center = Detail::readPoint2d(in, key());
    const ZkGeVector2d majorAxis = Detail::readVector2d(in, key());
    Detail::checkAxis(majorAxis, key(), "major axis");
    const double majorRadius = Detail::readRadius(in, key());
    const double minorRadius = Detail::readRadius(in, key());
    Detail::checkRadii(majorRadius, minorRadius, key());
    const double startAng = Detail::readCoordinate(in, key());
    const double endAng = Detail::readCoordinate(in, key());
    return ZkGeEllipArc2d(center, majorAxis, majorRadius, minorRadius, startAng, endAng);
}

} // namespace Kv
