// What fitting and evaluating splines costs: the spline solver through 10,
// 100, 1,000 and 10,000 fit points, open with a tangent or curvature handle
// at every fifth point and closed without, and evaluating a point with its
// first two derivatives on a cubic of 1,000 control points, with the point
// alone beside it for scale. Prints the fitting cost per fit point, whose
// ratio between sizes shows the fit to be linear, and the cost of one
// evaluation.

#include "Geometry/curves3d/SplineSolver.h"
#include "ZkGeNurbCurve3d.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

using Kv::Geometry::SplineSolver;

// A wandering line of points, one unit or so apart.
std::vector<ZkGePoint3d> walk(int count) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> step(-1.0, 1.0);
    std::vector<ZkGePoint3d> points;
    ZkGePoint3d p;
    for (int i = 0; i < count; ++i) {
        p += ZkGeVector3d(1.0 + step(random), step(random), 0.5 * step(random));
        points.push_back(p);
    }
    return points;
}

void fitOpen(benchmark::State& state) {
    const std::vector<ZkGePoint3d> points = walk(int(state.range(0)));
    SplineSolver solver(points, false);
    for (int i = 0; i < int(points.size()); i += 5) {
        if (i % 10 == 0)
            solver.tangent(i, ZkGeVector3d(1, 0.5, 0));
        else
            solver.curvature(i, ZkGeVector3d(0, 0, 0.2));
    }
    for (auto _ : state) {
        ZkGeNurbCurve3d curve;
        if (!solver.solve(curve))
            state.SkipWithError("no fit");
        benchmark::DoNotOptimize(curve);
    }
}

void fitClosed(benchmark::State& state) {
    std::vector<ZkGePoint3d> points;
    const int count = int(state.range(0));
    for (int i = 0; i < count; ++i) {
        const double a = 2 * M_PI * i / count;
        points.emplace_back(count * std::cos(a),
                            count * std::sin(a) * (1.2 + 0.2 * std::cos(5 * a)), 0);
    }
    const SplineSolver solver(points, true);
    for (auto _ : state) {
        ZkGeNurbCurve3d curve;
        if (!solver.solve(curve))
            state.SkipWithError("no fit");
        benchmark::DoNotOptimize(curve);
    }
}

// A cubic of 1,000 control points and the parameters to evaluate it at, in
// random order so that each evaluation finds its own span.
struct Evaluation {
    Evaluation()
        : curve(3, ZkGeKnotVector::clampedUniform(3, 1000, 0.0, 997.0), controls()) {
        std::mt19937_64 random(11);
        std::uniform_real_distribution<double> t(0.0, 997.0);
        for (int i = 0; i < 1 << 16; ++i)
            params.push_back(t(random));
    }
    static ZkArray<ZkGePoint3d> controls() {
        ZkArray<ZkGePoint3d> points;
        for (const ZkGePoint3d& p : walk(1000))
            points.append(p);
        return points;
    }
    ZkGeNurbCurve3d curve;
    std::vector<double> params;
};

const Evaluation& evaluation() {
    static const Evaluation made;
    return made;
}

void evaluatePointAndTwoDerivatives(benchmark::State& state) {
    const Evaluation& e = evaluation();
    std::vector<ZkGeVector3d> derivatives;
    size_t i = 0;
    for (auto _ : state) {
        const ZkGePoint3d p = e.curve.evalPoint(e.params[i++ & 0xFFFF], 2, derivatives);
        benchmark::DoNotOptimize(p);
        benchmark::DoNotOptimize(derivatives.data());
    }
}

void evaluatePoint(benchmark::State& state) {
    const Evaluation& e = evaluation();
    size_t i = 0;
    for (auto _ : state) {
        const ZkGePoint3d p = e.curve.evalPoint(e.params[i++ & 0xFFFF]);
        benchmark::DoNotOptimize(p);
    }
}

BENCHMARK(fitOpen)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(fitClosed)->Arg(10)->Arg(100)->Arg(1000)->Arg(10000);
BENCHMARK(evaluatePointAndTwoDerivatives)->Iterations(1000000);
BENCHMARK(evaluatePoint)->Iterations(1000000);

// Keeps the processor time per iteration of every run.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred)
                perIteration[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    double find(const std::string& name) const {
        const auto it = perIteration.find(name);
        return it == perIteration.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> perIteration;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf(
        "\nfitting, processor time per fit point (ratio to 10 points; linear stays near 1)\n");
    for (const char* name : {"fitOpen", "fitClosed"}) {
        const double base = reporter.find(std::string(name) + "/10") / 10.0;
        std::printf("  %-10s", name);
        for (const int count : {10, 100, 1000, 10000}) {
            const double perPoint =
                reporter.find(std::string(name) + "/" + std::to_string(count)) / count;
            if (perPoint > 0 && base > 0)
                std::printf("  %6d: %7.0f ns (%.2f)", count, perPoint, perPoint / base);
        }
        std::printf("\n");
    }
    const double full = reporter.find("evaluatePointAndTwoDerivatives/iterations:1000000");
    const double point = reporter.find("evaluatePoint/iterations:1000000");
    if (full > 0 && point > 0)
        std::printf("evaluation on 1,000 control points: point and two derivatives %.0f ns, "
                    "point alone %.0f ns (ratio %.2f)\n",
                    full, point, full / point);
    benchmark::Shutdown();
    return 0;
}
