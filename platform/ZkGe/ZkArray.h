#pragma once

#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

// A growable array with int indices, the container the kernel uses for point,
// weight and parameter lists. Indices out of range are the caller's fault,
// except through at(), which checks.
template <class T> class ZkArray {
public:
    using value_type = T;
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;

    ZkArray() = default;
    ZkArray(std::initializer_list<T> values)
        : m_data(values) {}
    explicit ZkArray(std::vector<T> values)
        : m_data(std::move(values)) {}

    int length() const { return static_cast<int>(m_data.size()); }
    bool isEmpty() const { return m_data.empty(); }

    T& operator[](int i) { return m_data[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return m_data[static_cast<std::size_t>(i)]; }
    T& at(int i) { return m_data.at(static_cast<std::size_t>(i)); }
    const T& at(int i) const { return m_data.at(static_cast<std::size_t>(i)); }
    T& first() { return m_data.front(); }
    const T& first() const { return m_data.front(); }
    T& last() { return m_data.back(); }
    const T& last() const { return m_data.back(); }

    ZkArray& append(const T& value) {
        m_data.push_back(value);
        return *this;
    }
    // Inserts before index; index == length() appends.
    ZkArray& insertAt(int index, const T& value) {
        m_data.insert(m_data.begin() + index, value);
        return *this;
    }
    ZkArray& removeAt(int index) {
        m_data.erase(m_data.begin() + index);
        return *this;
    }
    // Grows with default values or drops from the end.
    ZkArray& setLogicalLength(int length) {
        m_data.resize(static_cast<std::size_t>(length));
        return *this;
    }
    ZkArray& setPhysicalLength(int capacity) {
        m_data.reserve(static_cast<std::size_t>(capacity));
        return *this;
    }
    ZkArray& removeAll() {
        m_data.clear();
        return *this;
    }
    // Index of the first element equal to value, or -1.
    int find(const T& value) const {
        for (int i = 0; i < length(); ++i) {
            if (m_data[static_cast<std::size_t>(i)] == value)
                return i;
        }
        return -1;
    }
    bool contains(const T& value) const { return find(value) >= 0; }

    iterator begin() { return m_data.begin(); }
    iterator end() { return m_data.end(); }
    const_iterator begin() const { return m_data.begin(); }
    const_iterator end() const { return m_data.end(); }
    T* data() { return m_data.data(); }
    const T* data() const { return m_data.data(); }
    const std::vector<T>& asStdVector() const { return m_data; }

    bool operator==(const ZkArray& a) const { return m_data == a.m_data; }
    bool operator!=(const ZkArray& a) const { return !(*this == a); }

private:
    std::vector<T> m_data;
};
