#include "KvgeoProcess.h"
#include "ScratchDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using KvgeoTests::KvgeoProcess;
using KvgeoTests::readFile;

TEST(KvgeoRender, FormatFollowsTheExtension) {
    const KvgeoTests::ScratchDirectory scratch;
    const std::string png = scratch.path("a.png"), svg = scratch.path("a.svg"),
                      pdf = scratch.path("a.pdf");
    auto result = KvgeoProcess::run({"-q", "-c", "render " + png + " size 64 48", "-c",
                                     "render " + svg + " view top", "-c", "render " + pdf});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(readFile(png).substr(1, 3), "PNG");
    EXPECT_NE(readFile(svg).find("<svg"), std::string::npos);
    EXPECT_EQ(readFile(pdf).substr(0, 5), "%PDF-");
}

TEST(KvgeoRender, BadViewOrSizeIsAnErrorAndWritesNothing) {
    const KvgeoTests::ScratchDirectory scratch;
    const std::string png = scratch.path("bad.png");
    auto view = KvgeoProcess::run({"-q", "-c", "render " + png + " view sideways"});
    EXPECT_EQ(view.status, 1);
    EXPECT_NE(view.err.find("expected a view (top, front, right or iso) for V, got 'sideways'"),
              std::string::npos)
        << view.err;
    auto size = KvgeoProcess::run({"-q", "-c", "render " + png + " size 0 10"});
    EXPECT_EQ(size.status, 1);
    EXPECT_TRUE(readFile(png).empty());
}

} // namespace
