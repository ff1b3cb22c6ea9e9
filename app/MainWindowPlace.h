// The frame the main window opens with. A stored place that still shows on
// one of the screens comes back, shrunk to that screen's free area and
// moved fully onto it; otherwise (nothing stored, or the screen it was on is
// gone) the window takes two thirds of the primary screen's free area,
// centred on it.
#pragma once

#include <QList>
#include <QRect>
#include <optional>

#include "platform/WindowPlace.h"

// screens: the free areas of all screens; primary: the one to use when the
// stored place shows on none. Sizes never drop below kMinimumWindowSize.
QRect ChooseWindowFrame(const std::optional<WindowPlace>& stored, const QRect& primary,
                        const QList<QRect>& screens);

inline constexpr QSize kMinimumWindowSize{640, 480};
