#pragma once

#include <atomic>

namespace Wyn::Objects {

// Base of graphics objects that several holders share (scene nodes above
// all): an intrusive count, so that the scene graph, the host's node records
// and the entities can each keep a node alive without agreeing on an owner.
class Counted {
public:
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

    void addRef() const noexcept { m_refs.fetch_add(1, std::memory_order_relaxed); }
    // Deletes the object when the last holder lets go.
    void release() const noexcept;
    long refCount() const noexcept { return m_refs.load(std::memory_order_relaxed); }

protected:
    Counted() = default;
    virtual ~Counted();

private:
    mutable std::atomic<long> m_refs{0};
};

} // namespace Wyn::Objects
