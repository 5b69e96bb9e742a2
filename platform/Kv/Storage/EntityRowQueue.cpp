#include "Kv/Storage/EntityRowQueue.h"

namespace Kv {
namespace {

// Enough rows to make handing a batch over cheap beside making its rows, few
// enough that the other side starts at once and a batch stays in cache.
constexpr size_t kBatchRows = 512;
constexpr size_t kBatches = 4;

} // namespace

EntityRowQueue::EntityRowQueue() {
    for (size_t i = 0; i < kBatches; ++i)
        m_free.push_back(std::make_unique<Batch>());
}

bool EntityRowQueue::put(const EntityRow& row) {
    if (!m_putting) {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_changed.wait(lock, [this] { return m_stopped || !m_free.empty(); });
        if (m_error)
            std::rethrow_exception(m_error);
        if (m_stopped)
            return false;
        m_putting = std::move(m_free.back());
        m_free.pop_back();
    }
    Batch& batch = *m_putting;
    batch.places.emplace_back(batch.bytes.size(), row.metaType.size());
    batch.bytes.append(row.metaType);
    batch.places.emplace_back(batch.bytes.size(), row.members.size());
    batch.bytes.append(row.members);
    batch.rows.push_back(row);
    if (batch.rows.size() == kBatchRows)
        hand(false);
    return true;
}

void EntityRowQueue::close() {
    if (!m_putting) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
        return;
    }
    hand(true);
}

void EntityRowQueue::hand(bool last) {
    Batch& batch = *m_putting;
    for (size_t i = 0; i < batch.rows.size(); ++i) {
        const auto& [metaTypeAt, metaTypeSize] = batch.places[2 * i];
        const auto& [membersAt, membersSize] = batch.places[2 * i + 1];
        batch.rows[i].metaType = std::string_view(batch.bytes.data() + metaTypeAt, metaTypeSize);
        batch.rows[i].members = std::string_view(batch.bytes.data() + membersAt, membersSize);
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    m_full.push_back(std::move(m_putting));
    m_closed = last;
    m_changed.notify_all();
}

bool EntityRowQueue::next(EntityRow& row) {
    if (!m_taking || m_next == m_taking->rows.size()) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_taking) {
            m_taking->rows.clear();
            m_taking->places.clear();
            m_taking->bytes.clear();
            m_free.push_back(std::move(m_taking));
            m_changed.notify_all();
        }
        m_changed.wait(lock, [this] { return m_stopped || m_closed || !m_full.empty(); });
        if (m_error)
            std::rethrow_exception(m_error);
        if (m_stopped || m_full.empty())
            return false;
        m_taking = std::move(m_full.front());
        m_full.pop_front();
        m_next = 0;
    }
    row = m_taking->rows[m_next++];
    return true;
}

void EntityRowQueue::fail(std::exception_ptr error) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_error)
        m_error = error;
    m_stopped = true;
    m_changed.notify_all();
}

void EntityRowQueue::rethrowIfFailed() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_error)
        std::rethrow_exception(m_error);
}

void EntityRowQueue::stop() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopped = true;
    m_changed.notify_all();
}

} // namespace Kv
