// The settings of one worksheet column: its width, whether it is hidden and
// its column format. A hidden column keeps its width for when it is shown
// again.
#pragma once

#include <cstdint>

class CXlsColumn {
public:
    // The width a column has until one is set: 8.43 characters of Arial 10.
    static constexpr double kStandardWidth = 8.43;

    bool HasCustomWidth() const { return m_customWidth; }
    // In characters of the default font's digits.
    double Width() const { return m_customWidth ? m_width : kStandardWidth; }
    void SetWidth(double characters) {
        m_width = characters;
        m_customWidth = true;
    }

    bool IsHidden() const { return m_hidden; }
    void SetHidden(bool hidden) { m_hidden = hidden; }

    bool HasFormat() const { return m_hasFormat; }
    std::uint32_t FormatId() const { return m_formatId; }
    void SetFormatId(std::uint32_t formatId) {
        m_formatId = formatId;
        m_hasFormat = true;
    }

private:
    double m_width = kStandardWidth;
    std::uint32_t m_formatId = 0;
    bool m_customWidth = false;
    bool m_hidden = false;
    bool m_hasFormat = false;
};
