// One entry of the shared-string table: the whole text of the string (all
// of its pieces, whatever their width), its rich-text runs in file order
// and where its extension block lies.
//
// An entry is small and holds no heap block of its own for a plain string:
// in a CExcelSSTDataList its text lies in the table's text store and the
// entry only points at it. An entry made on its own (SetText) keeps its
// text beside its runs, in the one block it allocates for them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "biff/CTList.h"
#include "records/CFormatingRuns.h"

class CExcelSSTData {
public:
    // A string holds at most this many characters: the SST stores its
    // character count in 16 bits.
    static constexpr std::uint32_t kMaxChars = 0xFFFF;

    CExcelSSTData() = default;
    // Deep copy: the copy keeps its own text and its own runs.
    CExcelSSTData(const CExcelSSTData& other);
    CExcelSSTData& operator=(const CExcelSSTData&) = delete;
    // Leaves other empty.
    CExcelSSTData(CExcelSSTData&& other) noexcept;
    CExcelSSTData& operator=(CExcelSSTData&&) = delete;
    ~CExcelSSTData() = default;

    // Option flags of the string: rich-text runs (bit 3) and far-east
    // extension block (bit 2).
    bool IsRich() const { return m_rich; }
    bool IsExtended() const { return m_extended; }

    // Valid while the entry lives and, for an entry of a table, while the
    // table does.
    std::u16string_view GetText() const { return {m_text, m_length}; }
    // Offset of the string's extension block (just after its runs) in the
    // SST record counted from its 4-byte header, as if every character were
    // 16-bit and the option bytes at CONTINUE boundaries inside characters
    // were absent.
    std::uint32_t GetExtensionOffset() const { return m_extensionOffset; }
    // Empty for a plain string.
    const CTList<CFormatingRuns>& GetRuns() const;

    void SetFlags(bool rich, bool extended) {
        m_rich = rich;
        m_extended = extended;
    }
    // The entry keeps its own copy of the first kMaxChars characters.
    void SetText(std::u16string_view text);
    void SetExtensionOffset(std::uint32_t offset) { m_extensionOffset = offset; }
    // Takes ownership of run.
    void AddRun(CFormatingRuns* run);

private:
    friend class CExcelSSTDataList;

    // Made only for a rich string or an entry outside a table.
    struct Extra {
        CTList<CFormatingRuns> runs;
        std::u16string ownText;
    };
    Extra& GetExtra();

    const char16_t* m_text = nullptr;
    std::unique_ptr<Extra> m_extra;
    std::uint32_t m_extensionOffset = 0;
    std::uint16_t m_length = 0;
    bool m_rich : 1 = false;
    bool m_extended : 1 = false;
    // An index of the table whose string was lost: never handed out.
    bool m_lost : 1 = false;
};
