#include "app/child_frame.h"

#include <QCloseEvent>

#include "app/document_handle.h"
#include "app/report_view.h"

namespace pf {

ChildFrame::ChildFrame(ReportView* view, std::function<bool(ChildFrame*)> mayClose, QWidget* parent)
    : QMdiSubWindow(parent), view_(view), mayClose_(std::move(mayClose)) {
    setWidget(view_);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(view_->Document(), &DocumentHandle::titleChanged, this, &ChildFrame::UpdateTitle);
    UpdateTitle();
}

DocumentHandle* ChildFrame::Document() const { return view_->Document(); }

void ChildFrame::SetWindowNumber(int number) {
    number_ = number;
    UpdateTitle();
}

void ChildFrame::UpdateTitle() {
    QString title = Document()->Title();
    if (number_ > 0) title += QStringLiteral(":%1").arg(number_);
    title += QStringLiteral(" - ") + view_->ViewTitle();
    // "[*]" is where Qt shows the modified mark.
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(Document()->IsModified());
}

void ChildFrame::closeEvent(QCloseEvent* event) {
    if (mayClose_ && !mayClose_(this)) {
        event->ignore();
        return;
    }
    closing_ = true;
    QMdiSubWindow::closeEvent(event);
}

}  // namespace pf
