// kvgeo draws sketch curves: the example script of lines, arcs, ellipses and
// a curvature comb renders to a PNG with the curves' pixels where the
// geometry puts them.

#include "KvgeoProcess.h"

#include "Wyn/Objects/Image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using KvgeoTests::KvgeoProcess;

constexpr int kWidth = 600;
constexpr int kHeight = 400;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class KvgeoCurvesTest : public ::testing::Test {
protected:
    ~KvgeoCurvesTest() override { std::remove(png.c_str()); }

    // The example script, drawing into this test's own file.
    static std::string script(const std::string& target) {
        std::string text = readFile(KV_SOURCE_DIR "/examples/curves.kvs");
        const std::string render = "render curves.png";
        const size_t at = text.find(render);
        if (at != std::string::npos)
            text.replace(at, render.size(), "render " + target);
        return text;
    }

    // Where a sketch position lands: the frame of lines spans 12 x 8 and is
    // fitted into the image with the renderer's 5% margin, 45 pixels a unit.
    static void pixelOf(double x, double y, int& px, int& py) {
        px = int(std::lround(kWidth * 0.5 + (x - 6.0) * 45.0));
        py = int(std::lround(kHeight * 0.5 - (y - 4.0) * 45.0));
    }
    static bool isBackground(const Wyn::Objects::Color& c) {
        return c.red > 0.95f && c.green > 0.95f && c.blue > 0.95f;
    }
    static bool isRed(const Wyn::Objects::Color& c) {
        return c.red > 0.6f && c.green < 0.4f && c.blue < 0.4f;
    }
    static bool isSketchBlue(const Wyn::Objects::Color& c) {
        return c.blue > 0.3f && c.blue > c.red + 0.2f && c.green < 0.5f;
    }
    // Whether a pixel within two of where (x, y) lands passes `test`.
    template <class Test> bool near(double x, double y, Test test) const {
        int px = 0, py = 0;
        pixelOf(x, y, px, py);
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const int ix = px + dx, iy = py + dy;
                if (ix >= 0 && iy >= 0 && ix < image.width() && iy < image.height() &&
                    test(image.pixel(ix, iy)))
                    return true;
            }
        return false;
    }

    const std::string png = "/tmp/kvgeo-curves-" + std::to_string(::getpid()) + ".png";
    Wyn::Objects::Image image;
};

TEST_F(KvgeoCurvesTest, TheExampleDrawsEveryCurveWhereItLies) {
    const auto result = KvgeoProcess::run({"-q"}, script(png));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.errorLines().empty()) << result.err;
    ASSERT_FALSE(readFile(png).empty());
    image = Wyn::Objects::Image::load(png);
    ASSERT_EQ(image.width(), kWidth);
    ASSERT_EQ(image.height(), kHeight);

    // The frame of lines, a side each.
    EXPECT_TRUE(near(6, 0, isSketchBlue));
    EXPECT_TRUE(near(12, 4, isSketchBlue));
    EXPECT_TRUE(near(6, 8, isSketchBlue));
    EXPECT_TRUE(near(0, 4, isSketchBlue));
    // The circle, and the comb outline at radius 1.2 + 0.72 / 1.2 about it.
    EXPECT_TRUE(near(3.8, 4, isSketchBlue));
    EXPECT_TRUE(near(2.6, 4 + 1.8, isRed));
    EXPECT_TRUE(near(2.6 - 1.8, 4, isRed));
    // The half circle about (6, 2) and the arc through (6, 6.5).
    EXPECT_TRUE(near(6, 3.5, isSketchBlue));
    EXPECT_TRUE(near(6, 6.5, isSketchBlue));
    // The ellipse, and the thick red upper half of the elliptic arc.
    EXPECT_TRUE(near(11, 5.5, isSketchBlue));
    EXPECT_TRUE(near(9.5, 3, isRed));
    // Nothing is drawn where the arcs' circles would go on.
    int px = 0, py = 0;
    pixelOf(6, 0.5, px, py);
    EXPECT_TRUE(isBackground(image.pixel(px, py)));
    pixelOf(9.5, 1.0, px, py);
    EXPECT_TRUE(isBackground(image.pixel(px, py))) << "the lower half of the elliptic arc";

    // The spines cross the ring between the circle and the outline: 25 of
    // them, the first and the last on one another.
    int crossings = 0;
    bool inSpine = false, startsInSpine = false;
    for (int step = 0; step < 1440; ++step) {
        const double angle = step * M_PI / 720.0;
        pixelOf(2.6 + 1.5 * std::cos(angle), 4 + 1.5 * std::sin(angle), px, py);
        const Wyn::Objects::Color c = image.pixel(px, py);
        const bool spine = c.green > c.red + 0.1f && c.blue > c.red + 0.15f;
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

} // namespace
