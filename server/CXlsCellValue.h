// The value of one cell as the model hands it out: empty, a number, a text,
// a Boolean or an error code. For a formula cell it is the cached result.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

enum class EXlsValueKind : std::uint8_t { kEmpty, kNumber, kText, kBoolean, kError };

class CXlsCellValue {
  public:
    CXlsCellValue() = default;
    static CXlsCellValue Number(double value) {
        CXlsCellValue v(EXlsValueKind::kNumber);
        v.m_number = value;
        return v;
    }
    static CXlsCellValue Text(std::u16string text) {
        CXlsCellValue v(EXlsValueKind::kText);
        v.m_text = std::move(text);
        return v;
    }
    static CXlsCellValue Boolean(bool value) {
        CXlsCellValue v(EXlsValueKind::kBoolean);
        v.m_code = value ? 1 : 0;
        return v;
    }
    static CXlsCellValue Error(std::uint8_t code) {
        CXlsCellValue v(EXlsValueKind::kError);
        v.m_code = code;
        return v;
    }

    // The error codes a cell can hold: #NULL! 0x00, #DIV/0! 0x07, #VALUE!
    // 0x0F, #REF! 0x17, #NAME? 0x1D, #NUM! 0x24, #N/A 0x2A.
    static bool IsErrorCode(std::uint8_t code) {
        for (std::uint8_t known : {0x00, 0x07, 0x0F, 0x17, 0x1D, 0x24, 0x2A}) {
            if (code == known) return true;
        }
        return false;
    }

    EXlsValueKind Kind() const { return m_kind; }
    double GetNumber() const { return m_number; }
    const std::u16string& GetText() const { return m_text; }
    bool GetBoolean() const { return m_code != 0; }
    std::uint8_t GetErrorCode() const { return m_code; }

    bool operator==(const CXlsCellValue& other) const = default;

  private:
    explicit CXlsCellValue(EXlsValueKind kind) : m_kind(kind) {}

    EXlsValueKind m_kind = EXlsValueKind::kEmpty;
    double m_number = 0.0;
    std::u16string m_text;
    std::uint8_t m_code = 0;
};
