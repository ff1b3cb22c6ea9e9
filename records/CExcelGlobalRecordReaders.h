// Readers of the workbook-global records, called by the globals scan for
// each record of their type. Each loads the record's spill file, checks its
// length, builds the record object from the bytes after the 4-byte header,
// appends it to the workbook's list for that type and frees the loaded
// bytes. Each returns whether an object was appended (false for a rejected
// length or a spill file that cannot be read). DATEMODE and FILEPASS set a
// workbook flag instead of appending an object.
#pragma once

#include <cstdint>

#include "biff/CTList.h"

class CExcelContinueRecordOffsetList;
class CExcelRawRecordData;
class CExcelWorkbookGlobals;

class CExcelGlobalRecordReaders {
public:
    static bool ReadFONT(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);
    static bool ReadXF(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);
    static bool ReadFORMAT(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);
    static bool ReadSTYLE(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);
    static bool ReadPALETTE(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);
    // continues: the CONTINUE boundaries of the joined record (may be null
    // when there are none). EXTERNSHEET's entries run on across CONTINUE
    // records byte for byte, so each boundary's first byte, which the join
    // leaves out, is put back. So it is for SUPBOOK, whose strings then read
    // a CONTINUE's first byte as a fresh option byte where it splits their
    // characters and as data where it falls between strings.
    static bool ReadSUPBOOK(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook,
                            const CExcelContinueRecordOffsetList* continues = nullptr);
    static bool ReadEXTERNSHEET(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook,
                                const CExcelContinueRecordOffsetList* continues = nullptr);
    // A NAME's formula runs on across CONTINUE records byte for byte, so
    // each boundary's first byte is put back before the object is built.
    static bool ReadNAME(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook,
                         const CExcelContinueRecordOffsetList* continues = nullptr);
    // Sets the workbook's 1904 date system when the payload's u16 is 1;
    // false (the flag left alone) for a payload shorter than 2 bytes.
    static bool ReadDATEMODE(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);
    // Marks the workbook encrypted: every record body after FILEPASS is
    // ciphertext. Needs no bytes of the record; always true.
    static bool ReadFILEPASS(CExcelRawRecordData& record, CExcelWorkbookGlobals& workbook);

    // The common step over bytes already in memory: raw is the whole record
    // (rawLength bytes, header included). T::AcceptsRawLength decides; the
    // payload handed to T is what follows the header, never more than the
    // bytes present.
    template <class T>
    static bool AppendFromRaw(const std::uint8_t* raw, std::uint32_t rawLength, CTList<T>& list) {
        if (!T::AcceptsRawLength(rawLength)) return false;
        const std::uint32_t payload = PayloadLength(rawLength);
        list.Add(new T(payload ? raw + kHeader : nullptr, payload));
        return true;
    }

private:
    static constexpr std::uint32_t kHeader = 4;
    // Bytes after the header, 0 for a record cut inside its header.
    static std::uint32_t PayloadLength(std::uint32_t rawLength) {
        return rawLength > kHeader ? rawLength - kHeader : 0;
    }
    template <class T>
    static bool ReadInto(CExcelRawRecordData& record, CTList<T>& list);
};
