#include "app/CSFSRepairStatusView.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <algorithm>

#include "app/CMendwellDoc.h"
#include "app/CReportSummaryRow.h"
#include "app/CStepLinks.h"

namespace {

// The picture is laid out on a 100 x 80 grid and scaled into the free area,
// so it keeps its shape at any window size.
constexpr qreal kPictureWidth = 100.0;
constexpr qreal kPictureHeight = 80.0;

void DrawSheet(QPainter& painter) {
    // A sheet of paper with a header row and column and a few cells.
    painter.setPen(QPen(QColor(90, 90, 90), 0.6));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(6, 4, 64, 72));
    painter.setBrush(QColor(225, 230, 240));
    painter.drawRect(QRectF(6, 4, 64, 8));
    painter.drawRect(QRectF(6, 4, 10, 72));
    painter.setPen(QPen(QColor(170, 175, 185), 0.4));
    for (qreal y = 20; y < 76; y += 8) painter.drawLine(QPointF(6, y), QPointF(70, y));
    for (qreal x = 34; x < 70; x += 18) painter.drawLine(QPointF(x, 4), QPointF(x, 76));
    // The crack the repair closed, and the plaster across it.
    painter.setPen(QPen(QColor(200, 60, 50), 0.8, Qt::DashLine));
    QPainterPath crack;
    crack.moveTo(20, 12);
    crack.lineTo(30, 30);
    crack.lineTo(24, 44);
    crack.lineTo(40, 62);
    crack.lineTo(36, 76);
    painter.drawPath(crack);
    painter.save();
    painter.translate(28, 40);
    painter.rotate(-35);
    painter.setPen(QPen(QColor(170, 120, 70), 0.5));
    painter.setBrush(QColor(235, 190, 140));
    painter.drawRoundedRect(QRectF(-14, -4, 28, 8), 3, 3);
    painter.setBrush(QColor(215, 165, 115));
    painter.drawRect(QRectF(-4, -4, 8, 8));
    painter.restore();
}

void DrawCheckMark(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 150, 70));
    painter.drawEllipse(QPointF(76, 56), 17, 17);
    painter.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath tick;
    tick.moveTo(68, 56);
    tick.lineTo(74, 63);
    tick.lineTo(85, 48);
    painter.drawPath(tick);
}

}  // namespace

CSFSRepairStatusView::CSFSRepairStatusView(CMainFrame* frame, int identifier, QWidget* parent)
    : CScreenView(frame, identifier, parent) {
    auto* outer = new QHBoxLayout(this);
    m_links = new CStepLinks(frame, this);
    m_links->ConnectDefaults();
    outer->addWidget(m_links);
    // The picture fills the space above the verdict.
    auto* page = new QVBoxLayout;
    page->addStretch(1);
    m_summary = new CReportSummaryRow(GetDialogs(), this);
    page->addWidget(m_summary);
    outer->addLayout(page, 1);
}

CSFSRepairStatusView::~CSFSRepairStatusView() = default;

void CSFSRepairStatusView::OnShow() {
    m_links->Refresh();
    m_summary->ShowReport(GetDocument()->GetRepairReport());
}

CReportSummaryRow* CSFSRepairStatusView::GetSummary() const {
    return m_summary;
}

void CSFSRepairStatusView::paintEvent(QPaintEvent*) {
    QRect free = rect().adjusted(m_links->geometry().right() + 1, 0, 0, 0);
    if (m_summary->isVisible()) free.setBottom(m_summary->geometry().top() - 1);
    if (free.width() < 8 || free.height() < 8) return;
    const qreal scale =
        std::min(free.width() / kPictureWidth, free.height() / kPictureHeight) * 0.8;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(free.center().x() - kPictureWidth * scale / 2,
                      free.center().y() - kPictureHeight * scale / 2);
    painter.scale(scale, scale);
    DrawSheet(painter);
    DrawCheckMark(painter);
}
