// The owning, singly linked list that holds every record list of the model.
//
// Elements carry their own link (derive from CTListNode<T>); the list owns
// them. They are heap objects handed to Add, deleted through T's destructor,
// or made by Emplace in blocks the list holds, so that a sheet's hundreds of
// thousands of cell records cost a few allocations rather than one each.
// Appending is O(1); index lookup walks from the head.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "biff/CBulkBlock.h"

template <class T>
class CTListNode {
public:
    T* GetNext() const { return m_next; }

private:
    template <class U>
    friend class CTList;
    T* m_next = nullptr;
    // Made by Emplace in the list's blocks: destroyed there, never deleted.
    bool m_inBlock = false;
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
        if (m_tail)
            m_tail->m_next = item;
        else
            m_head = item;
        m_tail = item;
        ++m_count;
    }

    // Unlinks item (which must be in this list) and deletes it.
    // Constructs a T from args in the list's own blocks and appends it.
    template <class... Args>
    T* Emplace(Args&&... args) {
        T* item = ::new (NextSlot()) T(std::forward<Args>(args)...);
        item->m_inBlock = true;
        Add(item);
        return item;
    }

    void Remove(T* item) {
        T* previous = nullptr;
        for (T* cur = m_head; cur; previous = cur, cur = cur->m_next) {
            if (cur != item) continue;
            if (previous)
                previous->m_next = cur->m_next;
            else
                m_head = cur->m_next;
            if (m_tail == cur) m_tail = previous;
            --m_count;
            Destroy(cur);
            return;
        }
    }

    // Deletes every element, iteratively so that long lists cannot exhaust
    // the stack.
    void RemoveAll() {
        T* cur = m_head;
        while (cur) {
            T* next = cur->m_next;
            Destroy(cur);
            cur = next;
        }
        m_head = m_tail = nullptr;
        m_count = 0;
        m_blocks.reset();
    }

    // Gives back the untouched pages of the last block, once the list has
    // stopped growing (it may still grow: see CBulkBlock::ReleaseUnused).
    void ReleaseSpare() {
        if (m_blocks && !m_blocks->held.empty())
            CBulkBlock::ReleaseUnused(m_blocks->held.back().get(), m_blocks->capacity,
                                      m_blocks->used);
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
    struct Slot {
        alignas(T) std::byte bytes[sizeof(T)];
    };
    // Blocks grow to a huge page, starting small: most lists hold a few
    // records, and a sheet's cell lists hold hundreds of thousands.
    static constexpr std::size_t kFirstBlockSlots = 8;
    static constexpr std::size_t LargestBlockSlots() {
        return std::max<std::size_t>(kFirstBlockSlots, CBulkBlock::kHugePage / sizeof(Slot));
    }

    static void Destroy(T* item) {
        if (item->m_inBlock)
            item->~T();
        else
            delete item;
    }

    // The blocks, made with the first Emplace: a list that never emplaces
    // (each rich shared string holds one for its runs) stays three words.
    struct Blocks {
        std::vector<CBulkBlock::Ptr<Slot>> held;
        std::size_t capacity = 0;  // slots of the last block
        std::size_t used = 0;      // of the last block
    };

    void* NextSlot() {
        if (!m_blocks) m_blocks = std::make_unique<Blocks>();
        Blocks& blocks = *m_blocks;
        if (blocks.held.empty() || blocks.used == blocks.capacity) {
            blocks.capacity = blocks.held.empty()
                                  ? kFirstBlockSlots
                                  : std::min(2 * blocks.capacity, LargestBlockSlots());
            blocks.held.push_back(CBulkBlock::Make<Slot>(blocks.capacity));
            blocks.used = 0;
        }
        return blocks.held.back()[blocks.used++].bytes;
    }

    T* m_head = nullptr;
    T* m_tail = nullptr;
    std::uint32_t m_count = 0;
    std::unique_ptr<Blocks> m_blocks;
};
