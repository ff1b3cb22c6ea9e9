// Marks what the booklift shared library exports. The library is built with
// hidden visibility; only names carrying BOOKLIFT_API are visible to the
// program that loads it.
#pragma once

#define BOOKLIFT_API __attribute__((visibility("default")))
