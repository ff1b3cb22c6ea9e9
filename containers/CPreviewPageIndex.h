// The records of one cell list sorted out by preview page, each page's in
// list order, so that the pages after the first visit their own records
// only rather than the whole list again.
//
// Page p takes the rows (model row + 3) from 100 (p - 1) to 100 p: a row on
// a boundary belongs to both pages. Rows above 65,000 belong to no page.
// Records are borrowed from the list they came from.
#pragma once

#include <cstddef>
#include <vector>

template <class T>
class CPreviewPageIndex {
public:
    static constexpr int kRowsPerPage = 100;
    static constexpr int kRowLimit = 65000;

    void Add(int row, const T* record) {
        if (row < 0 || row > kRowLimit) return;
        const int page = row / kRowsPerPage + 1;
        // A boundary row is also the last row of the page before (row 0
        // has none).
        if (row % kRowsPerPage == 0 && page > 1) AddTo(page - 1, record);
        AddTo(page, record);
    }

    // The records of page (from 1), in list order.
    const std::vector<const T*>& Page(int page) const {
        static const std::vector<const T*> kNone;
        if (page < 0 || static_cast<std::size_t>(page) >= m_pages.size()) return kNone;
        return m_pages[static_cast<std::size_t>(page)];
    }

private:
    void AddTo(int page, const T* record) {
        const auto at = static_cast<std::size_t>(page);
        if (at >= m_pages.size()) m_pages.resize(at + 1);
        m_pages[at].push_back(record);
    }

    // At most 652 entries: rows stop at 65,000.
    std::vector<std::vector<const T*>> m_pages;
};
