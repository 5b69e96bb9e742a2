#pragma once

#include "Kv/DataModel/UndoStack.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace Kv {

class AssetMigrator;
class Entity;
class Segment;
class Transaction;
namespace Scene {
class SceneManager;
} // namespace Scene

// One open document: its segments, the transaction being recorded, the undo
// stack and the state of a running migration.
class Asset {
public:
    Asset();
    ~Asset();
    Asset(const Asset&) = delete;
    Asset& operator=(const Asset&) = delete;

    // Segments. Keys are unique in the asset; 0 picks the next free one.
    Segment* createSegment(unsigned flags = 0, uint32_t key = 0);
    Segment* segment(uint32_t key) const;
    Segment* defaultSegment() const;
    const std::vector<std::unique_ptr<Segment>>& segments() const { return m_segments; }
    Entity* findEntity(uint32_t segmentKey, uint64_t id) const;

    // Transactions. Beginning inside an open transaction joins it; an abort
    // at that level rolls back only what was done since the matching begin.
    void beginTransaction(const std::string& name);
    void commitTransaction();
    void abortTransaction();
    bool inTransaction() const { return m_current != nullptr; }
    Transaction* currentTransaction() const { return m_current.get(); }

    UndoStack& undoStack() { return m_undo; }
    bool undo();
    bool redo();

    // While undo or redo plays back, nothing is recorded and entity hooks skip
    // their bookkeeping.
    bool isReplaying() const { return m_replaying > 0; }
    class ReplayScope {
    public:
        explicit ReplayScope(Asset* asset)
            : m_asset(asset) {
            ++m_asset->m_replaying;
        }
        ~ReplayScope() { --m_asset->m_replaying; }
        ReplayScope(const ReplayScope&) = delete;
        ReplayScope& operator=(const ReplayScope&) = delete;

    private:
        Asset* m_asset;
    };

    // Migration: isMigrating while an old document is read, isAssetMigrating
    // while the asset migrators run afterwards.
    bool isMigrating() const { return m_migrating; }
    void setMigrating(bool migrating) { m_migrating = migrating; }
    bool isAssetMigrating() const { return m_assetMigrating; }
    // This asset's migrator of `name`, made on first request; null when no
    // migrator of that name is registered.
    AssetMigrator* assetMigrator(const std::string& name);
    // Runs every migrator made so far, in the order they were made, once.
    void runAssetMigrators();

    // Releases every entity: the undo history, then the segments' roots.
    void clear();

    // The document's scene, made on first use. It realises what changed when
    // the outermost transaction commits and after undo, redo or a rollback.
    Scene::SceneManager& sceneManager();

private:
    std::vector<std::unique_ptr<Segment>> m_segments;
    std::unique_ptr<Transaction> m_current;
    std::vector<size_t> m_marks; // operation counts at each nested begin
    UndoStack m_undo;
    int m_replaying = 0;
    bool m_migrating = false;
    bool m_assetMigrating = false;
    std::vector<std::pair<std::string, std::unique_ptr<AssetMigrator>>> m_migrators;
    std::unique_ptr<Scene::SceneManager> m_sceneManager;
};

} // namespace Kv
