// Work geometry through kvgeo: a script that makes, sizes and shows work
// geometry, and what the drawing shows of it.

#include "KvgeoProcess.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using KvgeoTests::countOf;
using KvgeoTests::KvgeoProcess;
using KvgeoTests::readFile;
using Lines = std::vector<std::string>;

TEST(KvgeoWorkGeometry, AScriptMakesSizesAndDrawsWorkGeometry) {
    const KvgeoTests::ScratchDirectory scratch;
    const std::string empty = scratch.path("empty.svg"), planes = scratch.path("planes.svg"),
                      origin = scratch.path("origin.svg");
    const KvgeoProcess::Result result =
        KvgeoProcess::run({"-q"}, "render " + empty +
                                      " view top\n"
                                      "workplane 0 0 0 0 0 1\n"
                                      "workaxis 0 0 0 1 0 0\n"
                                      "workpoint 1 1 0\n"
                                      "extent WorkGeometries/Plane1 upper-right 8 8 0\n"
                                      "extent WorkGeometries/Axis1 scale 0.5\n"
                                      "get WorkGeometries/Plane1 urParam\n"
                                      "get WorkGeometries/Axis1 upperParam\n"
                                      "render " +
                                      planes +
                                      " view top\n"
                                      "origin show\n"
                                      "render " +
                                      origin + " view top\n");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.outLines(), (Lines{"WorkGeometries/Plane1", "WorkGeometries/Axis1",
                                        "WorkGeometries/Point1", "(8, 8)", "20"}));
    // The plane is shaded in the environment's translucent work plane colour
    // and the axis is a dashed centre line; the origin set, once shown, adds
    // its axes in the environment's red, green and blue axis colours.
    const std::string before = readFile(empty), after = readFile(planes), shown = readFile(origin);
    EXPECT_EQ(countOf(before, "fill-opacity:0.35"), 0u);
    EXPECT_EQ(countOf(before, "stroke-dasharray"), 0u);
    EXPECT_GE(countOf(after, "fill-opacity:0.35"), 1u);
    EXPECT_EQ(countOf(after, "stroke-dasharray"), 1u);
    EXPECT_EQ(countOf(shown, "stroke-dasharray"), 4u);
    for (const char* axisColour :
         {"stroke:rgb(85.000002%,10%,10%)", "stroke:rgb(10%,64.999998%,10%)",
          "stroke:rgb(10%,25%,89.999998%)"}) {
        EXPECT_EQ(countOf(after, axisColour), 0u) << axisColour;
        EXPECT_EQ(countOf(shown, axisColour), 1u) << axisColour;
    }
}

} // namespace
