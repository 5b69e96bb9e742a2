#include "Kv/Base/RefCounted.h"

namespace Kv {

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
