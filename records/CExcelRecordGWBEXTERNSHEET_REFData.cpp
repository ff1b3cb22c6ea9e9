#include "records/CExcelRecordGWBEXTERNSHEET_REFData.h"

#include "biff/CByteBuffer.h"

CExcelRecordGWBEXTERNSHEET_REFData::CExcelRecordGWBEXTERNSHEET_REFData(const std::uint8_t* bytes)
    : m_supBook(CDataReader::GetU16(bytes)),
      m_firstSheet(CDataReader::GetU16(bytes + 2)),
      m_lastSheet(CDataReader::GetU16(bytes + 4)) {}

CExcelRecordGWBEXTERNSHEET_REFData::CExcelRecordGWBEXTERNSHEET_REFData(std::uint16_t supBook,
                                                                       std::uint16_t firstSheet,
                                                                       std::uint16_t lastSheet)
    : m_supBook(supBook), m_firstSheet(firstSheet), m_lastSheet(lastSheet) {}
