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

private:
    static void* Allocate(std::size_t bytes);
};
