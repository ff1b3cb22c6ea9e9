#include "server/CXlsAlignment.h"

bool CXlsAlignment::SetHorizontal(int horizontal) {
    if (horizontal < 0 || horizontal > kLastHorizontal) return false;
    m_horizontal = static_cast<std::uint8_t>(horizontal);
    return true;
}

bool CXlsAlignment::SetVertical(int vertical) {
    if (vertical < 0 || vertical > kLastVertical) return false;
    m_vertical = static_cast<std::uint8_t>(vertical);
    return true;
}

bool CXlsAlignment::SetRotation(int rotation) {
    if (rotation != kRotationStacked && (rotation < 0 || rotation > kLastRotationDegrees)) {
        return false;
    }
    m_rotation = static_cast<std::uint8_t>(rotation);
    return true;
}

bool CXlsAlignment::SetIndent(int indent) {
    if (indent < 0 || indent > kLastIndent) return false;
    m_indent = static_cast<std::uint8_t>(indent);
    return true;
}
