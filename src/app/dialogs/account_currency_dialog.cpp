#include "app/dialogs/account_currency_dialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/row_height.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

QComboBox* CurrencyBox(const CFolari2Doc& doc, QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const int32_t id : AccountCurrencyForm::Currencies(doc))
        box->addItem(ToQString(doc.FindCurrency(id)->name), id);
    box->setMinimumWidth(box->fontMetrics().averageCharWidth() * 24);
    return box;
}

}  // namespace

AccountCurrencyDialog::AccountCurrencyDialog(CFolari2Doc& doc, CQRNDatum today, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(doc) {
    setWindowTitle(u"Kontowährung"_s);
    const int charWidth = fontMetrics().averageCharWidth();

    initial_ = CurrencyBox(doc_, this, u"initialCurrency"_s);
    initial_->setCurrentIndex(initial_->findData(form_.initialCurrency));

    list_ = new QTreeWidget(this);
    list_->setObjectName(u"changes"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels({u"Umstellungsdatum"_s, u"Umstellung auf"_s});
    // The date column as wide as its title or a date, whichever is wider.
    list_->header()->resizeSection(
        0, std::max(list_->fontMetrics().horizontalAdvance(u"Umstellungsdatum"_s),
                    list_->fontMetrics().horizontalAdvance(u"00.00.0000"_s)) +
               charWidth * 4);
    list_->setMinimumWidth(charWidth * 46);
    list_->setMinimumHeight(fontMetrics().lineSpacing() * 8);
    KeepAccentsInRows(list_);

    date_ = DatePicker(this, u"date"_s);
    date_->setDate(ToQDate(today));
    target_ = CurrencyBox(doc_, this, u"targetCurrency"_s);
    target_->setCurrentIndex(target_->findData(kBaseCurrencyId));
    add_ = new QPushButton(u"&Währung umstellen"_s, this);
    add_->setObjectName(u"change"_s);
    delete_ = new QPushButton(u"Umstellung &rückgängig machen"_s, this);
    delete_->setObjectName(u"undoChange"_s);
    for (QPushButton* button : {add_, delete_}) button->setAutoDefault(false);

    // One column of labels for the initial currency and the two fields of a change.
    auto* fields = new QGridLayout;
    fields->addWidget(BuddyLabel(u"Währung zu &Beginn"_s, initial_, this), 0, 0);
    fields->addWidget(initial_, 0, 1);
    fields->addWidget(list_, 1, 0, 1, 3);
    fields->addWidget(BuddyLabel(u"&Datum"_s, date_, this), 2, 0);
    fields->addWidget(date_, 2, 1, Qt::AlignLeft);
    fields->addWidget(BuddyLabel(u"Währung &umstellen auf"_s, target_, this), 3, 0);
    fields->addWidget(target_, 3, 1);
    fields->setColumnStretch(2, 1);
    fields->setRowStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add_);
    buttons->addWidget(delete_);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    layout->addWidget(OkCancelButtons(this));

    QWidget::setTabOrder(initial_, list_);
    QWidget::setTabOrder(list_, date_);
    QWidget::setTabOrder(date_, target_);
    QWidget::setTabOrder(target_, add_);
    QWidget::setTabOrder(add_, delete_);

    connect(initial_, &QComboBox::currentIndexChanged, this, [this] {
        if (initial_->currentIndex() >= 0) form_.initialCurrency = initial_->currentData().toInt();
    });
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            &AccountCurrencyDialog::UpdateEnabling);
    connect(add_, &QPushButton::clicked, this, &AccountCurrencyDialog::AddChange);
    connect(delete_, &QPushButton::clicked, this, &AccountCurrencyDialog::DeleteChange);

    Fill(-1);
    date_->setFocus();
}

void AccountCurrencyDialog::Fill(int selectRow) {
    list_->clear();
    for (const AccountCurrencyForm::Row& row : form_.Rows(doc_)) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, ToQString(row.date));
        item->setText(1, ToQString(row.currencyName));
    }
    if (selectRow >= 0 && selectRow < list_->topLevelItemCount())
        list_->setCurrentItem(list_->topLevelItem(selectRow));
    UpdateEnabling();
}

int AccountCurrencyDialog::SelectedRow() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) return -1;
    return list_->indexOfTopLevelItem(item);
}

void AccountCurrencyDialog::UpdateEnabling() {
    initial_->setEnabled(form_.InitialCurrencyEnabled());
    delete_->setEnabled(SelectedRow() >= 0);
}

void AccountCurrencyDialog::AddChange() {
    const CQRNDatum date = FromQDate(date_->date());
    const int32_t currency = target_->currentIndex() < 0 ? -1 : target_->currentData().toInt();
    const Message m = form_.CheckAddChange(doc_, date, currency);
    if (!m.IsQuestion()) {
        ShowRefusal(this, m);
        return;
    }
    if (!ShowMessage(this, m)) return;
    form_.AddChange(date, currency);
    // The new change is the one on `date`; the list is sorted by date.
    int row = -1;
    for (size_t i = 0; i < form_.changes.size(); ++i)
        if (form_.changes[i].date == date) row = static_cast<int>(i);
    Fill(row);
}

void AccountCurrencyDialog::DeleteChange() {
    const int row = SelectedRow();
    if (row < 0) return;
    const MaybeMessage m = form_.DeleteQuestion(static_cast<size_t>(row));
    if (!m || !ShowMessage(this, *m)) return;
    form_.DeleteChange(static_cast<size_t>(row));
    Fill(std::min(row, static_cast<int>(form_.changes.size()) - 1));
}

void AccountCurrencyDialog::accept() {
    if (const MaybeMessage m = form_.Check(doc_)) {
        ShowRefusal(this, *m);
        return;
    }
    form_.Apply(doc_);
    QDialog::accept();
}

bool RunAccountCurrencyDialog(QWidget* parent, CFolari2Doc& doc, CQRNDatum today) {
    AccountCurrencyDialog dialog(doc, today, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace pf
