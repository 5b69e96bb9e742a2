#pragma once

// What the document tests of the add-in share: writing documents the way an
// older release wrote them, the committed fixture files, and views of a
// document (its printed members, its table rows) that two documents can be
// compared by.

#include "Geometry/sketch3d/Sketches.h"
#include "Kv/CommonData/Component.h"
#include "Kv/DataModel/Asset.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace Kv::Geometry::StorageTests {

// A new document as kvgeo makes one: a segment with its component and the
// component's sketch collection.
struct NewDocument {
    NewDocument();
    ~NewDocument();

    Asset asset;
    Segment* segment = nullptr;
    StrongRef<Component> component;
    StrongRef<Sketches> sketches;
};

// Saves documents with chosen classes at an older schema version, through the
// member set of that version, as a release of that time would have.
class FixtureWriter {
public:
    FixtureWriter& version(const EntityMetaType& type, uint32_t version);
    void save(Asset& asset, const std::string& path) const;

private:
    std::map<const EntityMetaType*, uint32_t> m_versions;
};

// The committed document `name` beside the tests. With KV_UPDATE_FIXTURES=1
// in the environment, `build` writes it there first; otherwise the file is
// only read, so that a change which stops old documents from opening fails.
std::string fixture(const std::string& name, const std::function<void(const std::string&)>& build);
// Where the committed document `name` is, without writing it.
std::string fixturePath(const std::string& name);

// A scratch directory, removed with everything in it at destruction.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    std::string path(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Every entity the document reaches from its segment roots, depth first:
// its path, class and printed members, references printed as paths. Paths
// name children by class and position among siblings of their class, root
// collection elements by position, and owned entities by the member holding
// them, so they do not depend on entity identifiers.
std::string describe(Asset& asset);

// The rows of every table of a document file, one string per row, each table
// ordered by its key.
std::map<std::string, std::vector<std::string>> documentRows(const std::string& path);

// Runs SQL on a document file, to damage it on purpose.
void execute(const std::string& path, const std::string& sql);

} // namespace Kv::Geometry::StorageTests
