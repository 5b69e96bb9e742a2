#include "Kv/DataModel/Status.h"

namespace Kv {

void Status::fail(const std::string& message) {
    if (m_ok)
        m_message = message;
    m_ok = false;
}

} // namespace Kv
