#include "save/CSaveFileMover.h"

bool CSaveFileMover::MoveIntoPlace(const std::filesystem::path& temp,
                                   const std::filesystem::path& destination) {
    (void)temp;
    (void)destination;
    return false;
}
