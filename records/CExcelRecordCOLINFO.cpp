#include "records/CExcelRecordCOLINFO.h"

#include "records/CellRecordLayout.h"

std::uint16_t CExcelRecordCOLINFO::GetFirstColumn() const {
    return U16(biff8::kColInfoFirstColumn);
}

std::uint16_t CExcelRecordCOLINFO::GetLastColumn() const {
    return U16(biff8::kColInfoLastColumn);
}

std::uint16_t CExcelRecordCOLINFO::GetWidth() const {
    return U16(biff8::kColInfoWidth);
}

std::uint32_t CExcelRecordCOLINFO::GetWidthPixels() const {
    // Multiplied in this order, in doubles, so that widths on a pixel
    // boundary round the same way every time; the largest width (65535)
    // gives 1744, well inside the result.
    return static_cast<std::uint32_t>(GetWidth() * biff8::kColInfoWidthScale *
                                      biff8::kColInfoPixelsPerCharacter);
}

std::uint16_t CExcelRecordCOLINFO::GetXFIndex() const {
    return U16(biff8::kColInfoXF);
}

bool CExcelRecordCOLINFO::IsHidden() const {
    return (U16(biff8::kColInfoOptions) & biff8::kColInfoHidden) != 0;
}
