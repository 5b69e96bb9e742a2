#include "KvgeoProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using KvgeoTests::KvgeoProcess;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string temporaryPath(const std::string& extension) {
    return "/tmp/kvgeo-render-" + std::to_string(::getpid()) + extension;
}

TEST(KvgeoRender, FormatFollowsTheExtension) {
    const std::string png = temporaryPath(".png"), svg = temporaryPath(".svg"),
                      pdf = temporaryPath(".pdf");
    auto result = KvgeoProcess::run({"-q", "-c", "render " + png + " size 64 48", "-c",
                                     "render " + svg + " view top", "-c", "render " + pdf});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(png).substr(1, 3), "PNG");
    EXPECT_NE(readFile(svg).find("<svg"), std::string::npos);
    EXPECT_EQ(readFile(pdf).substr(0, 5), "%PDF-");
    for (const std::string& path : {png, svg, pdf})
        std::remove(path.c_str());
}

TEST(KvgeoRender, BadViewOrSizeIsAnErrorAndWritesNothing) {
    const std::string png = temporaryPath("-bad.png");
    auto view = KvgeoProcess::run({"-q", "-c", "render " + png + " view sideways"});
    EXPECT_EQ(view.status, 1);
    EXPECT_NE(view.err.find("unknown view 'sideways'"), std::string::npos) << view.err;
    auto size = KvgeoProcess::run({"-q", "-c", "render " + png + " size 0 10"});
    EXPECT_EQ(size.status, 1);
    EXPECT_TRUE(readFile(png).empty());
}

} // namespace
