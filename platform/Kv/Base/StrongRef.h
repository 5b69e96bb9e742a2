#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

namespace Kv {

// Owning reference to a RefCounted object.
template <class T> class StrongRef {
public:
    StrongRef() noexcept = default;
    StrongRef(std::nullptr_t) noexcept {}
    explicit StrongRef(T* target) noexcept
        : m_target(target) {
        acquire();
    }
    StrongRef(const StrongRef& other) noexcept
        : m_target(other.m_target) {
        acquire();
    }
    StrongRef(StrongRef&& other) noexcept
        : m_target(std::exchange(other.m_target, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    StrongRef(const StrongRef<U>& other) noexcept
        : m_target(other.getTarget()) {
        acquire();
    }
    ~StrongRef() { releaseTarget(); }

    StrongRef& operator=(StrongRef other) noexcept {
        std::swap(m_target, other.m_target);
        return *this;
    }

    T* getTarget() const noexcept { return m_target; }
    T* get() const noexcept { return m_target; }
    T* operator->() const noexcept { return m_target; }
    T& operator*() const noexcept { return *m_target; }
    explicit operator bool() const noexcept { return m_target != nullptr; }
    bool isNull() const noexcept { return m_target == nullptr; }
    void reset() noexcept { StrongRef().swap(*this); }
    void swap(StrongRef& other) noexcept { std::swap(m_target, other.m_target); }

    template <class U> bool operator==(const StrongRef<U>& o) const {
        return m_target == o.getTarget();
    }
    template <class U> bool operator!=(const StrongRef<U>& o) const {
        return m_target != o.getTarget();
    }
    bool operator==(const T* p) const { return m_target == p; }
    bool operator!=(const T* p) const { return m_target != p; }
    bool operator<(const StrongRef& o) const { return std::less<T*>()(m_target, o.m_target); }

private:
    void acquire() noexcept {
        if (m_target)
            m_target->addRef();
    }
    void releaseTarget() noexcept {
        if (m_target)
            m_target->release();
    }
    T* m_target = nullptr;
};

template <class T> StrongRef<T> makeRef(T* target) {
    return StrongRef<T>(target);
}

// What every `make` returns: the newly made object, handed to a StrongRef of
// the class or of one of its bases.
template <class T> class StrongRefCreator {
public:
    StrongRefCreator() = default;
    StrongRefCreator(std::nullptr_t) {}
    explicit StrongRefCreator(T* created)
        : m_ref(created) {}
    explicit StrongRefCreator(StrongRef<T> created)
        : m_ref(std::move(created)) {}

    template <class U, class = std::enable_if_t<std::is_convertible_v<T*, U*>>>
    operator StrongRef<U>() const {
        return StrongRef<U>(m_ref.getTarget());
    }
    T* getTarget() const { return m_ref.getTarget(); }
    T* operator->() const { return m_ref.getTarget(); }
    explicit operator bool() const { return bool(m_ref); }
    bool isNull() const { return m_ref.isNull(); }

private:
    StrongRef<T> m_ref;
};

} // namespace Kv
