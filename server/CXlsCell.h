// One stored cell of a row, 16 bytes: the column, what the cell holds, its
// format id and an 8-byte payload (a double, or a string or formula id).
// Cells that hold nothing and carry the format their row or column would
// give them are not stored at all.
#pragma once

#include <bit>
#include <cstdint>

enum class EXlsCellKind : std::uint8_t {
    kBlank,    // no value, a format of its own
    kNumber,   // payload: the double
    kText,     // payload: string pool id
    kBoolean,  // small: 0 or 1
    kError,    // small: the error code
    kFormula,  // payload: index of the sheet's formula slot
};

class CXlsCell {
  public:
    CXlsCell() = default;
    CXlsCell(std::uint16_t column, std::uint32_t formatId)
        : m_column(column), m_formatId(formatId) {}

    std::uint16_t Column() const { return m_column; }
    EXlsCellKind Kind() const { return m_kind; }
    std::uint32_t FormatId() const { return m_formatId; }
    void SetFormatId(std::uint32_t formatId) { m_formatId = formatId; }

    double Number() const { return std::bit_cast<double>(m_payload); }
    std::uint32_t Index() const { return static_cast<std::uint32_t>(m_payload); }
    std::uint8_t Small() const { return m_small; }

    void SetBlank() { Set(EXlsCellKind::kBlank, 0, 0); }
    void SetNumber(double value) {
        Set(EXlsCellKind::kNumber, 0, std::bit_cast<std::uint64_t>(value));
    }
    void SetText(std::uint32_t stringId) { Set(EXlsCellKind::kText, 0, stringId); }
    void SetBoolean(bool value) { Set(EXlsCellKind::kBoolean, value ? 1 : 0, 0); }
    void SetError(std::uint8_t code) { Set(EXlsCellKind::kError, code, 0); }
    void SetFormula(std::uint32_t slot) { Set(EXlsCellKind::kFormula, 0, slot); }

  private:
    void Set(EXlsCellKind kind, std::uint8_t small, std::uint64_t payload) {
        m_kind = kind;
        m_small = small;
        m_payload = payload;
    }

    std::uint16_t m_column = 0;
    EXlsCellKind m_kind = EXlsCellKind::kBlank;
    std::uint8_t m_small = 0;
    std::uint32_t m_formatId = 0;
    std::uint64_t m_payload = 0;
};

static_assert(sizeof(CXlsCell) == 16, "cells are kept compact");
