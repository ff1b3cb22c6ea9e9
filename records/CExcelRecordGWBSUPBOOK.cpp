#include "records/CExcelRecordGWBSUPBOOK.h"

#include <algorithm>

#include "records/RecordLayout.h"

CExcelRecordGWBSUPBOOK::CExcelRecordGWBSUPBOOK(const std::uint8_t* payload, std::uint32_t n) {
    if (payload && n) m_payload.assign(payload, payload + n);
}

std::uint16_t CExcelRecordGWBSUPBOOK::GetSheetCount() const {
    if (m_payload.size() < 2) return 0;
    return static_cast<std::uint16_t>(m_payload[0] | (m_payload[1] << 8));
}

bool CExcelRecordGWBSUPBOOK::IsAddIn() const {
    return m_payload.size() >= 4 &&
           std::equal(std::begin(biff8::kSupBookAddInPayload),
                      std::end(biff8::kSupBookAddInPayload), m_payload.begin());
}

bool CExcelRecordGWBSUPBOOK::IsSelf() const {
    if (m_payload.size() < 4 || IsAddIn() || GetSheetCount() == 0) return false;
    return m_payload[2] == biff8::kSupBookSelfMarker[0] &&
           m_payload[3] == biff8::kSupBookSelfMarker[1];
}

CExcelRecordGWBSUPBOOK::EKind CExcelRecordGWBSUPBOOK::GetKind() const {
    if (IsAddIn()) return KindAddIn;
    return IsSelf() ? KindSelf : KindOther;
}
