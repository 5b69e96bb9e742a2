#pragma once

#include "Kv/Scene/ResourceMgr.h"

#include <string>

namespace Kv {

// The geometry add-in's marker images: the one place that knows their names.
// Their directory is <localization directory>/Server/Geometry/Resources,
// fixed on first use.
class Resources : public Scene::ResourceMgr {
public:
    static Scene::ImageResource* PointImage();
    static Scene::ImageResource* FixedPointImage();
    static Scene::ImageResource* PointImageHover();
    static Scene::ImageResource* PointImageSelect();
    static Scene::ImageResource* SketchGridAlphaImage();
    static Scene::ImageResource* SketchGridBGImage();
    static Scene::ImageResource* SketchOriginImage();
    static Scene::ImageResource* OriginPointImage();
    static Scene::ImageResource* OriginPointImageHover();
    static Scene::ImageResource* OriginPointImageSelect();

    static const std::string& resourceDirectory();

    // Appends one component to a path with '/' between them. Backslashes in
    // the component become slashes; no separator is added after an empty
    // path or one ending in '/' or ':', nor before a component starting with
    // a slash or backslash; a leading "//:" of the component is dropped; an
    // empty component adds nothing.
    static std::string appendPathComponent(const std::string& path, std::string component);

private:
    Resources();
    static Resources& get();
};

} // namespace Kv
