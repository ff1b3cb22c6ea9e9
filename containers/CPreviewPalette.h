// The colours the preview draws for BIFF8 colour indices: 0-7 are the eight
// fixed colours; 8-63 are the default palette, each changed by the
// workbook's PALETTE record where it gives that colour; every other index
// (64 and 65, the system's window text and background, among them) has no
// colour of its own here and is left to the caller.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

class CExcelRecordPALETTE;

class CPreviewPalette {
public:
    // The default palette.
    CPreviewPalette() = default;
    // The default palette changed by record's colours (null: none). A count
    // larger than the record's body takes the colours the body holds.
    explicit CPreviewPalette(const CExcelRecordPALETTE* record);

    // The colour of index as 0xRRGGBB, or nothing.
    std::optional<std::uint32_t> Color(std::uint32_t index) const;

private:
    static constexpr std::uint32_t kFirstIndex = 8;
    static constexpr std::uint32_t kColors = 56;
    std::array<std::optional<std::uint32_t>, kColors> m_custom{};
};
