#include "Kv/Base/UniqueString.h"

#include <memory>
#include <mutex>
#include <unordered_map>

namespace Kv {
namespace {

struct Pool {
    std::mutex mutex;
    std::unordered_map<std::string_view, std::unique_ptr<std::string>> strings;
};

Pool& pool() {
    static Pool* p = new Pool; // never destroyed: names outlive every static user
    return *p;
}

const std::string& emptyString() {
    static const std::string empty;
    return empty;
}

} // namespace

UniqueString::UniqueString(std::string_view name)
    : UniqueString(find(name, true)) {}

UniqueString UniqueString::find(std::string_view name, bool create) {
    Pool& p = pool();
    std::lock_guard<std::mutex> lock(p.mutex);
    auto it = p.strings.find(name);
    if (it != p.strings.end())
        return UniqueString(it->second.get());
    if (!create)
        return UniqueString();
    auto text = std::make_unique<std::string>(name);
    const std::string* raw = text.get();
    p.strings.emplace(std::string_view(*raw), std::move(text));
    return UniqueString(raw);
}

const std::string& UniqueString::str() const {
    return m_text ? *m_text : emptyString();
}

} // namespace Kv
