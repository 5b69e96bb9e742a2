#include "../curves3d/SketchTestDocument.h"

#include "Geometry/math/Curve3DCurvatureEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <vector>

namespace Kv::Geometry::Tests {
namespace {

// Curves of a sketch to evaluate, and the means to make one disappear.
class CurvatureEvaluatorTest : public ::testing::Test {
protected:
    StrongRef<Point3D> point(const ZkGePoint3d& at) { return Point3D::make(doc.parent, at); }
    StrongRef<Curve3D> circle(const ZkGePoint3d& center, const ZkGeVector3d& normal,
                              double radius) {
        return CircArc3D::make(doc.parent, point(center), normal, radius);
    }
    // The full ellipse with semi-axes a along x and b along y about center.
    StrongRef<Curve3D> ellipse(const ZkGePoint3d& center, double a, double b) {
        return EllipticArc3D::make(doc.parent, point(center), ZkGeVector3d(a, 0, 0),
                                   ZkGeVector3d(0, b, 0));
    }
    StrongRef<Curve3D> line(const ZkGePoint3d& from, const ZkGePoint3d& to) {
        return Line3D::make(doc.parent, point(from), point(to));
    }

    SketchTestDocument doc;
};

// The curvature of (a cos t, b sin t).
double ellipseCurvature(double a, double b, double t) {
    const double s = std::sin(t), c = std::cos(t);
    return a * b / std::pow(a * a * s * s + b * b * c * c, 1.5);
}

// Counts the change hooks.
class HookedEvaluator : public CurvatureEvaluator {
public:
    int modeChanges = 0;
    int viewChanges = 0;

private:
    void onModeChanged() override { ++modeChanges; }
    void onViewDirectionChanged() override { ++viewChanges; }
};

// ---- curvature vectors

TEST_F(CurvatureEvaluatorTest, CircleCurvaturePointsToTheCentreEverywhere) {
    const ZkGePoint3d center(1, -2, 3);
    for (const ZkGeVector3d& normal : {ZkGeVector3d::kZAxis, ZkGeVector3d(1, 2, 2)}) {
        const Curve3DCurvatureEvaluator evaluator(circle(center, normal, 2.0));
        for (const double t : {0.0, 0.4, 1.7, 3.0, 4.5, 2 * M_PI}) {
            ZkGePoint3d p;
            ZkGeVector3d tangent, k;
            ASSERT_TRUE(evaluator.evaluateCurvature(t, p, tangent, k)) << t;
            EXPECT_NEAR(k.length(), 0.5, 1e-14) << t;
            // The centre of curvature p + K / |K|^2 is the circle's centre.
            EXPECT_TRUE((p + k / k.lengthSqrd()).isEqualTo(center, ZkGeTol(1e-12, 1e-12))) << t;
            EXPECT_NEAR(tangent.length(), 2.0, 1e-14);
            EXPECT_NEAR(tangent.dotProduct(k), 0.0, 1e-14);
        }
    }
}

TEST_F(CurvatureEvaluatorTest, EllipseCurvatureAtTheVerticesAndBetween) {
    const double a = 3, b = 2;
    const Curve3DCurvatureEvaluator evaluator(ellipse(ZkGePoint3d(5, 5, 1), a, b));
    ZkGePoint3d p;
    ZkGeVector3d tangent, k;
    // Major vertex: a / b^2, pointing back along -x to the centre side.
    ASSERT_TRUE(evaluator.evaluateCurvature(0.0, p, tangent, k));
    EXPECT_NEAR(k.length(), a / (b * b), 1e-14);
    EXPECT_TRUE(k.normal().isEqualTo(ZkGeVector3d(-1, 0, 0)));
    // Minor vertex: b / a^2, pointing along -y.
    ASSERT_TRUE(evaluator.evaluateCurvature(M_PI / 2, p, tangent, k));
    EXPECT_NEAR(k.length(), b / (a * a), 1e-14);
    EXPECT_TRUE(k.normal().isEqualTo(ZkGeVector3d(0, -1, 0)));
    for (const double t : {0.3, 1.2, 2.9, 4.0, 5.8}) {
        ASSERT_TRUE(evaluator.evaluateCurvature(t, p, tangent, k));
        EXPECT_NEAR(k.length(), ellipseCurvature(a, b, t), 1e-14) << t;
        // Inward: towards the centre side of the tangent.
        EXPECT_GT(k.dotProduct(ZkGePoint3d(5, 5, 1) - p), 0.0) << t;
    }
}

TEST_F(CurvatureEvaluatorTest, LineIsStraightWithItsDirectionAsTangent) {
    const Curve3DCurvatureEvaluator evaluator(line(ZkGePoint3d(1, 1, 1), ZkGePoint3d(4, 5, 1)));
    ZkGePoint3d p;
    ZkGeVector3d d1, k;
    ASSERT_TRUE(evaluator.evaluateCurvature(0.25, p, d1, k));
    EXPECT_EQ(k, ZkGeVector3d());
    EXPECT_EQ(d1, ZkGeVector3d(3, 4, 0));
}

// ---- largest curvature and comb scale

TEST_F(CurvatureEvaluatorTest, ScaleIsAQuarterOfTheLongestExtentOverTheSharpestBend) {
    const Curve3DCurvatureEvaluator round(circle(ZkGePoint3d(7, 0, -1), ZkGeVector3d::kZAxis, 2));
    EXPECT_NEAR(round.maxCurvature(), 0.5, 1e-14);
    EXPECT_NEAR(round.calcDefaultScaleRatio(), 0.25 * 4 / 0.5, 1e-12);
    // t = 0 is among the 100 samples: a / b^2.
    const Curve3DCurvatureEvaluator oval(ellipse(ZkGePoint3d(0, 0, 0), 3, 2));
    EXPECT_NEAR(oval.maxCurvature(), 0.75, 1e-14);
    EXPECT_NEAR(oval.calcDefaultScaleRatio(), 0.25 * 6 / 0.75, 1e-12);
    // On the arc from -1 to 1 about the major vertex the nearest of the 100
    // evenly spaced samples are 1 / 99 from the vertex.
    const StrongRef<Point3D> center = point(ZkGePoint3d());
    const Curve3DCurvatureEvaluator arc(EllipticArc3D::make(
        doc.parent, center, point(ZkGePoint3d(3 * std::cos(1.0), -2 * std::sin(1.0), 0)),
        point(ZkGePoint3d(3 * std::cos(1.0), 2 * std::sin(1.0), 0)), ZkGeVector3d(3, 0, 0),
        ZkGeVector3d(0, 2, 0)));
    EXPECT_NEAR(arc.maxCurvature(), ellipseCurvature(3, 2, 1.0 / 99), 1e-12);
}

TEST_F(CurvatureEvaluatorTest, StraightAndNearlyStraightCurvesGetTheDefaultScale) {
    const Curve3DCurvatureEvaluator straight(line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(30, 40, 0)));
    EXPECT_EQ(straight.maxCurvature(), 0.0);
    EXPECT_EQ(straight.calcDefaultScaleRatio(), 10.0);
    // Curvature 1 / 11000 is below 0.0001; 1 / 9000 is above.
    const Curve3DCurvatureEvaluator flat(circle(ZkGePoint3d(), ZkGeVector3d::kZAxis, 11000));
    EXPECT_EQ(flat.calcDefaultScaleRatio(), 10.0);
    const Curve3DCurvatureEvaluator bent(circle(ZkGePoint3d(), ZkGeVector3d::kZAxis, 9000));
    EXPECT_NEAR(bent.calcDefaultScaleRatio(), 0.25 * 18000 * 9000, 1e-3);
}

// ---- uniform samples

TEST_F(CurvatureEvaluatorTest, UniformSamplesMapParametersToRootCurvature) {
    const StrongRef<Curve3D> curve = ellipse(ZkGePoint3d(1, 1, 1), 3, 2);
    const Curve3DCurvatureEvaluator evaluator(curve);
    std::map<double, double> values{{-5.0, 1.0}};
    EXPECT_FALSE(evaluator.sample(0u, values));
    ASSERT_TRUE(evaluator.sample(5u, values));
    ASSERT_EQ(values.size(), 5u) << "what was there before is cleared";
    const double t0 = curve->curve().getInterval().lowerBound();
    const double t1 = curve->curve().getInterval().upperBound();
    const double step = (t1 - t0) / 4;
    int i = 0;
    for (const auto& [t, value] : values) {
        EXPECT_EQ(t, t0 + i * step);
        EXPECT_NEAR(value, std::sqrt(ellipseCurvature(3, 2, t)), 1e-14) << t;
        ++i;
    }
    EXPECT_NEAR(values.rbegin()->first, t1, 1e-15);
    // One sample is the start of the range.
    ASSERT_TRUE(evaluator.sample(1u, values));
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values.begin()->first, t0);

    const Curve3DCurvatureEvaluator straight(line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(1, 0, 0)));
    ASSERT_TRUE(straight.sample(3u, values));
    EXPECT_EQ(values, (std::map<double, double>{{0.0, 0.0}, {0.5, 0.0}, {1.0, 0.0}}));
}

// ---- adaptive parameters

TEST_F(CurvatureEvaluatorTest, CircleParametersAreEvenlySpacedWithBothEnds) {
    const StrongRef<Curve3D> curve = circle(ZkGePoint3d(2, 2, 0), ZkGeVector3d(0, 1, 1), 2.0);
    const Curve3DCurvatureEvaluator evaluator(curve);
    std::set<double> params{42.0};
    ASSERT_TRUE(evaluator.sample(10u, params));
    ASSERT_EQ(params.size(), 10u);
    const double t0 = curve->curve().getInterval().lowerBound();
    const double t1 = curve->curve().getInterval().upperBound();
    EXPECT_EQ(*params.begin(), t0);
    // The last of the 64 uniform samples, t0 + 63 steps.
    EXPECT_NEAR(*params.rbegin(), t1, 1e-14);
    const double spacing = (t1 - t0) / 9;
    for (auto it = std::next(params.begin()); it != params.end(); ++it)
        EXPECT_NEAR(*it - *std::prev(it), spacing, 1e-12);

    EXPECT_FALSE(evaluator.sample(0u, params));
    // n = 1 runs no interpolation: the first and the last sample only; with
    // n = 2 the last target is the last sample, which the set holds once.
    for (const unsigned int n : {1u, 2u}) {
        ASSERT_TRUE(evaluator.sample(n, params));
        ASSERT_EQ(params.size(), 2u);
        EXPECT_EQ(*params.begin(), t0);
        EXPECT_NEAR(*params.rbegin(), t1, 1e-14);
    }
}

TEST_F(CurvatureEvaluatorTest, EllipseParametersCrowdAtTheSharpEnds) {
    std::set<double> params;
    ASSERT_TRUE(Curve3DCurvatureEvaluator(ellipse(ZkGePoint3d(), 4, 1)).sample(17u, params));
    ASSERT_EQ(params.size(), 17u);
    std::vector<double> t(params.begin(), params.end());
    // Around the major vertex at t = 0 the steps are several times shorter
    // than around the minor vertex at pi / 2.
    EXPECT_LT(3 * (t[1] - t[0]), t[5] - t[4]);

    // Each step holds a sixteenth of the integral of sqrt(curvature), as
    // well as 64 trapezoids can tell.
    const double a = 3, b = 1.5;
    ASSERT_TRUE(Curve3DCurvatureEvaluator(ellipse(ZkGePoint3d(), a, b)).sample(17u, params));
    ASSERT_EQ(params.size(), 17u);
    t.assign(params.begin(), params.end());
    const auto rootCurvatureIntegral = [&](double from, double to) {
        const int n = 2000;
        double sum = 0;
        for (int i = 0; i < n; ++i)
            sum += std::sqrt(ellipseCurvature(a, b, from + (to - from) * (i + 0.5) / n));
        return sum * (to - from) / n;
    };
    const double total = rootCurvatureIntegral(t.front(), t.back());
    for (size_t i = 1; i < t.size(); ++i)
        EXPECT_NEAR(rootCurvatureIntegral(t[i - 1], t[i]), total / 16, 0.02 * total / 16) << i;
}

TEST_F(CurvatureEvaluatorTest, StraightStretchesMakeAdaptiveSamplingFail) {
    const Curve3DCurvatureEvaluator straight(line(ZkGePoint3d(0, 0, 0), ZkGePoint3d(5, 0, 0)));
    std::set<double> params;
    EXPECT_FALSE(straight.sample(8u, params));
    // A huge circle is straight by the 0.0001 measure: each of its 63
    // sections holds sqrt(1 / r) * 2 pi / 63 of the integral.
    EXPECT_FALSE(Curve3DCurvatureEvaluator(circle(ZkGePoint3d(), ZkGeVector3d::kZAxis, 2e6))
                     .sample(8u, params));
    EXPECT_TRUE(Curve3DCurvatureEvaluator(circle(ZkGePoint3d(), ZkGeVector3d::kZAxis, 5e5))
                    .sample(8u, params));
    EXPECT_EQ(params.size(), 8u);
}

// ---- a curve that is gone, and the base class

TEST_F(CurvatureEvaluatorTest, EveryQueryFailsWithoutACurveAndLeavesTheOutputsAlone) {
    StrongRef<Curve3D> curve = circle(ZkGePoint3d(), ZkGeVector3d::kZAxis, 2.0);
    const Curve3DCurvatureEvaluator watching(curve);
    const Curve3DCurvatureEvaluator copy = watching;
    doc.sketch->removeChild(StrongRef<Entity>(curve));
    curve.reset();
    CurvatureEvaluator base;
    EXPECT_FALSE(base.update(nullptr));

    for (const CurvatureEvaluator* evaluator :
         std::initializer_list<const CurvatureEvaluator*>{&watching, &copy, &base}) {
        ZkGePoint3d p(9, 9, 9);
        ZkGeVector3d d1, d2;
        double t0 = 7, t1 = 8;
        ZkGeBoundBlock3d box;
        std::set<double> params;
        std::map<double, double> values;
        EXPECT_FALSE(evaluator->evaluate(0.5, p, d1, d2));
        EXPECT_FALSE(evaluator->evaluateCurvature(0.5, p, d1, d2));
        EXPECT_FALSE(evaluator->paramRange(t0, t1));
        EXPECT_FALSE(evaluator->periodic());
        EXPECT_FALSE(evaluator->curveBoundingBox(box));
        EXPECT_FALSE(evaluator->sample(10u, params));
        EXPECT_FALSE(evaluator->sample(10u, values));
        EXPECT_EQ(evaluator->maxCurvature(), 0.0);
        EXPECT_EQ(evaluator->calcDefaultScaleRatio(), 10.0);
        EXPECT_EQ(p, ZkGePoint3d(9, 9, 9));
        EXPECT_EQ(t0, 7.0);
        EXPECT_TRUE(box.isEmpty());
    }
}

// ---- mode and view direction

TEST(CurvatureEvaluator, SettersReportChangesAndCallTheirHooks) {
    HookedEvaluator evaluator;
    EXPECT_EQ(evaluator.mode(), CurvatureEvaluator::kSpatial);
    EXPECT_FALSE(evaluator.mode(CurvatureEvaluator::kSpatial));
    EXPECT_TRUE(evaluator.mode(CurvatureEvaluator::kViewPlane));
    EXPECT_FALSE(evaluator.mode(CurvatureEvaluator::kViewPlane));
    EXPECT_EQ(evaluator.mode(), CurvatureEvaluator::kViewPlane);
    EXPECT_EQ(evaluator.modeChanges, 1);

    // Directions compare within one millionth.
    EXPECT_EQ(evaluator.viewDirection(), ZkGeVector3d());
    EXPECT_FALSE(evaluator.viewDirection(ZkGeVector3d(0, 0, 0.9e-6)));
    EXPECT_EQ(evaluator.viewDirection(), ZkGeVector3d());
    EXPECT_TRUE(evaluator.viewDirection(ZkGeVector3d(0, 0, 2e-6)));
    EXPECT_TRUE(evaluator.viewDirection(ZkGeVector3d(0, 0, 1)));
    EXPECT_FALSE(evaluator.viewDirection(ZkGeVector3d(0.5e-6, 0, 1)));
    EXPECT_EQ(evaluator.viewDirection(), ZkGeVector3d(0, 0, 1));
    EXPECT_EQ(evaluator.viewChanges, 2);
    EXPECT_EQ(evaluator.modeChanges, 1);
}

// ---- the integral and its inversion

TEST(CurvatureEvaluator, RunningIntegralIsTheTrapezoidSum) {
    std::map<double, double> integral{{9.0, 9.0}};
    EXPECT_FALSE(CurvatureEvaluator::calcIntegral({}, integral));
    ASSERT_TRUE(CurvatureEvaluator::calcIntegral({{0.0, 1.0}, {1.0, 3.0}, {3.0, 3.0}}, integral));
    EXPECT_EQ(integral, (std::map<double, double>{{0.0, 0.0}, {1.0, 2.0}, {3.0, 8.0}}));
    ASSERT_TRUE(CurvatureEvaluator::calcIntegral({{2.0, 5.0}}, integral));
    EXPECT_EQ(integral, (std::map<double, double>{{2.0, 0.0}}));
}

TEST(CurvatureEvaluator, SectionLookupTakesTheFirstPairWithinATenThousandth) {
    const std::map<double, double> integral{{0.0, 0.0}, {1.0, 1.0}, {2.0, 2.0}};
    CurvatureEvaluator::IntegralPoint lo, hi;
    ASSERT_TRUE(CurvatureEvaluator::findSection(integral, 0.5, lo, hi));
    EXPECT_EQ(lo, CurvatureEvaluator::IntegralPoint(0.0, 0.0));
    EXPECT_EQ(hi, CurvatureEvaluator::IntegralPoint(1.0, 1.0));
    // Just past the end of the first pair still counts as the first pair.
    ASSERT_TRUE(CurvatureEvaluator::findSection(integral, 1.00005, lo, hi));
    EXPECT_EQ(lo.first, 0.0);
    ASSERT_TRUE(CurvatureEvaluator::findSection(integral, 1.0002, lo, hi));
    EXPECT_EQ(lo.first, 1.0);
    EXPECT_EQ(hi.first, 2.0);
    ASSERT_TRUE(CurvatureEvaluator::findSection(integral, 2.00009, lo, hi));
    EXPECT_EQ(hi.first, 2.0);
    EXPECT_FALSE(CurvatureEvaluator::findSection(integral, 2.0002, lo, hi));
    EXPECT_FALSE(CurvatureEvaluator::findSection(integral, -0.5, lo, hi));
    EXPECT_FALSE(CurvatureEvaluator::findSection({{0.0, 0.0}}, 0.0, lo, hi));
}

TEST(CurvatureEvaluator, InterpolationInvertsTheIntegral) {
    const std::map<double, double> integral{{0.0, 0.0}, {1.0, 1.0}, {3.0, 2.0}};
    std::set<double> params{-1.0};
    ASSERT_TRUE(CurvatureEvaluator::doInterpolation(5u, integral, params));
    EXPECT_EQ(params, (std::set<double>{0.0, 0.5, 1.0, 2.0, 3.0}));
    ASSERT_TRUE(CurvatureEvaluator::doInterpolation(1u, integral, params));
    EXPECT_EQ(params, (std::set<double>{0.0, 3.0}));
    EXPECT_FALSE(CurvatureEvaluator::doInterpolation(0u, integral, params));
    EXPECT_FALSE(CurvatureEvaluator::doInterpolation(3u, {{0.0, 0.0}}, params));
    // A target landing on a section that grows by no more than 0.0001.
    const std::map<double, double> flatStart{{0.0, 0.0}, {1.0, 0.00005}, {2.0, 1.0}};
    EXPECT_FALSE(CurvatureEvaluator::doInterpolation(10001u, flatStart, params));
    EXPECT_TRUE(CurvatureEvaluator::doInterpolation(101u, flatStart, params));
}

} // namespace
} // namespace Kv::Geometry::Tests
