// The font of a cell as the object model sets it: name, size, bold, italic,
// underline, strikethrough, super- or subscript and colour. A plain value; setters refuse what the
// spreadsheet refuses and leave the font unchanged.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "server/CXlsColorIndex.h"

class CXlsFont {
public:
    // Underline kinds, as the FONT record stores them.
    static constexpr std::uint8_t kUnderlineNone = 0x00;
    static constexpr std::uint8_t kUnderlineSingle = 0x01;
    static constexpr std::uint8_t kUnderlineDouble = 0x02;
    static constexpr std::uint8_t kUnderlineSingleAccounting = 0x21;
    static constexpr std::uint8_t kUnderlineDoubleAccounting = 0x22;
    // Escapement, as the FONT record stores it.
    static constexpr std::uint8_t kEscapementNone = 0;
    static constexpr std::uint8_t kEscapementSuperscript = 1;
    static constexpr std::uint8_t kEscapementSubscript = 2;
    static constexpr std::size_t kMaxNameLength = 255;  // the FONT record's 1-byte count

    // The workbook's default font: Arial, 10 points, automatic colour.
    CXlsFont() = default;

    const std::u16string& Name() const { return m_name; }
    // 1 to 255 characters.
    bool SetName(std::u16string_view name);

    // Size in points; stored in twips (1/20 point), so it reads back rounded
    // to 0.05 point.
    double Size() const { return m_heightTwips / 20.0; }
    std::uint16_t HeightTwips() const { return m_heightTwips; }
    // 1 to 409 points.
    bool SetSize(double points);

    bool Bold() const { return m_bold; }
    void SetBold(bool bold) { m_bold = bold; }
    bool Italic() const { return m_italic; }
    void SetItalic(bool italic) { m_italic = italic; }

    bool Strikethrough() const { return m_strikethrough; }
    void SetStrikethrough(bool strikethrough) { m_strikethrough = strikethrough; }
    // One of the kEscapement* kinds; superscript and subscript exclude each
    // other, as in the record.
    std::uint8_t Escapement() const { return m_escapement; }
    bool SetEscapement(int escapement);

    std::uint8_t Underline() const { return m_underline; }
    // One of the kUnderline* kinds.
    bool SetUnderline(std::uint8_t underline);

    int ColorIndex() const { return m_colorIndex; }
    // A palette index or automatic; none is taken as automatic, since a font
    // always has a colour.
    bool SetColorIndex(int colorIndex);

    bool operator==(const CXlsFont& other) const = default;
    std::size_t Hash() const;

private:
    std::u16string m_name = u"Arial";
    std::uint16_t m_heightTwips = 200;
    bool m_bold = false;
    bool m_italic = false;
    bool m_strikethrough = false;
    std::uint8_t m_escapement = kEscapementNone;
    std::uint8_t m_underline = kUnderlineNone;
    int m_colorIndex = CXlsColorIndex::kAutomatic;
};
