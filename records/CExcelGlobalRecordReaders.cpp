#include "records/CExcelGlobalRecordReaders.h"

#include <vector>

#include "biff/CByteBuffer.h"
#include "biff/CExcelContinueRecordOffset.h"
#include "biff/CExcelRawRecordData.h"
#include "records/CExcelRecordGWBEXTERNSHEET.h"
#include "records/CExcelRecordGWBSUPBOOK.h"
#include "records/CExcelRecordNAME.h"
#include "records/CExcelRecordPALETTE.h"
#include "records/CExcelRecordSTYLE.h"
#include "records/CExcelRecordWBFONT.h"
#include "records/CExcelRecordWBFORMAT.h"
#include "records/CExcelRecordWBXF.h"
#include "records/CExcelWorkbookGlobals.h"

namespace {

constexpr std::uint32_t kDateModeValue = 0;  // u16 in the DATEMODE payload
constexpr std::uint16_t kDate1904 = 1;
constexpr std::uint32_t kRecordHeader = 4;

// The joined record with each CONTINUE's first byte back in front of its
// data: the record as the writer split it. A boundary that lies before the
// previous one or past the end (never written by the scan) is taken at the
// nearest position that keeps the bytes in order. starts, when given,
// receives where each CONTINUE's first byte now lies, counted from the
// first payload byte.
std::vector<std::uint8_t> RestoreContinueFirstBytes(const std::uint8_t* raw,
                                                    std::uint32_t rawLength,
                                                    const CExcelContinueRecordOffsetList* continues,
                                                    std::vector<std::uint32_t>* starts = nullptr) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(rawLength + (continues ? continues->GetCount() : 0));
    std::uint32_t copied = 0;
    for (const CExcelContinueRecordOffset* boundary = continues ? continues->GetHead() : nullptr;
         boundary; boundary = boundary->GetNext()) {
        std::uint32_t offset = boundary->GetOffset();
        if (offset > rawLength) offset = rawLength;
        if (offset < copied) offset = copied;
        bytes.insert(bytes.end(), raw + copied, raw + offset);
        if (starts && bytes.size() >= kRecordHeader)
            starts->push_back(static_cast<std::uint32_t>(bytes.size() - kRecordHeader));
        bytes.push_back(boundary->GetFlag());
        copied = offset;
    }
    bytes.insert(bytes.end(), raw + copied, raw + rawLength);
    return bytes;
}

}  // namespace

template <class T>
bool CExcelGlobalRecordReaders::ReadInto(CExcelRawRecordData& record, CTList<T>& list) {
    // The length test needs no bytes, so a rejected record is never loaded.
    if (!T::AcceptsRawLength(record.GetSize()) || !record.Load()) return false;
    const bool added = AppendFromRaw<T>(record.GetLoadedBytes(), record.GetSize(), list);
    record.FreeLoaded();
    return added;
}

bool CExcelGlobalRecordReaders::ReadFONT(CExcelRawRecordData& record,
                                         CExcelWorkbookGlobals& workbook) {
    return ReadInto(record, workbook.GetFonts());
}

bool CExcelGlobalRecordReaders::ReadXF(CExcelRawRecordData& record,
                                       CExcelWorkbookGlobals& workbook) {
    return ReadInto(record, workbook.GetXFs());
}

bool CExcelGlobalRecordReaders::ReadFORMAT(CExcelRawRecordData& record,
                                           CExcelWorkbookGlobals& workbook) {
    return ReadInto(record, workbook.GetFormats());
}

bool CExcelGlobalRecordReaders::ReadSTYLE(CExcelRawRecordData& record,
                                          CExcelWorkbookGlobals& workbook) {
    return ReadInto(record, workbook.GetStyles());
}

bool CExcelGlobalRecordReaders::ReadPALETTE(CExcelRawRecordData& record,
                                            CExcelWorkbookGlobals& workbook) {
    return ReadInto(record, workbook.GetPalettes());
}

bool CExcelGlobalRecordReaders::ReadSUPBOOK(CExcelRawRecordData& record,
                                            CExcelWorkbookGlobals& workbook,
                                            const CExcelContinueRecordOffsetList* continues) {
    if (!CExcelRecordGWBSUPBOOK::AcceptsRawLength(record.GetSize()) || !record.Load()) return false;
    std::vector<std::uint32_t> starts;
    const std::vector<std::uint8_t> raw =
        RestoreContinueFirstBytes(record.GetLoadedBytes(), record.GetSize(), continues, &starts);
    record.FreeLoaded();
    const std::uint32_t payload = PayloadLength(static_cast<std::uint32_t>(raw.size()));
    workbook.GetSupBooks().Add(
        new CExcelRecordGWBSUPBOOK(payload ? raw.data() + kHeader : nullptr, payload, starts));
    return true;
}

bool CExcelGlobalRecordReaders::ReadEXTERNSHEET(CExcelRawRecordData& record,
                                                CExcelWorkbookGlobals& workbook,
                                                const CExcelContinueRecordOffsetList* continues) {
    if (!CExcelRecordGWBEXTERNSHEET::AcceptsRawLength(record.GetSize()) || !record.Load())
        return false;
    const std::vector<std::uint8_t> raw =
        RestoreContinueFirstBytes(record.GetLoadedBytes(), record.GetSize(), continues);
    record.FreeLoaded();
    return AppendFromRaw(raw.data(), static_cast<std::uint32_t>(raw.size()),
                         workbook.GetExternSheets());
}

bool CExcelGlobalRecordReaders::ReadNAME(CExcelRawRecordData& record,
                                         CExcelWorkbookGlobals& workbook,
                                         const CExcelContinueRecordOffsetList* continues) {
    if (!record.Load()) return false;
    const std::vector<std::uint8_t> raw =
        RestoreContinueFirstBytes(record.GetLoadedBytes(), record.GetSize(), continues);
    record.FreeLoaded();
    return AppendFromRaw(raw.data(), static_cast<std::uint32_t>(raw.size()), workbook.GetNames());
}

bool CExcelGlobalRecordReaders::ReadDATEMODE(CExcelRawRecordData& record,
                                             CExcelWorkbookGlobals& workbook) {
    if (!record.Load()) return false;
    const bool fits = PayloadLength(record.GetSize()) >= kDateModeValue + 2;
    if (fits) {
        const std::uint8_t* value = record.GetLoadedBytes() + kHeader + kDateModeValue;
        workbook.SetDate1904(CDataReader::GetU16(value) == kDate1904);
    }
    record.FreeLoaded();
    return fits;
}

bool CExcelGlobalRecordReaders::ReadFILEPASS(CExcelRawRecordData&,
                                             CExcelWorkbookGlobals& workbook) {
    workbook.SetEncrypted(true);
    return true;
}
