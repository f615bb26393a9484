#include "app/dialogs/rate_entry_dialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {}  // namespace

RateEntryDialog::RateEntryDialog(CFolari2Doc& doc, CQRNDatum date, QWidget* parent)
    : EntryPagesFrame(parent), doc_(doc), pages_(RateEntryPages::Open(doc, date)) {
    setWindowTitle(ToQString(kRateEntryTitle));

    order_ = new QComboBox(this);
    order_->setObjectName(u"order"_s);
    order_->addItems({u"Symbol"_s, u"Bezeichnung"_s});
    order_->setCurrentIndex(pages_.order);
    date_ = DatePicker(this, u"date"_s);
    date_->setDate(ToQDate(pages_.date));

    auto* choices = new QGridLayout;
    choices->addWidget(BuddyLabel(u"&Sortieren nach"_s, order_, this), 0, 0);
    choices->addWidget(order_, 0, 1);
    choices->addWidget(BuddyLabel(u"&Datum"_s, date_, this), 0, 3);
    choices->addWidget(date_, 0, 4, Qt::AlignLeft);
    const int charWidth = fontMetrics().averageCharWidth();
    choices->setColumnMinimumWidth(2, charWidth * 3);
    choices->setColumnStretch(5, 1);

    auto* grid = new QGridLayout;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QString n = QString::number(i);
        RowWidgets& r = rows_[i];
        auto label = [this, &n](const QString& name, int minChars) {
            auto* l = new QLabel(this);
            l->setObjectName(name + n);
            l->setTextFormat(Qt::PlainText);
            l->setMinimumWidth(fontMetrics().averageCharWidth() * minChars);
            return l;
        };
        auto field = [this, &n, charWidth](const QString& name) {
            auto* f = new QLineEdit(this);
            f->setObjectName(name + n);
            f->setAlignment(Qt::AlignRight);
            f->setFixedWidth(charWidth * 14);
            return f;
        };
        r.name = label(u"name"_s, 26);
        r.left = field(u"left"_s);
        r.symbol = label(u"symbol"_s, 8);
        r.right = field(u"right"_s);
        r.reference = label(u"reference"_s, 6);
        const int gridRow = static_cast<int>(i);
        int column = 0;
        for (QWidget* w : {static_cast<QWidget*>(r.name), static_cast<QWidget*>(r.left),
                           static_cast<QWidget*>(r.symbol), static_cast<QWidget*>(r.right),
                           static_cast<QWidget*>(r.reference)}) {
            QSizePolicy policy = w->sizePolicy();
            policy.setRetainSizeWhenHidden(true);
            w->setSizePolicy(policy);
            grid->addWidget(w, gridRow, column++);
        }
        WatchField(r.left, i);
        WatchField(r.right, i);
    }
    grid->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addSpacing(charWidth);
    layout->addLayout(grid);
    layout->addSpacing(charWidth);
    layout->addLayout(PagingRow());

    QWidget::setTabOrder(order_, date_);
    QWidget* previous = date_;
    for (const RowWidgets& r : rows_) {
        QWidget::setTabOrder(previous, r.left);
        QWidget::setTabOrder(r.left, r.right);
        previous = r.right;
    }
    TabToPagingRow(previous);

    Refresh();

    connect(order_, &QComboBox::currentIndexChanged, this, [this](int) { ChoicesChanged(); });
    connect(date_, &QDateEdit::dateChanged, this, [this] { ChoicesChanged(); });
    if (!pages_.rows.empty()) Field(0)->setFocus(Qt::OtherFocusReason);
}

QLineEdit* RateEntryDialog::Field(size_t row) const {
    return pages_.rows[row].rateOnLeft ? rows_[row].left : rows_[row].right;
}

void RateEntryDialog::Leave(size_t row, const std::string& text) {
    pages_.rows[row].Rate() = text;
    pages_.LeaveRate(doc_, row);
}

void RateEntryDialog::TurnPage(bool forward) {
    if (forward)
        pages_.Next(doc_);
    else
        pages_.Previous(doc_);
}

void RateEntryDialog::ShowRows() {
    for (size_t i = 0; i < rows_.size(); ++i) {
        const RowWidgets& r = rows_[i];
        const bool shown = i < pages_.rows.size();
        if (shown) {
            const RateEntryRow& row = pages_.rows[i];
            SetElidedText(r.name, ToQString(row.name));
            r.left->setText(ToQString(row.left));
            r.symbol->setText(ToQString(row.symbolLine));
            r.right->setText(ToQString(row.right));
            r.reference->setText(ToQString(row.reference));
        } else {
            r.name->clear();
            r.left->clear();
            r.symbol->clear();
            r.right->clear();
            r.reference->clear();
        }
        for (QWidget* w : {static_cast<QWidget*>(r.name), static_cast<QWidget*>(r.left),
                           static_cast<QWidget*>(r.symbol), static_cast<QWidget*>(r.right),
                           static_cast<QWidget*>(r.reference)}) {
            w->setVisible(shown);
            w->setEnabled(shown);
        }
        if (shown) {
            const bool onLeft = pages_.rows[i].rateOnLeft;
            r.left->setEnabled(onLeft);
            r.right->setEnabled(!onLeft);
        }
    }
}

void RateEntryDialog::ChoicesChanged() {
    LeavePending();
    pages_.date = FromQDate(date_->date());
    pages_.order = order_->currentIndex();
    pages_.Rebuild(doc_);
    Refresh();
}

}  // namespace pf
