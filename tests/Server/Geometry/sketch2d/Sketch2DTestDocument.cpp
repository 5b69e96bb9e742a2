#include "Sketch2DTestDocument.h"

#include "Geometry/GeometryComponentContributor.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/MemberContext.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"
#include "ZkGeMatrix3d.h"

#include <atomic>
#include <filesystem>
#include <map>
#include <sstream>
#include <unistd.h>

namespace Kv::Geometry::Sketch2DTests {

Sketch2DTestDocument::Sketch2DTestDocument()
    : asset(std::make_unique<Asset>()) {
    segment = asset->createSegment();
    component = Component::make(segment);
    GeometryComponentContributor::instance().populateComponent(*component);
    std::vector<StrongRef<Sketch2Ds>> collections = childrenOf<Sketch2Ds>(*component);
    if (!collections.empty())
        sketch2Ds = collections.front();
    sketch = Sketch2D::make(PassiveRef<Sketch2Ds>(sketch2Ds), L"Drawing", ZkGeMatrix3d());
}

Sketch2DTestDocument::~Sketch2DTestDocument() {
    sketch.reset();
    sketch2Ds.reset();
    component.reset();
    asset->clear();
}

std::vector<std::string> memberNames(const MemberSet& set) {
    std::vector<std::string> names;
    set.forEachMember([&](const Member& member) { names.push_back(member.name()); });
    return names;
}

std::string pathOf(const Entity* entity) {
    std::string path;
    for (const Entity* e = entity; e && e->parentEntity(); e = e->parentEntity()) {
        const std::string className = e->metaType()->className();
        int n = 0;
        if (auto* group = ::Kv::queryInterface<Managed::ManagedGroupEntity>(e->parentEntity()))
            for (const StrongRef<Entity>& sibling : group->children()) {
                if (sibling->metaType()->className() == className)
                    ++n;
                if (sibling.get() == e)
                    break;
            }
        path = className + "#" + std::to_string(n) + (path.empty() ? "" : "/") + path;
    }
    return path;
}

std::string printed(Entity* entity) {
    MemberContext context;
    context.pathOf = [](const Entity* target) {
        return pathOf(target);
    };
    std::ostringstream out;
    MemberCodec::print(entity, out, context);
    return out.str();
}

std::string describe(const Managed::ManagedGroupEntity& group) {
    std::string text;
    for (const StrongRef<Entity>& child : group.children()) {
        text += pathOf(child.get()) + "\n" + printed(child.get());
        if (auto* nested = ::Kv::queryInterface<Managed::ManagedGroupEntity>(child.get()))
            text += describe(*nested);
    }
    return text;
}

std::unique_ptr<Asset> saveAndOpen(Asset& asset) {
    static std::atomic<int> counter{0};
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("sketch2d-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".kvd");
    DocumentWriter::save(asset, path.string());
    std::unique_ptr<Asset> loaded = DocumentReader::load(path.string());
    std::filesystem::remove(path);
    return loaded;
}

} // namespace Kv::Geometry::Sketch2DTests
