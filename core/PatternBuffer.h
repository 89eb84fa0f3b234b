#pragma once
// The arrays of the pattern engine: a non-owning view and an owning growable array.
#include <algorithm>
#include <vector>

template <class T>
class CBufferRefT {
public:
    CBufferRefT() = default;
    CBufferRefT(const T* data, int size) : m_pRef(data), m_nSize(size) {}
    virtual ~CBufferRefT() = default;

    int GetSize() const { return m_nSize; }
    const T* GetBuffer() const { return m_pRef; }
    const T& operator[](int i) const { return m_pRef[i]; }
    // The element at i, or def when i lies outside the array.
    T At(int i, T def) const { return (i >= 0 && i < m_nSize) ? m_pRef[i] : def; }

protected:
    const T* m_pRef = nullptr;
    int m_nSize = 0;
};

template <class T>
class CBufferT : public CBufferRefT<T> {
public:
    CBufferT() = default;
    CBufferT(const CBufferT& other) : CBufferRefT<T>(), m_store(other.m_store) { Sync(other.m_nSize); }
    CBufferT(CBufferT&& other) noexcept : CBufferRefT<T>(), m_store(std::move(other.m_store)) {
        Sync(other.m_nSize);
        other.Sync(0);
    }
    CBufferT& operator=(const CBufferT& other) {
        if (this != &other) {
            m_store = other.m_store;
            Sync(other.m_nSize);
        }
        return *this;
    }
    CBufferT& operator=(CBufferT&& other) noexcept {
        if (this != &other) {
            m_store = std::move(other.m_store);
            Sync(other.m_nSize);
            other.Sync(0);
        }
        return *this;
    }

    T& operator[](int i) { return m_store[static_cast<size_t>(i)]; }
    const T& operator[](int i) const { return m_store[static_cast<size_t>(i)]; }

    void Push(const T& value) {
        Reserve(this->m_nSize + 1);
        m_store[static_cast<size_t>(this->m_nSize)] = value;
        Sync(this->m_nSize + 1);
    }
    // Removes the last element into out; false on an empty array.
    bool Pop(T& out) {
        if (this->m_nSize <= 0) return false;
        out = m_store[static_cast<size_t>(this->m_nSize - 1)];
        Sync(this->m_nSize - 1);
        return true;
    }
    // Cuts the array back to n elements; never grows it.
    void Restore(int n) {
        if (n >= 0 && n < this->m_nSize) Sync(n);
    }
    // Grows the array so that index exists, new elements set to fill.
    void Prepare(int index, const T& fill) {
        if (index < this->m_nSize) return;
        Reserve(index + 1);
        std::fill(m_store.begin() + this->m_nSize, m_store.begin() + index + 1, fill);
        Sync(index + 1);
    }
    // Appends a run of elements and keeps a default (NUL) element after the last one.
    void Append(const T* data, int count) {
        Reserve(this->m_nSize + count + 1);
        std::copy(data, data + count, m_store.begin() + this->m_nSize);
        m_store[static_cast<size_t>(this->m_nSize + count)] = T();
        Sync(this->m_nSize + count);
    }
    void Clear() { Sync(0); }

private:
    void Reserve(int needed) {
        size_t cap = m_store.size();
        if (static_cast<size_t>(needed) <= cap) return;
        size_t grown = cap == 0 ? 8 : cap;
        while (grown < static_cast<size_t>(needed)) grown *= 2;
        m_store.resize(grown);
    }
    void Sync(int size) {
        this->m_pRef = m_store.data();
        this->m_nSize = size;
    }

    std::vector<T> m_store;
};
