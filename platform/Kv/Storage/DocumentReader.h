#pragma once

#include "Kv/Storage/DocumentFormat.h"

#include <memory>
#include <string>

namespace Kv {

class Asset;

// Loads a document file into a new asset: constructs every entity with its
// class's load constructor and reads its members (through the member set of
// the version each segment was saved with) in one pass over the stored rows,
// then resolves the references read before their targets, rebuilds groups and
// roots, and runs migration. Any problem throws StorageError and
// nothing of the half-read document survives.
class DocumentReader {
public:
    static std::unique_ptr<Asset> load(const std::string& path,
                                       const StorageProgress& progress = nullptr);
};

} // namespace Kv
