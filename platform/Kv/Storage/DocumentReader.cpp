#include "Kv/Storage/DocumentReader.h"

#include "Kv/CommonData/ManagedGroupEntity.h"
#include "Kv/CommonData/ManagedRootCollection.h"
#include "Kv/DataModel/Asset.h"
#include "Kv/DataModel/DataModelCallback.h"
#include "Kv/DataModel/EntityMetaType.h"
#include "Kv/DataModel/MemberCodec.h"
#include "Kv/DataModel/MetaTypeMgr.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/Storage/EntityRowStream.h"
#include "Kv/Storage/SqliteDatabase.h"
#include "Kv/Storage/SqliteStatement.h"
#include "Kv/Storage/StorageError.h"

#include <algorithm>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unordered_map>

namespace Kv {
namespace {

// A problem with the content, as opposed to SQLite failing to read it.
struct BadDocument : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string entityName(uint32_t segment, uint64_t id) {
    return "entity " + std::to_string(id) + " of segment " + std::to_string(segment);
}

class Loader {
public:
    Loader(SqliteDatabase& db, const StorageProgress& progress)
        : m_db(db)
        , m_progress(progress) {}

    std::unique_ptr<Asset> run() {
        checkFormat();
        m_asset = std::make_unique<Asset>();
        try {
            // Entities look for old data of their classes while they are made;
            // a document without any need not make them look.
            m_asset->setMigrating(readSegments());
            readEntities();
            resolveReferences();
            rebuildGroups();
            readRoots();
            finishMigration();
        } catch (...) {
            discard();
            throw;
        }
        m_entities.clear();
        return std::move(m_asset);
    }

private:
    struct Row {
        uint32_t segment;
        uint64_t id;
        StrongRef<Entity> entity;
        EntityMetaType* type;
        Entity* owner; // once known
        bool hasParent;
        bool ownerLater; // the owner's row comes later, or is this one
        uint32_t parentSegment;
        uint64_t parentId;
        int64_t childIndex;
    };

    void checkFormat() {
        if (!m_db.hasTable("format"))
            throw BadDocument("not a document (it has no format record)");
        SqliteStatement query(m_db, "SELECT key, value FROM format");
        std::map<std::string, std::string> format;
        while (query.step())
            format[query.text(0)] = query.text(1);
        if (format["application"] != DocumentFormat::kApplication)
            throw BadDocument("not a document (it was written by \"" + format["application"] +
                              "\")");
        int version = 0;
        try {
            version = std::stoi(format["version"]);
        } catch (const std::exception&) {
            throw BadDocument("the format version \"" + format["version"] + "\" is not a number");
        }
        if (version > DocumentFormat::kVersion)
            throw BadDocument("the document has format version " + std::to_string(version) +
                              "; this program reads versions up to " +
                              std::to_string(DocumentFormat::kVersion));
        if (version < 1)
            throw BadDocument("invalid format version " + std::to_string(version));
    }

    // True when some class is stored at a version older than its current one.
    bool readSegments() {
        SqliteStatement segments(m_db, "SELECT key, flags FROM segments ORDER BY key");
        while (segments.step()) {
            int64_t key = segments.integer(0);
            if (key <= 0 || key > UINT32_MAX)
                throw BadDocument("invalid segment key " + std::to_string(key));
            m_asset->createSegment(static_cast<unsigned>(segments.integer(1)),
                                   static_cast<uint32_t>(key));
        }
        SqliteStatement versions(m_db,
                                 "SELECT segment, identifier, version FROM metatype_versions");
        bool older = false;
        while (versions.step()) {
            const std::string identifier = versions.text(1);
            const auto version = static_cast<uint32_t>(versions.integer(2));
            segment(versions.integer(0))->setPersistedMetaTypeVersion(identifier, version);
            const EntityMetaType* type = MetaTypeMgr::get().find(identifier);
            older = older || (type && version < type->version());
        }
        return older;
    }

    Segment* segment(int64_t key) {
        Segment* s = key > 0 && key <= UINT32_MAX ? m_asset->segment(uint32_t(key)) : nullptr;
        if (!s)
            throw BadDocument("reference to segment " + std::to_string(key) +
                              ", which the document does not have");
        return s;
    }

    // One pass over the entities table: each row's entity is made and its
    // members read as the row comes. References to entities of rows still to
    // come, owners included, are resolved once every row is in.
    void readEntities() {
        // The count alone is cheap to read; counts per segment are not.
        SqliteStatement count(m_db, "SELECT count(*) FROM entities");
        count.step();
        m_total = static_cast<size_t>(count.integer(0));
        if (m_asset->segments().size() == 1)
            m_asset->segments().front()->reserveEntities(m_total);
        m_entities.reserve(m_total);
        MemberContext context;
        context.asset = m_asset.get();
        context.pending = &m_pending;
        std::string identifier;
        EntityMetaType* type = nullptr;
        Segment* s = nullptr;
        // In the order the rows are stored, the cheapest to read, from a
        // thread that reads ahead while the entities are made here.
        EntityRowStream rows(m_db);
        EntityRow stored;
        while (rows.next(stored)) {
            Row row{};
            const int64_t segmentKey = stored.segment;
            row.segment = static_cast<uint32_t>(segmentKey);
            row.id = static_cast<uint64_t>(stored.id);
            const std::string_view metaType = stored.metaType;
            row.hasParent = stored.hasParent;
            row.parentSegment = static_cast<uint32_t>(stored.parentSegment);
            row.parentId = static_cast<uint64_t>(stored.parentId);
            row.childIndex = stored.childIndex;
            const std::string_view members = stored.members;

            if (!s || s->key() != segmentKey)
                s = segment(segmentKey);
            if (row.id == 0)
                throw BadDocument("entity id 0 in segment " + std::to_string(row.segment));
            // Entities of one class are stored in runs.
            if (!type || metaType != identifier) {
                identifier = metaType;
                type = MetaTypeMgr::get().find(identifier);
            }
            if (!type)
                throw BadDocument(entityName(row.segment, row.id) +
                                  " has the unknown meta type identifier \"" + identifier + "\"");
            try {
                row.entity = type->makeInstance(s, row.id);
            } catch (const std::exception&) {
                // The segment refuses an identifier it holds already.
                if (s->findEntity(row.id))
                    throw BadDocument(entityName(row.segment, row.id) + " appears twice");
                throw;
            }
            if (!row.entity)
                throw BadDocument(entityName(row.segment, row.id) + " is of class " +
                                  type->className() + ", which cannot be loaded on its own");
            row.type = type;
            // Owners are mostly stored before what they own; the others are
            // set once every row is in.
            if (row.hasParent) {
                Entity* parent = row.parentSegment == row.segment
                                     ? s->findEntity(row.parentId)
                                     : m_asset->findEntity(row.parentSegment, row.parentId);
                if (parent && parent != row.entity.get()) {
                    row.entity->setParentEntity(parent);
                    row.owner = parent;
                } else {
                    row.ownerLater = true;
                }
            }
            try {
                MemberCodec::decode(row.entity.get(), members, context);
            } catch (const std::exception& error) {
                throw BadDocument(describe(row.entity.get()) + ": " + error.what());
            }
            m_entities.push_back(std::move(row));
            if (m_entities.size() < m_total) // the whole is reported when all is done
                report(m_entities.size());
        }
    }

    // The entity, as problems with its data name it.
    static std::string describe(Entity* entity) {
        return entityName(entity->segment()->key(), entity->id()) + " (" +
               entity->metaType()->className() + ")";
    }

    void resolveReferences() {
        for (Row& row : m_entities) {
            if (!row.ownerLater)
                continue;
            Entity* parent = m_asset->findEntity(row.parentSegment, row.parentId);
            if (!parent)
                throw BadDocument(entityName(row.segment, row.id) + " names the owner " +
                                  entityName(row.parentSegment, row.parentId) +
                                  ", which the document does not have");
            row.entity->setParentEntity(parent);
            row.owner = parent;
        }
        MemberContext context;
        context.asset = m_asset.get();
        for (const MemberContext::PendingReference& reference : m_pending) {
            try {
                MemberCodec::resolve(reference, context);
            } catch (const std::exception& error) {
                throw BadDocument(describe(reference.entity) + ": " + error.what());
            }
        }
        m_pending.clear();
        m_pending.shrink_to_fit();
    }

    void rebuildGroups() {
        // An entity owned by itself, directly or through its owners, would
        // keep itself alive as its own group child, and walking up from it to
        // the document root would never end. Owners stored before what they
        // own cannot close such a ring, so every ring holds an owner stored
        // later (or the entity itself), and walking up from those finds it.
        for (Row& row : m_entities) {
            if (!row.ownerLater)
                continue;
            size_t steps = 0;
            for (Entity* up = row.entity->parentEntity(); up && steps <= m_entities.size();
                 up = up->parentEntity(), ++steps)
                if (up == row.entity.get())
                    throw BadDocument(entityName(row.segment, row.id) + " is its own owner");
        }
        // The children of each owner, in the order of the rows: the writer
        // stores a group's children in their order, so sorting them is
        // rarely needed.
        std::vector<std::pair<Entity*, std::vector<Row*>>> byOwner;
        std::unordered_map<Entity*, size_t> ownerSlot;
        Entity* lastOwner = nullptr;
        size_t slot = 0;
        for (Row& row : m_entities) {
            if (row.childIndex < 0)
                continue;
            Entity* owner = row.owner;
            if (byOwner.empty() || owner != lastOwner) {
                auto [it, added] = ownerSlot.emplace(owner, byOwner.size());
                if (added)
                    byOwner.emplace_back(owner, std::vector<Row*>());
                lastOwner = owner;
                slot = it->second;
            }
            byOwner[slot].second.push_back(&row);
        }
        const auto byIndex = [](const Row* a, const Row* b) {
            return a->childIndex < b->childIndex;
        };
        for (auto& [owner, children] : byOwner) {
            auto* group = owner ? queryInterface<Managed::ManagedGroupEntity>(owner) : nullptr;
            if (!group)
                throw BadDocument(entityName(children.front()->segment, children.front()->id) +
                                  " is filed as a child of an entity that is not a group");
            if (!std::is_sorted(children.begin(), children.end(), byIndex))
                std::stable_sort(children.begin(), children.end(), byIndex);
            for (Row* row : children)
                group->replayInsertChild(group->childCount(), row->entity.get());
        }
    }

    void readRoots() {
        SqliteStatement roots(m_db, "SELECT segment, root_id, entity_id, element_metatype "
                                    "FROM roots ORDER BY segment, position");
        SqliteStatement elements(m_db, "SELECT element_segment, element_id FROM root_elements "
                                       "WHERE segment = ? AND collection_id = ? ORDER BY position");
        while (roots.step()) {
            Segment* s = segment(roots.integer(0));
            uint64_t id = static_cast<uint64_t>(roots.integer(2));
            Entity* entity = s->findEntity(id);
            if (!entity)
                throw BadDocument("root \"" + roots.text(1) + "\" names " +
                                  entityName(s->key(), id) + ", which the document does not have");
            UniqueString rootId(roots.text(1));
            auto* collection = queryInterface<Managed::ManagedRootCollection>(entity);
            if (!collection) {
                s->setRootEntity(rootId, StrongRef<Entity>(entity));
                continue;
            }
            collection->setRoot(rootId, MetaTypeMgr::get().find(roots.text(3)));
            elements.bind(1, int64_t(s->key()));
            elements.bind(2, int64_t(id));
            while (elements.step()) {
                Entity* element = m_asset->findEntity(uint32_t(elements.integer(0)),
                                                      uint64_t(elements.integer(1)));
                if (!element)
                    throw BadDocument("root collection \"" + rootId.str() +
                                      "\" lists an entity the document does not have");
                collection->replayInsertChild(collection->elementCount(), element);
            }
            elements.reset();
        }
    }

    // Entities read through an old member set are converted in the order of
    // their identifiers, the order they were made in.
    void finishMigration() {
        std::vector<Row*> migrating;
        if (m_asset->isMigrating()) // else no entity began migrating
            for (Row& row : m_entities)
                if (row.entity->isMigrating())
                    migrating.push_back(&row);
        std::sort(migrating.begin(), migrating.end(), [](const Row* a, const Row* b) {
            return std::tie(a->segment, a->id) < std::tie(b->segment, b->id);
        });
        for (Row* row : migrating) {
            row->entity->onPostMigrate();
            row->entity->clearMigrating();
        }
        m_asset->setMigrating(false);
        m_asset->runAssetMigrators();
        std::set<DataModelCallback*> callbacks;
        const EntityMetaType* lastType = nullptr;
        for (Row& row : m_entities) {
            if (row.type == lastType) // classes come in runs
                continue;
            lastType = row.type;
            if (DataModelCallback* callback = row.type->dataModelCallback())
                callbacks.insert(callback);
        }
        for (DataModelCallback* callback : callbacks)
            callback->onPostRestore(*m_asset);
        report(m_total);
    }

    // Drops every reference to the half-read document, entities before the
    // asset that holds their segments.
    void discard() {
        for (Row& row : m_entities)
            if (auto* group = queryInterface<Managed::ManagedGroupEntity>(row.entity.get()))
                while (group->childCount())
                    group->replayRemoveChild(group->childCount() - 1,
                                             group->child(group->childCount() - 1).get());
        m_pending.clear();
        m_asset->clear();
        m_entities.clear();
        m_asset.reset();
    }

    void report(size_t done) {
        if (m_progress && m_total && (done % 4096 == 0 || done == m_total))
            m_progress(std::min(done, m_total), m_total);
    }

    SqliteDatabase& m_db;
    StorageProgress m_progress;
    std::unique_ptr<Asset> m_asset;
    std::vector<Row> m_entities;
    std::vector<MemberContext::PendingReference> m_pending;
    size_t m_total = 0;
};

} // namespace

std::unique_ptr<Asset> DocumentReader::load(const std::string& path,
                                            const StorageProgress& progress) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        throw StorageError(path, "cannot open: no such file");
    if (!S_ISREG(info.st_mode))
        throw StorageError(path, "cannot open: not a regular file");
    try {
        SqliteDatabase db(path, SqliteDatabase::ReadOnly);
        Loader loader(db, progress);
        return loader.run();
    } catch (const BadDocument& error) {
        throw StorageError(path, error.what());
    } catch (const std::exception& error) {
        throw StorageError(path, std::string("not a readable document (") + error.what() + ")");
    }
}

} // namespace Kv
