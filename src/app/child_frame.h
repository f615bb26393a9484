#pragma once

#include <QMdiSubWindow>
#include <functional>

namespace pf {

class DocumentHandle;
class ReportView;

// A child window of the main frame: one view of one document.
class ChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    // `mayClose` is asked before the window closes (the main window asks to save when it is
    // the document's last window).
    ChildFrame(ReportView* view, std::function<bool(ChildFrame*)> mayClose,
               QWidget* parent = nullptr);

    ReportView* View() const { return view_; }
    DocumentHandle* Document() const;
    // Window number among the document's windows (0: the only one), shown as ":n".
    void SetWindowNumber(int number);
    void UpdateTitle();
    // Set once the window has agreed to close; it stays in the window list until deleted.
    bool IsClosing() const { return closing_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    ReportView* view_;
    std::function<bool(ChildFrame*)> mayClose_;
    int number_ = 0;
    bool closing_ = false;
};

}  // namespace pf
