#pragma once

#include <cstddef>
#include <functional>

namespace Kv {

// The layout of a document file: one SQLite database with these tables.
//   format            application name and format version
//   segments          one row per segment: key, flags
//   metatype_versions schema version of every class a segment holds
//   entities          one row per entity: where it lives, its class, its owner,
//                     its position among its group's children, its members
//   roots             a segment's named root entities
//   root_elements     the elements of root collections, in order
class DocumentFormat {
public:
    static constexpr const char* kApplication = "KvGeometry document";
    // Raised whenever a change makes files unreadable for older programs.
    static constexpr int kVersion = 1;
    static const char* schemaSql();
};

// Told how far a long save or load has come: `done` of `total` entities.
using StorageProgress = std::function<void(size_t done, size_t total)>;

} // namespace Kv
