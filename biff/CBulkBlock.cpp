#include "biff/CBulkBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

// A list's largest blocks fall a few bytes short of a huge page (2 MiB is
// rarely a whole number of its slots): they are huge blocks too.
constexpr std::size_t kSmallestHuge = CBulkBlock::kHugePage - CBulkBlock::kHugePage / 16;

}  // namespace

void* CBulkBlock::Allocate(std::size_t bytes) {
    if (bytes == 0) bytes = 1;
    if (bytes < kSmallestHuge) {
        if (void* block = std::malloc(bytes)) return block;
        throw std::bad_alloc();
    }
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (rounded < bytes) throw std::bad_alloc();
    void* block = std::aligned_alloc(kHugePage, rounded);
    if (block == nullptr) throw std::bad_alloc();
    // Only advice: without huge pages the block works as any other.
    ::madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

void CBulkBlock::ReleaseTail(void* block, std::size_t bytes, std::size_t used) {
    // Small blocks are the heap's, and only touched pages of them count.
    if (block == nullptr || bytes < kSmallestHuge || used >= bytes) return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t from = (start + used + page - 1) / page * page;
    // The block was rounded up to whole huge pages, all of them its own.
    const std::uintptr_t end = start + (bytes + kHugePage - 1) / kHugePage * kHugePage;
    if (from < end) ::madvise(reinterpret_cast<void*>(from), end - from, MADV_DONTNEED);
}

void CBulkBlock::Deleter::operator()(void* block) const noexcept {
    std::free(block);
}
