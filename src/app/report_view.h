#pragma once

#include <QAbstractScrollArea>
#include <array>
#include <memory>

#include "reports/report_object.h"
#include "shell/dialog_bar_rules.h"

class QPainter;

namespace pf {

class DocumentHandle;

// One child window's view: it keeps the view id and the dialog-bar state of its window and,
// on every update, throws its content away and asks the view catalogue for a new one, lays
// it out and sets the scroll sizes. Scroll positions are in the content's logical units
// (0.1 mm), with a page step of 500 and a line step of 30.
class ReportView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    ReportView(DocumentHandle* document, const ChildViewState& state, QWidget* parent = nullptr);
    ~ReportView() override;

    DocumentHandle* Document() const { return document_; }
    const ChildViewState& State() const { return state_; }
    // Takes a new dialog-bar state (or view id); the caller then updates the document's
    // views (only this one, with kHintActiveView) so the report is rebuilt.
    void SetState(const ChildViewState& state) { state_ = state; }

    // Deletes the content and builds a new one for the view id and the state.
    void Rebuild();
    // The content on display (a report or the view's title page), or nullptr before the
    // first Rebuild.
    ReportObject* Report() const { return report_.get(); }
    QString ViewTitle() const;
    // The report's size in logical units, as laid out on this view's screen.
    ReportSize ContentSize() const { return size_; }
    double LastBuildMilliseconds() const { return lastBuildMs_; }
    // Device pixels per logical unit on this view's screen.
    double PixelsPerUnit() const;

    // Draws what `visibleLogical` covers on `painter` with its logical (0, 0) at `origin`.
    void DrawContent(QPainter& painter, QPointF origin, const Rect& visibleLogical);

  signals:
    // Double click on the content: what lies under the pointer.
    void rowDoubleClicked(const HitResult& hit);
    // The context menu is asked for at `globalPos` over what lies there.
    void rowContextMenuRequested(const HitResult& hit, const QPoint& globalPos);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void UpdateScrollBars();
    Point ToLogical(QPoint viewportPoint) const;

    DocumentHandle* document_;
    ChildViewState state_;
    std::unique_ptr<ReportObject> report_;
    ReportSize size_;
    double lastBuildMs_ = 0.0;
};

}  // namespace pf
