// HLINK record (0x01B8): one hyperlink over a range of cells, decoded into
// what the save hands on: the range, the description (the text a cell
// shows for the link), the address (see
// CExcelHyperlinkMoniker), the location in the target (the text mark: a
// cell or a name, in this workbook when the address is empty) and the tool
// tip of the QUICKTIP record that follows it. An element of the
// worksheet's hyperlink list.
//
// A hyperlink is kept only with its whole target: the address and the
// location as far as the stream's flags announce them. A record cut short
// or damaged before the end of its target gives nothing; what the stream
// holds after the target (a GUID, a creation time) is not read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "biff/CTList.h"

class CExcelSheetRecords;
class IExcelStreamReader;

class CExcelRecordHLINK : public CTListNode<CExcelRecordHLINK> {
public:
    CExcelRecordHLINK() = default;
    // A hyperlink over rows firstRow-lastRow, columns firstColumn-lastColumn.
    CExcelRecordHLINK(std::uint16_t firstRow, std::uint16_t lastRow, std::uint16_t firstColumn,
                      std::uint16_t lastColumn, std::u16string address, std::u16string location,
                      std::u16string description = {}, std::u16string toolTip = {});
    CExcelRecordHLINK(const CExcelRecordHLINK&) = delete;
    CExcelRecordHLINK& operator=(const CExcelRecordHLINK&) = delete;
    virtual ~CExcelRecordHLINK() = default;

    // The hyperlink a payload of n bytes holds, or null when it holds none:
    // fewer than 32 bytes, a stream version other than 2, a string or a
    // moniker that does not fit, a moniker of an unknown kind, or neither
    // an address nor a location. The stream's class id is not checked:
    // damage there moves no field.
    static std::unique_ptr<CExcelRecordHLINK> Decode(const std::uint8_t* payload, std::uint32_t n);

    // The worksheet parser's route for HLINK: reads the record at position
    // (size bytes, at most 8,224), decodes it and appends it to the sheet's
    // hyperlink list. A QUICKTIP record right after it whose range is the
    // same gives the tool tip; the walk still steps onto that record
    // itself. False when nothing was appended.
    static bool Read(IExcelStreamReader& reader, CExcelSheetRecords& sheet, std::uint32_t size,
                     std::uint32_t position);

    // The tip text of a QUICKTIP payload of n bytes when its range is this
    // hyperlink's; false otherwise (and for a payload shorter than 10
    // bytes).
    bool TakeToolTip(const std::uint8_t* payload, std::uint32_t n);

    std::uint16_t GetFirstRow() const { return m_firstRow; }
    std::uint16_t GetLastRow() const { return m_lastRow; }
    std::uint16_t GetFirstColumn() const { return m_firstColumn; }
    std::uint16_t GetLastColumn() const { return m_lastColumn; }
    const std::u16string& GetDescription() const { return m_description; }
    // Empty for a link into this workbook.
    const std::u16string& GetAddress() const { return m_address; }
    const std::u16string& GetLocation() const { return m_location; }
    const std::u16string& GetToolTip() const { return m_toolTip; }

private:
    std::uint16_t m_firstRow = 0;
    std::uint16_t m_lastRow = 0;
    std::uint16_t m_firstColumn = 0;
    std::uint16_t m_lastColumn = 0;
    std::u16string m_description;
    std::u16string m_address;
    std::u16string m_location;
    std::u16string m_toolTip;
};
