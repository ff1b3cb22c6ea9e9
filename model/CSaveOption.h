// Which kinds of content a save writes: one 32-bit mask. A new option holds
// 0; the parsed workbook and the job data set 255 (everything).
#pragma once

#include <cstdint>

class CSaveOption {
public:
    // Bits of the mask.
    enum EBit : std::uint32_t {
        Numbers = 1,
        Formulas = 2,
        BooleansAndErrors = 4,
        Texts = 8,
        BlankCellFormats = 16,  // always set by the screens
        MergedRanges = 32,
        ColumnInformation = 64,
        RowInformation = 128,
        All = 255
    };

    CSaveOption() = default;
    explicit CSaveOption(std::uint32_t mask) : m_mask(mask) {}
    virtual ~CSaveOption() = default;
    CSaveOption(const CSaveOption&) = default;
    CSaveOption& operator=(const CSaveOption&) = default;

    // ORs bits in.
    void Set(std::uint32_t bits) { m_mask |= bits; }
    // Clears bits.
    void Clear(std::uint32_t bits) { m_mask &= ~bits; }
    // True when any of the given bits is set.
    bool IsSet(std::uint32_t bits) const { return (m_mask & bits) != 0; }
    std::uint32_t Get() const { return m_mask; }

private:
    std::uint32_t m_mask = 0;
};
