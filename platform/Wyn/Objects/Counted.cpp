#include "Wyn/Objects/Counted.h"

namespace Wyn::Objects {

Counted::~Counted() = default;

void Counted::release() const noexcept {
    if (m_refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
        delete this;
}

} // namespace Wyn::Objects
