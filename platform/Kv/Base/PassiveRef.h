#pragma once

#include "Kv/Base/RefCounted.h"
#include "Kv/Base/StrongRef.h"

#include <utility>

namespace Kv {

// Observing reference: does not keep its target alive and reads null once the
// target has been destroyed.
template <class T> class PassiveRef {
public:
    PassiveRef() noexcept = default;
    PassiveRef(std::nullptr_t) noexcept {}
    PassiveRef(T* target) { bind(target); }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    PassiveRef(const StrongRef<U>& target) {
        bind(target.getTarget());
    }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    PassiveRef(const PassiveRef<U>& other) {
        bind(other.getTarget());
    }
    PassiveRef(const PassiveRef& other)
        : m_target(other.m_target)
        , m_live(other.m_live) {
        if (m_live)
            m_live->addRef();
    }
    PassiveRef(PassiveRef&& other) noexcept
        : m_target(std::exchange(other.m_target, nullptr))
        , m_live(std::exchange(other.m_live, nullptr)) {}
    ~PassiveRef() {
        if (m_live)
            m_live->release();
    }
    PassiveRef& operator=(PassiveRef other) noexcept {
        std::swap(m_target, other.m_target);
        std::swap(m_live, other.m_live);
        return *this;
    }

    // The target, or null when there is none or it has died.
    T* getTarget() const noexcept { return m_live && m_live->target() ? m_target : nullptr; }
    T* operator->() const noexcept { return getTarget(); }
    T& operator*() const noexcept { return *getTarget(); }
    explicit operator bool() const noexcept { return getTarget() != nullptr; }
    bool isNull() const noexcept { return getTarget() == nullptr; }
    StrongRef<T> lock() const { return StrongRef<T>(getTarget()); }
    void reset() { *this = PassiveRef(); }

    template <class U> bool operator==(const PassiveRef<U>& o) const {
        return getTarget() == o.getTarget();
    }
    template <class U> bool operator!=(const PassiveRef<U>& o) const { return !(*this == o); }
    bool operator==(const T* p) const { return getTarget() == p; }
    bool operator!=(const T* p) const { return getTarget() != p; }

private:
    void bind(T* target) {
        if (target) {
            m_target = target;
            m_live = target->acquireLiveness();
        }
    }
    T* m_target = nullptr;
    Liveness* m_live = nullptr;
};

} // namespace Kv
