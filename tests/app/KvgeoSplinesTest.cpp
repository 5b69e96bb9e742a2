// kvgeo draws fit-point splines: the example script of an open spline with
// tangent and curvature handles and a closed spline, both with combs, renders
// to a PNG whose pixels lie where the splines and their handles are.

#include "KvgeoProcess.h"

#include "Wyn/Objects/Image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using KvgeoTests::KvgeoProcess;
using Wyn::Objects::Color;

constexpr int kWidth = 640;
constexpr int kHeight = 400;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool isBackground(const Color& c) {
    return c.red > 0.95f && c.green > 0.95f && c.blue > 0.95f;
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
bool isTeal(const Color& c) {
    return c.green > c.red + 0.1f && c.blue > c.red + 0.15f && c.red < 0.5f;
}

class KvgeoSplinesTest : public ::testing::Test {
protected:
    ~KvgeoSplinesTest() override { std::remove(png.c_str()); }

    static std::string script(const std::string& target) {
        std::string text = readFile(KV_SOURCE_DIR "/examples/splines.kvs");
        const std::string render = "render splines.png";
        const size_t at = text.find(render);
        if (at != std::string::npos)
            text.replace(at, render.size(), "render " + target);
        return text;
    }

    // The border spans 16 x 10 and is fitted into the image with the
    // renderer's 5% margin: 36 pixels a unit.
    static void pixelOf(double x, double y, int& px, int& py) {
        px = int(std::lround(kWidth * 0.5 + (x - 8.0) * 36.0));
        py = int(std::lround(kHeight * 0.5 - (y - 5.0) * 36.0));
    }
    // How many pixels in the box from (x0, y0) to (x1, y1) pass `test`.
    int count(double x0, double y0, double x1, double y1,
              const std::function<bool(const Color&)>& test) const {
        int left = 0, top = 0, right = 0, bottom = 0;
        pixelOf(x0, y1, left, top);
        pixelOf(x1, y0, right, bottom);
        int found = 0;
        for (int y = std::max(top, 0); y <= std::min(bottom, image.height() - 1); ++y)
            for (int x = std::max(left, 0); x <= std::min(right, image.width() - 1); ++x)
                found += test(image.pixel(x, y)) ? 1 : 0;
        return found;
    }
    // Whether a pixel within two of where (x, y) lands passes `test`.
    bool near(double x, double y, const std::function<bool(const Color&)>& test) const {
        const double reach = 2.0 / 36.0;
        return count(x - reach, y - reach, x + reach, y + reach, test) > 0;
    }

    const std::string png = "/tmp/kvgeo-splines-" + std::to_string(::getpid()) + ".png";
    Wyn::Objects::Image image;
};

TEST_F(KvgeoSplinesTest, TheExampleDrawsTheSplinesThroughTheirPointsWithHandlesAndCombs) {
    const auto result = KvgeoProcess::run({"-q"}, script(png));
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(result.errorLines().empty()) << result.err;
    ASSERT_FALSE(readFile(png).empty());
    image = Wyn::Objects::Image::load(png);
    ASSERT_EQ(image.width(), kWidth);
    ASSERT_EQ(image.height(), kHeight);

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
    EXPECT_GT(count(0.5, 1.0, 9.0, 9.0, isRed), 100);
    EXPECT_GT(count(0.5, 1.0, 9.0, 9.0, isTeal), 100);
    EXPECT_GT(count(9.5, 1.0, 15.5, 9.0, isRed), 100);
    EXPECT_GT(count(9.5, 1.0, 15.5, 9.0, isTeal), 100);
    // Nothing where no spline goes.
    EXPECT_EQ(count(2.5, 9.2, 7.0, 9.6, [](const Color& c) { return !isBackground(c); }), 0);
    EXPECT_EQ(count(11.5, 4.5, 13.0, 6.0, [](const Color& c) { return !isBackground(c); }), 0)
        << "inside the closed spline";
}

} // namespace
