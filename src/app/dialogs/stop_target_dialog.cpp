#include "app/dialogs/stop_target_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/row_height.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "engine/number_entry.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

struct Column {
    const char* title;
    const char* sample;
    bool right;
};
constexpr Column kColumns[] = {
    {"Bezeichnung", "Deutsche Telekom AG xx", false},
    {"WKN", "DE0005557508", false},
    {"Kauf", "00.00.0000", false},
    {"Stück", "00.000,000", true},
    {"Kaufkurs", "0.000,00", true},
    {"Kurs", "0.000,00", true},
    {"Stoppkurs", "0.000,00", true},
    {"Zielkurs", "0.000,00", true},
};
constexpr int kStopColumn = 6;
constexpr int kTargetColumn = 7;

}  // namespace

StopTargetDialog::StopTargetDialog(CFolari2Doc& doc, CQRNDatum today, int32_t positionNo,
                                   QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(QString::fromUtf8(kStopTargetTitle));
    const int charWidth = fontMetrics().averageCharWidth();
    form_.quoteDate = today;

    order_ = new QComboBox(this);
    order_->setObjectName(u"order"_s);
    order_->addItems({u"Bezeichnung"_s, u"WKN"_s, u"Kaufdatum"_s});
    quoteDate_ = DatePicker(this, u"quoteDate"_s);

    list_ = new QTreeWidget(this);
    list_->setObjectName(u"lots"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headers;
    for (const Column& column : kColumns) headers << QString::fromUtf8(column.title);
    list_->setHeaderLabels(headers);
    int listWidth = 0;
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        const QFontMetrics metrics = list_->fontMetrics();
        const int width =
            std::max(metrics.horizontalAdvance(headers[i]),
                     metrics.horizontalAdvance(QString::fromUtf8(kColumns[i].sample))) +
            charWidth * 3;
        list_->header()->resizeSection(i, width);
        listWidth += width;
    }
    list_->setMinimumWidth(listWidth + charWidth * 5);
    list_->setMinimumHeight(fontMetrics().lineSpacing() * 12);
    KeepAccentsInRows(list_);

    stop_ = new QLineEdit(this);
    stop_->setObjectName(QString::fromLatin1(kStopField));
    target_ = new QLineEdit(this);
    target_->setObjectName(QString::fromLatin1(kTargetField));
    for (QLineEdit* price : {stop_, target_}) {
        price->setAlignment(Qt::AlignRight);
        price->setMinimumWidth(charWidth * 12);
    }
    allLots_ = new QCheckBox(u"für alle Positionen dieses Wertpapiers"_s, this);
    allLots_->setObjectName(u"allLots"_s);
    apply_ = new QPushButton(u"Ü&bernehmen"_s, this);
    apply_->setObjectName(u"apply"_s);
    // Enter in a price field takes the prices over rather than closing the dialog.
    apply_->setDefault(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(u"Schließen"_s);
    buttons->button(QDialogButtonBox::Close)->setObjectName(u"close"_s);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddHelpButton(buttons, this);

    // --- layout ---
    auto* top = new QHBoxLayout;
    top->addWidget(BuddyLabel(u"&Sortierung:"_s, order_, this));
    top->addWidget(order_);
    top->addSpacing(charWidth * 3);
    top->addWidget(BuddyLabel(u"&Kursdatum:"_s, quoteDate_, this));
    top->addWidget(quoteDate_);
    top->addStretch();

    auto* prices = new QHBoxLayout;
    prices->addWidget(BuddyLabel(u"St&oppkurs"_s, stop_, this));
    prices->addWidget(stop_);
    prices->addSpacing(charWidth * 2);
    prices->addWidget(BuddyLabel(u"&Zielkurs"_s, target_, this));
    prices->addWidget(target_);
    prices->addSpacing(charWidth * 2);
    prices->addWidget(allLots_);
    prices->addStretch();
    prices->addWidget(apply_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(list_, 1);
    layout->addLayout(prices);
    layout->addWidget(buttons);

    const std::vector<QWidget*> order = {order_,  quoteDate_, list_, stop_,
                                         target_, allLots_,   apply_};
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    // --- values ---
    {
        const QSignalBlocker block(quoteDate_);
        quoteDate_->setDate(ToQDate(form_.quoteDate));
    }
    form_.positionNo = positionNo;
    FillRows();
    if (form_.positionNo >= 0) {
        const auto row = std::find_if(rows_.begin(), rows_.end(), [&](const StopTargetRow& r) {
            return r.positionNo == form_.positionNo;
        });
        if (row == rows_.end())
            form_.positionNo = -1;
        else
            form_.Select(doc_, *row);
    }
    UpdateFields();

    connect(order_, &QComboBox::currentIndexChanged, this, [this](int index) {
        form_.order = static_cast<StopTargetOrder>(index);
        FillRows();
    });
    connect(quoteDate_, &QDateEdit::dateChanged, this, [this] {
        form_.quoteDate = FromQDate(quoteDate_->date());
        FillRows();
    });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &StopTargetDialog::RowChosen);
    // A valid price <= 0 means none and empties its field once the field is left.
    for (QLineEdit* price : {stop_, target_}) {
        connect(price, &QLineEdit::editingFinished, this, [this, price] {
            const QString text =
                ToQString(StopTargetFieldOnLeave(doc_, FromQString(price->text())));
            if (text != price->text()) price->setText(text);
        });
    }
    connect(apply_, &QPushButton::clicked, this, &StopTargetDialog::TakeOver);

    if (form_.positionNo >= 0)
        stop_->setFocus();
    else
        list_->setFocus();
}

// The rows in the chosen order; the selected lot stays selected and its fields keep what
// was typed.
void StopTargetDialog::FillRows() {
    rows_ = form_.Rows(doc_);
    const NumberFormat format = NumberFormatOf(doc_.options);
    int quantityDecimals = 0;
    for (const StopTargetRow& row : rows_)
        quantityDecimals = std::max(quantityDecimals,
                                    QuantityDecimals(FormatQuantity(row.quantity, format), format));

    const QSignalBlocker block(list_);
    list_->clear();
    for (const StopTargetRow& row : rows_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setData(0, Qt::UserRole, row.positionNo);
        item->setText(0, ToQString(row.name));
        item->setText(1, ToQString(row.wkn));
        item->setText(2, ToQString(row.purchaseDate));
        item->setText(3, ToQString(PaddedQuantity(row.quantity, format, quantityDecimals)));
        item->setText(
            4, ToQString(FormatDecimal(row.price, format, kPriceMinDecimals, kPriceMaxDecimals)));
        if (row.quote > 0.0)
            item->setText(5, ToQString(FormatDecimal(row.quote, format, kPriceMinDecimals,
                                                     kPriceMaxDecimals)));
        item->setText(kStopColumn, ToQString(StopTargetFieldText(doc_, row.stopPrice)));
        item->setText(kTargetColumn, ToQString(StopTargetFieldText(doc_, row.targetPrice)));
        for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
            if (kColumns[i].right) item->setTextAlignment(i, Qt::AlignRight | Qt::AlignVCenter);
        if (row.positionNo == form_.positionNo) {
            item->setSelected(true);
            list_->setCurrentItem(item);
        }
    }
}

void StopTargetDialog::RowChosen() {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    const int index = selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.front());
    if (index < 0 || index >= static_cast<int>(rows_.size())) {
        form_.positionNo = -1;
        form_.input = {};
    } else {
        form_.Select(doc_, rows_[static_cast<size_t>(index)]);
    }
    UpdateFields();
}

void StopTargetDialog::UpdateFields() {
    const bool chosen = form_.positionNo >= 0;
    stop_->setText(ToQString(form_.input.stopText));
    target_->setText(ToQString(form_.input.targetText));
    allLots_->setChecked(form_.input.forAllLotsOfSecurity);
    for (QWidget* w : std::initializer_list<QWidget*>{stop_, target_, allLots_, apply_})
        w->setEnabled(chosen);
}

void StopTargetDialog::TakeOver() {
    form_.input.stopText = FromQString(stop_->text());
    form_.input.targetText = FromQString(target_->text());
    form_.input.forAllLotsOfSecurity = allLots_->isChecked();
    if (const MaybeMessage m = form_.Check(doc_)) {
        ShowRefusal(this, *m);
        return;
    }
    const std::vector<int32_t> stored = form_.Apply(doc_);
    if (stored.empty()) return;
    changed_ = true;
    for (StopTargetRow& row : rows_) {
        if (std::find(stored.begin(), stored.end(), row.positionNo) == stored.end()) continue;
        row.stopPrice = StopOf(doc_, row.positionNo);
        row.targetPrice = TargetOf(doc_, row.positionNo);
    }
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        const StopTargetRow& row = rows_[static_cast<size_t>(i)];
        item->setText(kStopColumn, ToQString(StopTargetFieldText(doc_, row.stopPrice)));
        item->setText(kTargetColumn, ToQString(StopTargetFieldText(doc_, row.targetPrice)));
    }
    // The fields show what was stored (an empty field stands for 0).
    stop_->setText(ToQString(StopTargetFieldText(doc_, StopOf(doc_, form_.positionNo))));
    target_->setText(ToQString(StopTargetFieldText(doc_, TargetOf(doc_, form_.positionNo))));
}

bool RunStopTargetDialog(QWidget* parent, CFolari2Doc& doc, int32_t positionNo, CQRNDatum today) {
    StopTargetDialog dialog(doc, today, positionNo, parent);
    dialog.exec();
    return dialog.Changed();
}

}  // namespace pf
