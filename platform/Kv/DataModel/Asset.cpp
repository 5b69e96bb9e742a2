#include "Kv/DataModel/Asset.h"

#include "Kv/DataModel/AssetMigrator.h"
#include "Kv/DataModel/Entity.h"
#include "Kv/DataModel/Segment.h"
#include "Kv/DataModel/Transaction.h"
#include "Kv/Scene/SceneManager.h"

#include <algorithm>
#include <stdexcept>

namespace Kv {

Asset::Asset() = default;

Asset::~Asset() {
    clear();
}

void Asset::clear() {
    m_sceneManager.reset();
    m_current.reset();
    m_marks.clear();
    m_undo.clear();
    m_migrators.clear();
    for (auto& segment : m_segments)
        segment->clearRootEntities();
}

Segment* Asset::createSegment(unsigned flags, uint32_t key) {
    if (key == 0) {
        key = 1;
        for (const auto& s : m_segments)
            key = std::max(key, s->key() + 1);
    } else if (segment(key)) {
        throw std::logic_error("segment key " + std::to_string(key) + " is already in use");
    }
    m_segments.push_back(std::make_unique<Segment>(this, key, flags));
    return m_segments.back().get();
}

Segment* Asset::segment(uint32_t key) const {
    for (const auto& s : m_segments)
        if (s->key() == key)
            return s.get();
    return nullptr;
}

Segment* Asset::defaultSegment() const {
    return m_segments.empty() ? nullptr : m_segments.front().get();
}

Entity* Asset::findEntity(uint32_t segmentKey, uint64_t id) const {
    Segment* s = segment(segmentKey);
    return s ? s->findEntity(id) : nullptr;
}

void Asset::beginTransaction(const std::string& name) {
    if (!m_current)
        m_current = std::make_unique<Transaction>(this, name);
    m_marks.push_back(m_current->size());
}

void Asset::commitTransaction() {
    if (m_marks.empty())
        throw std::logic_error("commit without an open transaction");
    m_marks.pop_back();
    if (!m_marks.empty())
        return;
    std::unique_ptr<Transaction> done = std::move(m_current);
    if (!done->empty())
        m_undo.push(std::move(done));
    if (m_sceneManager)
        m_sceneManager->transactionCommitted();
}

void Asset::abortTransaction() {
    if (m_marks.empty())
        throw std::logic_error("abort without an open transaction");
    size_t mark = m_marks.back();
    m_marks.pop_back();
    m_current->rollBackTo(mark);
    if (m_marks.empty()) {
        m_current.reset();
        if (m_sceneManager)
            m_sceneManager->transactionReplayed();
    }
}

bool Asset::undo() {
    if (m_current)
        throw std::logic_error("undo inside an open transaction");
    const bool undone = m_undo.undo();
    if (m_sceneManager)
        m_sceneManager->transactionReplayed();
    return undone;
}

bool Asset::redo() {
    if (m_current)
        throw std::logic_error("redo inside an open transaction");
    const bool redone = m_undo.redo();
    if (m_sceneManager)
        m_sceneManager->transactionReplayed();
    return redone;
}

Scene::SceneManager& Asset::sceneManager() {
    if (!m_sceneManager)
        m_sceneManager = std::make_unique<Scene::SceneManager>(this);
    return *m_sceneManager;
}

AssetMigrator* Asset::assetMigrator(const std::string& name) {
    for (auto& [n, migrator] : m_migrators)
        if (n == name)
            return migrator.get();
    AssetMigrator* made = AssetMigrator::create(name);
    if (made)
        m_migrators.emplace_back(name, std::unique_ptr<AssetMigrator>(made));
    return made;
}

void Asset::runAssetMigrators() {
    m_assetMigrating = true;
    for (auto& [name, migrator] : m_migrators)
        migrator->migrate(*this);
    m_migrators.clear();
    m_assetMigrating = false;
}

} // namespace Kv
