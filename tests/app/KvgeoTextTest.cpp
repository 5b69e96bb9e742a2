// kvgeo draws sketch text: the text command, its box, and rendering it as
// filled glyph outlines, through save, open, delete and undo.

#include "KvgeoProcess.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using KvgeoTests::KvgeoProcess;
using KvgeoTests::readFile;

// An SVG drawing without the identifiers each rendering numbers anew.
std::string drawing(const std::string& svg) {
    const size_t start = svg.find("<rect");
    return start == std::string::npos ? svg : svg.substr(start);
}

// The filled shapes of an SVG drawing.
size_t filledPaths(const std::string& svg) {
    size_t count = 0;
    for (size_t at = svg.find("<path"); at != std::string::npos; at = svg.find("<path", at + 1))
        if (svg.find("fill:", at) < svg.find("/>", at))
            ++count;
    return count;
}

TEST(KvgeoText, TextIsSavedOpenedAndRenderedAsOutlines) {
    const KvgeoTests::ScratchDirectory scratch;
    const std::string document = scratch.path("text.kvd");
    const std::string drawn = scratch.path("drawn.svg"), opened = scratch.path("opened.svg"),
                      deleted = scratch.path("deleted.svg"), undone = scratch.path("undone.svg");
    auto made = KvgeoProcess::run({"-q", "-c", "sketch", "-c", "text \"Hi there\" 0 0 0 box", "-c",
                                   "render " + drawn + " view top", "-c", "save " + document});
    ASSERT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.outLines(),
              (std::vector<std::string>{"Sketch1", "Sketches/Sketch1/Text(Hi there):11:1"}));
    EXPECT_GT(filledPaths(readFile(drawn)), 0u);

    auto reopened = KvgeoProcess::run(
        {"-q", "-c", "open " + document, "-c", "render " + opened + " view top", "-c",
         "delete \"Sketches/Sketch1/Text(Hi there):11:1\"", "-c", "ls Sketches/Sketch1", "-c",
         "render " + deleted + " view top", "-c", "undo", "-c", "render " + undone + " view top"});
    ASSERT_EQ(reopened.status, 0) << reopened.err;
    EXPECT_TRUE(reopened.out.empty()) << "nothing is left in the sketch: " << reopened.out;
    EXPECT_EQ(drawing(readFile(opened)), drawing(readFile(drawn)));
    EXPECT_EQ(filledPaths(readFile(deleted)), 0u);
    EXPECT_EQ(drawing(readFile(undone)), drawing(readFile(drawn)));
}

TEST(KvgeoText, AFaceThatCannotBeFoundIsNoCrash) {
    auto result = KvgeoProcess::run({"-q", "-c", "sketch", "-c", "text x 0 0 0 font NoSuchFace"});
    // fontconfig answers a missing face with a fallback, so the text is made.
    EXPECT_EQ(result.status, 0) << result.err;
}

} // namespace
