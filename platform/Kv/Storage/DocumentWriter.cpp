#include "Kv/Storage/DocumentWriter.h"

#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/CommonData/ManagedRootCollection.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/SqliteDatabase.h"
#include "Kv/Storage/SqliteStatement.h"
#include "Kv/Storage/StorageError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <set>
#include <unistd.h>
#include <unordered_set>

namespace Kv {
namespace {

// Everything the model reaches from the segment roots, in a stable order:
// breadth first, children in child order, then owned entities.
std::vector<Entity*> reachableEntities(Asset& asset) {
    std::vector<Entity*> order;
    std::unordered_set<const Entity*> seen;
    std::deque<Entity*> pending;
    auto reach = [&](Entity* entity) {
        if (entity && seen.insert(entity).second)
            pending.push_back(entity);
    };
    for (const auto& segment : asset.segments())
        for (const auto& [rootId, root] : segment->rootEntities())
            reach(root.get());

    MemberContext context;
    context.onReference = [&](Entity* target, bool owning) {
        if (owning)
            reach(target);
    };
    while (!pending.empty()) {
        Entity* entity = pending.front();
        pending.pop_front();
        order.push_back(entity);
        if (auto* group = queryInterface<Managed::ManagedGroupEntity>(entity))
            for (const auto& child : group->children())
                reach(child.get());
        if (auto* roots = queryInterface<Managed::ManagedRootCollection>(entity))
            for (const auto& element : roots->elements())
                reach(element.get());
        MemberCodec::encode(entity, context);
    }
    return order;
}

int64_t childIndex(Entity* entity) {
    auto* group = queryInterface<Managed::ManagedGroupEntity>(entity->parentEntity());
    if (!group)
        return -1;
    size_t index = group->indexOf(entity);
    return index == Managed::ManagedGroupEntity::npos ? -1 : static_cast<int64_t>(index);
}

void writeTables(SqliteDatabase& db, Asset& asset, const std::vector<Entity*>& entities,
                 const std::unordered_set<const Entity*>& written, const StorageProgress& progress,
                 const DocumentWriter::Schema& schema);

void writeFile(Asset& asset, const std::string& path, const StorageProgress& progress,
               const DocumentWriter::Schema& schema) {
    std::vector<Entity*> entities = reachableEntities(asset);
    std::unordered_set<const Entity*> written(entities.begin(), entities.end());

    SqliteDatabase db(path, SqliteDatabase::CreateNew);
    db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"); // a fresh file: rename commits
    db.exec(DocumentFormat::schemaSql());
    db.exec("BEGIN");
    writeTables(db, asset, entities, written, progress, schema);
    db.exec("COMMIT");
    db.close();
}

void writeTables(SqliteDatabase& db, Asset& asset, const std::vector<Entity*>& entities,
                 const std::unordered_set<const Entity*>& written, const StorageProgress& progress,
                 const DocumentWriter::Schema& schema) {

    SqliteStatement format(db, "INSERT INTO format VALUES (?, ?)");
    format.bind(1, std::string("application"));
    format.bind(2, std::string(DocumentFormat::kApplication));
    format.run();
    format.bind(1, std::string("version"));
    format.bind(2, std::to_string(DocumentFormat::kVersion));
    format.run();

    SqliteStatement segments(db, "INSERT INTO segments VALUES (?, ?)");
    for (const auto& segment : asset.segments()) {
        segments.bind(1, int64_t(segment->key()));
        unsigned flags = (segment->isTransient() ? unsigned(Segment::kTransient) : 0u) |
                         (segment->isStandalone() ? unsigned(Segment::kStandalone) : 0u);
        segments.bind(2, int64_t(flags));
        segments.run();
    }

    SqliteStatement insert(db, "INSERT INTO entities VALUES (?, ?, ?, ?, ?, ?, ?)");
    std::set<std::pair<uint32_t, const EntityMetaType*>> versions;
    MemberContext context;
    context.isWritten = [&](const Entity* e) {
        return written.count(e) > 0;
    };
    for (size_t i = 0; i < entities.size(); ++i) {
        Entity* entity = entities[i];
        uint32_t segmentKey = entity->segment()->key();
        for (const EntityMetaType* t = entity->metaType(); t; t = t->baseMetaType())
            versions.emplace(segmentKey, t);
        insert.bind(1, int64_t(segmentKey));
        insert.bind(2, int64_t(entity->id()));
        insert.bind(3, entity->metaType()->identifier());
        // An owner left out (a group only the undo history still holds) is
        // not named, nor is the entity filed as one of its children.
        Entity* parent = entity->parentEntity();
        const bool parentWritten = parent && written.count(parent);
        if (parentWritten) {
            insert.bind(4, int64_t(parent->segment()->key()));
            insert.bind(5, int64_t(parent->id()));
        }
        insert.bind(6, parentWritten ? childIndex(entity) : int64_t(-1));
        const MemberSet* set = schema.memberSet ? schema.memberSet(entity) : nullptr;
        insert.bindBlob(7, set ? MemberCodec::encode(entity, *set, context)
                               : MemberCodec::encode(entity, context));
        insert.run();
        if (progress && (i % 4096 == 0 || i + 1 == entities.size()))
            progress(i + 1, entities.size());
    }

    SqliteStatement version(db, "INSERT INTO metatype_versions VALUES (?, ?, ?)");
    for (const auto& [segmentKey, type] : versions) {
        version.bind(1, int64_t(segmentKey));
        version.bind(2, type->identifier());
        version.bind(3, int64_t(schema.version ? schema.version(type) : type->version()));
        version.run();
    }

    SqliteStatement root(db, "INSERT INTO roots VALUES (?, ?, ?, ?, ?)");
    SqliteStatement element(db, "INSERT INTO root_elements VALUES (?, ?, ?, ?, ?)");
    for (const auto& segment : asset.segments()) {
        int64_t position = 0;
        for (const auto& [rootId, entity] : segment->rootEntities()) {
            if (!entity || entity->segment() != segment.get())
                continue;
            auto* collection = queryInterface<Managed::ManagedRootCollection>(entity.get());
            EntityMetaType* elementType = collection ? collection->elementMetaType() : nullptr;
            root.bind(1, int64_t(segment->key()));
            root.bind(2, position++);
            root.bind(3, rootId.str());
            root.bind(4, int64_t(entity->id()));
            root.bind(5, elementType ? elementType->identifier() : std::string());
            root.run();
            if (!collection)
                continue;
            int64_t index = 0;
            for (const auto& e : collection->elements()) {
                if (!written.count(e.get()))
                    continue;
                element.bind(1, int64_t(segment->key()));
                element.bind(2, int64_t(entity->id()));
                element.bind(3, index++);
                element.bind(4, int64_t(e->segment()->key()));
                element.bind(5, int64_t(e->id()));
                element.run();
            }
        }
    }
}

// The rename is the commit point, so the new file's bytes must be on disk
// before it replaces the old one.
void syncToDisk(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        std::string reason = strerror(errno);
        if (fd >= 0)
            ::close(fd);
        throw std::runtime_error("cannot flush the new file: " + reason);
    }
    ::close(fd);
}

} // namespace

void DocumentWriter::save(Asset& asset, const std::string& path, const StorageProgress& progress,
                          const Schema& schema) {
    const std::string temporary = path + ".saving-" + std::to_string(::getpid());
    std::remove(temporary.c_str());
    try {
        writeFile(asset, temporary, progress, schema);
        syncToDisk(temporary);
        if (std::rename(temporary.c_str(), path.c_str()) != 0)
            throw std::runtime_error("cannot replace the file: " + std::string(strerror(errno)));
    } catch (const std::exception& error) {
        std::remove(temporary.c_str());
        throw StorageError(path, std::string("cannot save: ") + error.what());
    }
}

} // namespace Kv
