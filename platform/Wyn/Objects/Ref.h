#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

namespace Wyn::Objects {

// Owning reference to a Counted object. It converts from a raw pointer
// implicitly: the count lives in the object, so taking a second hold from a
// raw pointer is always safe.
template <class T> class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    Ref(T* target) noexcept
        : m_target(target) {
        acquire();
    }
    Ref(const Ref& other) noexcept
        : m_target(other.m_target) {
        acquire();
    }
    Ref(Ref&& other) noexcept
        : m_target(std::exchange(other.m_target, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Ref(const Ref<U>& other) noexcept
        : m_target(other.get()) {
        acquire();
    }
    ~Ref() {
        if (m_target)
            m_target->release();
    }

    Ref& operator=(Ref other) noexcept {
        std::swap(m_target, other.m_target);
        return *this;
    }

    T* get() const noexcept { return m_target; }
    T* operator->() const noexcept { return m_target; }
    T& operator*() const noexcept { return *m_target; }
    explicit operator bool() const noexcept { return m_target != nullptr; }
    void reset() noexcept { Ref().swap(*this); }
    void swap(Ref& other) noexcept { std::swap(m_target, other.m_target); }

    template <class U> bool operator==(const Ref<U>& o) const { return m_target == o.get(); }
    template <class U> bool operator!=(const Ref<U>& o) const { return m_target != o.get(); }
    bool operator==(const T* p) const { return m_target == p; }
    bool operator!=(const T* p) const { return m_target != p; }

private:
    void acquire() noexcept {
        if (m_target)
            m_target->addRef();
    }
    T* m_target = nullptr;
};

template <class T, class... Args> Ref<T> makeRef(Args&&... args) {
    return Ref<T>(new T(std::forward<Args>(args)...));
}

} // namespace Wyn::Objects
