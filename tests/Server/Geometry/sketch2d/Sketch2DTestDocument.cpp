#include "Sketch2DTestDocument.h"

#include "Geometry/GeometryComponentContributor.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"
#include "ZkGeMatrix3d.h"

#include <atomic>
#include <filesystem>
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
