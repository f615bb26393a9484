#include "app/report_view.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "app/document_handle.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_canvas.h"
#include "qtcanvas/qt_string.h"
#include "reports/report_format.h"
#include "shell/view_catalogue.h"

namespace pf {

namespace {

constexpr int kPageStep = 500;
constexpr int kLineStep = 30;

// A one-pixel image at the view's resolution: text is measured there when no paint event
// is running, with the same metrics as on the widget.
QImage MeasuringImage(int dpiX, int dpiY) {
    QImage image(1, 1, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(dpiX / 0.0254)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(dpiY / 0.0254)));
    return image;
}

}  // namespace

ReportView::ReportView(DocumentHandle* document, const ChildViewState& state, QWidget* parent)
    : QAbstractScrollArea(parent), document_(document), state_(state) {
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    connect(document_, &DocumentHandle::viewsNeedUpdate, this, [this](QObject* sender, int hint) {
        if (hint == kHintActiveView && sender != this) return;
        Rebuild();
    });
}

ReportView::~ReportView() = default;

QString ReportView::ViewTitle() const {
    const ViewEntry* info = FindView(state_.viewId);
    return info != nullptr ? ToQString(info->title) : QString();
}

double ReportView::PixelsPerUnit() const { return logicalDpiX() / 254.0; }

void ReportView::Rebuild() {
    QElapsedTimer timer;
    timer.start();
    report_.reset();
    QImage image = MeasuringImage(logicalDpiX(), logicalDpiY());
    {
        WaitCursor wait;
        QPainter painter(&image);
        QtCanvas canvas(painter);
        CFolari2Doc& doc = document_->Doc();
        DetermineScreenScale(doc, canvas);
        report_ = BuildViewContent(doc, state_.viewId, state_.ToViewState());
        size_ = report_ ? report_->Layout(canvas) : ReportSize{};
    }
    lastBuildMs_ = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    UpdateScrollBars();
    viewport()->update();
}

void ReportView::UpdateScrollBars() {
    const double ppu = PixelsPerUnit();
    // Scroll positions are logical units, so even a table of decades of days (some 300,000
    // units high) scrolls to its last row.
    const int width = size_.width;
    const int height = size_.height;
    const int visibleWidth = static_cast<int>(viewport()->width() / ppu);
    const int visibleHeight = static_cast<int>(viewport()->height() / ppu);
    horizontalScrollBar()->setRange(0, std::max(0, width - visibleWidth));
    verticalScrollBar()->setRange(0, std::max(0, height - visibleHeight));
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setPageStep(kPageStep);
        bar->setSingleStep(kLineStep);
    }
}

Point ReportView::ToLogical(QPoint p) const {
    const double ppu = PixelsPerUnit();
    return {horizontalScrollBar()->value() + static_cast<int>(std::lround(p.x() / ppu)),
            -(verticalScrollBar()->value() + static_cast<int>(std::lround(p.y() / ppu)))};
}

void ReportView::DrawContent(QPainter& painter, QPointF origin, const Rect& visible) {
    if (!report_) return;
    QtCanvas canvas(painter, origin);
    report_->DrawScreen(canvas, visible);
}

void ReportView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    const double ppu = PixelsPerUnit();
    const int hs = horizontalScrollBar()->value();
    const int vs = verticalScrollBar()->value();
    const QPointF origin(-hs * ppu, -vs * ppu);
    const Rect visible{hs, -vs, hs + static_cast<int>(std::ceil(viewport()->width() / ppu)),
                       -vs - static_cast<int>(std::ceil(viewport()->height() / ppu))};
    DrawContent(painter, origin, visible);
}

void ReportView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void ReportView::scrollContentsBy(int, int) { viewport()->update(); }

void ReportView::keyPressEvent(QKeyEvent* event) {
    // Arrows and page keys scroll through the scroll area; Home and End go to the report's
    // start and end (with Ctrl) or to its left and right edge.
    QScrollBar* bar =
        event->modifiers() & Qt::ControlModifier ? verticalScrollBar() : horizontalScrollBar();
    if (event->key() == Qt::Key_Home) {
        bar->setValue(bar->minimum());
        return;
    }
    if (event->key() == Qt::Key_End) {
        bar->setValue(bar->maximum());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void ReportView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (report_ && event->button() == Qt::LeftButton)
        emit rowDoubleClicked(report_->HitTest(ToLogical(event->position().toPoint())));
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void ReportView::contextMenuEvent(QContextMenuEvent* event) {
    // A keyboard request has no point over a row: it asks for the menu without one.
    const HitResult hit = report_ && event->reason() == QContextMenuEvent::Mouse
                              ? report_->HitTest(ToLogical(event->pos()))
                              : HitResult{};
    emit rowContextMenuRequested(hit, event->globalPos());
    event->accept();
}

}  // namespace pf
