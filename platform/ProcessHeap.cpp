#include "platform/ProcessHeap.h"

#include <cstdlib>  // defines __GLIBC__ on the C library it names

#ifdef __GLIBC__
#include <malloc.h>
#endif

void KeepLargeBlocksApart() {
#ifdef __GLIBC__
    // Setting the bound also stops the library from moving it.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}
