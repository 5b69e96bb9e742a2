// What a curvature comb costs to lay out and to scale: the adaptive comb
// parameters (64 curvature evaluations and the integral's inversion) and the
// default comb scale (100 evaluations and the curve's box) on a circle, an
// ellipse and a fit-point spline of a 3D sketch; and the principal moments
// and axes of an inertia tensor, for scale.

#include "../common/BenchSketch.h"
#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/EllipticArc3D.h"
#include "Geometry/curves3d/Spline3D.h"
#include "Geometry/math/Curve3DCurvatureEvaluator.h"
#include "Geometry/math/InertiaTensor.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/Sketch.h"
#include "Kv/DataModel/Asset.h"
#include "ZkGeNurbCurve3d.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <set>
#include <vector>

namespace {

using namespace Kv;
using namespace Kv::Geometry;

// One sketch holding one curve of each kind.
struct CurveSketch : BenchSketch {
    CurveSketch() {
        const StrongRef<Point3D> center = Point3D::make(parent, ZkGePoint3d(1, 2, 0));
        curves.push_back(CircArc3D::make(parent, center, ZkGeVector3d::kZAxis, 2.0));
        curves.push_back(
            EllipticArc3D::make(parent, center, ZkGeVector3d(4, 0, 0), ZkGeVector3d(0, 1, 0)));
        // A wave through eight fit points.
        ZkArray<ZkGePoint3d> fit;
        std::vector<StrongRef<Point3D>> points;
        for (int i = 0; i < 8; ++i) {
            fit.append(ZkGePoint3d(i, std::sin(i * 1.3), 0.2 * i));
            points.push_back(Point3D::make(parent, fit[i]));
        }
        const ZkGeNurbCurve3d nurbs(fit);
        curves.push_back(Spline3D::make(parent, &nurbs, points));
    }
    std::vector<StrongRef<Curve3D>> curves; // circle, ellipse, spline
};

CurveSketch& sketch() {
    static CurveSketch made;
    return made;
}

// The parameters of a comb of the default density of 20 spines.
void combParameters(benchmark::State& state) {
    const Curve3DCurvatureEvaluator evaluator(sketch().curves[state.range(0)]);
    std::set<double> params;
    for (auto _ : state) {
        const bool sampled = evaluator.sample(20u, params);
        benchmark::DoNotOptimize(sampled);
    }
    if (params.size() != 20)
        state.SkipWithError("the comb did not get its 20 parameters");
}

void defaultCombScale(benchmark::State& state) {
    const Curve3DCurvatureEvaluator evaluator(sketch().curves[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluator.calcDefaultScaleRatio());
}

void principalMoments(benchmark::State& state) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1, 1);
    std::vector<InertiaTensor> tensors;
    for (int i = 0; i < 256; ++i) {
        const double diagonal[3] = {5 + value(random), 5 + value(random), 5 + value(random)};
        const double offDiagonal[3] = {value(random), value(random), value(random)};
        tensors.emplace_back(diagonal, offDiagonal);
    }
    double moments[3];
    ZkGeVector3d axes[3];
    size_t i = 0;
    for (auto _ : state) {
        tensors[i++ & 255].calcPrinciples(moments, axes);
        benchmark::DoNotOptimize(moments);
    }
}

BENCHMARK(combParameters)->ArgName("circle0_ellipse1_spline2")->DenseRange(0, 2);
BENCHMARK(defaultCombScale)->ArgName("circle0_ellipse1_spline2")->DenseRange(0, 2);
BENCHMARK(principalMoments);

} // namespace

BENCHMARK_MAIN();
