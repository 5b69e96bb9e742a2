// 3D sketches through kvgeo: numbering, listing, and a document of sketches
// with points kept across undo, redo, save and open.

#include "KvgeoProcess.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using KvgeoTests::KvgeoProcess;
using Lines = std::vector<std::string>;

// The lines of `lines` that start with `prefix`, in order.
Lines startingWith(const Lines& lines, const std::string& prefix) {
    Lines found;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                 [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    return found;
}

TEST(KvgeoSketch, NewSketchesAreNumberedAndListedInOrder) {
    const KvgeoProcess::Result result =
        KvgeoProcess::run({"-c", "sketch", "-c", "sketch", "-c", "sketch", "-c", "ls"});
    ASSERT_EQ(result.status, 0) << result.err;
    const Lines lines = result.outLines();
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 3), (Lines{"Sketch1", "Sketch2", "Sketch3"}));
    EXPECT_EQ(startingWith(lines, "Sketches/"),
              (Lines{"Sketches/Sketch1\tSketch", "Sketches/Sketch2\tSketch",
                     "Sketches/Sketch3\tSketch"}));
}

TEST(KvgeoSketch, PointsSurviveUndoRedoSaveAndOpen) {
    const KvgeoTests::ScratchDirectory scratch;
    const std::string file = scratch.path("points.kvd");
    // The same point again is shared, not made twice.
    const std::string look = "ls -a\nget Sketches/Profile/Point:1:2 point\n";
    const KvgeoProcess::Result result = KvgeoProcess::run(
        {},
        "sketch Profile origin 1 2 3\npoint 0 0 0\npoint 1.5 -2 0.25\npoint 0 0 0\nundo\nredo\n" +
            look + "save " + file + "\nopen " + file + "\n" + look);
    ASSERT_EQ(result.status, 0) << result.err;
    const Lines lines = result.outLines();
    // The made paths, then two listings and two values that must agree.
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 4),
              (Lines{"Profile", "Sketches/Profile/Point:1:1", "Sketches/Profile/Point:1:2",
                     "Sketches/Profile/Point:1:1"}));
    const Lines listed = startingWith(lines, "Sketches/Profile/Point:1:2\t");
    EXPECT_EQ(listed,
              (Lines{"Sketches/Profile/Point:1:2\tPoint3D", "Sketches/Profile/Point:1:2\tPoint3D"}))
        << "the redone point, listed before saving and after opening";
    const Lines values = startingWith(lines, "(1.5, ");
    EXPECT_EQ(values, (Lines{"(1.5, -2, 0.25)", "(1.5, -2, 0.25)"}));
}

} // namespace
