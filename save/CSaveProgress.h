// What a save publishes about its progress: SaveProgress and
// SaveProgressText of the run state, and the position of the model's save
// progress bar (when it has one), which follows SaveProgress.
//
// The bar's range is 0..Total(): one per workbook, plus per worksheet the
// records the save steps over (numbers, formulas, XF records, blank cells,
// Booleans and errors, columns, rows, tips, merged ranges, texts and
// comments). The writing adds one per record it handles, so the position
// stays within the range. Used by one thread (the save worker); readers poll
// the run state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CExcelData;
class ProgressTarget;

class CSaveProgress {
public:
    // target may be null (no bar to drive).
    explicit CSaveProgress(ProgressTarget* target);

    // The range's upper bound for data; saturates at the 32-bit maximum.
    static std::uint32_t Total(const CExcelData& data);

    // Range 0..total on the bar, position 1.
    void Start(std::uint32_t total);

    // SaveProgressText replaced / extended.
    void SetText(std::u16string text);
    void AppendText(std::u16string_view text);

    // SaveProgress = position; Add(n) adds n (wrapping never happens in
    // practice: the total is below 2^32 records).
    void Set(std::uint32_t position);
    void Add(std::uint32_t count);
    void Step() { Add(1); }
    std::uint32_t Get() const { return m_position; }

private:
    ProgressTarget* m_target;
    std::u16string m_text;
    std::uint32_t m_position = 0;
};
