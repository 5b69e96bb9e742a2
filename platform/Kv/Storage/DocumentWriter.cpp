#include "Kv/Storage/DocumentWriter.h"

#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/CommonData/ManagedRootCollection.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/EntityRowSink.h"
#include "Kv/Storage/SqliteDatabase.h"
#include "Kv/Storage/SqliteStatement.h"
#include "Kv/Storage/StorageError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <unistd.h>
#include <unordered_map>

namespace Kv {
namespace {

// Everything the model reaches from the segment roots, in a stable order:
// breadth first, children in child order, then owned entities; with each
// entity's position among the children of its parent (-1 when the parent does
// not hold it as a child). The positions are taken while the groups are
// walked: looking each child up in its group would cost the size of the group
// per child.
struct Reached {
    std::vector<Entity*> order;
    std::vector<int64_t> childIndex;
    std::unordered_map<const Entity*, size_t> position;

    bool contains(const Entity* entity) const { return position.count(entity) > 0; }
    // The entity's place in `order`, where it is appended when it is new.
    size_t reach(Entity* entity) {
        auto [it, added] = position.emplace(entity, order.size());
        if (added) {
            order.push_back(entity);
            childIndex.push_back(-1);
        }
        return it->second;
    }
};

Reached reachableEntities(Asset& asset) {
    Reached reached;
    for (const auto& segment : asset.segments())
        for (const auto& [rootId, root] : segment->rootEntities())
            if (root)
                reached.reach(root.get());

    const ReferenceVisitor reachOwned = [&](Entity* target, bool owning) {
        if (owning)
            reached.reach(target);
    };
    for (size_t next = 0; next < reached.order.size(); ++next) {
        Entity* entity = reached.order[next];
        if (auto* group = queryInterface<Managed::ManagedGroupEntity>(entity)) {
            const std::vector<StrongRef<Entity>>& children = group->children();
            for (size_t i = 0; i < children.size(); ++i) {
                Entity* child = children[i].get();
                if (!child)
                    continue;
                const size_t at = reached.reach(child);
                if (child->parentEntity() == entity)
                    reached.childIndex[at] = static_cast<int64_t>(i);
            }
        }
        if (auto* roots = queryInterface<Managed::ManagedRootCollection>(entity))
            for (const auto& element : roots->elements())
                if (element)
                    reached.reach(element.get());
        MemberCodec::forEachReference(entity, reachOwned);
    }
    return reached;
}

void writeTables(SqliteDatabase& db, Asset& asset, const Reached& reached,
                 const StorageProgress& progress, const DocumentWriter::Schema& schema);

void writeFile(Asset& asset, const std::string& path, const StorageProgress& progress,
               const DocumentWriter::Schema& schema) {
    const Reached reached = reachableEntities(asset);

    SqliteDatabase db(path, SqliteDatabase::CreateNew);
    db.exec("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;"); // a fresh file: rename commits
    db.exec(DocumentFormat::schemaSql());
    db.exec("BEGIN");
    writeTables(db, asset, reached, progress, schema);
    db.exec("COMMIT");
    db.close();
}

void writeTables(SqliteDatabase& db, Asset& asset, const Reached& reached,
                 const StorageProgress& progress, const DocumentWriter::Schema& schema) {
    const std::vector<Entity*>& entities = reached.order;

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

    std::set<std::pair<uint32_t, const EntityMetaType*>> versions;
    std::pair<uint32_t, const EntityMetaType*> lastClass(0, nullptr);
    MemberContext context;
    context.isWritten = [&](const Entity* e) {
        return reached.contains(e);
    };
    // The rows are inserted on a thread of the sink's while the next
    // entities are encoded here.
    EntityRowSink rows(db);
    for (size_t i = 0; i < entities.size(); ++i) {
        Entity* entity = entities[i];
        uint32_t segmentKey = entity->segment()->key();
        // Entities of one class come in runs; the classes are noted once a run.
        if (lastClass.first != segmentKey || lastClass.second != entity->metaType()) {
            lastClass = {segmentKey, entity->metaType()};
            for (const EntityMetaType* t = entity->metaType(); t; t = t->baseMetaType())
                versions.emplace(segmentKey, t);
        }
        EntityRow row;
        row.segment = segmentKey;
        row.id = int64_t(entity->id());
        row.metaType = entity->metaType()->identifier();
        // An owner left out (a group only the undo history still holds) is
        // not named, nor is the entity filed as one of its children.
        Entity* parent = entity->parentEntity();
        row.hasParent = parent && reached.contains(parent);
        if (row.hasParent) {
            row.parentSegment = parent->segment()->key();
            row.parentId = int64_t(parent->id());
        }
        row.childIndex = row.hasParent ? reached.childIndex[i] : int64_t(-1);
        const MemberSet* set = schema.memberSet ? schema.memberSet(entity) : nullptr;
        const std::string members =
            set ? MemberCodec::encode(entity, *set, context) : MemberCodec::encode(entity, context);
        row.members = members;
        rows.add(row);
        if (progress && (i % 4096 == 0 || i + 1 == entities.size()))
            progress(i + 1, entities.size());
    }
    rows.finish();

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
                if (!reached.contains(e.get()))
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
