// What sharing a sketch point costs as the sketch grows: Point3D::findOrMake in
// sketches of 10,000 and 1,000,000 children, finding points that are there
// (recent ones, as drawing does, and any at random) and making new ones, with
// the plain walk over the children beside it for scale. Prints the cost per
// call and the ratio of the large sketch to the small one.

#include "../common/BenchSketch.h"
#include "Geometry/sketch3d/Point3D.h"
#include "Geometry/sketch3d/PointIndex.h"
#include "Kv/DataModel/Asset.h"
#include "ZkGeContext.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace Kv;
using namespace Kv::Geometry;

// A document with one sketch of `children` points at random positions in a
// cube of side 1000, made once per size and kept for every benchmark of it.
struct SketchOfSize : BenchSketch {
    explicit SketchOfSize(int children) {
        positions.reserve(children);
        for (int i = 0; i < children; ++i) {
            positions.push_back(randomPosition());
            Point3D::make(parent, positions.back());
        }
    }
    ZkGePoint3d randomPosition() {
        std::uniform_real_distribution<double> coordinate(0.0, 1000.0);
        return ZkGePoint3d(coordinate(random), coordinate(random), coordinate(random));
    }

    std::vector<ZkGePoint3d> positions;
    std::mt19937_64 random{42};
};

SketchOfSize& sketchOf(int children) {
    static std::map<int, std::unique_ptr<SketchOfSize>> made;
    std::unique_ptr<SketchOfSize>& held = made[children];
    if (!held) {
        made.clear(); // one large document at a time
        std::unique_ptr<SketchOfSize>& fresh = made[children];
        fresh = std::make_unique<SketchOfSize>(children);
        return *fresh;
    }
    return *held;
}

// Finds existing points at `queries`, each call somewhere else among them.
void findAt(benchmark::State& state, SketchOfSize& doc, const std::vector<ZkGePoint3d>& queries) {
    const StrongRef<Entity> parent(doc.sketch);
    const size_t children = doc.sketch->childCount();
    size_t i = 0;
    for (auto _ : state) {
        StrongRef<Point3D> point = Point3D::findOrMake(parent, queries[i++ % queries.size()]);
        benchmark::DoNotOptimize(point.get());
    }
    if (doc.sketch->childCount() != children)
        state.SkipWithError("a point that was there was made again");
}

// As a drawing command asks: new curves end on points made recently (the last
// 4096), in any order among those.
void findRecent(benchmark::State& state) {
    SketchOfSize& doc = sketchOf(int(state.range(0)));
    std::vector<ZkGePoint3d> queries;
    std::uniform_int_distribution<size_t> pick(doc.positions.size() - 4096,
                                               doc.positions.size() - 1);
    for (int i = 0; i < 1 << 16; ++i)
        queries.push_back(doc.positions[pick(doc.random)]);
    findAt(state, doc, queries);
}

// Anywhere in the sketch, at random: every call reads a slot and a point that
// are in no cache, so what grows here is memory latency, not work.
void findAnywhere(benchmark::State& state) {
    SketchOfSize& doc = sketchOf(int(state.range(0)));
    std::vector<ZkGePoint3d> queries;
    std::uniform_int_distribution<size_t> pick(0, doc.positions.size() - 1);
    for (int i = 0; i < 1 << 16; ++i)
        queries.push_back(doc.positions[pick(doc.random)]);
    findAt(state, doc, queries);
}

// New positions: each call makes a point (and its use list) and files it.
void makeNew(benchmark::State& state) {
    SketchOfSize& doc = sketchOf(int(state.range(0)));
    const StrongRef<Entity> parent(doc.sketch);
    std::vector<ZkGePoint3d> queries;
    for (int i = 0; i < 1 << 16; ++i)
        queries.push_back(doc.randomPosition());
    size_t i = 0;
    for (auto _ : state) {
        StrongRef<Point3D> point = Point3D::findOrMake(parent, queries[i++ & 0xFFFF]);
        benchmark::DoNotOptimize(point.get());
    }
}

// The look at every child that findOrMake replaces, for scale.
void walkChildren(benchmark::State& state) {
    SketchOfSize& doc = sketchOf(int(state.range(0)));
    std::uniform_int_distribution<size_t> pick(0, doc.positions.size() - 1);
    for (auto _ : state) {
        Point3D* found =
            PointIndex::walk(*doc.sketch, doc.positions[pick(doc.random)], ZkGeContext::gTol);
        benchmark::DoNotOptimize(found);
    }
}

BENCHMARK(findRecent)->Arg(10000)->Arg(1000000)->Iterations(500000);
BENCHMARK(findAnywhere)->Arg(10000)->Arg(1000000)->Iterations(200000);
BENCHMARK(makeNew)->Arg(10000)->Arg(1000000)->Iterations(50000);
BENCHMARK(walkChildren)->Arg(10000)->Arg(1000000)->Iterations(50);

// Keeps the time per call of every run, to set the sizes against each other.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (!run.error_occurred)
                perCall[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    // Processor time, in nanoseconds: on a loaded machine the wall clock
    // measures the other programs as much as this one.
    std::map<std::string, double> perCall;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nfindOrMake, processor time per call:   10,000 children   1,000,000 children\n");
    for (const char* name : {"findRecent", "findAnywhere", "makeNew", "walkChildren"}) {
        double at10k = 0, at1M = 0;
        for (const auto& [run, ns] : reporter.perCall) {
            if (run.rfind(std::string(name) + "/10000/", 0) == 0)
                at10k = ns;
            if (run.rfind(std::string(name) + "/1000000/", 0) == 0)
                at1M = ns;
        }
        if (at10k > 0 && at1M > 0)
            std::printf("  %-13s %22.0f ns %18.0f ns   ratio %.2f%s\n", name, at10k, at1M,
                        at1M / at10k, std::string(name) == "findRecent" ? " (target <= 1.5)" : "");
    }
    benchmark::Shutdown();
    return 0;
}
