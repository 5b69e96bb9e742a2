// The text command as kvgeo runs it: options, the box, and the errors of bad
// input.

#include "CommandTestSession.h"

#include "Geometry/sketch3d/Sketch.h"
#include "Geometry/text/Text.h"
#include "Geometry/text/TextBorder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace Kv::Geometry::CommandTests {
namespace {

using ::testing::HasSubstr;

class TextCommandsTest : public ::testing::Test, protected CommandTestSession {
protected:
    TextCommandsTest() { run("sketch"); }
    size_t childCount() { return at<Sketch>("Sketches/Sketch1")->childCount(); }
};

TEST_F(TextCommandsTest, TextTakesItsOptionsInAnyOrderAndPrintsItsPath) {
    EXPECT_EQ(run("text \"Hello world\" 1 2 0 italic height 5 angle 90deg font \"Liberation "
                  "Serif\" bold"),
              "Sketches/Sketch1/Text(Hello world):11:1\n");
    auto* text = at<Text>("./Text(Hello world):11:1");
    ASSERT_NE(text, nullptr);
    const FontStyle style = text->fontStyle();
    EXPECT_EQ(text->position(), ZkGePoint3d(1, 2, 0));
    EXPECT_EQ(style.height, 5.0);
    EXPECT_DOUBLE_EQ(style.angle, M_PI_2);
    EXPECT_EQ(style.faceName, L"Liberation Serif");
    EXPECT_TRUE(style.bold && style.italic);
    EXPECT_GT(style.width, 0.0);
    EXPECT_TRUE(text->borderLines().empty());
    EXPECT_THAT(run("get \"./Text(Hello world):11:1\" text"), HasSubstr("\"Hello world\""));
}

TEST_F(TextCommandsTest, ABoxFramesTheMeasuredText) {
    run("text Hi 0 0 0 box");
    auto* text = at<Text>("./Text(Hi):11:1");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->borderLines().size(), 4u);
}

TEST_F(TextCommandsTest, BadInputIsRefusedAndMakesNothing) {
    EXPECT_THAT(failure("text Hi 0 0"), HasSubstr("Z"));
    EXPECT_THAT(failure("text Hi 0 0 0 height 0"), HasSubstr("H must be greater than 0"));
    EXPECT_THAT(failure("text Hi 0 0 0 font \"\""), HasSubstr("FACE must not be empty"));
    EXPECT_THAT(failure("text Hi 0 0 0 sideways"), HasSubstr("sideways"));
    EXPECT_THAT(failure("text \"\" 0 0 0 box"), HasSubstr("an empty text has no box"));
    EXPECT_EQ(childCount(), 0u);
}

} // namespace
} // namespace Kv::Geometry::CommandTests
