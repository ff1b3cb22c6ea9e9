// Everything that formats one cell: the number format text, the font, the
// fill, the border lines, the alignment and the protection. A plain value; the workbook keeps each
// distinct one once (CXlsFormatPool) and cells refer to it by id.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "server/CXlsAlignment.h"
#include "server/CXlsBorders.h"
#include "server/CXlsFont.h"
#include "server/CXlsInterior.h"

class CXlsCellFormat {
public:
    static constexpr std::size_t kMaxNumberFormatLength = 255;

    // "General", the default font, no fill, no lines, general / bottom
    // alignment, locked and formula shown.
    CXlsCellFormat() = default;

    const std::u16string& NumberFormat() const { return m_numberFormat; }
    // Up to 255 characters; an empty text means "General".
    bool SetNumberFormat(std::u16string_view text);

    const CXlsFont& Font() const { return m_font; }
    CXlsFont& Font() { return m_font; }
    const CXlsInterior& Interior() const { return m_interior; }
    CXlsInterior& Interior() { return m_interior; }
    const CXlsBorders& Borders() const { return m_borders; }
    CXlsBorders& Borders() { return m_borders; }
    const CXlsAlignment& Alignment() const { return m_alignment; }
    CXlsAlignment& Alignment() { return m_alignment; }

    // Protection, in effect once the sheet is protected.
    bool Locked() const { return m_locked; }
    void SetLocked(bool locked) { m_locked = locked; }
    bool FormulaHidden() const { return m_formulaHidden; }
    void SetFormulaHidden(bool hidden) { m_formulaHidden = hidden; }

    bool operator==(const CXlsCellFormat& other) const = default;
    std::size_t Hash() const;

private:
    std::u16string m_numberFormat = u"General";
    CXlsFont m_font;
    CXlsInterior m_interior;
    CXlsBorders m_borders;
    CXlsAlignment m_alignment;
    bool m_locked = true;
    bool m_formulaHidden = false;
};
