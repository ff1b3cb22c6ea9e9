// The owning, singly linked list that holds every record list of the model.
//
// Elements are heap objects that carry their own link (derive from
// CTListNode<T>); the list owns them and deletes them through T's
// destructor. Appending is O(1); index lookup walks from the head.
#pragma once

#include <cstdint>
#include <iterator>

template <class T>
class CTListNode {
public:
    T* GetNext() const { return m_next; }

private:
    template <class U>
    friend class CTList;
    T* m_next = nullptr;
};

template <class T>
class CTList {
public:
    CTList() = default;
    CTList(const CTList&) = delete;
    CTList& operator=(const CTList&) = delete;
    ~CTList() { RemoveAll(); }

    // Takes ownership of item; a null item is ignored.
    void Add(T* item) {
        if (!item) return;
        item->m_next = nullptr;
        if (m_tail) m_tail->m_next = item;
        else m_head = item;
        m_tail = item;
        ++m_count;
    }

    // Unlinks item (which must be in this list) and deletes it.
    void Remove(T* item) {
        T* previous = nullptr;
        for (T* cur = m_head; cur; previous = cur, cur = cur->m_next) {
            if (cur != item) continue;
            if (previous) previous->m_next = cur->m_next;
            else m_head = cur->m_next;
            if (m_tail == cur) m_tail = previous;
            --m_count;
            delete cur;
            return;
        }
    }

    // Deletes every element, iteratively so that long lists cannot exhaust
    // the stack.
    void RemoveAll() {
        T* cur = m_head;
        while (cur) {
            T* next = cur->m_next;
            delete cur;
            cur = next;
        }
        m_head = m_tail = nullptr;
        m_count = 0;
    }

    T* GetHead() const { return m_head; }
    T* GetTail() const { return m_tail; }
    std::uint32_t GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    // Element at a 0-based index, or null past the end.
    T* GetAt(std::uint32_t index) const {
        T* cur = m_head;
        for (std::uint32_t i = 0; cur && i < index; ++i) cur = cur->m_next;
        return cur;
    }

    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = T*;
        using reference = T&;

        explicit Iterator(T* at = nullptr) : m_at(at) {}
        T& operator*() const { return *m_at; }
        T* operator->() const { return m_at; }
        Iterator& operator++() {
            m_at = m_at->GetNext();
            return *this;
        }
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return m_at == other.m_at; }

    private:
        T* m_at;
    };

    Iterator begin() const { return Iterator(m_head); }
    Iterator end() const { return Iterator(nullptr); }

private:
    T* m_head = nullptr;
    T* m_tail = nullptr;
    std::uint32_t m_count = 0;
};
