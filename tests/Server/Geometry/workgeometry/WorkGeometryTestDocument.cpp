#include "WorkGeometryTestDocument.h"

#include "Geometry/GeometryComponentContributor.h"
#include "Kv/Storage/DocumentReader.h"
#include "Kv/Storage/DocumentWriter.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

namespace Kv::Geometry::WorkGeometryTests {

WorkGeometryTestDocument::WorkGeometryTestDocument()
    : asset(std::make_unique<Asset>()) {
    component = Component::make(asset->createSegment());
    GeometryComponentContributor::instance().populateComponent(*component);
    workGeometries = firstChildOf<WorkGeometries>(*component);
    origin = firstChildOf<OriginWorkGeometry>(*component);
}

std::unique_ptr<Asset> saveAndOpen(Asset& asset) {
    static std::atomic<int> counter{0};
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        ("workgeometry-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + ".kvd");
    DocumentWriter::save(asset, path.string());
    std::unique_ptr<Asset> loaded = DocumentReader::load(path.string());
    std::filesystem::remove(path);
    return loaded;
}

} // namespace Kv::Geometry::WorkGeometryTests
