#include "tools/diag/CFormatAgreement.h"

#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "format/CExcelFormatText.h"
#include "model/CExcelData.h"
#include "model/CExcelWorkBook.h"
#include "model/CExcelWorkSheet.h"
#include "records/CExcelGlobalLookup.h"
#include "records/CExcelRecordBLANK.h"
#include "records/CExcelRecordCOLINFO.h"
#include "records/CExcelRecordMULBLANK.h"
#include "records/CExcelRecordROW.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBXF.h"
#include "repair/CRecoveredCells.h"

namespace {

constexpr std::uint16_t kDefaultCellXf = 15;

// A cell format reduced to comparable values, one string per attribute.
using Attributes = std::vector<std::pair<const char*, std::u16string>>;

std::u16string Number(std::uint32_t value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
}

std::u16string Colour(std::uint32_t index) {
    return index >= 64 ? u"auto" : Number(index);
}

Attributes Describe(const CExcelWorkBook& book, const CExcelRecordWBXF* xf) {
    Attributes out;
    if (xf == nullptr) return out;
    const CExcelRecordWBFONT* font =
        CExcelGlobalLookup::GetFont(book.GetFonts(), xf->GetFontIndex());
    std::u16string name = font ? font->GetName() : u"?";
    for (char16_t& c : name)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    out.emplace_back("font.name", name);
    out.emplace_back("font.height", font ? Number(font->GetHeight()) : u"?");
    out.emplace_back("font.bold", font ? Number(font->GetWeight() >= 700) : u"?");
    out.emplace_back("font.italic", font ? Number(font->IsItalic()) : u"?");
    // FONT body: underline kind at byte 10.
    out.emplace_back("font.underline", font ? Number(font->GetPayload().ReadU8(10)) : u"?");
    out.emplace_back("font.strike", font ? Number(font->IsStrikeOut()) : u"?");
    out.emplace_back("font.script", font ? Number(font->GetEscapement()) : u"?");
    out.emplace_back("font.colour", font ? Colour(font->GetColorIndex()) : u"?");
    out.emplace_back("numfmt", CExcelFormatText::Lookup(book, xf->GetFormatIndex()));
    const std::uint8_t align = xf->GetAlignment();
    out.emplace_back("align.horizontal", Number(align & 0x07));
    out.emplace_back("align.wrap", Number((align >> 3) & 1));
    out.emplace_back("align.vertical", Number((align >> 4) & 0x07));
    out.emplace_back("align.rotation", Number(xf->GetRotation()));
    out.emplace_back("align.indent", Number(xf->GetIndent() & 0x0F));
    out.emplace_back("align.shrink", Number((xf->GetIndent() >> 4) & 1));
    out.emplace_back("protect", Number(xf->GetTypeProtection() & 0x03));
    const auto line = [](std::uint8_t style, std::uint8_t colour) {
        return style == 0 ? std::u16string(u"none") : Number(style) + u"/" + Colour(colour);
    };
    out.emplace_back("border.left", line(xf->GetLeftBorderStyle(), xf->GetLeftBorderColor()));
    out.emplace_back("border.right", line(xf->GetRightBorderStyle(), xf->GetRightBorderColor()));
    out.emplace_back("border.top", line(xf->GetTopBorderStyle(), xf->GetTopBorderColor()));
    out.emplace_back("border.bottom", line(xf->GetBottomBorderStyle(), xf->GetBottomBorderColor()));
    const bool diagonal = xf->IsDiagonalDown() || xf->IsDiagonalUp();
    out.emplace_back("border.diagonal",
                     diagonal ? Number(xf->IsDiagonalDown()) + Number(xf->IsDiagonalUp()) + u"/" +
                                    line(xf->GetDiagonalStyle(), xf->GetDiagonalColor())
                              : u"none");
    // A solid fill shows its pattern colour alone; only a hatching shows
    // the background colour too.
    const std::uint8_t pattern = xf->GetFillPattern();
    std::u16string fill = u"none";
    if (pattern != 0) fill = Number(pattern) + u"/" + Colour(xf->GetPatternColor());
    if (pattern > 1) fill += u"/" + Colour(xf->GetPatternBackgroundColor());
    out.emplace_back("fill", fill);
    return out;
}

// The XF of every place of one sheet that a cell or a default format
// covers, the way a reader resolves it.
class SheetFormats {
public:
    SheetFormats(const CExcelWorkBook& book, const CExcelWorkSheet& sheet) {
        for (const CExcelRecordWBXF* xf = book.GetXFs().GetHead(); xf; xf = xf->GetNext())
            m_xfs.push_back(xf);
        for (const CExcelRecordCOLINFO& info : sheet.GetColInfos())
            for (std::uint32_t c = info.GetFirstColumn(); c <= info.GetLastColumn() && c < 256; ++c)
                m_columns[c] = info.GetXFIndex();
        for (const CExcelRecordROW& row : sheet.GetRows())
            if (row.HasDefaultFormat()) m_rows[row.GetRow()] = row.GetDefaultXFIndex();
        const CRecoveredCells cells(book, sheet);
        for (const CRecoveredCell& cell : cells.GetCells())
            m_cells[Key(cell.m_row, cell.m_column)] = cell.m_xfIndex;
        for (const CExcelRecordBLANK& blank : sheet.GetBlanks())
            m_cells.emplace(Key(blank.GetRow(), blank.GetColumn()), blank.GetXFIndex());
        for (const CExcelRecordMULBLANK& run : sheet.GetMulBlanks()) {
            const CByteBuffer& body = run.GetPayload();
            const std::uint32_t length = std::min(run.GetLength(), body.DataLength());
            for (std::uint32_t at = 4, column = run.GetColumn();
                 length >= 6 && at + 2 <= length - 2; at += 2, ++column)
                m_cells.emplace(Key(run.GetRow(), static_cast<std::uint16_t>(column)),
                                body.ReadU16(at));
        }
    }

    const std::unordered_map<std::uint32_t, std::uint16_t>& Cells() const { return m_cells; }

    const CExcelRecordWBXF* At(std::uint32_t key) const {
        std::uint16_t xf = kDefaultCellXf;
        if (const auto cell = m_cells.find(key); cell != m_cells.end()) {
            xf = cell->second;
        } else if (const auto row = m_rows.find(key >> 16); row != m_rows.end()) {
            xf = row->second;
        } else if (const auto column = m_columns.find(key & 0xFFFF); column != m_columns.end()) {
            xf = column->second;
        }
        return xf < m_xfs.size() ? m_xfs[xf] : nullptr;
    }

    static std::uint32_t Key(std::uint16_t row, std::uint16_t column) {
        return static_cast<std::uint32_t>(row) << 16 | column;
    }

private:
    std::vector<const CExcelRecordWBXF*> m_xfs;
    std::unordered_map<std::uint32_t, std::uint16_t> m_cells;
    std::unordered_map<std::uint32_t, std::uint16_t> m_rows;
    std::unordered_map<std::uint32_t, std::uint16_t> m_columns;
};

}  // namespace

std::map<std::string, CFormatAgreement::Tally> CFormatAgreement::Compare(const CExcelData& original,
                                                                         const CExcelData& copy) {
    std::map<std::string, Tally> tallies;
    const CExcelWorkBook* book = original.GetWorkbooks().GetHead();
    const CExcelWorkBook* other = copy.GetWorkbooks().GetHead();
    if (book == nullptr || other == nullptr) return tallies;
    const CExcelWorkSheet* theirs = other->GetWorksheets().GetHead();
    for (const CExcelWorkSheet& sheet : book->GetWorksheets()) {
        const SheetFormats source(*book, sheet);
        std::optional<SheetFormats> saved;
        if (theirs != nullptr) saved.emplace(*other, *theirs);
        for (const auto& [key, xfIndex] : source.Cells()) {
            if ((key & 0xFFFF) > 255) continue;
            const Attributes want = Describe(*book, source.At(key));
            if (want.empty()) continue;  // a missing XF: nothing to carry
            const Attributes got = saved ? Describe(*other, saved->At(key)) : Attributes{};
            bool all = true;
            for (std::size_t i = 0; i < want.size(); ++i) {
                Tally& tally = tallies[want[i].first];
                ++tally.items;
                const bool equal = i < got.size() && got[i].second == want[i].second;
                tally.equal += equal;
                all = all && equal;
            }
            Tally& tally = tallies["all"];
            ++tally.items;
            tally.equal += all;
        }
        if (theirs != nullptr) theirs = theirs->GetNext();
    }
    return tallies;
}
