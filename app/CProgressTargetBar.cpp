#include "app/CProgressTargetBar.h"

#include <algorithm>

#include "platform/ProgressTarget.h"

CProgressTargetBar::CProgressTargetBar(QWidget* parent) : QProgressBar(parent) {
    setRange(0, kSteps);
    setValue(0);
}

void CProgressTargetBar::Show(const ProgressTarget& target) {
    const ProgressTarget::Range range = target.GetRange();
    ShowPosition(range.lower, range.upper, target.GetPosition());
}

void CProgressTargetBar::ShowPosition(std::uint32_t lower, std::uint32_t upper,
                                      std::uint32_t position) {
    if (upper <= lower) {
        setValue(0);
        return;
    }
    // The worker may move past the end of a range it set before counting
    // exactly (or not have reached its start yet): clamp instead of drawing
    // a bar outside the widget.
    const std::uint64_t clamped = std::min(std::max(position, lower), upper);
    const std::uint64_t done = clamped - lower;
    const std::uint64_t width = static_cast<std::uint64_t>(upper) - lower;
    setValue(static_cast<int>(done * kSteps / width));
}
