#include "app/MainWindowPlace.h"

#include <algorithm>

namespace {

// Less than a title bar's worth of a window on a screen cannot be grabbed.
constexpr int kVisibleWidth = 100;
constexpr int kVisibleHeight = 40;

// frame shrunk to fit screen and moved fully onto it.
QRect FitOnto(QRect frame, const QRect& screen) {
    frame.setWidth(std::min(frame.width(), screen.width()));
    frame.setHeight(std::min(frame.height(), screen.height()));
    frame.moveLeft(std::clamp(frame.left(), screen.left(), screen.right() - frame.width() + 1));
    frame.moveTop(std::clamp(frame.top(), screen.top(), screen.bottom() - frame.height() + 1));
    return frame;
}

QRect DefaultFrame(const QRect& screen) {
    const QSize size(std::max(screen.width() * 2 / 3, kMinimumWindowSize.width()),
                     std::max(screen.height() * 2 / 3, kMinimumWindowSize.height()));
    QRect frame(QPoint(0, 0), size);
    frame.moveCenter(screen.center());
    return FitOnto(frame, screen);
}

}  // namespace

QRect ChooseWindowFrame(const std::optional<WindowPlace>& stored, const QRect& primary,
                        const QList<QRect>& screens) {
    if (stored) {
        const QRect frame(stored->x, stored->y, stored->width, stored->height);
        const QRect* best = nullptr;
        long long bestArea = 0;
        for (const QRect& screen : screens) {
            const QRect shown = frame.intersected(screen);
            const long long area = static_cast<long long>(shown.width()) * shown.height();
            if (shown.width() >= kVisibleWidth && shown.height() >= kVisibleHeight &&
                area > bestArea) {
                best = &screen;
                bestArea = area;
            }
        }
        if (best != nullptr) return FitOnto(frame, *best);
    }
    return DefaultFrame(primary);
}
