// What sketch curves cost as the sketch grows, and what they weigh:
//  - makeLine: a line drawn on from the end of the last one (its start point
//    shared, its end point new), with undo recording on. `ModelOnly` keeps
//    one transaction open across the lines, so the figure is the model's own
//    work (points, use lists, the point index, the undo records), in
//    sketches of 10,000 and 1,000,000 entities. `PerCommand` commits each
//    line as kvgeo's `line` does, so the scene is realised after each one.
//  - combOfCircle: realising the curvature comb of a circle at density 20.
//  - the memory a line takes with its points and use lists, counted with
//    mallinfo2 over 100,000 lines.
// Prints the cost per line at both sizes and their ratio (target <= 1.5),
// and the bytes per line (target <= 1024).

#include "../common/BenchSketch.h"
#include "Geometry/curves3d/CircArc3D.h"
#include "Geometry/curves3d/Line3D.h"
#include "Geometry/sketch3d/CurveUses.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/Scene/NodeChange.h"
#include "Kv/Scene/SceneManager.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

using namespace Kv;
using namespace Kv::Geometry;

// A document with one sketch of about `entities` children: a chain of lines,
// each adding its end point and itself. Built without undo records, as a
// document read from a file would be.
struct SketchOfSize : BenchSketch {
    explicit SketchOfSize(int entities) {
        last = Point3D::make(parent, next());
        while (int(sketch->childCount()) < entities)
            drawOn();
    }
    // A walk that never comes back to a position it had.
    ZkGePoint3d next() {
        ++steps;
        return ZkGePoint3d(double(steps % 1000), double(steps / 1000), 0.0);
    }
    void drawOn() {
        StrongRef<Line3D> line = Line3D::make(parent, last->point(), next());
        last = line->endPoint();
    }

    StrongRef<Point3D> last;
    long long steps = 0;
};

// One large document at a time, kept for every benchmark of its size.
std::map<int, std::unique_ptr<SketchOfSize>> made;

SketchOfSize& sketchOf(int entities) {
    std::unique_ptr<SketchOfSize>& held = made[entities];
    if (!held) {
        made.clear();
        std::unique_ptr<SketchOfSize>& fresh = made[entities];
        fresh = std::make_unique<SketchOfSize>(entities);
        // The scene of what is there is made once, as a first view would.
        fresh->asset.sceneManager().rootNode();
        return *fresh;
    }
    return *held;
}

void makeLineModelOnly(benchmark::State& state) {
    SketchOfSize& doc = sketchOf(int(state.range(0)));
    const StrongRef<Point3D> from = doc.last;
    doc.asset.beginTransaction("lines");
    for (auto _ : state)
        doc.drawOn();
    // Outside the timed loop: takes the lines back out, so that later runs
    // start alike.
    doc.asset.commitTransaction();
    doc.asset.undo();
    doc.last = from;
}

void makeLinePerCommand(benchmark::State& state) {
    SketchOfSize& doc = sketchOf(int(state.range(0)));
    for (auto _ : state) {
        doc.asset.beginTransaction("line");
        doc.drawOn();
        doc.asset.commitTransaction();
    }
}

// A circle of radius 2 with its comb shown, realised again and again: the
// spines at the evaluator's adaptive parameters and the 305-point outline.
void combOfCircle(benchmark::State& state) {
    SketchOfSize& doc = sketchOf(10000);
    StrongRef<CircArc3D> circle;
    doc.asset.beginTransaction("circle");
    circle = CircArc3D::make(doc.parent, ZkGePoint3d(-5, -5, 0), ZkGeVector3d::kZAxis, 2.0);
    circle->showCurvatureComb(true);
    circle->combDensity(20);
    doc.asset.commitTransaction();
    Scene::NodeChange change(circle->groupNode());
    for (auto _ : state)
        circle->realizeGeometry(change);
    if (!circle->combSpinesNode() || circle->combSpinesNode()->mesh().positions().size() != 42)
        state.SkipWithError("the comb was not drawn");
    doc.asset.beginTransaction("circle gone");
    doc.sketch->removeChild(StrongRef<Entity>(circle));
    doc.asset.commitTransaction();
}

BENCHMARK(makeLineModelOnly)->Arg(10000)->Arg(1000000)->Iterations(20000);
BENCHMARK(makeLinePerCommand)->Arg(10000)->Arg(1000000)->Iterations(20000);
BENCHMARK(combOfCircle)->Iterations(2000);

// Bytes allocated per line drawn on a chain, each with its new end point, the
// point's use list and their places in the point index and the scene; and how
// much of that the three entity objects take themselves.
void bytesPerLine(double& total, double& objects) {
    constexpr int kLines = 100000;
    auto doc = std::make_unique<SketchOfSize>(2);
    const size_t before = mallinfo2().uordblks;
    for (int i = 0; i < kLines; ++i)
        doc->drawOn();
    const size_t after = mallinfo2().uordblks;
    total = double(after - before) / kLines;
    const Point3D& end = *doc->last;
    const Curve3D& line = *end.curveUses()->curves().front().getTarget();
    objects = double(malloc_usable_size(const_cast<Curve3D*>(&line)) +
                     malloc_usable_size(const_cast<Point3D*>(&end)) +
                     malloc_usable_size(end.curveUses().get()));
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred)
                perCall[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    double find(const std::string& prefix) const {
        for (const auto& [run, ns] : perCall)
            if (run.rfind(prefix, 0) == 0)
                return ns;
        return 0.0;
    }
    // Processor time, in nanoseconds.
    std::map<std::string, double> perCall;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nline, processor time per line:      10,000 entities   1,000,000 entities\n");
    for (const char* name : {"makeLineModelOnly", "makeLinePerCommand"}) {
        const double at10k = reporter.find(std::string(name) + "/10000/");
        const double at1M = reporter.find(std::string(name) + "/1000000/");
        if (at10k > 0 && at1M > 0)
            std::printf("  %-20s %15.0f ns %18.0f ns   ratio %.2f (target <= 1.5)\n", name, at10k,
                        at1M, at1M / at10k);
    }
    if (const double comb = reporter.find("combOfCircle"); comb > 0)
        std::printf("comb of a circle at density 20: %.1f us per realisation\n", comb / 1000.0);
    made.clear(); // nothing of the benchmarks' documents is counted
    double total = 0.0, objects = 0.0;
    bytesPerLine(total, objects);
    std::printf("memory per line with its point and use lists: %.0f bytes (target <= 1024), of "
                "which the line, point and use list objects %.0f\n",
                total, objects);
    benchmark::Shutdown();
    return 0;
}
