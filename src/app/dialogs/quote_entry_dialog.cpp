#include "app/dialogs/quote_entry_dialog.h"

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

namespace {

QComboBox* ChoiceList(const QString& name, const QStringList& items, int current, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    list->addItems(items);
    list->setCurrentIndex(current);
    return list;
}

// Hidden rows keep their room, so the dialog keeps its shape from page to page.
void KeepRoomWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

}  // namespace

QuoteEntryDialog::QuoteEntryDialog(CFolari2Doc& doc, CQRNDatum date, int32_t securityId,
                                   QWidget* parent)
    : EntryPagesFrame(parent), doc_(doc), pages_(QuoteEntryPages::Open(doc, date, securityId)) {
    setWindowTitle(ToQString(kQuoteEntryTitle));

    filter_ =
        ChoiceList(u"filter"_s,
                   {u"alle Wertpapiere"_s, u"Wertpapiere im Depot"_s, u"ausgewählte Wertpapiere"_s},
                   pages_.filter, this);
    const QStringList keys = {u"Bezeichnung"_s, u"WKN"_s, ToQString(doc.options.isinLabel)};
    label_ = ChoiceList(u"label"_s, keys, pages_.label, this);
    order_ = ChoiceList(u"order"_s, keys, pages_.order, this);
    date_ = DatePicker(this, u"date"_s);
    date_->setDate(ToQDate(pages_.date));

    auto* choices = new QGridLayout;
    choices->addWidget(BuddyLabel(u"&Wertpapiere"_s, filter_, this), 0, 0);
    choices->addWidget(filter_, 0, 1);
    choices->addWidget(BuddyLabel(u"&Anzeige"_s, label_, this), 0, 3);
    choices->addWidget(label_, 0, 4);
    choices->addWidget(BuddyLabel(u"&Sortieren nach"_s, order_, this), 1, 0);
    choices->addWidget(order_, 1, 1);
    choices->addWidget(BuddyLabel(u"&Datum"_s, date_, this), 1, 3);
    choices->addWidget(date_, 1, 4, Qt::AlignLeft);
    choices->setColumnMinimumWidth(2, fontMetrics().averageCharWidth() * 3);
    choices->setColumnStretch(5, 1);

    const int charWidth = fontMetrics().averageCharWidth();
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    for (size_t i = 0; i < rows_.size(); ++i) {
        const QString n = QString::number(i);
        RowWidgets& r = rows_[i];
        r.label = new QLabel(this);
        r.label->setObjectName(u"label"_s + n);
        r.label->setTextFormat(Qt::PlainText);  // names may hold "&" or "<"
        r.label->setMinimumWidth(charWidth * 36);
        r.price = new QLineEdit(this);
        r.price->setObjectName(ToQString(kQuotePriceField) + n);
        r.price->setAlignment(Qt::AlignRight);
        r.price->setFixedWidth(charWidth * 16);
        r.currency = new QLabel(this);
        r.currency->setObjectName(u"currency"_s + n);
        r.currency->setMinimumWidth(charWidth * 6);
        for (QWidget* w : {static_cast<QWidget*>(r.label), static_cast<QWidget*>(r.price),
                           static_cast<QWidget*>(r.currency)})
            KeepRoomWhenHidden(w);
        const int gridRow = static_cast<int>(i);
        grid->addWidget(r.label, gridRow, 0);
        grid->addWidget(r.price, gridRow, 1);
        grid->addWidget(r.currency, gridRow, 2);
        WatchField(r.price, i);
    }
    grid->setColumnStretch(0, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addSpacing(charWidth);
    layout->addLayout(grid);
    layout->addSpacing(charWidth);
    layout->addLayout(PagingRow());

    QWidget::setTabOrder(filter_, label_);
    QWidget::setTabOrder(label_, order_);
    QWidget::setTabOrder(order_, date_);
    QWidget* previous = date_;
    for (const RowWidgets& r : rows_) {
        QWidget::setTabOrder(previous, r.price);
        previous = r.price;
    }
    TabToPagingRow(previous);

    Refresh();

    const auto changed = [this](int) { ChoicesChanged(); };
    connect(filter_, &QComboBox::currentIndexChanged, this, changed);
    connect(label_, &QComboBox::currentIndexChanged, this, changed);
    connect(order_, &QComboBox::currentIndexChanged, this, changed);
    connect(date_, &QDateEdit::dateChanged, this, [this] { ChoicesChanged(); });

    if (pages_.focusRow >= 0 && static_cast<size_t>(pages_.focusRow) < pages_.rows.size()) {
        QLineEdit* field = rows_[static_cast<size_t>(pages_.focusRow)].price;
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
    } else if (!pages_.rows.empty()) {
        rows_[0].price->setFocus(Qt::OtherFocusReason);
    }
}

void QuoteEntryDialog::Leave(size_t row, const std::string& text) {
    pages_.rows[row].price = text;
    pages_.LeavePrice(doc_, row);
}

void QuoteEntryDialog::TurnPage(bool forward) {
    if (forward)
        pages_.Next(doc_);
    else
        pages_.Previous(doc_);
}

void QuoteEntryDialog::ShowRows() {
    for (size_t i = 0; i < rows_.size(); ++i) {
        const RowWidgets& r = rows_[i];
        const bool shown = i < pages_.rows.size();
        if (shown) {
            const QuoteEntryRow& row = pages_.rows[i];
            SetElidedText(r.label, ToQString(row.label));
            r.price->setText(ToQString(row.price));
            r.currency->setText(ToQString(row.currency));
        } else {
            r.label->clear();
            r.price->clear();
            r.currency->clear();
        }
        for (QWidget* w : {static_cast<QWidget*>(r.label), static_cast<QWidget*>(r.price),
                           static_cast<QWidget*>(r.currency)}) {
            w->setVisible(shown);
            w->setEnabled(shown);
        }
    }
}

void QuoteEntryDialog::ChoicesChanged() {
    LeavePending();
    pages_.date = FromQDate(date_->date());
    pages_.filter = filter_->currentIndex();
    pages_.label = label_->currentIndex();
    pages_.order = order_->currentIndex();
    pages_.Rebuild(doc_);
    Refresh();
}

}  // namespace pf
