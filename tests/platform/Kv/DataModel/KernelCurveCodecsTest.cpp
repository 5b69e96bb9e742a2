#include "../ErrorMessage.h"
#include "KernelValueBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace Kv::Tests {
namespace {

// The bytes with one number replaced.
template <class N> std::string with(std::string bytes, size_t offset, N value) {
    std::memcpy(&bytes[offset], &value, sizeof value);
    return bytes;
}

const ZkArray<ZkGePoint3d> kFitPoints{ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 2, 0.5),
                                      ZkGePoint3d(3, 1.5, -1), ZkGePoint3d(6, 1, 2)};

ZkGeNurbCurve3d quarterCircle() {
    return ZkGeNurbCurve3d(2, ZkGeKnotVector{0, 0, 0, 1, 1, 1},
                           {ZkGePoint3d(2, 0, 0), ZkGePoint3d(2, 2, 0), ZkGePoint3d(0, 2, 0)},
                           {1.0, std::sqrt(0.5), 1.0});
}

TEST(KernelCurveCodecsTest, ArcsReadBackExactly) {
    const ZkGeCircArc3d arc(ZkGePoint3d(1.0 / 3, -2, 1e10), ZkGeVector3d::kZAxis,
                            ZkGeVector3d(0.6, 0.8, 0), 2.5, 0.1, 2.0 / 3);
    EXPECT_EQ(readBack(arc), arc);
    EXPECT_EQ(readBack(ZkGeEllipArc3d(arc)), ZkGeEllipArc3d(arc));
    const ZkGeCircArc2d arc2d(ZkGePoint2d(1.0 / 3, 5), 0.75, 1.0, 4.0, ZkGeVector2d(3, -4));
    EXPECT_EQ(readBack(arc2d), arc2d);
    const ZkGeEllipArc2d ellipse2d(ZkGePoint2d(-1, 0), ZkGeVector2d(1, 1), 4, 0.5, 0.25, 1.0 / 3);
    EXPECT_EQ(readBack(ellipse2d), ellipse2d);

    // Axes in general position are perpendicular only to within rounding.
    for (int i = 1; i < 50; ++i) {
        const ZkGeVector3d normal(std::sin(i), std::cos(3.0 * i), 0.01 * i);
        const ZkGeVector3d ref(std::cos(7.0 * i), 0.5, -std::sin(i));
        const ZkGePoint3d center(i, -0.5 * i, 1.0 / i);
        const ZkGeCircArc3d skew(center, normal, ref, 0.1 * i, 0.01 * i, 0.07 * i);
        EXPECT_EQ(readBack(skew), skew) << ZkGeFormat::toString(skew);
        const ZkGeEllipArc3d ellipse(center, normal, ref, 2.0 + i, 1.5, -0.02 * i, 0.05 * i);
        EXPECT_EQ(readBack(ellipse), ellipse) << ZkGeFormat::toString(ellipse);
    }
}

TEST(KernelCurveCodecsTest, SplinesAndTheirFitDataReadBackExactly) {
    EXPECT_EQ(readBack(ZkGeNurbCurve3d()), ZkGeNurbCurve3d());
    EXPECT_EQ(readBack(quarterCircle()), quarterCircle());
    ZkArray<ZkGePoint3d> loop = kFitPoints;
    loop.append(loop.first());
    const ZkGeNurbCurve3d periodic(loop);
    ASSERT_TRUE(periodic.isPeriodic());
    EXPECT_EQ(readBack(periodic), periodic);
    ZkGeNurbCurve3d withKnot(3, ZkGeKnotVector::clampedUniform(3, 4, 0, 2), kFitPoints);
    ASSERT_TRUE(withKnot.insertKnot(0.3));
    EXPECT_EQ(readBack(withKnot), withKnot);
    const ZkGeNurbCurve2d fitted2d({ZkGePoint2d(0, 0), ZkGePoint2d(1, 3), ZkGePoint2d(5, 0)},
                                   ZkGeVector2d(1, 0), ZkGeVector2d(0, -2));
    EXPECT_EQ(readBack(fitted2d), fitted2d);

    const ZkGeNurbCurve3d fitted(kFitPoints, ZkGeVector3d(0, 3, 0), ZkGeVector3d(),
                                 ZkGeTol(1e-6, 1e-9));
    const ZkGeNurbCurve3d back = readBack(fitted);
    EXPECT_EQ(back, fitted);
    EXPECT_TRUE(back.hasStartTangent());
    EXPECT_FALSE(back.hasEndTangent());
    EXPECT_EQ(back.fitTolerance().equalPoint(), 1e-6);
    // Fit data too short to make a curve is still the user's data.
    ZkGeNurbCurve3d single;
    ASSERT_TRUE(single.addFitPointAt(0, ZkGePoint3d(1, 1, 1)));
    EXPECT_EQ(readBack(single), single);

    // The definition is read as it was written, not refitted: a curve moved
    // after its fit, or fitted with more than its fit data hold, comes back
    // exactly.
    ZkGeNurbCurve3d moved = fitted;
    moved.transformBy(ZkGeMatrix3d::rotation(0.3, ZkGeVector3d(1, 2, 3)));
    EXPECT_EQ(readBack(moved), moved);
    ZkGeNurbCurve3d bent;
    ASSERT_TRUE(bent.setFitData(
        kFitPoints, {{1, 1, ZkGeVector3d(0, 0, 2)}, {2, 2, ZkGeVector3d(1, 0, 0)}}, false));
    EXPECT_EQ(readBack(bent), bent);
    ZkGeNurbCurve3d refitted = bent;
    ASSERT_TRUE(refitted.setFitTolerance(bent.fitTolerance()));
    EXPECT_FALSE(readBack(bent).isEqualTo(refitted, ZkGeTol(1e-6, 1e-6)));
}

TEST(KernelCurveCodecsTest, DamagedDataIsRefused) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::string arc = encoded(ZkGeCircArc3d(ZkGePoint3d(), ZkGeVector3d::kZAxis, 2.0));
    // center at 0, normal 24, reference vector 48, radius 72, angles 80 and 88
    EXPECT_THROW(decoded<ZkGeCircArc3d>(with(arc, 8, nan)), FormatError);
    EXPECT_THROW(decoded<ZkGeCircArc3d>(with(arc, 88, std::numeric_limits<double>::infinity())),
                 FormatError);
    EXPECT_THROW(decoded<ZkGeCircArc3d>(with(arc, 72, -2.0)), FormatError);
    EXPECT_THROW(decoded<ZkGeCircArc3d>(with(with(arc, 24, 0.0), 40, 0.0)), FormatError);
    const std::string ellipse = encoded(ZkGeEllipArc3d());
    EXPECT_THROW(decoded<ZkGeEllipArc3d>(with(ellipse, 80, 4.0)), FormatError); // minor > major
    EXPECT_THROW(decoded<ZkGeEllipArc2d>(with(encoded(ZkGeEllipArc2d()), 8, nan)), FormatError);

    // degree at 0, periodic flag 4, knot tolerance 5, knot count 13, knots 17
    const std::string spline =
        encoded(ZkGeNurbCurve3d(kFitPoints, ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 1, 0)));
    EXPECT_THROW(decoded<ZkGeNurbCurve3d>(with<int32_t>(spline, 0, -1)), FormatError);
    EXPECT_THROW(decoded<ZkGeNurbCurve3d>(with<int32_t>(spline, 0, 4)), FormatError);
    EXPECT_THROW(decoded<ZkGeNurbCurve3d>(with<uint8_t>(spline, 4, 2)), FormatError);
    EXPECT_THROW(decoded<ZkGeNurbCurve3d>(with<uint32_t>(spline, 13, 1u << 30)), FormatError);
    EXPECT_THROW(decoded<ZkGeNurbCurve3d>(with(spline, 17 + 8 * 5, -1.0)), FormatError);
    for (size_t tail : {8u, 40u, 57u, 73u}) { // tangents, fit tolerance, fit points
        const std::string error = errorMessageOf<FormatError>(
            [&] { decoded<ZkGeNurbCurve3d>(with(spline, spline.size() - tail, nan)); });
        EXPECT_NE(error.find("ZkGeNurbCurve3d"), std::string::npos)
            << "NaN " << tail << " bytes before the end: " << error;
    }
    const std::string rational = encoded(quarterCircle());
    // The last weight, just before the fit flag.
    EXPECT_THROW(decoded<ZkGeNurbCurve3d>(with(rational, rational.size() - 9, 0.0)), FormatError);

    for (const std::string& bytes : {spline, rational})
        for (size_t size = 0; size < bytes.size(); size += 3)
            EXPECT_THROW(decoded<ZkGeNurbCurve3d>(bytes.substr(0, size)), FormatError);
    for (size_t size = 0; size < arc.size(); ++size)
        EXPECT_THROW(decoded<ZkGeCircArc3d>(arc.substr(0, size)), FormatError);
}

TEST(KernelCurveCodecsTest, CurvesPrintAsTheKernelFormatsThem) {
    EXPECT_EQ(printed(ZkGeCircArc3d(ZkGePoint3d(1, 2, 3), ZkGeVector3d::kZAxis,
                                    ZkGeVector3d::kXAxis, 2, 0, 1.5)),
              "circarc((1, 2, 3), 2, (0, 0, 1), (1, 0, 0), 0, 1.5)");
    const std::string fitted = printed(ZkGeNurbCurve3d({ZkGePoint3d(), ZkGePoint3d(1, 0, 0)},
                                                       ZkGeVector3d(1, 0, 0), ZkGeVector3d()));
    EXPECT_EQ(fitted.rfind("nurbs(3, [0, 0, 0, 0, 1, 1, 1, 1], [(0, 0, 0), ", 0), 0u) << fitted;
    const std::string fitData = ", fit [(0, 0, 0), (1, 0, 0)], tangents ((1, 0, 0), (0, 0, 0)))";
    EXPECT_EQ(fitted.substr(fitted.size() - fitData.size()), fitData);
}

} // namespace
} // namespace Kv::Tests
