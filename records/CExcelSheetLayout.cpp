#include "records/CExcelSheetLayout.h"

#include <algorithm>
#include <limits>

#include "biff/BiffRecordIds.h"
#include "biff/CByteBuffer.h"
#include "biff/IExcelStreamReader.h"

namespace {

// Fixed fields each record must hold. WINDOW2: flags, first row, first
// column (a chart sheet's WINDOW2 has only 10 bytes; the gridline colour and
// zooms after them are not taken). PANE: x, y, first row, first column, the
// active pane (u8, padded to 10). SCL: numerator, denominator.
// DEFAULTROWHEIGHT: flags, twips. SELECTION: pane u8, active row u16,
// active column u16, active range index u16, range count u16, then ranges
// of 6 bytes. SHEETEXT: future-record header (record type u16, flags u16, 8
// reserved bytes), its own size u32 (20, or 40 when a theme colour block
// follows), then u32 whose low 7 bits are the tab colour; only that short
// form is read, and its colour is the one that counts in either form.
constexpr std::uint32_t kSelectionFixed = 9;
constexpr std::uint32_t kSelectionRange = 6;
constexpr std::uint32_t kWindow2GridlineColorEnd = 8;
constexpr std::uint32_t kSheetExtSize = 20;
constexpr std::uint32_t kSheetExtLongSize = 40;
constexpr std::uint32_t kSheetExtOwnSize = 12;  // offset of the record's own size
constexpr std::uint32_t kSheetExtColor = 16;    // offset of the colour field
// A sound record body is never longer; only that much of a larger declared
// size is read.
constexpr std::uint32_t kMaxPayload = biff::kMaxBodyLength;

std::uint16_t U16(const std::uint8_t* payload, std::uint32_t at) {
    return CDataReader::GetU16(payload + at);
}

}  // namespace

// Sorted by type.
const CExcelSheetLayout::Entry CExcelSheetLayout::kEntries[] = {
    {biff::kSELECTION, kSelectionFixed, &CExcelSheetLayout::DecodeSelection},
    {biff::kPANE, 9, &CExcelSheetLayout::DecodePane},
    {biff::kDEFCOLWIDTH, 2, &CExcelSheetLayout::DecodeDefColWidth},
    {biff::kSTANDARDWIDTH, 2, &CExcelSheetLayout::DecodeStandardWidth},
    {biff::kSCL, 4, &CExcelSheetLayout::DecodeScl},
    {biff::kDEFAULTROWHEIGHT, 4, &CExcelSheetLayout::DecodeDefaultRowHeight},
    {biff::kWINDOW2, 6, &CExcelSheetLayout::DecodeWindow2},
    {biff::kSHEETEXT, kSheetExtSize, &CExcelSheetLayout::DecodeSheetExt},
};

const CExcelSheetLayout::Entry* CExcelSheetLayout::Find(std::uint16_t type) {
    for (const Entry& entry : kEntries) {
        if (entry.type == type) return &entry;
    }
    return nullptr;
}

bool CExcelSheetLayout::Takes(std::uint16_t type) {
    return Find(type) != nullptr;
}

bool CExcelSheetLayout::Decode(std::uint16_t type, IExcelStreamReader& reader, std::uint32_t size,
                               std::uint32_t position) {
    const Entry* entry = Find(type);
    if (entry == nullptr) return false;
    const std::uint32_t take = std::min(size, kMaxPayload);
    std::uint8_t payload[kMaxPayload];
    const std::uint64_t at = static_cast<std::uint64_t>(position) + biff::kRecordHeaderSize;
    if (take < entry->minSize || at > std::numeric_limits<std::uint32_t>::max() ||
        !reader.Read(take, static_cast<std::uint32_t>(at), payload) ||
        !(this->*entry->decode)(payload, take)) {
        ++m_dropped;
        return false;
    }
    return true;
}

bool CExcelSheetLayout::DecodeDefColWidth(const std::uint8_t* payload, std::uint32_t) {
    m_defColWidth = U16(payload, 0);
    m_hasDefColWidth = true;
    return true;
}

bool CExcelSheetLayout::DecodeStandardWidth(const std::uint8_t* payload, std::uint32_t) {
    m_standardWidth = U16(payload, 0);
    m_hasStandardWidth = true;
    return true;
}

bool CExcelSheetLayout::DecodeDefaultRowHeight(const std::uint8_t* payload, std::uint32_t) {
    m_defaultRowHeight = U16(payload, 2);
    m_hasDefaultRowHeight = true;
    return true;
}

bool CExcelSheetLayout::DecodeWindow2(const std::uint8_t* payload, std::uint32_t size) {
    m_window = Window{U16(payload, 0), U16(payload, 2), U16(payload, 4)};
    if (size >= kWindow2GridlineColorEnd) {
        m_window.hasGridlineColor = true;
        m_window.gridlineColor = U16(payload, 6);
    }
    m_hasWindow = true;
    return true;
}

bool CExcelSheetLayout::DecodePane(const std::uint8_t* payload, std::uint32_t) {
    m_pane = Pane{U16(payload, 0), U16(payload, 2), U16(payload, 4), U16(payload, 6),
                  static_cast<std::uint8_t>(payload[8] & 3)};
    m_hasPane = true;
    return true;
}

bool CExcelSheetLayout::DecodeScl(const std::uint8_t* payload, std::uint32_t) {
    const std::uint32_t numerator = U16(payload, 0);
    const std::uint32_t denominator = U16(payload, 2);
    if (denominator == 0) return false;
    const std::uint32_t zoom = (numerator * 100u + denominator / 2) / denominator;
    if (zoom < kMinZoom || zoom > kMaxZoom) return false;
    m_zoom = static_cast<std::uint16_t>(zoom);
    m_hasZoom = true;
    return true;
}

bool CExcelSheetLayout::DecodeSelection(const std::uint8_t* payload, std::uint32_t size) {
    if (size < kSelectionFixed) return false;
    const std::uint8_t pane = payload[0];
    if (pane >= kPanes) return false;
    Selection selection;
    selection.activeRow = U16(payload, 1);
    selection.activeColumn = U16(payload, 3);
    const std::uint32_t index = U16(payload, 5);
    const std::uint32_t count = U16(payload, 7);
    // The ranges the record really holds, whatever its count says.
    const std::uint32_t held = std::min(count, (size - kSelectionFixed) / kSelectionRange);
    const std::uint32_t pick = index < held ? index : 0;
    if (held > 0) {
        const std::uint8_t* range = payload + kSelectionFixed + pick * kSelectionRange;
        selection.firstRow = U16(range, 0);
        selection.lastRow = U16(range, 2);
        selection.firstColumn = range[4];
        selection.lastColumn = range[5];
    } else {
        selection.firstRow = selection.lastRow = selection.activeRow;
        selection.firstColumn = selection.lastColumn =
            static_cast<std::uint8_t>(std::min<std::uint16_t>(selection.activeColumn, 0xFF));
    }
    m_selections[pane] = selection;
    m_hasSelection[pane] = true;
    return true;
}

bool CExcelSheetLayout::DecodeSheetExt(const std::uint8_t* payload, std::uint32_t) {
    // The header repeats the record type and the record its own size: a
    // record where either disagrees is damaged, and its colour not trusted.
    const std::uint32_t ownSize = CDataReader::GetU32(payload + kSheetExtOwnSize);
    if (U16(payload, 0) != biff::kSHEETEXT ||
        (ownSize != kSheetExtSize && ownSize != kSheetExtLongSize)) {
        return false;
    }
    const std::uint8_t color = payload[kSheetExtColor] & 0x7F;
    if (color == kNoTabColor) {
        m_hasTabColor = false;
    } else if (color >= kFirstTabColor && color <= kLastTabColor) {
        m_hasTabColor = true;
    } else {
        return false;
    }
    m_tabColor = color;
    return true;
}
