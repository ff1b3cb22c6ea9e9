#include "records/CExcelSSTData.h"

#include <algorithm>
#include <utility>

// A table of a few hundred thousand strings holds this many bytes per
// string besides its characters.
static_assert(sizeof(CExcelSSTData) <= 24);

CExcelSSTData::CExcelSSTData(const CExcelSSTData& other)
    : m_extensionOffset(other.m_extensionOffset),
      m_rich(other.m_rich),
      m_extended(other.m_extended),
      m_lost(other.m_lost) {
    SetText(other.GetText());
    for (const CFormatingRuns& run : other.GetRuns()) AddRun(new CFormatingRuns(run));
}

CExcelSSTData::CExcelSSTData(CExcelSSTData&& other) noexcept
    : m_text(std::exchange(other.m_text, nullptr)),
      m_extra(std::move(other.m_extra)),
      m_extensionOffset(std::exchange(other.m_extensionOffset, 0)),
      m_length(std::exchange(other.m_length, 0)),
      m_rich(other.m_rich),
      m_extended(other.m_extended),
      m_lost(other.m_lost) {
    other.m_rich = other.m_extended = other.m_lost = false;
}

const CTList<CFormatingRuns>& CExcelSSTData::GetRuns() const {
    static const CTList<CFormatingRuns> kNoRuns;
    return m_extra ? m_extra->runs : kNoRuns;
}

void CExcelSSTData::SetText(std::u16string_view text) {
    Extra& extra = GetExtra();
    extra.ownText.assign(text.substr(0, kMaxChars));
    m_text = extra.ownText.data();
    m_length = static_cast<std::uint16_t>(extra.ownText.size());
}

void CExcelSSTData::AddRun(CFormatingRuns* run) {
    if (run) GetExtra().runs.Add(run);
}

CExcelSSTData::Extra& CExcelSSTData::GetExtra() {
    if (!m_extra) m_extra = std::make_unique<Extra>();
    return *m_extra;
}
