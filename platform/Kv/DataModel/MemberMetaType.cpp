#include "Kv/DataModel/MemberMetaType.h"

#include "Kv/DataModel/MapMetaType.h"
#include "Kv/DataModel/VectorMetaType.h"

#include <map>
#include <mutex>

namespace Kv {
namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, MemberMetaType*> byName;
};

Registry& registry() {
    static Registry r;
    return r;
}

} // namespace

MemberMetaType::MemberMetaType(std::string name, bool registered)
    : m_name(std::move(name))
    , m_registered(registered) {
    if (m_registered) {
        std::lock_guard<std::mutex> lock(registry().mutex);
        registry().byName[m_name] = this;
    }
}

MemberMetaType::~MemberMetaType() {
    if (m_registered) {
        std::lock_guard<std::mutex> lock(registry().mutex);
        auto it = registry().byName.find(m_name);
        if (it != registry().byName.end() && it->second == this)
            registry().byName.erase(it);
    }
}

MemberMetaType* MemberMetaType::find(const std::string& name) {
    // The container meta types are the host's own; make sure they exist.
    VectorMetaType::instance();
    MapMetaType::instance();
    std::lock_guard<std::mutex> lock(registry().mutex);
    auto it = registry().byName.find(name);
    return it == registry().byName.end() ? nullptr : it->second;
}

} // namespace Kv
