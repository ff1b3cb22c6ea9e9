// Range.HorizontalAlignment, VerticalAlignment and Orientation as the
// object model numbers them (xlHAlignCenter, xlVAlignTop, degrees and
// xlVertical, ...) against the XF record's alignment numbers and rotation
// byte (CXlsAlignment).
#pragma once

#include <cstdint>

class CXlsAlignmentStyle {
public:
    // Each ToFile gives false for a number that is no such style.
    static bool HorizontalToFile(std::int32_t style, std::uint8_t& value);
    static std::int32_t HorizontalToStyle(std::uint8_t value);
    static bool VerticalToFile(std::int32_t style, std::uint8_t& value);
    static std::int32_t VerticalToStyle(std::uint8_t value);
    // Degrees -90 to 90 (counter-clockwise positive), xlHorizontal,
    // xlUpward, xlDownward or xlVertical (stacked letters, rotation 255).
    static bool OrientationToRotation(std::int32_t orientation, std::uint8_t& rotation);
    // Degrees, or xlVertical for stacked letters.
    static std::int32_t RotationToOrientation(std::uint8_t rotation);
};
