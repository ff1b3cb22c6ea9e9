#include "server/automation/CXlsServerSession.h"

std::shared_ptr<CXlsServerDocument> CXlsServerSession::Workbook(std::size_t position) const {
    return position < m_workbooks.size() ? m_workbooks[position] : nullptr;
}

std::shared_ptr<CXlsServerDocument> CXlsServerSession::AddWorkbook() {
    if (m_workbooks.size() >= kMaxWorkbooks) return nullptr;
    m_workbooks.push_back(std::make_shared<CXlsServerDocument>());
    m_active = m_workbooks.size() - 1;
    return m_workbooks.back();
}

std::shared_ptr<CXlsServerDocument> CXlsServerSession::ActiveWorkbook() const {
    return Workbook(m_active);
}

void CXlsServerSession::Activate(const CXlsServerDocument& document) {
    for (std::size_t i = 0; i < m_workbooks.size(); ++i) {
        if (m_workbooks[i].get() == &document) m_active = i;
    }
}

void CXlsServerSession::CloseAll() {
    m_workbooks.clear();
    m_active = kNoWorkbook;
}
