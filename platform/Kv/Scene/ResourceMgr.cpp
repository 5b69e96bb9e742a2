#include "Kv/Scene/ResourceMgr.h"

#include "Kv/Base/PathInfo.h"

namespace Kv::Scene {

ResourceMgr::ResourceMgr(std::string rootDirectory)
    : m_root(std::move(rootDirectory)) {}

ResourceMgr::~ResourceMgr() = default;

ImageResource* ResourceMgr::image(const std::string& name) {
    auto it = m_images.find(name);
    if (it != m_images.end())
        return it->second.get();
    auto image = std::make_unique<ImageResource>(name, PathInfo::join(m_root, name));
    return m_images.emplace(name, std::move(image)).first->second.get();
}

} // namespace Kv::Scene
