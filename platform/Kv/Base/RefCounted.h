#pragma once

#include "Kv/Base/Object.h"

#include <atomic>

namespace Kv {

// Shared liveness record of a RefCounted object, made on the first passive
// reference. It outlives the object so that passive references can tell it died.
class Liveness {
public:
    explicit Liveness(const class RefCounted* target) : m_target(target) {}

    const RefCounted* target() const { return m_target.load(std::memory_order_acquire); }
    void addRef() { m_refs.fetch_add(1, std::memory_order_relaxed); }
    void release() {
        if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

private:
    friend class RefCounted;
    std::atomic<const RefCounted*> m_target;
    std::atomic<long> m_refs{1}; // the target's own hold
};

// An object with an intrusive reference count. It is deleted when the last
// StrongRef lets go; PassiveRefs read null from then on.
class RefCounted : public Object {
public:
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    void addRef() const noexcept { m_refs.fetch_add(1, std::memory_order_relaxed); }
    void release() const noexcept;
    long refCount() const noexcept { return m_refs.load(std::memory_order_relaxed); }

    // The liveness record, made on first use. The caller gets one hold on it.
    Liveness* acquireLiveness() const;

    void* queryInterface(const UniqueString& id) override;
    KV_INTERFACE_ID("Kv::RefCounted")

protected:
    RefCounted() = default;
    ~RefCounted() override;

private:
    mutable std::atomic<long> m_refs{0};
    mutable std::atomic<Liveness*> m_liveness{nullptr};
};

} // namespace Kv
