// The named styles of a workbook: each a name, the cell format its cells
// start from, and which attribute groups it sets when put on a cell (the
// Include* members of the object model). A new workbook has the six
// built-in styles the spreadsheet writes, at positions 0-5: Normal, Comma,
// Comma [0], Currency, Currency [0] and Percent. Styles are never removed,
// so a position stays valid for the workbook's life.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "server/CXlsCellFormat.h"

class CXlsStyles {
public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
    // The writer's XF limit leaves room for far fewer; the cap keeps a
    // runaway caller from growing the list without end.
    static constexpr std::size_t kMaxStyles = 1000;
    static constexpr std::size_t kMaxNameLength = 255;
    static constexpr std::uint8_t kNotBuiltIn = 0xFF;
    static constexpr std::size_t kBuiltinCount = 6;  // positions 0-5

    struct Style {
        std::u16string name;
        std::uint8_t builtinId = kNotBuiltIn;  // the STYLE record's built-in style id
        std::uint8_t included = CXlsCellFormat::kAllGroups;
        CXlsCellFormat format;  // its style and own groups are not used
    };

    CXlsStyles();

    std::size_t Count() const { return m_styles.size(); }
    const Style& At(std::size_t position) const { return m_styles[position]; }
    Style& At(std::size_t position) { return m_styles[position]; }
    // The position of a style by name, ignoring case; kNotFound.
    std::size_t Find(std::u16string_view name) const;
    // Adds a style that starts as Normal's format and sets every group; a
    // name the spreadsheet gives a built-in style keeps its built-in id.
    // kNotFound when the name is empty, too long or taken, or the list is full.
    std::size_t Add(std::u16string_view name);

    // The built-in style id of a name (Normal 0, Comma 3, Currency 4,
    // Percent 5, Comma [0] 6, Currency [0] 7, Hyperlink 8, Followed
    // Hyperlink 9), else kNotBuiltIn; and the name of an id, else empty.
    static std::uint8_t BuiltinId(std::u16string_view name);
    static std::u16string_view BuiltinName(std::uint8_t id);

    // The format a cell in style `position` takes when the style is put on
    // it: the style's values for the groups it sets, the cell's own for the
    // others, which stay its own groups.
    CXlsCellFormat Applied(const CXlsCellFormat& cell, std::uint16_t position) const;

private:
    std::vector<Style> m_styles;
};
