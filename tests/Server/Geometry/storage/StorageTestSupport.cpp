#include "StorageTestSupport.h"

#include "Kv/Base/ByteWriter.h"
#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/CommonData/ManagedRootCollection.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/MemberMetaType.h"
#include "Kv/DataModel/MemberSet.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/DocumentWriter.h"
#include "Kv/Storage/SqliteDatabase.h"
#include "Kv/Storage/SqliteStatement.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <unordered_map>

namespace Kv::Geometry::StorageTests {

namespace fs = std::filesystem;

NewDocument::NewDocument()
    : segment(asset.createSegment())
    , component(Component::make(segment))
    , sketches(Sketches::make(component.get())) {}

NewDocument::~NewDocument() {
    sketches.reset();
    component.reset();
    asset.clear();
}

FixtureWriter& FixtureWriter::version(const EntityMetaType& type, uint32_t version) {
    m_versions[&type] = version;
    return *this;
}

void FixtureWriter::save(Asset& asset, const std::string& path) const {
    DocumentWriter::Schema schema;
    schema.version = [this](const EntityMetaType* type) {
        auto it = m_versions.find(type);
        return it == m_versions.end() ? type->version() : it->second;
    };
    schema.memberSet = [this](Entity* entity) -> const MemberSet* {
        EntityMetaType* type = entity->metaType();
        auto it = m_versions.find(type);
        return it == m_versions.end() ? nullptr
                                      : type->migratingMemberSetIfNeeded(entity, it->second);
    };
    DocumentWriter::save(asset, path, nullptr, schema);
}

std::string fixturePath(const std::string& name) {
    return (fs::path(KV_TEST_DATA_DIR) / "storage" / "fixtures" / name).string();
}

std::string fixture(const std::string& name, const std::function<void(const std::string&)>& build) {
    const fs::path path = fixturePath(name);
    const char* update = std::getenv("KV_UPDATE_FIXTURES");
    if (update && std::string(update) == "1") {
        fs::create_directories(path.parent_path());
        build(path.string());
    } else if (!fs::exists(path)) {
        throw std::runtime_error(path.string() +
                                 " is missing; run the test with KV_UPDATE_FIXTURES=1 to write it");
    }
    return path.string();
}

ScratchDirectory::ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "KvStorageXXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    m_path = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

namespace {

// The entities an entity owns through its references without being their group
// (coordinate systems, use lists), with the member that holds each.
std::vector<std::pair<std::string, Entity*>> ownedEntities(Entity* entity) {
    std::vector<std::pair<std::string, Entity*>> owned;
    entity->metaType()->memberSet().forEachMember([&](const Member& member) {
        if (member.inMigrationHelper())
            return;
        ByteWriter scratch;
        MemberContext context;
        context.onReference = [&](Entity* target, bool owning) {
            if (owning && target->parentEntity() == entity)
                owned.emplace_back(member.name(), target);
        };
        member.metaType()->encode(member.field(static_cast<void*>(entity)), member.functions(),
                                  scratch, context);
    });
    return owned;
}

} // namespace

std::string describe(Asset& asset) {
    std::vector<std::pair<Entity*, std::string>> order;
    std::unordered_map<const Entity*, std::string> paths;
    std::function<void(Entity*, const std::string&)> visit = [&](Entity* entity,
                                                                 const std::string& path) {
        if (!entity || !paths.emplace(entity, path).second)
            return;
        order.emplace_back(entity, path);
        if (auto* group = queryInterface<Managed::ManagedGroupEntity>(entity)) {
            std::map<std::string, int> counts;
            for (const auto& child : group->children()) {
                const std::string className = child->metaType()->className();
                visit(child.get(),
                      path + "/" + className + "#" + std::to_string(++counts[className]));
            }
        }
        if (auto* collection = queryInterface<Managed::ManagedRootCollection>(entity))
            for (size_t i = 0; i < collection->elementCount(); ++i)
                visit(collection->element(i).get(), path + "[" + std::to_string(i) + "]");
        std::map<std::string, int> counts;
        for (const auto& [member, target] : ownedEntities(entity))
            visit(target, path + "." + member + "#" + std::to_string(++counts[member]));
    };
    for (const auto& segment : asset.segments())
        for (const auto& [rootId, root] : segment->rootEntities())
            visit(root.get(), std::to_string(segment->key()) + ":" + rootId.str());

    MemberContext context;
    context.pathOf = [&](const Entity* target) {
        auto it = paths.find(target);
        return it == paths.end() ? "(unreached #" + std::to_string(target->id()) + ")" : it->second;
    };
    std::ostringstream out;
    for (const auto& [entity, path] : order) {
        out << path << " (" << entity->metaType()->className() << ")\n";
        std::ostringstream members;
        MemberCodec::print(entity, members, context);
        std::istringstream lines(members.str());
        for (std::string line; std::getline(lines, line);)
            out << "    " << line << '\n';
    }
    return out.str();
}

std::map<std::string, std::vector<std::string>> documentRows(const std::string& path) {
    SqliteDatabase db(path, SqliteDatabase::ReadOnly);
    std::vector<std::string> tables;
    {
        SqliteStatement query(db, "SELECT name FROM sqlite_master WHERE type = 'table'");
        while (query.step())
            tables.push_back(query.text(0));
    }
    std::map<std::string, std::vector<std::string>> rows;
    for (const std::string& table : tables) {
        std::string row;
        std::string order;
        SqliteStatement columns(db, "SELECT name FROM pragma_table_info(?)");
        columns.bind(1, table);
        while (columns.step()) {
            row +=
                (row.empty() ? "" : " || '|' || ") + std::string("quote(") + columns.text(0) + ")";
            order += (order.empty() ? "" : ", ") + columns.text(0);
        }
        SqliteStatement query(db, "SELECT " + row + " FROM " + table + " ORDER BY " + order);
        auto& tableRows = rows[table];
        while (query.step())
            tableRows.push_back(query.text(0));
    }
    return rows;
}

void execute(const std::string& path, const std::string& sql) {
    SqliteDatabase db(path, SqliteDatabase::CreateNew);
    db.exec(sql);
    db.close();
}

} // namespace Kv::Geometry::StorageTests
