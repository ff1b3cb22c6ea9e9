// CONDFMT record (0x01B0) with the CF records that follow it: one
// conditional format, its cell rectangles and its conditions in the order
// they are tested. An element of the worksheet's conditional-format list.
//
// CONDFMT payload: u16 number of CF records that follow, u16 flags and id,
// the bounding rectangle (8 bytes), then the rectangles (CExcelCellRects).
//
// Kept only whole: at least one rectangle, at least one condition, and
// exactly as many CF records
// as announced, each right after the one before and each decoded whole
// (CExcelRecordCF). Conditions are tested in order and the first true one
// wins, so a format that lost one of them would show what the file never
// showed: it is dropped entirely.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "biff/CTList.h"
#include "records/CExcelCellRects.h"
#include "records/CExcelRecordCF.h"

class CExcelSheetRecords;
class IExcelStreamReader;

class CExcelRecordCONDFMT : public CTListNode<CExcelRecordCONDFMT> {
public:
    CExcelRecordCONDFMT() = default;
    CExcelRecordCONDFMT(const CExcelRecordCONDFMT&) = delete;
    CExcelRecordCONDFMT& operator=(const CExcelRecordCONDFMT&) = delete;
    virtual ~CExcelRecordCONDFMT() = default;

    // The rectangles and the announced count of a CONDFMT payload, or null
    // when it holds no rectangle or is cut short.
    static std::unique_ptr<CExcelRecordCONDFMT> Decode(const std::uint8_t* payload,
                                                       std::uint32_t n);
    // The worksheet parser's route for CONDFMT: reads the record at
    // position and the CF records right after it, and appends the whole
    // format to the sheet's list. False when nothing was appended. The walk
    // still steps onto each CF record itself.
    static bool Read(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                     std::uint32_t position);

    const std::vector<CExcelCellRect>& GetRects() const { return m_rects; }
    const std::vector<CExcelRecordCF>& GetConditions() const { return m_conditions; }
    void AddCondition(CExcelRecordCF condition) { m_conditions.push_back(std::move(condition)); }

private:
    std::uint16_t m_announced = 0;
    std::vector<CExcelCellRect> m_rects;
    std::vector<CExcelRecordCF> m_conditions;
};
