// Large blocks for the model's record lists and string tables. A large
// workbook's cells fill tens of megabytes of them; faulted in 4 KiB at a
// time they cost the repair a fifth of its time in the kernel. Blocks of at
// least a huge page are aligned to one and advised as such, so the kernel
// backs them with huge pages where it offers them; smaller blocks are plain
// heap blocks.
#pragma once

#include <cstddef>
#include <memory>

class CBulkBlock {
public:
    static constexpr std::size_t kHugePage = std::size_t{2} << 20;

    struct Deleter {
        void operator()(void* block) const noexcept;
    };
    template <class T>
    using Ptr = std::unique_ptr<T[], Deleter>;

    // Uninitialised room for count objects of T (trivially constructible
    // storage); throws std::bad_alloc when there is none.
    template <class T>
    static Ptr<T> Make(std::size_t count) {
        return Ptr<T>(static_cast<T*>(Allocate(count * sizeof(T))));
    }

    // Gives the pages of a block made for count objects of T back to the
    // system from the first after its used objects on. A huge page is wholly
    // in memory from its first touch, so a list's last block would keep up
    // to 2 MiB it never fills. The block stays usable: a page given back
    // reads as zeros when touched again.
    template <class T>
    static void ReleaseUnused(T* block, std::size_t count, std::size_t used) {
        ReleaseTail(block, count * sizeof(T), used * sizeof(T));
    }

private:
    static void* Allocate(std::size_t bytes);
    static void ReleaseTail(void* block, std::size_t bytes, std::size_t used);
};
