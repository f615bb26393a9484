#include "app/dialogs/entry_pages_frame.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "app/help.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

EntryPagesFrame::EntryPagesFrame(QWidget* parent) : QDialog(parent) {
    previous_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowBack), QString(), this);
    previous_->setObjectName(u"previous"_s);
    previous_->setToolTip(u"Vorherige Seite"_s);
    previous_->setAutoDefault(false);
    next_ = new QPushButton(style()->standardIcon(QStyle::SP_ArrowForward), QString(), this);
    next_->setObjectName(u"next"_s);
    next_->setToolTip(u"Nächste Seite"_s);
    next_->setAutoDefault(false);
    pageLine_ = new QLabel(this);
    pageLine_->setObjectName(u"pageLine"_s);
    pageLine_->setAlignment(Qt::AlignCenter);
    // Room for "Seite 999 von 999" without the line moving the buttons as it changes.
    pageLine_->setMinimumWidth(fontMetrics().horizontalAdvance(u"Seite 999 von 999"_s) +
                               fontMetrics().averageCharWidth() * 2);
    close_ = new QPushButton(u"Schließen"_s, this);
    close_->setObjectName(u"close"_s);
    close_->setAutoDefault(false);
    connect(previous_, &QPushButton::clicked, this, [this] { Turn(false); });
    connect(next_, &QPushButton::clicked, this, [this] { Turn(true); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    help_ = MakeHelpButton(this);
}

QLayout* EntryPagesFrame::PagingRow() {
    auto* row = new QHBoxLayout;
    row->addWidget(previous_);
    row->addWidget(pageLine_);
    row->addWidget(next_);
    row->addStretch(1);
    row->addWidget(close_);
    row->addWidget(help_);
    return row;
}

void EntryPagesFrame::TabToPagingRow(QWidget* last) {
    QWidget::setTabOrder(last, previous_);
    QWidget::setTabOrder(previous_, next_);
    QWidget::setTabOrder(next_, close_);
}

void EntryPagesFrame::WatchField(QLineEdit* edit, size_t row) {
    edit->installEventFilter(this);
    watched_.emplace_back(edit, row);
}

bool EntryPagesFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !refreshing_) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            for (const auto& [edit, row] : watched_) {
                if (edit == watched && row < ShownRows() && Field(row) == edit) {
                    LeaveRow(row);
                    break;
                }
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void EntryPagesFrame::LeaveRow(size_t row) {
    QLineEdit* field = Field(row);
    Leave(row, FromQString(field->text()));
    const QString shown = ToQString(FormText(row));
    if (field->text() != shown) field->setText(shown);
}

void EntryPagesFrame::LeavePending() {
    for (size_t row = 0; row < ShownRows(); ++row) {
        QLineEdit* field = Field(row);
        if (field->hasFocus() || FromQString(field->text()) != FormText(row)) LeaveRow(row);
    }
}

void EntryPagesFrame::Refresh() {
    refreshing_ = true;
    ShowRows();
    pageLine_->setText(ToQString(PageLine()));
    next_->setDefault(NextIsDefault());
    refreshing_ = false;
}

void EntryPagesFrame::Turn(bool forward) {
    LeavePending();
    TurnPage(forward);
    Refresh();
}

void EntryPagesFrame::done(int result) {
    LeavePending();
    QDialog::done(result);
}

void SetElidedText(QLabel* label, const QString& text) {
    const int width = label->minimumWidth();
    const QString shown =
        width > 0 ? label->fontMetrics().elidedText(text, Qt::ElideRight, width) : text;
    label->setText(shown);
    label->setToolTip(shown != text ? text : QString());
}

}  // namespace pf
