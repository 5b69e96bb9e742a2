#pragma once

#include "Kv/Base/Object.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace Kv {

// Shared liveness record of a RefCounted object, made on the first passive
// reference. It outlives the object so that passive references can tell it died.
class Liveness final {
public:
    explicit Liveness(const class RefCounted* target)
        : m_target(target) {}

    // Records come from a shared pool rather than one heap block each.
    static void* operator new(std::size_t size);
    static void operator delete(void* record) noexcept;

    const RefCounted* target() const { return m_target.load(std::memory_order_acquire); }
    void addRef() { m_refs.fetch_add(1, std::memory_order_relaxed); }
    void release() {
        if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }

private:
    friend class RefCounted;
    std::atomic<const RefCounted*> m_target;
    std::atomic<uint32_t> m_refs{1}; // the target's own hold
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
    // The count comes last and takes 32 bits, so that a derived class can
    // place small members in the rest of the last word.
    mutable std::atomic<Liveness*> m_liveness{nullptr};
    mutable std::atomic<uint32_t> m_refs{0};
};

} // namespace Kv
