#pragma once

#include "Kv/Scene/ImageResource.h"

#include <map>
#include <memory>
#include <string>

namespace Kv::Scene {

// Hands out the images of one resource directory by relative name, reading
// each file on first request and keeping it for the manager's lifetime, so
// that the pointers it returns stay valid and repeated requests are cheap.
class ResourceMgr {
public:
    explicit ResourceMgr(std::string rootDirectory);
    virtual ~ResourceMgr();
    ResourceMgr(const ResourceMgr&) = delete;
    ResourceMgr& operator=(const ResourceMgr&) = delete;

    const std::string& rootDirectory() const { return m_root; }
    // The image `name` (relative to the root, '/'-separated). Throws
    // std::runtime_error naming the file when it is missing or unreadable;
    // a failed read is tried again on the next request.
    ImageResource* image(const std::string& name);
    size_t cachedImageCount() const { return m_images.size(); }

private:
    std::string m_root;
    std::map<std::string, std::unique_ptr<ImageResource>> m_images;
};

} // namespace Kv::Scene
