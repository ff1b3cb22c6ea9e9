#include "widgets/CGridCtrl.h"

#include "containers/CSheetGridStore.h"

CGridCtrl::CGridCtrl(QWidget* parent) : QAbstractScrollArea(parent) {}

CGridCtrl::~CGridCtrl() = default;

void CGridCtrl::SetStore(CSheetGridStore* store) {
    m_store = store;
    viewport()->update();
}

QString CGridCtrl::ColumnHeaderText(int column) {
    if (column <= 0) return {};
    if (column <= 26) return QString(QChar('A' + column - 1));
    const int first = (column - 1) / 26;
    const int second = (column - 1) % 26 + 1;
    return QString(QChar('A' + first - 1)) + QChar('A' + second - 1);
}

void CGridCtrl::SetCurrentCell(int row, int column) {
    if (row < 1 || column < 1) return;
    if (row == m_currentRow && column == m_currentColumn) return;
    m_currentRow = row;
    m_currentColumn = column;
    emit CurrentCellChanged(row, column);
}

bool CGridCtrl::Print(QPrinter*) { return false; }

void CGridCtrl::PrintWithDialog() {}

void CGridCtrl::PrintPreview() {}

void CGridCtrl::RefreshFromStore() { viewport()->update(); }
