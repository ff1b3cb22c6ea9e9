#include "server/CXlsGlobalsWriter.h"

#include <iterator>

#include "server/CXlsDrawingGroupWriter.h"
#include "server/CXlsLinkRecordsWriter.h"
#include "server/CXlsNameRecordsWriter.h"

using namespace xlsw;

namespace {

// Records whose content never changes, in the order the spreadsheet writes
// them around WINDOW1 and DATEMODE.
struct FixedRecord {
    std::uint16_t type;
    std::uint8_t size;
    std::uint8_t body[4];
};

constexpr FixedRecord kFixed[] = {
    {kINTERFACEHDR, 2, {0xB0, 0x04}},  // the interface's code page: UTF-16
    {kMMS, 2, {0x00, 0x00}},
    {kINTERFACEEND, 0, {}},
    // WRITEACCESS goes here (index 3).
    {kCODEPAGE, 2, {0xB0, 0x04}},  // 1200: strings are UTF-16
    {kDSF, 2, {0x00, 0x00}},
    {kWINDOWPROTECT, 2, {0x00, 0x00}},
    {kPROTECT, 2, {0x00, 0x00}},
    {kPASSWORD, 2, {0x00, 0x00}},
    {kPROT4REV, 2, {0x00, 0x00}},
    {kPROT4REVPASS, 2, {0x00, 0x00}},
    {kBACKUP, 2, {0x00, 0x00}},
    {kHIDEOBJ, 2, {0x00, 0x00}},
    // WINDOW1 and DATEMODE go here (index 12).
    {kPRECISION, 2, {0x01, 0x00}},  // full precision, not as displayed
    {kREFRESHALL, 2, {0x00, 0x00}},
    {kBOOKBOOL, 2, {0x00, 0x00}},
};
constexpr std::size_t kBeforeWriteAccess = 3;
constexpr std::size_t kBeforeWindow1 = 12;

constexpr std::uint8_t kCountry[] = {0x01, 0x00, 0x01, 0x00};  // United States
constexpr std::uint32_t kWriteAccessSize = 112;                // name padded with spaces
constexpr char16_t kWriteAccessName[] = u"Mendwell";

}  // namespace

CXlsGlobalsWriter::CXlsGlobalsWriter(const CXlsWorkbook& book, const CXlsStyleTable& styles,
                                     const CXlsSstTable& sst)
    : m_book(book), m_styles(styles), m_sst(sst) {}

bool CXlsGlobalsWriter::WriteFixed(CBiffRecordWriter& out, std::size_t first,
                                   std::size_t end) const {
    for (std::size_t i = first; i < end; ++i) {
        if (!out.Write(kFixed[i].type, kFixed[i].body, kFixed[i].size)) return false;
    }
    return true;
}

bool CXlsGlobalsWriter::Write(CBiffRecordWriter& out,
                              std::vector<std::uint64_t>& sheetPositionFields) const {
    CBiffRecordBuilder record(kBOF);
    record.U16(kBiff8Version).U16(kBofGlobals).U16(kBofBuild).U16(kBofYear).U32(0).U32(6);
    if (!out.Write(record) || !WriteFixed(out, 0, kBeforeWriteAccess)) return false;

    record.Reset(kWRITEACCESS);
    record.LongString(kWriteAccessName);
    while (record.BodySize() < kWriteAccessSize) record.U8(' ');
    if (!out.Write(record) || !WriteFixed(out, kBeforeWriteAccess, kBeforeWindow1)) return false;

    // The window: position and size in twips, tabs and scroll bars shown,
    // the active sheet, one sheet selected, tab bar 60% of the width.
    record.Reset(kWINDOW1);
    record.U16(0x0168).U16(0x001E).U16(0x3FCF).U16(0x2A4E).U16(0x0038);
    record.U16(static_cast<std::uint16_t>(m_book.ActiveSheet())).U16(0).U16(1).U16(0x0258);
    if (!out.Write(record)) return false;
    record.Reset(kDATEMODE);
    record.U16(m_book.Date1904() ? 1 : 0);
    if (!out.Write(record) || !WriteFixed(out, kBeforeWindow1, std::size(kFixed))) return false;

    if (!m_styles.Write(out)) return false;
    if (!m_book.Palette().IsDefault()) {
        // After the STYLE records, as the spreadsheet places it.
        record.Reset(kPALETTE);
        record.U16(CXlsPalette::kCount);
        for (int index = 1; index <= CXlsPalette::kCount; ++index) {
            const std::int32_t rgb = m_book.Palette().Color(index);
            record.U8(static_cast<std::uint8_t>(rgb & 0xFF))
                .U8(static_cast<std::uint8_t>((rgb >> 8) & 0xFF))
                .U8(static_cast<std::uint8_t>((rgb >> 16) & 0xFF))
                .U8(0);
        }
        if (!out.Write(record)) return false;
    }

    sheetPositionFields.clear();
    for (std::size_t i = 0; i < m_book.SheetCount(); ++i) {
        sheetPositionFields.push_back(out.Position() + kRecordHeaderSize + kBoundSheetPosition);
        record.Reset(kBOUNDSHEET);
        record.U32(0).U8(0).U8(0).ShortString(m_book.Sheet(i)->Name());  // visible worksheet
        if (!out.Write(record)) return false;
    }
    if (!out.Write(kCOUNTRY, kCountry, sizeof kCountry)) return false;
    if (!CXlsLinkRecordsWriter(m_book).Write(out) || !CXlsNameRecordsWriter(m_book).Write(out)) {
        return false;
    }
    if (m_drawings && !CXlsDrawingGroupWriter(*m_drawings).Write(out)) return false;
    if (!m_sst.Write(out)) return false;
    return out.Write(kEOF, nullptr, 0);
}
