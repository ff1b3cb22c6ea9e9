// A progress bar that shows a ProgressTarget driven by a worker. The
// target's 32-bit range is mapped onto 0..kSteps, so ranges wider than an
// int (a save counts records, a scan counts bytes) still draw. The screens
// call Show from their timers; the bar never reads the target on its own.
#pragma once
#include <QProgressBar>
#include <cstdint>

class ProgressTarget;

class CProgressTargetBar : public QProgressBar {
    Q_OBJECT
public:
    static constexpr int kSteps = 1000;

    explicit CProgressTargetBar(QWidget* parent = nullptr);

    // Moves the bar to the target's position within the target's range.
    void Show(const ProgressTarget& target);
    // Moves the bar to position within [lower, upper]; a position outside is
    // clamped and an empty or reversed range shows an empty bar.
    void ShowPosition(std::uint32_t lower, std::uint32_t upper, std::uint32_t position);
};
