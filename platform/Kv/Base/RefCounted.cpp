#include "Kv/Base/RefCounted.h"

#include <sanitizer/asan_interface.h>

#include <memory>
#include <mutex>
#include <new>
#include <vector>

namespace Kv {
namespace {

// Liveness records are small and there is one for every object that is
// passively referenced, so they are carved from large blocks: a heap block
// of its own would take twice the record's size. Free records are chained
// through their first bytes; under AddressSanitizer they are poisoned, so a
// use after release is still reported.
class LivenessPool {
public:
    void* allocate() {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_free)
            grow();
        Slot* slot = m_free;
        ASAN_UNPOISON_MEMORY_REGION(slot, sizeof(Slot));
        m_free = slot->next;
        return slot;
    }
    void release(void* record) {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto* slot = static_cast<Slot*>(record);
        slot->next = m_free;
        m_free = slot;
        ASAN_POISON_MEMORY_REGION(slot, sizeof(Slot));
    }

    // Never destroyed: records may be released while statics are torn down.
    static LivenessPool& instance() {
        static auto* pool = new LivenessPool;
        return *pool;
    }

private:
    union Slot {
        Slot* next;
        alignas(Liveness) unsigned char bytes[sizeof(Liveness)];
    };
    static constexpr size_t kSlotsPerBlock = 4096;

    void grow() {
        m_blocks.push_back(std::make_unique<Slot[]>(kSlotsPerBlock));
        Slot* block = m_blocks.back().get();
        for (size_t i = kSlotsPerBlock; i > 0; --i) {
            block[i - 1].next = m_free;
            m_free = &block[i - 1];
            ASAN_POISON_MEMORY_REGION(&block[i - 1], sizeof(Slot));
        }
    }

    std::mutex m_mutex;
    Slot* m_free = nullptr;
    std::vector<std::unique_ptr<Slot[]>> m_blocks;
};

} // namespace

void* Liveness::operator new(std::size_t) {
    return LivenessPool::instance().allocate();
}

void Liveness::operator delete(void* record) noexcept {
    if (record)
        LivenessPool::instance().release(record);
}

void RefCounted::release() const noexcept {
    if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

Liveness* RefCounted::acquireLiveness() const {
    Liveness* live = m_liveness.load(std::memory_order_acquire);
    if (!live) {
        auto* fresh = new Liveness(this);
        if (m_liveness.compare_exchange_strong(live, fresh, std::memory_order_acq_rel))
            live = fresh;
        else
            delete fresh; // another thread won; `live` now holds its record
    }
    live->addRef();
    return live;
}

RefCounted::~RefCounted() {
    if (Liveness* live = m_liveness.load(std::memory_order_acquire)) {
        live->m_target.store(nullptr, std::memory_order_release);
        live->release();
    }
}

void* RefCounted::queryInterface(const UniqueString& id) {
    return id == interfaceId() ? this : Object::queryInterface(id);
}

} // namespace Kv
