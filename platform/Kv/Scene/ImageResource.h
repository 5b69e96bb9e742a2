#pragma once

#include "Wyn/Objects/Image.h"

#include <string>

namespace Kv::Scene {

// An image file of a resource directory, read once and kept by the
// ResourceMgr that handed it out.
class ImageResource {
public:
    // Reads the file; throws std::runtime_error naming it when it is missing
    // or not a readable PNG.
    ImageResource(std::string name, std::string localPath);

    // The name relative to the resource directory, as it was asked for.
    const std::string& name() const { return m_name; }
    // The full path of the file, which is also how nodes name the image.
    const std::string& localPath() const { return m_localPath; }
    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }
    void size(int& width, int& height) const {
        width = this->width();
        height = this->height();
    }
    const Wyn::Objects::Image& image() const { return m_image; }

private:
    std::string m_name;
    std::string m_localPath;
    Wyn::Objects::Image m_image;
};

} // namespace Kv::Scene
