#include "Kv/Scene/ImageResource.h"

namespace Kv::Scene {

ImageResource::ImageResource(std::string name, std::string localPath)
    : m_name(std::move(name))
    , m_localPath(std::move(localPath))
    , m_image(Wyn::Objects::Image::load(m_localPath)) {}

} // namespace Kv::Scene
