#include "save/CSaveColorIndex.h"

std::int16_t CSaveColorIndex::MapFill(std::uint32_t biffIndex) {
    (void)biffIndex;
    return 0;
}

std::int16_t CSaveColorIndex::MapLine(std::uint32_t biffIndex) {
    (void)biffIndex;
    return 0;
}
