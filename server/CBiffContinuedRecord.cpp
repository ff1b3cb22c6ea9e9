#include "server/CBiffContinuedRecord.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

}  // namespace

CBiffContinuedRecord::CBiffContinuedRecord(CBiffRecordWriter& out, std::uint16_t type)
    : m_out(out), m_current(type) {}

bool CBiffContinuedRecord::StartContinue() {
    if (m_failed || !m_out.Write(m_current)) {
        m_failed = true;
        return false;
    }
    m_current.Reset(xlsw::kCONTINUE);
    return true;
}

bool CBiffContinuedRecord::Reserve(std::uint32_t n) {
    if (m_failed || n > xlsw::kMaxRecordBody) return false;
    return n <= m_current.Room() || StartContinue();
}

bool CBiffContinuedRecord::ReserveLongStringHead(std::u16string_view text) {
    // The count and option byte with the first character, or with a whole
    // surrogate pair, which may be the first character.
    const bool wide = !CBiffRecordBuilder::FitsEightBit(text);
    const std::uint32_t head = text.empty() ? 0 : (wide ? 4 : 1);
    return Reserve(3 + head);
}

bool CBiffContinuedRecord::PutLongString(std::u16string_view text) {
    if (text.size() > 0xFFFF || !ReserveLongStringHead(text)) return false;
    const bool wide = !CBiffRecordBuilder::FitsEightBit(text);
    const std::uint32_t charSize = wide ? 2 : 1;
    const std::uint8_t options = wide ? xlsw::kStringWide : 0;
    m_current.U16(static_cast<std::uint16_t>(text.size())).U8(options);

    std::size_t done = 0;
    while (done < text.size()) {
        std::size_t n = std::min<std::size_t>(text.size() - done, m_current.Room() / charSize);
        // A surrogate pair stays in one record, so that each piece decodes.
        if (n > 0 && done + n < text.size() && IsHighSurrogate(text[done + n - 1])) --n;
        m_current.Chars(text.substr(done, n), wide);
        done += n;
        if (done < text.size()) {
            if (!StartContinue()) return false;
            m_current.U8(options);
        }
    }
    return !m_current.Overflowed();
}

std::uint64_t CBiffContinuedRecord::NextPosition() const {
    return m_out.Position() + xlsw::kRecordHeaderSize + m_current.BodySize();
}

std::uint32_t CBiffContinuedRecord::NextOffsetInRecord() const {
    return xlsw::kRecordHeaderSize + m_current.BodySize();
}

bool CBiffContinuedRecord::Finish() {
    if (m_failed || !m_out.Write(m_current)) m_failed = true;
    return !m_failed;
}
