#include "ZkGeCurveTestSupport.h"

#include <cmath>
#include <random>

namespace {

// The perimeter by the arithmetic-geometric mean: with a_0 = a, b_0 = b,
// c_0^2 = a^2 - b^2 and c_{n+1} = (a_n - b_n) / 2, it is
// 2 pi / M(a, b) * (a^2 - sum 2^(n-1) c_n^2), correct to rounding after a
// handful of steps. Independent of the quadrature the kernel uses.
double perimeterByAgm(double a, double b) {
    double x = a, y = b;
    double weight = 0.5;
    double sum = weight * (a * a - b * b);
    // Converges quadratically; the cap stops rounding from ping-ponging.
    for (int i = 0; i < 64 && x - y > 1e-15 * x; ++i) {
        const double c = 0.5 * (x - y);
        const double next = 0.5 * (x + y);
        y = std::sqrt(x * y);
        x = next;
        weight *= 2;
        sum += weight * c * c;
    }
    return 2 * M_PI / x * (a * a - sum);
}

ZkGeEllipArc3d tiltedEllipse(double startAng, double endAng) {
    const ZkGeVector3d major = ZkGeVector3d(1, 2, 2).normal();
    const ZkGeVector3d minor = ZkGeVector3d(2, -1, 0).normal();
    return ZkGeEllipArc3d(ZkGePoint3d(1, -2, 3), major, minor, 4, 1.5, startAng, endAng);
}

// The point of the ellipse nearest p by brute force: dense samples, then a
// fine rescan around the best one.
double bruteDistance(const ZkGeEllipArc3d& arc, const ZkGePoint3d& p) {
    const double lo = arc.startAng();
    const double hi = arc.endAng();
    const int n = 20000;
    double bestT = lo;
    double best = arc.evalPoint(lo).distanceTo(p);
    for (int i = 1; i <= n; ++i) {
        const double t = lo + (hi - lo) * i / n;
        const double d = arc.evalPoint(t).distanceTo(p);
        if (d < best) {
            best = d;
            bestT = t;
        }
    }
    const double step = (hi - lo) / n;
    for (int i = -1000; i <= 1000; ++i) {
        const double t = std::clamp(bestT + step * i / 1000, lo, hi);
        best = std::min(best, arc.evalPoint(t).distanceTo(p));
    }
    return best;
}

} // namespace

TEST(ZkGeEllipArc3d, PerimeterMatchesTheArithmeticGeometricMean) {
    for (const auto& [a, b] :
         {std::pair{1.0, 0.5}, {3.0, 0.01}, {10.0, 9.99}, {2.0, 1e-4}, {1e3, 1.0}, {5.0, 5.0}}) {
        const ZkGeEllipArc3d ellipse(ZkGePoint3d(7, 8, 9), ZkGeVector3d(0, 1, 1),
                                     ZkGeVector3d(1, 0, 0), a, b);
        const double expected = perimeterByAgm(a, b);
        EXPECT_NEAR(ellipse.length(), expected, 1e-10 * expected) << a << " " << b;
        // By symmetry each quarter between axis ends is a quarter.
        EXPECT_NEAR(ellipse.length(M_PI / 2, M_PI), expected / 4, 1e-10 * expected) << a;
    }
    EXPECT_NEAR(perimeterByAgm(1, 0.5), 4.844224110273838, 1e-14);
}

TEST(ZkGeEllipArc3d, PartialLengthsAddUp) {
    const ZkGeEllipArc3d arc = tiltedEllipse(-1, 2.5);
    EXPECT_NEAR(arc.length(-1, 0.3) + arc.length(0.3, 2.5), arc.length(), 1e-12);
    EXPECT_DOUBLE_EQ(arc.length(0.3, -1), arc.length(-1, 0.3));
    // Against the generic integral of the speed.
    EXPECT_NEAR(arc.ZkGeCurve3d::length(-1, 2.5, 1e-13), arc.length(), 1e-11);
}

TEST(ZkGeEllipArc3d, LargerMinorRadiusSwapsTheAxes) {
    const ZkGeVector3d m(1, 0, 0), n(0, 0, 1);
    const ZkGeEllipArc3d arc(ZkGePoint3d(1, 2, 3), m, n, 1, 3, 0.2, 2);
    EXPECT_EQ(arc.majorRadius(), 3);
    EXPECT_EQ(arc.minorRadius(), 1);
    EXPECT_EQ(arc.majorAxis(), n);
    EXPECT_EQ(arc.minorAxis(), -m);
    EXPECT_TRUE(near(arc.normal(), m.crossProduct(n)));
    // Same points, same order, angles a quarter lower.
    for (const double t : {0.2, 1.0, 2.0}) {
        const ZkGePoint3d given = ZkGePoint3d(1, 2, 3) + m * std::cos(t) + n * (3 * std::sin(t));
        EXPECT_TRUE(near(arc.evalPoint(t - M_PI / 2), given)) << t;
    }
    EXPECT_NEAR(arc.startAng(), 0.2 - M_PI / 2, 1e-15);
}

TEST(ZkGeEllipArc3d, AxesAreStoredOrthonormal) {
    const ZkGeEllipArc3d arc(ZkGePoint3d(), ZkGeVector3d(2, 0, 0), ZkGeVector3d(1, 3, 0), 2, 1);
    EXPECT_EQ(arc.majorAxis(), ZkGeVector3d(1, 0, 0));
    EXPECT_EQ(arc.minorAxis(), ZkGeVector3d(0, 1, 0));
    EXPECT_EQ(arc.normal(), ZkGeVector3d(0, 0, 1));
    const ZkGeEllipArc3d parallel(ZkGePoint3d(), ZkGeVector3d(0, 0, 1), ZkGeVector3d(0, 0, 2), 2,
                                  1);
    EXPECT_TRUE(parallel.minorAxis().isUnitLength());
    EXPECT_TRUE(parallel.minorAxis().isPerpendicularTo(parallel.majorAxis()));
}

TEST(ZkGeEllipArc3d, DerivativesMatchDifferences) {
    const ZkGeEllipArc3d arc = tiltedEllipse(0, 2 * M_PI);
    for (const double t : {0.0, 0.7, 2.5, 4.0, 6.0})
        EXPECT_TRUE((derivativesMatchDifferences<ZkGeEllipArc3d, ZkGeVector3d>(arc, t)));
}

TEST(ZkGeEllipArc3d, DerivativesAtTheVertices) {
    const ZkGeEllipArc3d arc = tiltedEllipse(0, 2 * M_PI);
    const ZkGeVector3d major = arc.majorAxis(), minor = arc.minorAxis();
    std::vector<ZkGeVector3d> d;
    // At the major vertex the curve moves along the minor axis and bends
    // back along the major one, and the other way round a quarter later.
    EXPECT_TRUE(near(arc.evalPoint(0, 2, d), arc.center() + major * 4, 1e-14));
    EXPECT_TRUE(near(d[0], minor * 1.5, 1e-14));
    EXPECT_TRUE(near(d[1], major * -4, 1e-14));
    EXPECT_TRUE(near(arc.evalPoint(M_PI / 2, 2, d), arc.center() + minor * 1.5, 1e-14));
    EXPECT_TRUE(near(d[0], major * -4, 1e-14));
    EXPECT_TRUE(near(d[1], minor * -1.5, 1e-14));
}

TEST(ZkGeEllipArc3d, ClosestPointAgreesWithBruteForce) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coord(-6, 6);
    for (const auto& arc : {tiltedEllipse(0, 2 * M_PI), tiltedEllipse(-2, 1.5),
                            ZkGeEllipArc3d(ZkGePoint3d(), ZkGeVector3d::kXAxis,
                                           ZkGeVector3d::kYAxis, 5, 0.05, 0, 2 * M_PI)}) {
        for (int i = 0; i < 40; ++i) {
            const ZkGePoint3d p(coord(random), coord(random), coord(random));
            const ZkGePoint3d foot = arc.closestPointTo(p);
            const double found = foot.distanceTo(p);
            EXPECT_LE(found, bruteDistance(arc, p) + 1e-12) << ZkGeFormat::toString(p);
            // An interior foot is where the offset is square to the tangent.
            const double t = arc.paramOf(p);
            std::vector<ZkGeVector3d> d;
            arc.evalPoint(t, 1, d);
            if (t > arc.startAng() + 1e-9 && t < arc.endAng() - 1e-9) {
                EXPECT_NEAR((foot - p).dotProduct(d[0].normal()), 0, 1e-11);
            }
        }
    }
}

TEST(ZkGeEllipArc3d, PointsOnTheMajorAxisInsideTheEvolute) {
    // For (p, 0) with |p| < (a^2 - b^2) / a the nearest points are off the
    // axis, at cos t = p a / (a^2 - b^2), with distance^2 = b^2 (1 - p^2 /
    // (a^2 - b^2)): the vertex at (a, 0) is not the answer.
    const double a = 5, b = 3, p = 2;
    const ZkGeEllipArc3d ellipse(ZkGePoint3d(), ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis, a, b);
    const double c2 = a * a - b * b;
    EXPECT_NEAR(ellipse.distanceTo(ZkGePoint3d(p, 0, 0)), b * std::sqrt(1 - p * p / c2), 1e-12);
    EXPECT_NEAR(std::cos(ellipse.paramOf(ZkGePoint3d(p, 0, 0))), p * a / c2, 1e-10);
    // From the centre, the ends of the minor axis.
    EXPECT_NEAR(ellipse.distanceTo(ZkGePoint3d(0, 0, 4)), 5, 1e-12);
}

TEST(ZkGeEllipArc3d, ParamOfRoundTripsAcrossAngleZero) {
    const ZkGeEllipArc3d arc = tiltedEllipse(-1, 1);
    for (const double t : {-1.0, -0.3, -1e-8, 0.0, 1e-8, 0.9, 1.0}) {
        EXPECT_NEAR(arc.paramOf(arc.evalPoint(t)), t, 1e-12) << t;
        EXPECT_TRUE(arc.isOn(arc.evalPoint(t)));
    }
    const ZkGeEllipArc3d late = tiltedEllipse(2 * M_PI - 1, 2 * M_PI + 1);
    EXPECT_NEAR(late.paramOf(late.evalPoint(2 * M_PI + 0.5)), 2 * M_PI + 0.5, 1e-12);
    // In the gap: the nearer end.
    EXPECT_NEAR(arc.paramOf(arc.evalPoint(1.3)), 1, 1e-12);
    EXPECT_NEAR(arc.paramOf(arc.evalPoint(-1.3)), -1, 1e-12);
    EXPECT_FALSE(arc.isOn(arc.evalPoint(M_PI)));
}

TEST(ZkGeEllipArc3d, BoxesAreTight) {
    // Turned by 30 degrees in the xy plane: the half widths are
    // sqrt(a^2 cos^2 + b^2 sin^2) and sqrt(a^2 sin^2 + b^2 cos^2).
    const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
    const ZkGeEllipArc3d turned(ZkGePoint3d(1, 1, 0), ZkGeVector3d(c, s, 0), ZkGeVector3d(-s, c, 0),
                                4, 1);
    const double wx = std::sqrt(16 * c * c + s * s), wy = std::sqrt(16 * s * s + c * c);
    EXPECT_TRUE(near(turned.boundBlock().maxPoint(), ZkGePoint3d(1 + wx, 1 + wy, 0), 1e-14));
    EXPECT_TRUE(near(turned.boundBlock().minPoint(), ZkGePoint3d(1 - wx, 1 - wy, 0), 1e-14));
    for (const double start : {0.0, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0}) {
        const ZkGeEllipArc3d arc = tiltedEllipse(start, start + M_PI / 2);
        EXPECT_TRUE(boxIsTight(arc, arc.boundBlock())) << start;
    }
    EXPECT_TRUE(boxIsTight(tiltedEllipse(0, 0), tiltedEllipse(0, 0).boundBlock()));
    EXPECT_TRUE(boxIsTight(tiltedEllipse(-3, 2.9), tiltedEllipse(-3, 2.9).boundBlock()));
}

TEST(ZkGeEllipArc3d, SplitPiecesJoinBack) {
    const ZkGeEllipArc3d arc = tiltedEllipse(-1, 2);
    std::unique_ptr<ZkGeCurve3d> before, after;
    arc.getSplitCurves(0.5, before, after);
    ASSERT_TRUE(before && after);
    EXPECT_TRUE(near(before->evalPoint(-1), arc.startPoint()));
    EXPECT_EQ(before->getInterval(), ZkGeInterval(-1, 0.5));
    EXPECT_EQ(after->getInterval(), ZkGeInterval(0.5, 2));
    EXPECT_NEAR(before->length() + after->length(), arc.length(), 1e-12);
    arc.getSplitCurves(2, before, after);
    EXPECT_FALSE(after);
    EXPECT_TRUE(before && before->isEqualTo(arc));
}

TEST(ZkGeEllipArc3d, ClosedPeriodicAndDegenerate) {
    double period = 0;
    EXPECT_TRUE(tiltedEllipse(1, 1).isClosed());
    EXPECT_TRUE(tiltedEllipse(1, 1).isPeriodic(period));
    EXPECT_DOUBLE_EQ(period, 2 * M_PI);
    EXPECT_FALSE(tiltedEllipse(1, 2).isClosed());
    EXPECT_FALSE(tiltedEllipse(1, 2).isPeriodic(period));
    const ZkGeEllipArc3d flat(ZkGePoint3d(), ZkGeVector3d::kXAxis, ZkGeVector3d::kYAxis, 3, 0);
    EXPECT_TRUE(flat.isDegenerate());
    EXPECT_NEAR(flat.length(), 12, 1e-9);
    EXPECT_FALSE(tiltedEllipse(0, 1).isDegenerate());
}

TEST(ZkGeEllipArc3d, AffineImagesAreExact) {
    // Shear, uneven scale, mirror and move: the image of every point must lie
    // on the new arc, the ends must map to the ends, and the new axes must be
    // orthonormal with the radii ordered.
    ZkGeMatrix3d m;
    m.setCoordSystem(ZkGePoint3d(3, -1, 2), ZkGeVector3d(2, 0.5, 0), ZkGeVector3d(0.3, -1, 0.2),
                     ZkGeVector3d(0, 0.4, 1.5));
    for (const auto& arc : {tiltedEllipse(-1, 2), tiltedEllipse(0, 0)}) {
        ZkGeEllipArc3d image = arc;
        image.transformBy(m);
        EXPECT_TRUE(image.majorAxis().isUnitLength());
        EXPECT_TRUE(image.minorAxis().isUnitLength());
        EXPECT_NEAR(image.majorAxis().dotProduct(image.minorAxis()), 0, 1e-15);
        EXPECT_GE(image.majorRadius(), image.minorRadius());
        EXPECT_TRUE(near(image.startPoint(), arc.startPoint().transformBy(m), 1e-12));
        EXPECT_TRUE(near(image.endPoint(), arc.endPoint().transformBy(m), 1e-12));
        // Parameters shift by one constant.
        const double shift = arc.startAng() - image.startAng();
        for (const double t : {-0.5, 0.3, 1.7})
            EXPECT_TRUE(near(image.evalPoint(t - shift), arc.evalPoint(t).transformBy(m), 1e-12));
    }
}

TEST(ZkGeEllipArc3d, StretchedCircleBecomesTheRightEllipse) {
    const ZkGeCircArc3d circle(ZkGePoint3d(1, 0, 0), ZkGeVector3d::kZAxis, ZkGeVector3d::kXAxis, 2,
                               0, M_PI / 2);
    ZkGeEllipArc3d ellipse(circle);
    EXPECT_TRUE(near(ellipse.evalPoint(0.4), circle.evalPoint(0.4)));
    ZkGeMatrix3d stretch;
    stretch.setCoordSystem(ZkGePoint3d(), ZkGeVector3d(1, 0, 0), ZkGeVector3d(0, 3, 0),
                           ZkGeVector3d(0, 0, 1));
    ellipse.transformBy(stretch);
    EXPECT_DOUBLE_EQ(ellipse.majorRadius(), 6);
    EXPECT_DOUBLE_EQ(ellipse.minorRadius(), 2);
    EXPECT_TRUE(near(ellipse.center(), ZkGePoint3d(1, 0, 0)));
    EXPECT_TRUE(near(ellipse.startPoint(), ZkGePoint3d(3, 0, 0)));
    EXPECT_TRUE(near(ellipse.endPoint(), ZkGePoint3d(1, 6, 0)));
    EXPECT_TRUE(near(ellipse.normal(), ZkGeVector3d::kZAxis));
}

TEST(ZkGeEllipArc3d, RigidMotionsKeepTheAngles) {
    // Even with equal radii, where any pair of axes would do.
    const ZkGeMatrix3d rotation = ZkGeMatrix3d::rotation(1.1, ZkGeVector3d(1, 2, -1));
    for (const auto& arc :
         {tiltedEllipse(0.5, 3), ZkGeEllipArc3d(ZkGeCircArc3d(ZkGePoint3d(), ZkGeVector3d(1, 1, 0),
                                                              ZkGeVector3d(0, 0, 1), 2, 0.5, 3))}) {
        ZkGeEllipArc3d moved = arc;
        moved.transformBy(rotation);
        EXPECT_EQ(moved.startAng(), 0.5);
        EXPECT_EQ(moved.endAng(), 3);
        EXPECT_TRUE(near(moved.majorAxis(), arc.majorAxis().transformBy(rotation), 1e-15));
    }
}

TEST(ZkGeEllipArc3d, EqualityIsWithinTolerance) {
    const ZkGeEllipArc3d arc = tiltedEllipse(0.5, 3);
    ZkGeEllipArc3d same = arc;
    same.setCenter(ZkGePoint3d(1, -2, 3 + 0.5e-10));
    EXPECT_TRUE(same.isEqualTo(arc));
    EXPECT_NE(same, arc);
    same.setAngles(0.5, 3.1);
    EXPECT_FALSE(same.isEqualTo(arc));
}

TEST(ZkGeEllipArc3d, TranslateMovesOnlyTheCenter) {
    // Bit for bit, as for circles.
    const ZkGeEllipArc3d odd(ZkGePoint3d(0.1, 0.2, 0.3), ZkGeVector3d(0.3, -1.1, 0.7),
                             ZkGeVector3d(1, 0.2, -0.1), 2.7, 1.3, 0.4, 1.9);
    ZkGeEllipArc3d moved = odd;
    EXPECT_EQ(&moved.translateBy(ZkGeVector3d(1, 0, -3)), &moved);
    EXPECT_TRUE(near(moved.center(), ZkGePoint3d(1.1, 0.2, -2.7)));
    EXPECT_EQ(moved.setCenter(odd.center()), odd);
}
