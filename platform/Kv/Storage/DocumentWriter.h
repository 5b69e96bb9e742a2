#pragma once

#include "Kv/Storage/DocumentFormat.h"

#include <cstdint>
#include <functional>
#include <string>

namespace Kv {

class Asset;
class Entity;
class EntityMetaType;
class MemberSet;

// Saves an asset to a document file. Only what the model reaches is saved:
// segment roots, their children and everything held by strong references;
// entities kept alive only by the undo history are left out.
class DocumentWriter {
public:
    // How each class's data is written; by default, through the current
    // member set at the current version. Tools that produce documents of an
    // older schema (test fixtures) choose older versions here.
    struct Schema {
        std::function<uint32_t(const EntityMetaType*)> version;
        std::function<const MemberSet*(Entity*)> memberSet;
    };

    // Writes a new file beside `path` in one SQLite transaction and renames it
    // over `path`, so a failure never damages an existing document. Throws
    // StorageError.
    static void save(Asset& asset, const std::string& path,
                     const StorageProgress& progress = nullptr, const Schema& schema = {});
};

} // namespace Kv
