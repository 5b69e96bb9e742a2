// 2D drawings through kvgeo: a drawing made, saved, opened again, listed
// and rendered.

#include "KvgeoProcess.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using KvgeoTests::countOf;
using KvgeoTests::KvgeoProcess;
using KvgeoTests::readFile;
using Lines = std::vector<std::string>;

TEST(KvgeoSketch2D, ADrawingSurvivesSaveAndOpenAndIsRendered) {
    const KvgeoTests::ScratchDirectory scratch;
    const std::string file = scratch.path("plan.kvd");
    const std::string empty = scratch.path("empty.svg"), drawn = scratch.path("drawn.svg");
    const KvgeoProcess::Result made =
        KvgeoProcess::run({"-q"}, "render " + empty +
                                      " view top\nsketch2d Plan\nline2d 0 0 4 0\nline2d 4 0 4 3\n"
                                      "arc2d 0 0 4 0 0 4\nellipse2d 8 0 2 0 1\nsave " +
                                      file + "\n");
    ASSERT_EQ(made.status, 0) << made.err;
    const Lines paths = made.outLines();
    ASSERT_EQ(paths.size(), 5u);
    EXPECT_EQ(paths[0].rfind("Sketch2Ds/Skch2:", 0), 0u) << paths[0];
    for (size_t i = 1; i < paths.size(); ++i)
        EXPECT_EQ(paths[i].rfind(paths[0] + "/", 0), 0u) << paths[i];

    const KvgeoProcess::Result opened =
        KvgeoProcess::run({"-q", "-c", "open " + file, "-c", "ls " + paths[0], "-c",
                           "get " + paths[0] + " userName", "-c", "render " + drawn + " view top"});
    ASSERT_EQ(opened.status, 0) << opened.err;
    const Lines listed = opened.outLines();
    const auto classes = [&](const std::string& name) {
        return std::count_if(listed.begin(), listed.end(), [&](const std::string& line) {
            return line.size() > name.size() &&
                   line.compare(line.size() - name.size() - 1, std::string::npos, "\t" + name) == 0;
        });
    };
    EXPECT_EQ(classes("Line2D"), 2);
    EXPECT_EQ(classes("Arc2D"), 1);
    EXPECT_EQ(classes("EllipticArc2D"), 1);
    EXPECT_EQ(classes("Point2D"), 5) << "the corners and centres are shared";
    EXPECT_EQ(listed.back(), "\"Plan\"");
    // Every curve adds its band to the picture.
    EXPECT_GE(countOf(readFile(drawn), "<path"), countOf(readFile(empty), "<path") + 4);
}

} // namespace
