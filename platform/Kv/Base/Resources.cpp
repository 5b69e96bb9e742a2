#include "Kv/Base/Resources.h"

#include "Kv/Base/PathInfo.h"

#include <algorithm>

namespace Kv {
namespace {

std::string resourceRoot() {
    std::string root = PathInfo::localizationDirectory(true);
    for (const char* component : {"Server", "Geometry", "Resources"})
        root = Resources::appendPathComponent(root, component);
    return root;
}

} // namespace

std::string Resources::appendPathComponent(const std::string& path, std::string component) {
    std::replace(component.begin(), component.end(), '\\', '/');
    if (component.compare(0, 3, "//:") == 0)
        component.erase(0, 3);
    if (component.empty())
        return path;
    const bool pathEndsOpen = path.empty() || path.back() == '/' || path.back() == ':';
    if (pathEndsOpen || component.front() == '/')
        return path + component;
    return path + '/' + component;
}

Resources::Resources()
    : Scene::ResourceMgr(resourceRoot()) {}

Resources& Resources::get() {
    static Resources resources;
    return resources;
}

const std::string& Resources::resourceDirectory() {
    return get().rootDirectory();
}

Scene::ImageResource* Resources::PointImage() {
    return get().image("Point/default.png");
}
Scene::ImageResource* Resources::FixedPointImage() {
    return get().image("Point/fixed.png");
}
Scene::ImageResource* Resources::PointImageHover() {
    return get().image("Point/hover.png");
}
Scene::ImageResource* Resources::PointImageSelect() {
    return get().image("Point/select.png");
}
Scene::ImageResource* Resources::SketchGridAlphaImage() {
    return get().image("Sketch/SketchGridAlpha.png");
}
Scene::ImageResource* Resources::SketchGridBGImage() {
    return get().image("Sketch/SketchGridBG.png");
}
Scene::ImageResource* Resources::SketchOriginImage() {
    return get().image("Sketch/Origin.png");
}
Scene::ImageResource* Resources::OriginPointImage() {
    return get().image("OriginPoint/default.png");
}
Scene::ImageResource* Resources::OriginPointImageHover() {
    return get().image("OriginPoint/hover.png");
}
Scene::ImageResource* Resources::OriginPointImageSelect() {
    return get().image("OriginPoint/select.png");
}

} // namespace Kv
