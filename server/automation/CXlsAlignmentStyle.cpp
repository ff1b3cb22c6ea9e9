#include "server/automation/CXlsAlignmentStyle.h"

#include "server/CXlsAlignment.h"
#include "server/automation/XlsAutomationConstants.h"

namespace {

struct StyleValue {
    std::int32_t style;  // as the object model names it
    std::uint8_t value;  // as the XF record stores it
};

// Index = the record's value.
constexpr StyleValue kHorizontal[] = {
    {xlauto::kHAlignGeneral, 0},
    {xlauto::kHAlignLeft, 1},
    {xlauto::kHAlignCenter, 2},
    {xlauto::kHAlignRight, 3},
    {xlauto::kHAlignFill, 4},
    {xlauto::kHAlignJustify, 5},
    {xlauto::kHAlignCenterAcrossSelection, 6},
    {xlauto::kHAlignDistributed, 7},
};
constexpr StyleValue kVertical[] = {
    {xlauto::kVAlignTop, 0},     {xlauto::kVAlignCenter, 1},      {xlauto::kVAlignBottom, 2},
    {xlauto::kVAlignJustify, 3}, {xlauto::kVAlignDistributed, 4},
};

// The named orientations, in degrees.
constexpr StyleValue kNamedOrientations[] = {
    {xlauto::kOrientationHorizontal, 0},
    {xlauto::kOrientationUpward, 90},
    {xlauto::kOrientationDownward, 180},  // the record's code for 90 degrees clockwise
    {xlauto::kOrientationVertical, CXlsAlignment::kRotationStacked},
};

constexpr std::int32_t kRightAngle = 90;

template <std::size_t N>
bool ToFile(const StyleValue (&table)[N], std::int32_t style, std::uint8_t& value) {
    for (const StyleValue& entry : table) {
        if (entry.style == style) {
            value = entry.value;
            return true;
        }
    }
    return false;
}

template <std::size_t N>
std::int32_t ToStyle(const StyleValue (&table)[N], std::uint8_t value, std::int32_t fallback) {
    for (const StyleValue& entry : table) {
        if (entry.value == value) return entry.style;
    }
    return fallback;
}

}  // namespace

bool CXlsAlignmentStyle::HorizontalToFile(std::int32_t style, std::uint8_t& value) {
    return ToFile(kHorizontal, style, value);
}

std::int32_t CXlsAlignmentStyle::HorizontalToStyle(std::uint8_t value) {
    return ToStyle(kHorizontal, value, xlauto::kHAlignGeneral);
}

bool CXlsAlignmentStyle::VerticalToFile(std::int32_t style, std::uint8_t& value) {
    return ToFile(kVertical, style, value);
}

std::int32_t CXlsAlignmentStyle::VerticalToStyle(std::uint8_t value) {
    return ToStyle(kVertical, value, xlauto::kVAlignBottom);
}

bool CXlsAlignmentStyle::OrientationToRotation(std::int32_t orientation, std::uint8_t& rotation) {
    if (ToFile(kNamedOrientations, orientation, rotation)) return true;
    if (orientation < -kRightAngle || orientation > kRightAngle) return false;
    // Clockwise angles are stored after the counter-clockwise ones: -1
    // degree is 91, -90 is 180.
    rotation =
        static_cast<std::uint8_t>(orientation >= 0 ? orientation : kRightAngle - orientation);
    return true;
}

std::int32_t CXlsAlignmentStyle::RotationToOrientation(std::uint8_t rotation) {
    if (rotation == CXlsAlignment::kRotationStacked) return xlauto::kOrientationVertical;
    if (rotation <= kRightAngle) return rotation;
    if (rotation <= CXlsAlignment::kLastRotationDegrees) return kRightAngle - rotation;
    return 0;
}
