// One entry of the shared-string table: the whole text of the string (all
// of its pieces, whatever their width), its rich-text runs in file order
// and where its extension block lies.
#pragma once

#include <cstdint>
#include <string>

#include "biff/CTList.h"
#include "records/CFormatingRuns.h"

class CExcelSSTData : public CTListNode<CExcelSSTData> {
public:
    CExcelSSTData() = default;
    // Deep copy: text and every run (not the list link).
    CExcelSSTData(const CExcelSSTData& other);
    CExcelSSTData& operator=(const CExcelSSTData&) = delete;
    virtual ~CExcelSSTData() = default;

    // Option flags of the string: rich-text runs (bit 3) and far-east
    // extension block (bit 2).
    bool IsRich() const { return m_rich; }
    bool IsExtended() const { return m_extended; }

    const std::u16string& GetText() const { return m_text; }
    // Offset of the string's extension block (just after its runs) in the
    // SST record counted from its 4-byte header, as if every character were
    // 16-bit and the option bytes at CONTINUE boundaries inside characters
    // were absent.
    std::uint32_t GetExtensionOffset() const { return m_extensionOffset; }
    const CTList<CFormatingRuns>& GetRuns() const { return m_runs; }

    void SetFlags(bool rich, bool extended) {
        m_rich = rich;
        m_extended = extended;
    }
    void SetText(std::u16string text) { m_text = std::move(text); }
    void SetExtensionOffset(std::uint32_t offset) { m_extensionOffset = offset; }
    // Takes ownership of run.
    void AddRun(CFormatingRuns* run) { m_runs.Add(run); }

private:
    bool m_rich = false;
    bool m_extended = false;
    std::u16string m_text;
    std::uint32_t m_extensionOffset = 0;
    CTList<CFormatingRuns> m_runs;
};
