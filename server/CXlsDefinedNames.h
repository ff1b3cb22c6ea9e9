// The defined names of a workbook, in the order they were first added: a
// name's position in this table is what ptgName tokens refer to (1-based),
// so a name keeps its position for good. Names compare without regard to
// case; within one scope (the workbook, or one sheet) a text names one
// entry, and setting a name that exists in that scope replaces its flags
// and formula in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "server/CXlsDefinedName.h"

class CXlsDefinedNames {
public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
    // A name's characters: the NAME record counts them in one byte.
    static constexpr std::size_t kMaxTextLength = 255;
    // ptgName tokens carry the position in 16 bits.
    static constexpr std::size_t kMaxNames = 0xFFFF;

    // Whether a text can be stored as a name: 1 to 255 characters, and not
    // one that reads as a cell reference in either notation (B3, $B$3, A:C,
    // R1C1, RC, R[1]C[-1]). Everything else a file can hold is taken:
    // non-ASCII letters, "\", "?", even blanks.
    static bool IsStorableText(std::u16string_view text);

    // The position of the name with this text in this scope; kNotFound.
    std::size_t Find(std::u16string_view text, std::uint32_t scopeSheetId) const;
    // The name a bare text means in a formula of the sheet `ownSheetId`
    // (kWorkbookScope for none): that sheet's own name, else the workbook's.
    std::size_t Resolve(std::u16string_view text, std::uint32_t ownSheetId) const;

    // Adds the name, or replaces the flags and formula of the one with its
    // text in its scope (the text keeps the spelling first given). A
    // built-in name's English text gets its code. The name's position, or
    // kNotFound, with the table unchanged, when the text is not storable,
    // the table is full, or the NAME record would outgrow one record.
    std::size_t Set(CXlsDefinedName name);
    // Replaces a name's formula; false, unchanged, when it would not fit.
    bool SetFormula(std::size_t position, CXlsFormulaTokens formula);
    void SetHidden(std::size_t position, bool hidden) { m_names[position].hidden = hidden; }

    std::size_t Count() const { return m_names.size(); }
    const CXlsDefinedName& At(std::size_t position) const { return m_names[position]; }
    const std::vector<CXlsDefinedName>& Entries() const { return m_names; }

    // The NAME record's body size for a name; the writer's layout.
    static std::size_t RecordBodySize(const CXlsDefinedName& name);

private:
    std::vector<CXlsDefinedName> m_names;
};
