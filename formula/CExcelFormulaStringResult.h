// The text of a formula's string result: a STRING record (0x0207) and the
// CONTINUE records (0x003C) that carry on its characters when the text is
// longer than one record holds.
//
// STRING data:   u16 character count, u8 flags (bit 0: UTF-16), characters
// CONTINUE data: u8 flags (bit 0: UTF-16), more characters
// Each piece chooses its own character width, as in the shared-string
// table. The text ends when the count is reached or the pieces run out (a
// cut text keeps the characters present).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CExcelFormulaStringResult {
public:
    // Starts from the STRING record's data.
    explicit CExcelFormulaStringResult(const std::vector<std::uint8_t>& stringData);

    // Whether more characters are owed than the pieces so far held.
    bool WantsMore() const { return m_text.size() < m_count; }
    // Appends the characters of one CONTINUE record's data.
    void Continue(const std::vector<std::uint8_t>& continueData);

    const std::u16string& Text() const { return m_text; }
    // The text in the form of STRING data: count, flags 0x01, UTF-16
    // characters (what CExcelRecordFormula::SetStringResult keeps).
    std::vector<std::uint8_t> AsStringData() const;

private:
    void Take(const std::vector<std::uint8_t>& data, std::uint32_t flagsAt);

    std::uint32_t m_count = 0;
    std::u16string m_text;
};
