#include "ZkGeCurveTestSupport.h"

#include <cmath>

namespace {

// A helix about the z axis, radius r, rising `pitch` per radian: a curve
// with none of the shortcuts of the kernel's own, so the base class's
// generic answers are what gets tested. Its length is sqrt(r^2 + pitch^2)
// per radian.
class Helix : public ZkGeCurve3d {
public:
    Helix(double radius, double pitch, double turns)
        : m_radius(radius)
        , m_pitch(pitch)
        , m_end(2 * M_PI * turns) {}

    ZkGe::EntityId type() const override { return ZkGe::kCurve3d; }
    std::unique_ptr<ZkGeEntity3d> copy() const override { return std::make_unique<Helix>(*this); }
    Helix& transformBy(const ZkGeMatrix3d&) override { return *this; }
    bool isEqualTo(const ZkGeEntity3d&, const ZkGeTol&) const override { return false; }

    ZkGeInterval getInterval() const override { return ZkGeInterval(0, m_end); }
    ZkGePoint3d evalPoint(double t) const override {
        return ZkGePoint3d(m_radius * std::cos(t), m_radius * std::sin(t), m_pitch * t);
    }
    ZkGePoint3d evalPoint(double t, int numDeriv, std::vector<ZkGeVector3d>& d) const override {
        const double c = m_radius * std::cos(t), s = m_radius * std::sin(t);
        const ZkGeVector3d all[3] = {ZkGeVector3d(-s, c, m_pitch), ZkGeVector3d(-c, -s, 0),
                                     ZkGeVector3d(s, -c, 0)};
        d.assign(all, all + numDeriv);
        return evalPoint(t);
    }
    ZkGePoint3d closestPointTo(const ZkGePoint3d& p,
                               const ZkGeTol& tol = ZkGeContext::gTol) const override {
        return evalPoint(paramOf(p, tol));
    }
    double paramOf(const ZkGePoint3d& p, const ZkGeTol& = ZkGeContext::gTol) const override {
        const auto f = [&](double t) {
            std::vector<ZkGeVector3d> d;
            const ZkGePoint3d q = evalPoint(t, 2, d);
            return ZkGeParamSearch::halfSquaredDistance(q - p, d[0], d[1]);
        };
        return ZkGeParamSearch::minimize(f, 0, m_end, 256);
    }
    void getSplitCurves(double, std::unique_ptr<ZkGeCurve3d>&,
                        std::unique_ptr<ZkGeCurve3d>&) const override {}
    bool isDegenerate(const ZkGeTol&) const override { return false; }
    ZkGeBoundBlock3d boundBlock() const override { return ZkGeBoundBlock3d(); }

private:
    double m_radius;
    double m_pitch;
    double m_end;
};

} // namespace

TEST(ZkGeCurve3d, LengthIntegratesTheSpeed) {
    const Helix helix(3, 0.5, 2.5);
    const double perRadian = std::sqrt(9 + 0.25);
    EXPECT_NEAR(helix.length(), perRadian * 5 * M_PI, 1e-12 * helix.length());
    EXPECT_NEAR(helix.length(2, 0.5), perRadian * 1.5, 1e-14);
    EXPECT_EQ(helix.length(1, 1), 0);
    EXPECT_TRUE(std::isinf(helix.length(0, INFINITY)));
}

TEST(ZkGeCurve3d, SamplesAreEvenAndIncludeBothEnds) {
    const Helix helix(1, 1, 1);
    std::vector<ZkGePoint3d> points;
    std::vector<double> params;
    helix.getSamplePoints(5, points, &params);
    ASSERT_EQ(points.size(), 5u);
    ASSERT_EQ(params.size(), 5u);
    EXPECT_EQ(params.front(), 0);
    EXPECT_EQ(params.back(), 2 * M_PI);
    EXPECT_DOUBLE_EQ(params[1], M_PI / 2);
    EXPECT_EQ(points.back(), helix.evalPoint(2 * M_PI));
    // Samples replace what was there.
    helix.getSamplePoints(1, points, &params);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0], helix.evalPoint(0));
    helix.getSamplePoints(0, points, &params);
    EXPECT_TRUE(points.empty() && params.empty());
    // An unbounded curve cannot be spaced evenly.
    ZkGeLine3d::kXAxis.getSamplePoints(10, points);
    EXPECT_TRUE(points.empty());
}

TEST(ZkGeCurve3d, ClosedWhenTheEndsMeet) {
    double period = 1;
    EXPECT_TRUE(Helix(1, 0, 1).isClosed());
    EXPECT_FALSE(Helix(1, 1e-3, 1).isClosed());
    EXPECT_FALSE(Helix(1, 0, 1).isPeriodic(period));
    EXPECT_EQ(period, 0);
}

TEST(ZkGeCurve3d, ProjectedClosestPoint) {
    // Seen along its axis the helix is its circle; every turn is as near.
    const Helix helix(2, 0.3, 3);
    const ZkGePoint3d foot =
        helix.projClosestPointTo(ZkGePoint3d(0, 5, -40), ZkGeVector3d(0, 0, 2));
    EXPECT_NEAR(foot.x, 0, 1e-9);
    EXPECT_NEAR(foot.y, 2, 1e-12);
    EXPECT_NEAR(std::fmod(helix.paramOf(foot), 2 * M_PI), M_PI / 2, 1e-9);
    // Seen along x the first turn's top is where it comes closest to a point
    // far along +y at height of a quarter turn's rise.
    const ZkGePoint3d side =
        helix.projClosestPointTo(ZkGePoint3d(50, 9, 0.3 * M_PI / 2), ZkGeVector3d::kXAxis);
    EXPECT_TRUE(near(side, helix.evalPoint(M_PI / 2), 1e-9));
    // No direction: plain closest point.
    EXPECT_TRUE(near(helix.projClosestPointTo(ZkGePoint3d(3, 0, 0), ZkGeVector3d()),
                     ZkGePoint3d(2, 0, 0), 1e-12));
}
