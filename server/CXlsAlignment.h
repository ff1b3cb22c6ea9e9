// The alignment of a cell as the XF record stores it: horizontal and
// vertical alignment, wrap, rotation, indent and shrink-to-fit. A plain
// value holding the file's own numbers; setters refuse what the record
// cannot hold and leave the alignment unchanged.
//
// Horizontal: 0 general, 1 left, 2 centre, 3 right, 4 fill, 5 justify,
// 6 centre across selection, 7 distributed. Vertical: 0 top, 1 centre,
// 2 bottom, 3 justify, 4 distributed. Rotation: 0-90 degrees counter-
// clockwise, 91-180 are 1-90 degrees clockwise, 255 letters stacked
// vertically.
#pragma once

#include <cstddef>
#include <cstdint>

class CXlsAlignment {
public:
    static constexpr std::uint8_t kHorizontalGeneral = 0;
    static constexpr std::uint8_t kLastHorizontal = 7;
    static constexpr std::uint8_t kVerticalBottom = 2;
    static constexpr std::uint8_t kLastVertical = 4;
    static constexpr std::uint8_t kLastRotationDegrees = 180;
    static constexpr std::uint8_t kRotationStacked = 255;
    static constexpr std::uint8_t kLastIndent = 15;

    // General, bottom, no wrap, not rotated, no indent, no shrinking.
    CXlsAlignment() = default;

    std::uint8_t Horizontal() const { return m_horizontal; }
    bool SetHorizontal(int horizontal);
    std::uint8_t Vertical() const { return m_vertical; }
    bool SetVertical(int vertical);
    bool Wrap() const { return m_wrap; }
    void SetWrap(bool wrap) { m_wrap = wrap; }
    // The record's rotation byte: 0-180 or 255.
    std::uint8_t Rotation() const { return m_rotation; }
    bool SetRotation(int rotation);
    std::uint8_t Indent() const { return m_indent; }
    // 0 to 15 characters.
    bool SetIndent(int indent);
    bool ShrinkToFit() const { return m_shrink; }
    void SetShrinkToFit(bool shrink) { m_shrink = shrink; }

    bool operator==(const CXlsAlignment& other) const = default;
    std::size_t Hash() const {
        return static_cast<std::size_t>(m_horizontal) |
               (static_cast<std::size_t>(m_vertical) << 3) |
               (static_cast<std::size_t>(m_wrap) << 6) |
               (static_cast<std::size_t>(m_rotation) << 7) |
               (static_cast<std::size_t>(m_indent) << 15) |
               (static_cast<std::size_t>(m_shrink) << 19);
    }

private:
    std::uint8_t m_horizontal = kHorizontalGeneral;
    std::uint8_t m_vertical = kVerticalBottom;
    bool m_wrap = false;
    std::uint8_t m_rotation = 0;
    std::uint8_t m_indent = 0;
    bool m_shrink = false;
};
