#include "records/CExcelSSTDataList.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {

// Chunks of the text store start small (most tables hold a few strings)
// and double up to a huge page. A string that does not fit in what is left of a
// chunk starts the next one; since a string holds at most 64 Ki characters,
// at most that much is left unused at the end of a full-sized chunk.
constexpr std::size_t kFirstChunkChars = 256;
constexpr std::size_t kLargestChunkChars = CBulkBlock::kHugePage / sizeof(char16_t);

}  // namespace

void CExcelSSTDataList::Add(const CExcelSSTData& entry) {
    CExcelSSTData attributes;
    attributes.SetFlags(entry.IsRich(), entry.IsExtended());
    attributes.SetExtensionOffset(entry.GetExtensionOffset());
    for (const CFormatingRuns& run : entry.GetRuns()) attributes.AddRun(new CFormatingRuns(run));
    Add(entry.GetText(), std::move(attributes));
}

void CExcelSSTDataList::Add(std::unique_ptr<CExcelSSTData> entry) {
    // The text stays where it is (in the entry's own block) until Add has
    // copied it.
    if (entry) Add(entry->GetText(), std::move(*entry));
}

void CExcelSSTDataList::Add(std::u16string_view text, CExcelSSTData&& attributes) {
    text = text.substr(0, CExcelSSTData::kMaxChars);
    const char16_t* stored = Store(text);
    CExcelSSTData& added = m_entries.emplace_back(std::move(attributes));
    added.m_text = stored;
    added.m_length = static_cast<std::uint16_t>(text.size());
    added.m_lost = false;
    // An entry's own text is no longer needed, nor its block when it holds
    // no runs.
    if (added.m_extra && added.m_extra->runs.IsEmpty())
        added.m_extra.reset();
    else if (added.m_extra)
        std::u16string().swap(added.m_extra->ownText);
}

void CExcelSSTDataList::AddLost() {
    m_entries.emplace_back().m_lost = true;
    ++m_lostCount;
}

void CExcelSSTDataList::SetLost(std::uint32_t index) {
    if (index >= m_entries.size() || m_entries[index].m_lost) return;
    CExcelSSTData& entry = m_entries[index];
    // The text stays in the store: only the end of the store can be given
    // back, and Resize does that when the index is dropped.
    entry.m_extra.reset();
    entry.m_lost = true;
    ++m_lostCount;
}

void CExcelSSTDataList::Resize(std::uint32_t count) {
    while (m_entries.size() < count) AddLost();
    if (m_entries.size() <= count) return;
    const auto dropped = m_entries.begin() + count;
    // Texts are stored in table order: the first dropped text is where the
    // dropped characters begin.
    const auto firstText = std::find_if(dropped, m_entries.end(), [](const CExcelSSTData& entry) {
        return entry.m_text != nullptr;
    });
    if (firstText != m_entries.end()) Unstore(firstText->m_text);
    m_lostCount -= static_cast<std::uint32_t>(std::count_if(
        dropped, m_entries.end(), [](const CExcelSSTData& entry) { return entry.m_lost; }));
    m_entries.resize(count);
}

const CExcelSSTData* CExcelSSTDataList::GetAt(std::uint32_t index) const {
    if (index >= m_entries.size()) return nullptr;
    const CExcelSSTData& entry = m_entries[index];
    return entry.m_lost ? nullptr : &entry;
}

std::u16string CExcelSSTDataList::GetString(std::uint32_t index, bool& found) const {
    const CExcelSSTData* entry = GetAt(index);
    found = entry != nullptr;
    return entry ? std::u16string(entry->GetText()) : std::u16string();
}

const char16_t* CExcelSSTDataList::Store(std::u16string_view text) {
    if (text.empty()) return nullptr;
    if (m_chunks.empty() || m_chunkSize - m_chunkUsed < text.size()) {
        const std::size_t grown =
            m_chunks.empty() ? kFirstChunkChars : std::min(2 * m_chunkSize, kLargestChunkChars);
        m_chunkSize = std::max(grown, text.size());
        m_chunks.push_back(CBulkBlock::Make<char16_t>(m_chunkSize));
        m_chunkUsed = 0;
    }
    char16_t* at = m_chunks.back().get() + m_chunkUsed;
    std::copy(text.begin(), text.end(), at);
    m_chunkUsed += text.size();
    return at;
}

void CExcelSSTDataList::Unstore(const char16_t* text) {
    if (m_chunks.empty()) return;
    const char16_t* chunk = m_chunks.back().get();
    // std::less orders pointers into other chunks too.
    const std::less<const char16_t*> before;
    if (!before(text, chunk) && before(text, chunk + m_chunkUsed))
        m_chunkUsed = static_cast<std::size_t>(text - chunk);
}

void CExcelSSTDataList::ReleaseSpare() {
    if (!m_chunks.empty())
        CBulkBlock::ReleaseUnused(m_chunks.back().get(), m_chunkSize, m_chunkUsed);
}

void CExcelSSTDataList::RemoveAll() {
    m_entries = std::deque<CExcelSSTData>();
    m_lostCount = 0;
    m_chunks = std::vector<CBulkBlock::Ptr<char16_t>>();
    m_chunkSize = 0;
    m_chunkUsed = 0;
}
