// What one started server holds: its open workbooks in the order they were
// opened, which of them is active, and the application's settings. Every
// object of the server's object model keeps the session alive through a
// std::shared_ptr; the session holds no object, so there are no reference
// cycles and releasing the last object frees everything.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "server/automation/CXlsServerDocument.h"

class CXlsServerSession {
public:
    static constexpr std::size_t kNoWorkbook = static_cast<std::size_t>(-1);
    // More open workbooks than any caller needs; a runaway caller stops here.
    static constexpr std::size_t kMaxWorkbooks = 1024;

    std::size_t WorkbookCount() const { return m_workbooks.size(); }
    // The workbook at a 0-based position, or null.
    std::shared_ptr<CXlsServerDocument> Workbook(std::size_t position) const;
    // A new empty workbook (no sheets), made the active one; null when
    // kMaxWorkbooks are open.
    std::shared_ptr<CXlsServerDocument> AddWorkbook();
    // The active workbook, or null when none is open.
    std::shared_ptr<CXlsServerDocument> ActiveWorkbook() const;
    void Activate(const CXlsServerDocument& document);

    // Closes every workbook (objects that still name one keep it alive).
    void CloseAll();

    bool Visible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    bool DisplayAlerts() const { return m_displayAlerts; }
    void SetDisplayAlerts(bool displayAlerts) { m_displayAlerts = displayAlerts; }

private:
    std::vector<std::shared_ptr<CXlsServerDocument>> m_workbooks;
    std::size_t m_active = kNoWorkbook;
    bool m_visible = false;
    bool m_displayAlerts = true;
};
