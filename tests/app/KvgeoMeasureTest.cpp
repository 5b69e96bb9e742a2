// Measuring sketch geometry through kvgeo: the printed value and points,
// and the errors of measurements that do not apply.

#include "KvgeoProcess.h"

#include <gtest/gtest.h>

namespace {

using KvgeoTests::KvgeoProcess;
using Lines = std::vector<std::string>;

// A sketch lifted to z = 1 with a line from (0, 0) to (3, 4), a point at
// (6, 0), a circle of radius 2 about the origin and a line up x = 10.
const std::string kDrawing = "sketch origin 0 0 1\n"
                             "line 0 0 0 3 4 0\n"
                             "point 6 0 0\n"
                             "circle 0 0 0 2\n"
                             "line 10 0 0 10 5 0\n";

// The drawing commands print a line each (the sketch's name, the paths of
// what they made); the measures follow.
constexpr size_t kDrawingLines = 5;

KvgeoProcess::Result measure(const Lines& commands) {
    std::string input = kDrawing;
    for (const std::string& command : commands)
        input += "measure " + command + "\n";
    return KvgeoProcess::run({"-q"}, input);
}

TEST(KvgeoMeasure, PrintsTheValueAndTheTwoModelSpacePoints) {
    const std::string line = "Sketches/Sketch1/Line:2:1";
    const std::string other = "Sketches/Sketch1/Line:2:2";
    const std::string start = "Sketches/Sketch1/Point:1:1";
    const std::string end = "Sketches/Sketch1/Point:1:2";
    const std::string loose = "Sketches/Sketch1/Point:1:3";
    const std::string circle = "Sketches/Sketch1/CircArc:4:1";
    const KvgeoProcess::Result result = measure({
        "distance " + start + " " + end,
        "dx " + start + " " + end,
        "dy " + end + " " + start,
        "z " + loose,
        "length " + line,
        "radius " + circle,
        "distance " + loose + " " + line,
        "distance " + circle + " " + loose,
        "distance " + line + " " + other,
    });
    ASSERT_EQ(result.status, 0) << result.err;
    const Lines lines = result.outLines();
    ASSERT_EQ(lines.size(), kDrawingLines + 9);
    EXPECT_EQ(Lines(lines.begin() + kDrawingLines, lines.end()),
              (Lines{
                  "5 (0, 0, 1) (3, 4, 1)",
                  "3 (0, 0, 1) (3, 4, 1)",
                  "-4 (3, 4, 1) (0, 0, 1)",
                  "1 (6, 0, 1) (6, 0, 1)",
                  "5 (1.5, 2, 1) (1.5, 2, 1)",
                  "2 (-2, 2.4492935982947064e-16, 1) (-2, 2.4492935982947064e-16, 1)",
                  "4.800000000000001 (6, 0, 1) (2.1599999999999997, 2.88, 1)",
                  "4 (2, 0, 1) (6, 0, 1)",
                  "7 (3, 4, 1) (10, 4, 1)",
              }));
}

TEST(KvgeoMeasure, AnglesAreInRadians) {
    const KvgeoProcess::Result result =
        measure({"angle Sketches/Sketch1/Line:2:1 Sketches/Sketch1/Line:2:2"});
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.outLines().size(), kDrawingLines + 1);
    const std::string angle = result.outLines().back();
    EXPECT_EQ(angle.rfind("0.643501108793284", 0), 0u) << angle;
}

TEST(KvgeoMeasure, WorkPlanesAxesAndPointsAreMeasured) {
    const KvgeoProcess::Result result =
        KvgeoProcess::run({"-q"}, "workplane 0 0 2 0 0 1\n"
                                  "workplane 0 0 0 0 1 1\n"
                                  "workaxis 0 1 0 1 0 0\n"
                                  "workpoint 3 4 7\n"
                                  "measure distance WorkGeometries/Point1 WorkGeometries/Plane1\n"
                                  "measure angle WorkGeometries/Plane1 WorkGeometries/Plane2\n"
                                  "measure distance WorkGeometries/Axis1 WorkGeometries/Point1\n"
                                  "measure angle WorkGeometries/Axis1 WorkGeometries/Plane1\n"
                                  "measure y WorkGeometries/Point1\n");
    ASSERT_EQ(result.status, 0) << result.err;
    const Lines lines = result.outLines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(Lines(lines.begin() + 4, lines.end()), (Lines{
                                                         "5 (3, 4, 7) (3, 4, 2)",
                                                         "0.7853981633974483 (0, 0, 2) (0, 0, 0)",
                                                         "7.615773105863909 (3, 1, 0) (3, 4, 7)",
                                                         "0 (0.5, 1, 0) (0, 0, 2)",
                                                         "4 (3, 4, 7) (3, 4, 7)",
                                                     }));
}

TEST(KvgeoMeasure, MeasurementsThatDoNotApplyFailClearly) {
    const std::pair<std::string, std::string> cases[] = {
        {"radius Sketches/Sketch1/Line:2:1", "error: radius needs a circular curve"},
        {"x Sketches/Sketch1/Line:2:1", "error: x needs a point"},
        {"angle Sketches/Sketch1/Line:2:1 Sketches/Sketch1/CircArc:4:1",
         "error: angle needs two straight curves, two planes, or a straight curve and a plane"},
        {"dx Sketches/Sketch1/Point:1:1 Sketches/Sketch1/Line:2:1", "error: dx needs two points"},
        {"distance Sketches/Sketch1/Point:1:1", "error: distance is measured between two PATHs"},
        {"length Sketches", "error: 'Sketches' cannot be measured"},
        {"length Sketches/Sketch1", "error: 'Sketches/Sketch1' cannot be selected"},
        {"length WorkGeometries", "error: 'WorkGeometries' cannot be measured"},
        {"area Sketches/Sketch1/Line:2:1",
         "error: unknown measure 'area'; expected one of length, radius, distance, angle, x, y, "
         "z, dx, dy, dz"},
    };
    for (const auto& [command, error] : cases) {
        const KvgeoProcess::Result result = measure({command});
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_EQ(result.errorLines(), Lines{error}) << command;
    }
}

} // namespace
