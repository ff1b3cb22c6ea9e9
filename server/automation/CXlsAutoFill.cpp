#include "server/automation/CXlsAutoFill.h"

#include "server/CXlsFormulaShifter.h"

namespace {

// The source cell a destination cell copies: the source repeats along the
// fill, in either direction.
std::uint32_t SourceIndex(std::uint32_t at, std::uint32_t first, std::uint32_t length) {
    const std::int64_t offset = static_cast<std::int64_t>(at) - first;
    const std::int64_t wrapped = ((offset % length) + length) % length;
    return first + static_cast<std::uint32_t>(wrapped);
}

bool HoldsAtOneEnd(const CXlsCellRange& source, const CXlsCellRange& destination) {
    if (!destination.Contains(source)) return false;
    const bool sameColumns = source.FirstColumn() == destination.FirstColumn() &&
                             source.LastColumn() == destination.LastColumn();
    const bool sameRows =
        source.FirstRow() == destination.FirstRow() && source.LastRow() == destination.LastRow();
    if (sameColumns && (source.FirstRow() == destination.FirstRow() ||
                        source.LastRow() == destination.LastRow())) {
        return true;
    }
    return sameRows && (source.FirstColumn() == destination.FirstColumn() ||
                        source.LastColumn() == destination.LastColumn());
}

template <class Visit>
bool AnyStoredCell(const CXlsWorksheet& sheet, const CXlsCellRange& range, Visit visit) {
    for (std::uint32_t r = range.FirstRow(); r <= range.LastRow(); ++r) {
        const CXlsRow* row = sheet.Cells().Row(r);
        if (!row) continue;
        for (const CXlsCell& cell : row->Cells()) {
            if (cell.Column() >= range.FirstColumn() && cell.Column() <= range.LastColumn() &&
                visit(r, cell.Column())) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

bool CXlsAutoFill::CutsArray(const CXlsWorksheet& sheet, const CXlsCellRange& range) {
    return AnyStoredCell(sheet, range, [&](std::uint32_t r, std::uint32_t c) {
        const CXlsCellRange* array = sheet.GetArrayRange(r, c);
        return array != nullptr && !range.Contains(*array);
    });
}

bool CXlsAutoFill::TouchesArray(const CXlsWorksheet& sheet, const CXlsCellRange& range) {
    return AnyStoredCell(sheet, range, [&](std::uint32_t r, std::uint32_t c) {
        return sheet.GetArrayRange(r, c) != nullptr;
    });
}

CXlsAutoFill::EResult CXlsAutoFill::Fill(CXlsWorksheet& sheet, const CXlsCellRange& source,
                                         const CXlsCellRange& destination) {
    if (!source.IsValid() || !destination.IsValid() || !HoldsAtOneEnd(source, destination)) {
        return EResult::kBadShape;
    }
    if (TouchesArray(sheet, destination)) return EResult::kArrayPart;

    const std::uint32_t height = source.LastRow() - source.FirstRow() + 1;
    const std::uint32_t width = source.LastColumn() - source.FirstColumn() + 1;
    // Every formula is moved before any cell changes, so that a formula the
    // shifter cannot read leaves the sheet as it was.
    for (std::uint32_t r = source.FirstRow(); r <= source.LastRow(); ++r) {
        for (std::uint32_t c = source.FirstColumn(); c <= source.LastColumn(); ++c) {
            const CXlsFormulaTokens* formula = sheet.GetFormula(r, c);
            CXlsFormulaTokens moved;
            if (formula && !CXlsFormulaShifter::Shift(*formula, 1, 1, moved)) {
                return EResult::kBadFormula;
            }
        }
    }

    for (std::uint32_t r = destination.FirstRow(); r <= destination.LastRow(); ++r) {
        for (std::uint32_t c = destination.FirstColumn(); c <= destination.LastColumn(); ++c) {
            if (source.Contains(r, c)) continue;
            const std::uint32_t sr = SourceIndex(r, source.FirstRow(), height);
            const std::uint32_t sc = SourceIndex(c, source.FirstColumn(), width);
            const CXlsCellFormat format = sheet.GetFormat(sr, sc);
            bool stored = true;
            if (const CXlsFormulaTokens* formula = sheet.GetFormula(sr, sc)) {
                CXlsFormulaTokens moved;
                stored = CXlsFormulaShifter::Shift(
                             *formula, static_cast<std::int32_t>(r) - static_cast<std::int32_t>(sr),
                             static_cast<std::int32_t>(c) - static_cast<std::int32_t>(sc), moved) &&
                         sheet.SetFormula(r, c, moved);
            } else {
                const CXlsCellValue value = sheet.GetValue(sr, sc);
                switch (value.Kind()) {
                    case EXlsValueKind::kNumber:
                        stored = sheet.SetNumber(r, c, value.GetNumber());
                        break;
                    case EXlsValueKind::kText:
                        stored = sheet.SetText(r, c, value.GetText());
                        break;
                    case EXlsValueKind::kBoolean:
                        stored = sheet.SetBoolean(r, c, value.GetBoolean());
                        break;
                    case EXlsValueKind::kError:
                        stored = sheet.SetError(r, c, value.GetErrorCode());
                        break;
                    case EXlsValueKind::kEmpty:
                        stored = sheet.ClearContents(CXlsCellRange::Cell(r, c));
                        break;
                }
            }
            stored = stored && sheet.ModifyFormat(CXlsCellRange::Cell(r, c),
                                                  [&format](CXlsCellFormat& target) {
                                                      target = format;
                                                      return true;
                                                  });
            if (!stored) return EResult::kRefused;
        }
    }
    return EResult::kFilled;
}
