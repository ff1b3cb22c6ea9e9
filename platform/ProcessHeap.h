// How the process's heap treats large blocks, set once at start-up.
#pragma once

// Blocks of 128 KiB and more get pages of their own, given back when freed.
// Left to itself, the C library raises that bound to the size of the
// largest such block freed (the shared strings of a large workbook); after
// that, a model the repair builds and drops (the raw scan's, beside the one
// from the rebuilt stream) stays in the heap, and the peak doubles.
void KeepLargeBlocksApart();
