#pragma once

#include "Kv/Storage/DocumentFormat.h"

#include <string>

namespace Kv {

class Asset;

// Saves an asset to a document file. Only what the model reaches is saved:
// segment roots, their children and everything held by strong references;
// entities kept alive only by the undo history are left out.
class DocumentWriter {
public:
    // Writes a new file beside `path` in one SQLite transaction and renames it
    // over `path`, so a failure never damages an existing document. Throws
    // StorageError.
    static void save(Asset& asset, const std::string& path,
                     const StorageProgress& progress = nullptr);
};

} // namespace Kv
