#include "../ErrorMessage.h"

#include "Kv/Base/PathInfo.h"
#include "Kv/Base/Resources.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Kv::Resources;

TEST(Resources, PathComponentsJoinWithOneForwardSlash) {
    EXPECT_EQ(Resources::appendPathComponent("root", "Server"), "root/Server");
    EXPECT_EQ(Resources::appendPathComponent("root/", "Server"), "root/Server");
    EXPECT_EQ(Resources::appendPathComponent("C:", "Server"), "C:Server");
    EXPECT_EQ(Resources::appendPathComponent("", "Server"), "Server");
    EXPECT_EQ(Resources::appendPathComponent("root", "/Server"), "root/Server");
    EXPECT_EQ(Resources::appendPathComponent("root", "\\Server"), "root/Server");
    EXPECT_EQ(Resources::appendPathComponent("root", "Server\\Geometry\\Resources"),
              "root/Server/Geometry/Resources");
    EXPECT_EQ(Resources::appendPathComponent("root", "//:Server"), "root/Server");
    EXPECT_EQ(Resources::appendPathComponent("root", ""), "root");
    EXPECT_EQ(Resources::appendPathComponent("root", "//:"), "root");
    // A directory given with backslashes comes out with forward slashes.
    std::string path;
    for (const char* component : {"C:", "\\Data\\Localization\\", "Server", "Geometry"})
        path = Resources::appendPathComponent(path, component);
    EXPECT_EQ(path, "C:/Data/Localization/Server/Geometry");
}

TEST(Resources, ImagesComeFromTheLocalizationDirectoryAndAreKept) {
    const std::string root = Resources::resourceDirectory();
    EXPECT_EQ(root, Kv::PathInfo::localizationDirectory(true) + "Server/Geometry/Resources");

    struct Expected {
        Kv::Scene::ImageResource* (*accessor)();
        const char* name;
    };
    const Expected images[] = {
        {&Resources::PointImage, "Point/default.png"},
        {&Resources::FixedPointImage, "Point/fixed.png"},
        {&Resources::PointImageHover, "Point/hover.png"},
        {&Resources::PointImageSelect, "Point/select.png"},
        {&Resources::SketchGridAlphaImage, "Sketch/SketchGridAlpha.png"},
        {&Resources::SketchGridBGImage, "Sketch/SketchGridBG.png"},
        {&Resources::SketchOriginImage, "Sketch/Origin.png"},
        {&Resources::OriginPointImage, "OriginPoint/default.png"},
        {&Resources::OriginPointImageHover, "OriginPoint/hover.png"},
        {&Resources::OriginPointImageSelect, "OriginPoint/select.png"},
    };
    for (const Expected& e : images) {
        Kv::Scene::ImageResource* image = e.accessor();
        ASSERT_NE(image, nullptr) << e.name;
        EXPECT_EQ(image->name(), e.name);
        EXPECT_EQ(image->localPath(), root + "/" + e.name);
        EXPECT_TRUE(std::filesystem::exists(image->localPath())) << image->localPath();
        EXPECT_GT(image->width(), 0) << e.name;
        EXPECT_GT(image->height(), 0) << e.name;
        EXPECT_EQ(e.accessor(), image) << "asked again, the same cached image";
    }
}

TEST(Resources, AMissingImageIsReportedWithItsPath) {
    Kv::Scene::ResourceMgr manager(testing::TempDir() + "/no-resources");
    const std::string error =
        Kv::Tests::errorMessageOf<std::runtime_error>([&] { manager.image("Point/default.png"); });
    EXPECT_NE(error.find("no-resources/Point/default.png"), std::string::npos) << error;
    EXPECT_EQ(manager.cachedImageCount(), 0u);
}

} // namespace
