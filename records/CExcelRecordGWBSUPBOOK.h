// SUPBOOK record (0x01AE): one supporting workbook of the external
// references: this workbook itself, an add-in, or another file.
#pragma once

#include <cstdint>
#include <vector>

#include "biff/CTList.h"

class CExcelRecordGWBSUPBOOK : public CTListNode<CExcelRecordGWBSUPBOOK> {
public:
    enum EKind { KindSelf, KindAddIn, KindOther };

    // Any record with a non-empty spill file is taken.
    static bool AcceptsRawLength(std::uint32_t rawLength) { return rawLength != 0; }

    // payload: the record body after its header (n bytes, copied).
    CExcelRecordGWBSUPBOOK(const std::uint8_t* payload, std::uint32_t n);
    CExcelRecordGWBSUPBOOK(const CExcelRecordGWBSUPBOOK&) = delete;
    CExcelRecordGWBSUPBOOK& operator=(const CExcelRecordGWBSUPBOOK&) = delete;
    virtual ~CExcelRecordGWBSUPBOOK() = default;

    // u16 at 0; 0 when the payload is shorter.
    std::uint16_t GetSheetCount() const;
    // The add-in SUPBOOK: payload starting 0x01, 0x00, 0x3A, 0x01.
    bool IsAddIn() const;
    // The SUPBOOK of this workbook's own sheets: at least 4 bytes, not the
    // add-in one, a non-zero sheet count and bytes 2 and 3 equal to 0x01,
    // 0x04. Only such a SUPBOOK lets a 3-D reference name a sheet.
    bool IsSelf() const;
    EKind GetKind() const;

    const std::uint8_t* GetData() const { return m_payload.data(); }
    std::uint32_t GetLength() const { return static_cast<std::uint32_t>(m_payload.size()); }

private:
    std::vector<std::uint8_t> m_payload;
};
