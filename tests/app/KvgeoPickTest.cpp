// Picking through kvgeo: what a click at a view point selects, with and
// without a selection filter.

#include "KvgeoProcess.h"

#include <gtest/gtest.h>

namespace {

using KvgeoTests::KvgeoProcess;
using Lines = std::vector<std::string>;

TEST(KvgeoPick, PrintsTheSelectionsClassUserNameAndPath) {
    const KvgeoProcess::Result result =
        KvgeoProcess::run({"-q"}, "sketch\n"
                                  "line 0 0 0 4 0 0\n"
                                  "circle 10 0 0 2\n"
                                  "pick 2 0.05\n"
                                  "pick 4 0\n"
                                  "pick 4 0 filter LinearSketchCurves\n"
                                  "pick 12 0 filter LinearSketchCurves\n"
                                  "pick 12 0 filter AnySketchCurves\n"
                                  "pick 50 50\n"
                                  "pick 2 0 view front\n"
                                  "pick 2 0 filter SketchPoint\n");
    ASSERT_EQ(result.status, 0) << result.err;
    const Lines lines = result.outLines();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(Lines(lines.begin() + 3, lines.end()),
              (Lines{
                  "SketchCurveSelection\tSketch Curve\tSketches/Sketch1/Line:2:1",
                  "SketchPointSelection\tSketch Point\tSketches/Sketch1/Point:1:2",
                  "SketchCurveSelection\tSketch Curve\tSketches/Sketch1/Line:2:1",
                  "nothing",
                  "SketchCurveSelection\tSketch Curve\tSketches/Sketch1/CircArc:4:1",
                  "nothing",
                  "SketchCurveSelection\tSketch Curve\tSketches/Sketch1/Line:2:1",
                  "nothing",
              }));
}

TEST(KvgeoPick, FindsTextsAndDrawingItemsWhereTheyAreDrawn) {
    // The glyph of "I" (10 high, default font) is a bar drawn from x 0 to
    // about 1.3; its middle is inside the fill, away from the outline.
    const KvgeoProcess::Result result =
        KvgeoProcess::run({"-q"}, "sketch\n"
                                  "text \"I\" 0 0 0\n"
                                  "sketch2d Plan\n"
                                  "line2d 0 20 4 20\n"
                                  "circle2d 10 20 1\n"
                                  "pick 0.65 5\n"
                                  "pick 5 5\n"
                                  "pick 2 20\n"
                                  "pick 11 20\n"
                                  "pick 10 20\n"
                                  "pick 2 20 filter AnySketchCurves\n");
    ASSERT_EQ(result.status, 0) << result.err;
    const Lines lines = result.outLines();
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(Lines(lines.begin() + 5, lines.end()),
              (Lines{
                  "TextSelection\t\tSketches/Sketch1/Text(I):11:1",
                  "nothing",
                  "Geometry2DSelection\t\tSketch2Ds/Skch2:1:17/Ln2:1:21",
                  "Geometry2DSelection\t\tSketch2Ds/Skch2:1:17/Arc2:1:23",
                  "nothing",
                  "nothing",
              }));
}

TEST(KvgeoPick, UnknownFiltersAndViewsAreErrors) {
    const std::pair<std::string, std::string> cases[] = {
        {"pick 0 0 filter Curves", "error: no selection filter is called 'Curves'"},
        {"pick 0 0 zoom 2", "error: expected view or filter, got 'zoom'"},
    };
    for (const auto& [command, error] : cases) {
        const KvgeoProcess::Result result = KvgeoProcess::run({"-q", "-c", command});
        EXPECT_EQ(result.status, 1) << command;
        EXPECT_EQ(result.errorLines(), Lines{error}) << command;
    }
    const KvgeoProcess::Result badView = KvgeoProcess::run({"-q", "-c", "pick 0 0 view bottom"});
    EXPECT_EQ(badView.status, 1);
    ASSERT_EQ(badView.errorLines().size(), 1u);
    EXPECT_NE(badView.errorLines()[0].find("bottom"), std::string::npos) << badView.err;
}

} // namespace
