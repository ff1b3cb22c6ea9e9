#include "biff/CBulkBlock.h"

#include <sys/mman.h>

#include <cstdlib>
#include <new>

void* CBulkBlock::Allocate(std::size_t bytes) {
    if (bytes == 0) bytes = 1;
    if (bytes < kHugePage) {
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

void CBulkBlock::Deleter::operator()(void* block) const noexcept {
    std::free(block);
}
