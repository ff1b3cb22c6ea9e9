#include "biff/CTList.h"

#include <gtest/gtest.h>

namespace {

struct Item : CTListNode<Item> {
    explicit Item(int v, int* destroyed = nullptr) : value(v), destroyedCount(destroyed) {}
    virtual ~Item() {
        if (destroyedCount) ++*destroyedCount;
    }
    int value;
    int* destroyedCount;
};

}  // namespace

TEST(CTList, AppendsInOrderAndOwnsItsElements) {
    int destroyed = 0;
    {
        CTList<Item> list;
        for (int i = 0; i < 3; ++i) list.Add(new Item(i, &destroyed));
        EXPECT_EQ(list.GetCount(), 3u);
        EXPECT_EQ(list.GetHead()->value, 0);
        EXPECT_EQ(list.GetTail()->value, 2);
        EXPECT_EQ(list.GetAt(1)->value, 1);
        EXPECT_EQ(list.GetAt(3), nullptr);
        int expected = 0;
        for (const Item& item : list) EXPECT_EQ(item.value, expected++);
    }
    EXPECT_EQ(destroyed, 3);
}

TEST(CTList, RemoveKeepsHeadAndTailRight) {
    CTList<Item> list;
    Item* first = new Item(1);
    Item* last = new Item(2);
    list.Add(first);
    list.Add(last);
    list.Remove(last);
    EXPECT_EQ(list.GetTail(), first);
    list.Add(new Item(3));
    EXPECT_EQ(list.GetTail()->value, 3);
    list.Remove(first);
    EXPECT_EQ(list.GetHead()->value, 3);
    EXPECT_EQ(list.GetCount(), 1u);
}

TEST(CTList, DestroysVeryLongListsWithoutRecursion) {
    CTList<Item> list;
    for (int i = 0; i < 1'000'000; ++i) list.Add(new Item(i));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.GetHead(), nullptr);
}

// Emplaced elements fill blocks that grow to a huge page each; elements
// added from the heap sit among them in the same order.
TEST(CTList, EmplacedElementsSpanHugePageBlocksAndAreEachDestroyedOnce) {
    constexpr int kCount = 400'000;  // past several blocks of a huge page
    int destroyed = 0;
    {
        CTList<Item> list;
        for (int i = 0; i < kCount; ++i) {
            if (i % 100'000 == 0)
                list.Add(new Item(i, &destroyed));
            else
                list.Emplace(i, &destroyed);
        }
        EXPECT_EQ(list.GetCount(), static_cast<std::size_t>(kCount));
        int expected = 0;
        for (const Item& item : list) {
            if (item.value != expected) break;
            ++expected;
        }
        EXPECT_EQ(expected, kCount);
    }
    EXPECT_EQ(destroyed, kCount);
}
