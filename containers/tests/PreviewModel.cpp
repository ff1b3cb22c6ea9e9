#include "containers/tests/PreviewModel.h"

#include <cstring>
#include <memory>
#include <vector>

#include "formula/CExcelRecordFormula.h"
#include "records/CExcelRecordBLANK.h"
#include "records/CExcelRecordBOOLERR.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordLABEL.h"
#include "records/CExcelRecordLABELSST.h"
#include "records/CExcelRecordMERGEDCELLS.h"
#include "records/CExcelRecordMULBLANK.h"
#include "records/CExcelRecordNUMBER.h"
#include "records/CExcelRecordRKVALUE.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"
#include "records/CExcelSSTDataList.h"
#include "records/tests/support/MemoryStreamReader.h"

namespace testsupport {

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& bytes, std::size_t at, std::uint32_t value) {
    if (bytes.size() < at + 2) bytes.resize(at + 2);
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(Bytes& bytes, std::size_t at, std::uint32_t value) {
    Put16(bytes, at, value & 0xFFFF);
    Put16(bytes, at + 2, value >> 16);
}

Bytes CellHead(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::size_t size) {
    Bytes bytes(size, 0);
    Put16(bytes, 0, row);
    Put16(bytes, 2, column);
    Put16(bytes, 4, xf);
    return bytes;
}

}  // namespace

PreviewModel::PreviewModel() {
    CExcelWorkSheet sheet;
    sheet.SetName(u"Sheet1");
    m_sheet = m_workbook.GetWorksheets().Add(sheet);
}

std::uint16_t PreviewModel::AddXF(const XFSpec& spec) {
    Bytes bytes(20, 0);
    Put16(bytes, 0, spec.font);
    Put16(bytes, 2, spec.format);
    bytes[6] = spec.alignment;
    bytes[9] = spec.used;
    Put32(bytes, 10,
          static_cast<std::uint32_t>(spec.rightBorderColor & 0x7F) << 23 |
              static_cast<std::uint32_t>(spec.rightBorderStyle & 0x0F) << 4);
    Put32(bytes, 14, static_cast<std::uint32_t>(spec.fillPattern & 0x3F) << 26);
    Put16(bytes, 18,
          static_cast<std::uint16_t>((spec.patternColor & 0x7F) | (spec.patternBackground & 0x7F)
                                                                      << 7));
    m_workbook.GetXFs().Add(new CExcelRecordWBXF(bytes.data(), 20));
    return m_xfCount++;
}

std::uint16_t PreviewModel::AddFont(const FontSpec& spec) {
    Bytes bytes(16, 0);
    Put16(bytes, 0, spec.twips);
    Put16(bytes, 2, spec.options);
    Put16(bytes, 4, spec.color);
    Put16(bytes, 6, spec.weight);
    Put16(bytes, 8, spec.escapement);
    bytes[12] = spec.charSet;
    bytes[14] = static_cast<std::uint8_t>(spec.name.size());
    bytes[15] = 1;  // 16-bit characters
    bytes.resize(16);
    for (char16_t ch : spec.name) {
        bytes.push_back(static_cast<std::uint8_t>(ch));
        bytes.push_back(static_cast<std::uint8_t>(ch >> 8));
    }
    m_workbook.GetFonts().Add(
        new CExcelRecordWBFONT(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
    // The font table has no index 4: the fifth FONT record is index 5.
    const std::uint16_t index = m_fontCount < 4 ? m_fontCount : m_fontCount + 1;
    ++m_fontCount;
    return index;
}

void PreviewModel::AddFormat(std::uint16_t index, const std::u16string& text) {
    Bytes bytes(5, 0);
    Put16(bytes, 0, index);
    Put16(bytes, 2, static_cast<std::uint32_t>(text.size()));
    bytes[4] = 1;
    for (char16_t ch : text) {
        bytes.push_back(static_cast<std::uint8_t>(ch));
        bytes.push_back(static_cast<std::uint8_t>(ch >> 8));
    }
    m_workbook.GetFormats().Add(
        new CExcelRecordWBFORMAT(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
}

std::uint32_t PreviewModel::AddString(const std::u16string& text,
                                      const std::vector<std::array<std::uint16_t, 2>>& runs) {
    auto entry = std::make_unique<CExcelSSTData>();
    entry->SetText(text);
    entry->SetFlags(!runs.empty(), false);
    for (const auto& [firstChar, font] : runs) entry->AddRun(new CFormatingRuns(firstChar, font));
    m_workbook.GetSharedStrings().Add(std::move(entry));
    return m_stringCount++;
}

void PreviewModel::Number(std::uint16_t row, std::uint16_t column, std::uint16_t xf, double value) {
    m_sheet->GetNumbers().Add(new CExcelRecordNUMBER(row, column, xf, value));
}

void PreviewModel::RK(std::uint16_t row, std::uint16_t column, std::uint16_t xf, std::uint32_t rk) {
    m_sheet->GetRKValues().Add(new CExcelRecordRKVALUE(row, column, xf, rk));
}

void PreviewModel::LabelSST(std::uint16_t row, std::uint16_t column, std::uint16_t xf,
                            std::uint32_t index) {
    Bytes bytes = CellHead(row, column, xf, 10);
    Put32(bytes, 6, index);
    m_sheet->GetLabelSSTs().Add(new CExcelRecordLABELSST(bytes.data(), 10));
}

void PreviewModel::Label(std::uint16_t row, std::uint16_t column, std::uint16_t xf,
                         std::u16string text) {
    m_sheet->GetLabels().Add(new CExcelRecordLABEL(row, column, xf, std::move(text)));
}

void PreviewModel::Blank(std::uint16_t row, std::uint16_t column, std::uint16_t xf) {
    Bytes bytes = CellHead(row, column, xf, 6);
    m_sheet->GetBlanks().Add(new CExcelRecordBLANK(bytes.data(), 6));
}

void PreviewModel::MulBlank(std::uint16_t row, std::uint16_t firstColumn,
                            const std::vector<std::uint16_t>& xfs) {
    Bytes bytes = CellHead(row, firstColumn, 0, 4);
    bytes.resize(4 + 2 * xfs.size() + 2);
    for (std::size_t i = 0; i < xfs.size(); ++i)
        Put16(bytes, 4 + static_cast<std::uint32_t>(2 * i), xfs[i]);
    Put16(bytes, static_cast<std::uint32_t>(bytes.size() - 2),
          static_cast<std::uint32_t>(firstColumn + xfs.size() - 1));
    m_sheet->GetMulBlanks().Add(
        new CExcelRecordMULBLANK(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
}

void PreviewModel::BoolErr(std::uint16_t row, std::uint16_t column, std::uint16_t xf,
                           std::uint8_t value, bool isError) {
    Bytes bytes = CellHead(row, column, xf, 8);
    bytes[6] = value;
    bytes[7] = isError ? 1 : 0;
    m_sheet->GetBoolErrs().Add(new CExcelRecordBOOLERR(bytes.data(), 8));
}

void PreviewModel::FormulaNumber(std::uint16_t row, std::uint16_t column, std::uint16_t xf,
                                 double value) {
    Bytes bytes = CellHead(row, column, xf, CExcelRecordFormula::kFixedSize);
    std::memcpy(bytes.data() + 6, &value, sizeof value);
    m_sheet->GetFormulas().Add(
        new CExcelRecordFormula(bytes.data(), CExcelRecordFormula::kFixedSize));
}

void PreviewModel::FormulaTagged(std::uint16_t row, std::uint16_t column, std::uint16_t xf,
                                 std::uint8_t kind, std::uint8_t value,
                                 const std::u16string& text) {
    Bytes bytes = CellHead(row, column, xf, CExcelRecordFormula::kFixedSize);
    bytes[6] = kind;
    bytes[8] = value;
    Put16(bytes, 12, 0xFFFF);
    auto* record = new CExcelRecordFormula(bytes.data(), CExcelRecordFormula::kFixedSize);
    if (kind == 0) {
        Bytes string(3, 0);
        Put16(string, 0, static_cast<std::uint32_t>(text.size()));
        string[2] = 1;
        for (char16_t ch : text) {
            string.push_back(static_cast<std::uint8_t>(ch));
            string.push_back(static_cast<std::uint8_t>(ch >> 8));
        }
        record->SetStringResult(string.data(), static_cast<std::uint32_t>(string.size()));
    }
    m_sheet->GetFormulas().Add(record);
}

void PreviewModel::ColInfo(std::uint16_t first, std::uint16_t last, std::uint16_t width,
                           std::uint16_t xf) {
    Bytes bytes(12, 0);
    Put16(bytes, 0, first);
    Put16(bytes, 2, last);
    Put16(bytes, 4, width);
    Put16(bytes, 6, xf);
    m_sheet->GetColInfos().Add(new CExcelRecordCOLINFO(bytes.data(), 12));
}

void PreviewModel::Row(std::uint16_t row, std::uint16_t customTwips, int defaultXF) {
    Bytes bytes(16, 0);
    Put16(bytes, 0, row);
    Put16(bytes, 6, customTwips ? customTwips : 0x80FF);
    std::uint32_t options = 0;
    if (defaultXF >= 0) options = 0x80 | (static_cast<std::uint32_t>(defaultXF) << 16);
    Put32(bytes, 12, options);
    m_sheet->GetRows().Add(new CExcelRecordROW(bytes.data(), 16));
}

void PreviewModel::MergedCells(const std::vector<std::array<std::uint16_t, 4>>& ranges, int count) {
    Bytes bytes(2, 0);
    Put16(
        bytes, 0,
        count < 0 ? static_cast<std::uint32_t>(ranges.size()) : static_cast<std::uint32_t>(count));
    for (const auto& range : ranges) {
        const std::size_t at = bytes.size();
        bytes.resize(at + 8);
        for (std::size_t i = 0; i < 4; ++i) Put16(bytes, at + 2 * i, range[i]);
    }
    m_sheet->GetMergedCells().Add(
        new CExcelRecordMERGEDCELLS(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
}

void PreviewModel::Layout(std::uint16_t type, const std::vector<std::uint8_t>& body) {
    const auto size = static_cast<std::uint16_t>(body.size());
    std::vector<std::uint8_t> bytes = {
        static_cast<std::uint8_t>(type & 0xFF), static_cast<std::uint8_t>(type >> 8),
        static_cast<std::uint8_t>(size & 0xFF), static_cast<std::uint8_t>(size >> 8)};
    bytes.insert(bytes.end(), body.begin(), body.end());
    testsupport::MemoryStreamReader reader(std::move(bytes));
    m_sheet->GetLayout().Decode(type, reader, size, 0);
}

}  // namespace testsupport
