// kvgeo draws the example scripts: each renders to a PNG whose pixels lie
// where the geometry puts the curves, their handles and their combs.

#include "KvgeoProcess.h"
#include "ScratchDirectory.h"

#include "Wyn/Objects/Image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace {

using KvgeoTests::KvgeoProcess;
using Wyn::Objects::Color;
using ColorTest = std::function<bool(const Color&)>;

bool isBackground(const Color& c) {
    return c.red > 0.95f && c.green > 0.95f && c.blue > 0.95f;
}
bool isInk(const Color& c) {
    return !isBackground(c);
}
bool isSketchBlue(const Color& c) {
    return c.blue > 0.3f && c.blue > c.red + 0.2f && c.green < 0.5f;
}
// Handles: the environment's inference colour, an orange (thin lines come out
// paler, blended with the background).
bool isOrange(const Color& c) {
    return c.red > 0.85f && c.red - c.green > 0.15f && c.green - c.blue > 0.15f;
}
bool isRed(const Color& c) {
    return c.red > 0.6f && c.green < 0.4f && c.blue < 0.4f;
}
// The combs' spines, pale at their anti-aliased edges, and their full colour.
bool isSpine(const Color& c) {
    return c.green > c.red + 0.1f && c.blue > c.red + 0.15f;
}
bool isTeal(const Color& c) {
    return isSpine(c) && c.red < 0.5f;
}

class KvgeoExamplesTest : public ::testing::Test {
protected:
    // Runs examples/<name>.kvs, drawing into this test's own file, and loads
    // the image. The sketch's extent, centred at (cx, cy), is fitted into the
    // image with the renderer's 5% margin at `scale` pixels a unit.
    void render(const std::string& name, int width, int height, double cx, double cy,
                double scale) {
        std::string text = KvgeoTests::readFile(KV_SOURCE_DIR "/examples/" + name + ".kvs");
        const std::string target = "render " + name + ".png";
        const std::string png = m_scratch.path(name + ".png");
        const size_t at = text.find(target);
        ASSERT_NE(at, std::string::npos) << "the example renders elsewhere";
        text.replace(at, target.size(), "render " + png);
        const auto result = KvgeoProcess::run({"-q"}, text);
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_TRUE(result.errorLines().empty()) << result.err;
        ASSERT_FALSE(KvgeoTests::readFile(png).empty());
        m_image = Wyn::Objects::Image::load(png);
        ASSERT_EQ(m_image.width(), width);
        ASSERT_EQ(m_image.height(), height);
        m_cx = cx;
        m_cy = cy;
        m_scale = scale;
    }

    int px(double x) const {
        return int(std::lround(m_image.width() * 0.5 + (x - m_cx) * m_scale));
    }
    int py(double y) const {
        return int(std::lround(m_image.height() * 0.5 - (y - m_cy) * m_scale));
    }
    Color at(double x, double y) const { return m_image.pixel(px(x), py(y)); }
    // How many pixels in the box from (x0, y0) to (x1, y1) pass `test`.
    int count(double x0, double y0, double x1, double y1, const ColorTest& test) const {
        int found = 0;
        for (int y = std::max(py(y1), 0); y <= std::min(py(y0), m_image.height() - 1); ++y)
            for (int x = std::max(px(x0), 0); x <= std::min(px(x1), m_image.width() - 1); ++x)
                found += test(m_image.pixel(x, y)) ? 1 : 0;
        return found;
    }
    // Whether a pixel within two of where (x, y) lands passes `test`.
    bool near(double x, double y, const ColorTest& test) const {
        const double reach = 2.0 / m_scale;
        return count(x - reach, y - reach, x + reach, y + reach, test) > 0;
    }

    KvgeoTests::ScratchDirectory m_scratch;
    Wyn::Objects::Image m_image;
    double m_cx = 0, m_cy = 0, m_scale = 1;
};

// Lines, arcs, ellipses and a curvature comb; the frame of lines spans
// 12 x 8: 45 pixels a unit.
TEST_F(KvgeoExamplesTest, CurvesAreDrawnWhereTheyLie) {
    ASSERT_NO_FATAL_FAILURE(render("curves", 600, 400, 6, 4, 45));
    const struct {
        double x, y;
        bool (*test)(const Color&);
    } marks[] = {
        // The frame of lines, a side each.
        {6, 0, isSketchBlue},
        {12, 4, isSketchBlue},
        {6, 8, isSketchBlue},
        {0, 4, isSketchBlue},
        // The circle, and the comb outline at radius 1.2 + 0.72 / 1.2 about it.
        {3.8, 4, isSketchBlue},
        {2.6, 4 + 1.8, isRed},
        {2.6 - 1.8, 4, isRed},
        // The half circle about (6, 2) and the arc through (6, 6.5).
        {6, 3.5, isSketchBlue},
        {6, 6.5, isSketchBlue},
        // The ellipse, and the thick red upper half of the elliptic arc.
        {11, 5.5, isSketchBlue},
        {9.5, 3, isRed},
    };
    for (const auto& [x, y, test] : marks)
        EXPECT_TRUE(near(x, y, test)) << x << ", " << y;
    // Nothing is drawn where the arcs' circles would go on.
    EXPECT_TRUE(isBackground(at(6, 0.5)));
    EXPECT_TRUE(isBackground(at(9.5, 1.0))) << "the lower half of the elliptic arc";

    // The spines cross the ring between the circle and the outline: 25 of
    // them, the first and the last on one another.
    int crossings = 0;
    bool inSpine = false, startsInSpine = false;
    for (int step = 0; step < 1440; ++step) {
        const double angle = step * M_PI / 720.0;
        const bool spine = isSpine(at(2.6 + 1.5 * std::cos(angle), 4 + 1.5 * std::sin(angle)));
        if (spine && !inSpine)
            ++crossings;
        if (step == 0)
            startsInSpine = spine;
        inSpine = spine;
    }
    if (startsInSpine && inSpine)
        --crossings; // one spine met at both ends of the scan
    EXPECT_EQ(crossings, 24);
}

// An open spline with tangent and curvature handles and a closed spline, both
// with combs; the border spans 16 x 10: 36 pixels a unit.
TEST_F(KvgeoExamplesTest, SplinesPassTheirFitPointsWithHandlesAndCombs) {
    ASSERT_NO_FATAL_FAILURE(render("splines", 640, 400, 8, 5, 36));
    // Both splines pass through every one of their fit points.
    for (const auto& [x, y] : {std::pair{1.5, 2.0},
                               {3.5, 7.0},
                               {6.0, 4.0},
                               {8.5, 7.0},
                               {10.5, 3.0},
                               {14.0, 2.0},
                               {14.5, 7.5},
                               {11.0, 7.0}})
        EXPECT_TRUE(near(x, y, isSketchBlue)) << x << ", " << y;
    // The open spline leaves its start straight up along its tangent handle,
    // whose lower end shows below the curve; the end handle sticks out level.
    EXPECT_TRUE(near(1.5, 2.5, isSketchBlue));
    EXPECT_TRUE(near(1.5, 0.6, isOrange));
    EXPECT_TRUE(near(9.9, 7.0, isOrange));
    // The curvature handle's arc runs through the third point.
    EXPECT_GT(count(4.8, 3.5, 7.2, 4.1, isOrange), 10);

    // The combs: red outlines and teal spines about both splines.
    for (const auto& [x0, x1] : {std::pair{0.5, 9.0}, {9.5, 15.5}})
        for (const auto test : {isRed, isTeal})
            EXPECT_GT(count(x0, 1.0, x1, 9.0, test), 100) << x0;
    // Nothing where no spline goes.
    EXPECT_EQ(count(2.5, 9.2, 7.0, 9.6, isInk), 0);
    EXPECT_EQ(count(11.5, 4.5, 13.0, 6.0, isInk), 0) << "inside the closed spline";
}

} // namespace
