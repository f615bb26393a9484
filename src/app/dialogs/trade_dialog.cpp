#include "app/dialogs/trade_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
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
#include <utility>
#include <vector>

#include "app/dialogs/distribute_dialog.h"
#include "app/dialogs/entry_parts.h"
#include "app/dialogs/row_height.h"
#include "app/dialogs/security_dialog.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "engine/number_entry.h"
#include "engine/position_queries.h"
#include "engine/security_form.h"
#include "engine/split_exchange.h"
#include "engine/trade_entry.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// The columns of the sale's lot list, each with a sample of its widest usual content.
struct LotColumn {
    const char* title;
    const char* sample;
};
constexpr LotColumn kLotColumns[] = {
    {"Pos.", "000"},           {"Kaufdatum", "00.00.0000"}, {"Kaufkurs", "0.000,00"},
    {"", "Euro xx"},           {"Stück", "00.000,000"},     {"Verkauf", "00.000,000"},
    {"Text", "Sparplan xxxx"},
};

}  // namespace

// --- the shared fields --------------------------------------------------------------------

TradeDialogBase::TradeDialogBase(CFolari2Doc& doc, bool sale, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      sale_(sale),
      typedRateBase_(u"1,00"_s),
      typedRateQuote_(u"1,00"_s) {
    setWindowTitle(QString::fromUtf8(sale ? kSaleTitle : kPurchaseTitle));
    const int charWidth = fontMetrics().averageCharWidth();
    const auto line = [&](const char* name, int chars) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(charWidth * chars);
        return edit;
    };
    date_ = DatePicker(this, QString::fromLatin1(kTradeDateField));
    quantity_ = line(kTradeQuantityField, 14);
    price_ = line(kTradePriceField, 14);
    commission1_ = line(kTradeCommission1Field, 14);
    rateBase_ = line(kTradeRateBaseField, 12);
    rateQuote_ = line(kTradeRateQuoteField, 12);
    commission2_ = line(kTradeCommission2Field, 14);
    text_ = new QLineEdit(this);
    text_->setObjectName(u"text"_s);

    currency1_ = new QComboBox(this);
    currency1_->setObjectName(QString::fromLatin1(kTradeCurrency1Field));
    currency2_ = new QComboBox(this);
    currency2_->setObjectName(QString::fromLatin1(kTradeCurrency2Field));
    for (const CFL2Waehrung& c : doc_.currencies) {
        currency1_->addItem(ToQString(c.name), c.id);
        if (c.id == kBaseCurrencyId || c.isFixed != 0) currency2_->addItem(ToQString(c.name), c.id);
    }
    for (QComboBox* box : {currency1_, currency2_}) box->setMinimumWidth(charWidth * 22);

    rateBaseName_ = new QLabel(this);
    rateBaseName_->setObjectName(u"rateBaseName"_s);
    rateQuoteName_ = new QLabel(this);
    rateQuoteName_->setObjectName(u"rateQuoteName"_s);
    calculation_ = new QLabel(this);
    calculation_->setObjectName(u"calculation"_s);
    calculation_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    connect(currency1_, &QComboBox::currentIndexChanged, this, [this] {
        ApplyCurrencyRule();
        UpdateCalculation();
    });
    connect(currency2_, &QComboBox::currentIndexChanged, this, [this] {
        ApplyCurrencyRule();
        UpdateCalculation();
    });
    connect(rateBase_, &QLineEdit::textEdited, this,
            [this](const QString& t) { typedRateBase_ = t; });
    connect(rateQuote_, &QLineEdit::textEdited, this,
            [this](const QString& t) { typedRateQuote_ = t; });
    for (QLineEdit* edit : {price_, commission1_, rateBase_, rateQuote_, commission2_})
        connect(edit, &QLineEdit::textChanged, this, [this] { UpdateCalculation(); });
    connect(price_, &QLineEdit::editingFinished, this, [this] { CanonicalPrice(price_); });
    connect(rateBase_, &QLineEdit::editingFinished, this, [this] {
        if (!rateBase_->isEnabled()) return;
        CanonicalPrice(rateBase_);
        typedRateBase_ = rateBase_->text();
    });
    connect(rateQuote_, &QLineEdit::editingFinished, this, [this] {
        if (!rateQuote_->isEnabled()) return;
        CanonicalPrice(rateQuote_);
        typedRateQuote_ = rateQuote_->text();
    });
}

QLabel* TradeDialogBase::BuddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, this);
    label->setBuddy(buddy);
    return label;
}

int TradeDialogBase::AddCurrencyRows(QGridLayout* grid, int row) {
    grid->addWidget(BuddyLabel(u"Wä&hrung 1"_s, currency1_), row, 0);
    grid->addWidget(currency1_, row, 1);
    grid->addWidget(BuddyLabel(u"Provis.+&C.+S."_s, commission1_), row, 2);
    grid->addWidget(commission1_, row, 3);
    ++row;
    auto* rates = new QHBoxLayout;
    rates->addWidget(rateBase_);
    rates->addWidget(rateBaseName_);
    rates->addWidget(rateQuote_);
    rates->addWidget(rateQuoteName_);
    rates->addStretch();
    grid->addWidget(BuddyLabel(u"De&visenkurs"_s, rateBase_), row, 0);
    grid->addLayout(rates, row, 1, 1, 3);
    ++row;
    grid->addWidget(BuddyLabel(u"Wäh&rung 2"_s, currency2_), row, 0);
    grid->addWidget(currency2_, row, 1);
    grid->addWidget(BuddyLabel(u"&Provision+Courtage+Spesen"_s, commission2_), row, 2);
    grid->addWidget(commission2_, row, 3);
    return row + 1;
}

void TradeDialogBase::SetEntry(const TradeEntry& entry) {
    const QSignalBlocker block1(currency1_);
    const QSignalBlocker block2(currency2_);
    date_->setDate(ToQDate(entry.date));
    quantity_->setText(ToQString(entry.quantity));
    price_->setText(ToQString(entry.price));
    commission1_->setText(ToQString(entry.commission1));
    currency1_->setCurrentIndex(currency1_->findData(entry.currency1));
    typedRateBase_ = ToQString(entry.rateBase);
    typedRateQuote_ = ToQString(entry.rateQuote);
    rateBase_->setText(typedRateBase_);
    rateQuote_->setText(typedRateQuote_);
    currency2_->setCurrentIndex(currency2_->findData(entry.currency2));
    commission2_->setText(ToQString(entry.commission2));
    text_->setText(ToQString(entry.text));
    ApplyCurrencyRule();
}

void TradeDialogBase::GetEntry(TradeEntry& entry) const {
    entry.date = FromQDate(date_->date());
    entry.quantity = FromQString(quantity_->text());
    entry.price = FromQString(price_->text());
    entry.commission1 = FromQString(commission1_->text());
    entry.currency1 = ChosenId(currency1_);
    entry.rateBase = FromQString(rateBase_->text());
    entry.rateQuote = FromQString(rateQuote_->text());
    entry.currency2 = ChosenId(currency2_);
    entry.commission2 = FromQString(commission2_->text());
    entry.text = FromQString(text_->text());
}

void TradeDialogBase::ApplyCurrencyRule() {
    const int32_t c1 = ChosenId(currency1_);
    const int32_t c2 = ChosenId(currency2_);
    rateBaseName_->setText(CurrencyName(doc_, c1) + u"  ="_s);
    rateQuoteName_->setText(CurrencyName(doc_, c2));
    const NumberFormat format = NumberFormatOf(doc_.options);
    const auto rate = [&](double value) {
        return ToQString(FormatDecimal(value, format, kPriceMinDecimals, kPriceMaxDecimals));
    };
    if (c1 != -1 && c1 == c2) {
        commission1_->setText(
            ToQString(FormatDecimal(0.0, format, kAmountDecimals, kAmountDecimals)));
        commission1_->setEnabled(false);
        rateBase_->setText(rate(1.0));
        rateQuote_->setText(rate(1.0));
        rateBase_->setEnabled(false);
        rateQuote_->setEnabled(false);
        return;
    }
    commission1_->setEnabled(true);
    const RatePair pair = DefaultRatePair(doc_, c1, c2);
    if (pair.fixed) {
        rateBase_->setText(rate(pair.base));
        rateQuote_->setText(rate(pair.quote));
    } else {
        rateBase_->setText(typedRateBase_);
        rateQuote_->setText(typedRateQuote_);
    }
    rateBase_->setEnabled(!pair.fixed);
    rateQuote_->setEnabled(!pair.fixed);
}

void TradeDialogBase::CanonicalQuantity(QLineEdit* field) const {
    const NumberFormat format = NumberFormatOf(doc_.options);
    if (const auto q = ParseQuantity(FromQString(field->text()), format)) {
        const QString text = ToQString(FormatQuantity(*q, format));
        if (text != field->text()) field->setText(text);
    }
}

void TradeDialogBase::CanonicalPrice(QLineEdit* field) const {
    const NumberFormat format = NumberFormatOf(doc_.options);
    if (const auto v = ParseDecimal(FromQString(field->text()), format, kPriceMaxDecimals)) {
        const QString text =
            ToQString(FormatDecimal(*v, format, kPriceMinDecimals, kPriceMaxDecimals));
        if (text != field->text()) field->setText(text);
    }
}

// --- "Kauf" --------------------------------------------------------------------------------

PurchaseDialog::PurchaseDialog(CFolari2Doc& doc, PurchaseForm form, QWidget* parent)
    : TradeDialogBase(doc, false, parent), form_(std::move(form)) {
    const int charWidth = fontMetrics().averageCharWidth();
    name_ = new QComboBox(this);
    name_->setObjectName(QString::fromLatin1(kTradeNameField));
    code_ = new QComboBox(this);
    code_->setObjectName(QString::fromLatin1(kTradeCodeField));
    for (QComboBox* box : {name_, code_}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    name_->setMinimumWidth(charWidth * 32);
    code_->setMinimumWidth(charWidth * 14);
    FillSecurities();
    stop_ = new QLineEdit(this);
    stop_->setObjectName(QString::fromLatin1(kTradeStopField));
    target_ = new QLineEdit(this);
    target_->setObjectName(QString::fromLatin1(kTradeTargetField));
    for (QLineEdit* edit : {stop_, target_}) {
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(charWidth * 14);
    }
    stopLabel_ = BuddyLabel(QString(), stop_);
    stopLabel_->setObjectName(u"stopLabel"_s);
    targetLabel_ = BuddyLabel(QString(), target_);
    targetLabel_->setObjectName(u"targetLabel"_s);

    // --- layout ---
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(BuddyLabel(u"&Datum"_s, date_), row, 0);
    grid->addWidget(date_, row, 1, Qt::AlignLeft);
    ++row;
    grid->addWidget(BuddyLabel(u"&Bezeichnung"_s, name_), row, 0);
    grid->addWidget(name_, row, 1);
    grid->addWidget(BuddyLabel(u"&WKN"_s, code_), row, 2);
    grid->addWidget(code_, row, 3);
    ++row;
    grid->addWidget(BuddyLabel(u"&Stück"_s, quantity_), row, 0);
    grid->addWidget(quantity_, row, 1, Qt::AlignLeft);
    grid->addWidget(BuddyLabel(u"&Kaufkurs"_s, price_), row, 2);
    grid->addWidget(price_, row, 3);
    ++row;
    row = AddCurrencyRows(grid, row);
    grid->addWidget(stopLabel_, row, 0);
    grid->addWidget(stop_, row, 1, Qt::AlignLeft);
    grid->addWidget(targetLabel_, row, 2);
    grid->addWidget(target_, row, 3);
    ++row;
    grid->addWidget(BuddyLabel(u"&Text"_s, text_), row, 0);
    grid->addWidget(text_, row, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(fontMetrics().lineSpacing() / 2);
    layout->addWidget(calculation_);
    layout->addWidget(OkCancelButtons(this));

    const std::vector<QWidget*> order = {
        date_,     name_,      code_,      quantity_,    price_, currency1_, commission1_,
        rateBase_, rateQuote_, currency2_, commission2_, stop_,  target_,    text_};
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    // --- values and limits ---
    SetEntry(form_);
    {
        const QSignalBlocker blockName(name_);
        const QSignalBlocker blockCode(code_);
        name_->setCurrentIndex(name_->findText(ToQString(form_.name), Qt::MatchExactly));
        name_->setEditText(ToQString(form_.name));
        code_->setCurrentIndex(code_->findText(ToQString(form_.code), Qt::MatchExactly));
        code_->setEditText(ToQString(form_.code));
    }
    stop_->setText(ToQString(form_.stop));
    target_->setText(ToQString(form_.target));
    if (form_.editedId != -1) {
        limits_ = PurchaseEditLimits(doc_, form_.editedId);
        if (limits_.latestDate) date_->setMaximumDate(ToQDate(*limits_.latestDate));
        quantity_->setEnabled(!limits_.quantityLocked);
    }
    UpdateStopTargetLabels();
    UpdateCalculation();

    connect(date_, &QDateEdit::dateChanged, this, [this] { UpdateCalculation(); });
    connect(name_, &QComboBox::activated, this, [this] { SecurityPicked(name_); });
    connect(code_, &QComboBox::activated, this, [this] { SecurityPicked(code_); });
    connect(name_->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { SecurityBoxLeft(name_); });
    connect(code_->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { SecurityBoxLeft(code_); });
    connect(name_, &QComboBox::editTextChanged, this, [this] { UpdateStopTargetLabels(); });
    connect(code_, &QComboBox::editTextChanged, this, [this] { UpdateStopTargetLabels(); });
    connect(quantity_, &QLineEdit::textChanged, this, [this] { UpdateCalculation(); });
    connect(quantity_, &QLineEdit::editingFinished, this, &PurchaseDialog::QuantityLeft);
    connect(stop_, &QLineEdit::editingFinished, this, [this] { CanonicalPrice(stop_); });
    connect(target_, &QLineEdit::editingFinished, this, [this] { CanonicalPrice(target_); });

    name_->setFocus();
}

PurchaseForm PurchaseDialog::Form() const {
    PurchaseForm f = form_;
    GetEntry(f);
    f.name = FromQString(name_->currentText());
    f.code = FromQString(code_->currentText());
    f.stop = FromQString(stop_->text());
    f.target = FromQString(target_->text());
    return f;
}

void PurchaseDialog::UpdateCalculation() {
    calculation_->setText(ToQString(Form().CalculationLine(doc_, false)));
}

void PurchaseDialog::FillSecurities() {
    const QSignalBlocker blockName(name_);
    const QSignalBlocker blockCode(code_);
    const QString name = name_->currentText();
    const QString code = code_->currentText();
    name_->clear();
    code_->clear();
    for (const CFL2Wertpapier& s : doc_.securities) {
        name_->addItem(ToQString(s.name), s.id);
        code_->addItem(ToQString(s.wkn), s.id);
    }
    name_->setCurrentIndex(-1);
    code_->setCurrentIndex(-1);
    name_->setEditText(name);
    code_->setEditText(code);
}

// The security picked from one list shows its other half in the other list.
void PurchaseDialog::SecurityPicked(const QComboBox* from) {
    const int32_t id = ChosenId(from);
    for (QComboBox* box : {name_, code_}) {
        if (box == from) continue;
        const QSignalBlocker block(box);
        const int index = box->findData(id);
        if (index >= 0) box->setCurrentIndex(index);
    }
    UpdateStopTargetLabels();
}

// A text that names a security exactly chooses it in both lists; an unknown one starts
// "Neues Wertpapier" with what the two boxes hold. An empty box is left alone: OK names it.
void PurchaseDialog::SecurityBoxLeft(const QComboBox* from) {
    if (askingSecurity_ || !isVisible()) return;
    const std::string text = FromQString(from->currentText());
    if (text.empty()) return;
    for (const CFL2Wertpapier& s : doc_.securities) {
        if ((from == name_ ? s.name : s.wkn) != text) continue;
        for (QComboBox* box : {name_, code_}) {
            const QSignalBlocker block(box);
            box->setCurrentIndex(box->findData(s.id));
        }
        UpdateStopTargetLabels();
        return;
    }
    askingSecurity_ = true;
    SecurityForm security = SecurityForm::New(doc_);
    security.name = FromQString(name_->currentText());
    security.wkn = FromQString(code_->currentText());
    SecurityDialog dialog(doc_, std::move(security), this);
    const bool added = dialog.exec() == QDialog::Accepted;
    askingSecurity_ = false;
    if (added) {
        FillSecurities();
        for (QComboBox* box : {name_, code_}) {
            const QSignalBlocker block(box);
            box->setCurrentIndex(box->findData(dialog.SecurityId()));
        }
    }
    UpdateStopTargetLabels();
}

// "St&oppkurs" and "&Zielkurs" followed by the quote currency's name of the security the
// two boxes name (by name and WKN, else by name alone); without one, the bare labels.
void PurchaseDialog::UpdateStopTargetLabels() {
    const std::string name = FromQString(name_->currentText());
    const std::string code = FromQString(code_->currentText());
    const CFL2Wertpapier* chosen = nullptr;
    for (const CFL2Wertpapier& s : doc_.securities) {
        if (s.name != name) continue;
        if (s.wkn == code) {
            chosen = &s;
            break;
        }
        if (chosen == nullptr) chosen = &s;
    }
    QString suffix;
    if (chosen != nullptr) {
        const QString currency = CurrencyName(doc_, chosen->quoteCurrencyId);
        if (!currency.isEmpty()) suffix = u" "_s + currency;
    }
    stopLabel_->setText(u"St&oppkurs"_s + suffix);
    targetLabel_->setText(u"&Zielkurs"_s + suffix);
}

void PurchaseDialog::QuantityLeft() {
    const NumberFormat format = NumberFormatOf(doc_.options);
    const auto q = ParseQuantity(FromQString(quantity_->text()), format);
    if (q && limits_.minimumQuantity > 0 && *q < limits_.minimumQuantity) {
        quantity_->setText(ToQString(FormatQuantity(limits_.minimumQuantity, format)));
        return;
    }
    CanonicalQuantity(quantity_);
}

void PurchaseDialog::accept() {
    const PurchaseForm form = Form();
    if (!CheckAndAsk(this, form, doc_)) return;
    const int32_t id = form.Apply(doc_);
    if (id < 0) return;
    id_ = id;
    QDialog::accept();
}

// --- "Verkauf" -----------------------------------------------------------------------------

SaleDialog::SaleDialog(CFolari2Doc& doc, SaleForm form, QWidget* parent)
    : TradeDialogBase(doc, true, parent), form_(std::move(form)) {
    const int charWidth = fontMetrics().averageCharWidth();
    name_ = new QComboBox(this);
    name_->setObjectName(QString::fromLatin1(kTradeNameField));
    code_ = new QComboBox(this);
    code_->setObjectName(QString::fromLatin1(kTradeCodeField));
    name_->setMinimumWidth(charWidth * 32);
    code_->setMinimumWidth(charWidth * 14);

    lotList_ = new QTreeWidget(this);
    lotList_->setObjectName(u"lots"_s);
    lotList_->setRootIsDecorated(false);
    lotList_->setUniformRowHeights(true);
    lotList_->setAllColumnsShowFocus(true);
    lotList_->setSelectionMode(QAbstractItemView::NoSelection);
    QStringList headers;
    for (const LotColumn& column : kLotColumns) headers << QString::fromUtf8(column.title);
    lotList_->setHeaderLabels(headers);
    int listWidth = 0;
    const QFontMetrics metrics = lotList_->fontMetrics();
    for (int i = 0; i < static_cast<int>(std::size(kLotColumns)); ++i) {
        const int width =
            std::max(metrics.horizontalAdvance(headers[i]),
                     metrics.horizontalAdvance(QString::fromUtf8(kLotColumns[i].sample))) +
            charWidth * 3;
        lotList_->header()->resizeSection(i, width);
        listWidth += width;
    }
    lotList_->setMinimumWidth(listWidth + charWidth * 5);
    lotList_->setMinimumHeight(fontMetrics().lineSpacing() * 7);
    KeepAccentsInRows(lotList_);

    oldestFirst_ = new QCheckBox(u"ält&este Positionen verkaufen"_s, this);
    oldestFirst_->setObjectName(u"oldestFirst"_s);
    distribute_ = new QPushButton(u"a&ufteilen..."_s, this);
    distribute_->setObjectName(QString::fromLatin1(kTradeDistributeField));
    distribute_->setAutoDefault(false);

    // --- layout ---
    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(BuddyLabel(u"&Datum"_s, date_), row, 0);
    grid->addWidget(date_, row, 1, Qt::AlignLeft);
    ++row;
    grid->addWidget(BuddyLabel(u"&Bezeichnung"_s, name_), row, 0);
    grid->addWidget(name_, row, 1);
    grid->addWidget(BuddyLabel(u"&WKN"_s, code_), row, 2);
    grid->addWidget(code_, row, 3);
    ++row;
    grid->addWidget(BuddyLabel(u"&Stück"_s, quantity_), row, 0);
    grid->addWidget(quantity_, row, 1, Qt::AlignLeft);
    grid->addWidget(BuddyLabel(u"Verkauf&kurs"_s, price_), row, 2);
    grid->addWidget(price_, row, 3);
    ++row;
    row = AddCurrencyRows(grid, row);
    grid->addWidget(BuddyLabel(u"&Text"_s, text_), row, 0);
    grid->addWidget(text_, row, 1, 1, 3);
    grid->setColumnStretch(1, 1);

    auto* selection = new QHBoxLayout;
    selection->addWidget(oldestFirst_);
    selection->addStretch();
    selection->addWidget(distribute_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(fontMetrics().lineSpacing() / 2);
    layout->addWidget(calculation_);
    layout->addWidget(lotList_, 1);
    layout->addLayout(selection);
    layout->addWidget(OkCancelButtons(this));

    const std::vector<QWidget*> order = {date_,      name_,        code_,        quantity_,
                                         price_,     currency1_,   commission1_, rateBase_,
                                         rateQuote_, currency2_,   commission2_, text_,
                                         lotList_,   oldestFirst_, distribute_};
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    // --- values ---
    SetEntry(form_);
    oldestFirst_->setChecked(form_.oldestFirst);
    FillSecurities(form_.nameSecurityId);
    Refresh();

    connect(date_, &QDateEdit::dateChanged, this, &SaleDialog::DateChanged);
    connect(name_, &QComboBox::currentIndexChanged, this,
            [this] { ChooseSecurity(ChosenId(name_)); });
    connect(code_, &QComboBox::currentIndexChanged, this,
            [this] { ChooseSecurity(ChosenId(code_)); });
    connect(quantity_, &QLineEdit::textChanged, this, &SaleDialog::Refresh);
    connect(quantity_, &QLineEdit::editingFinished, this, [this] {
        CanonicalQuantity(quantity_);
        LowerQuantity();
    });
    connect(oldestFirst_, &QCheckBox::toggled, this, &SaleDialog::Refresh);
    connect(distribute_, &QPushButton::clicked, this, &SaleDialog::Distribute);

    name_->setFocus();
}

SaleForm SaleDialog::Form() const {
    SaleForm f = form_;
    GetEntry(f);
    f.nameSecurityId = ChosenId(name_);
    f.codeSecurityId = ChosenId(code_);
    f.oldestFirst = oldestFirst_->isChecked();
    return f;
}

void SaleDialog::UpdateCalculation() {
    calculation_->setText(ToQString(Form().CalculationLine(doc_, true)));
}

void SaleDialog::DateChanged() {
    FillSecurities(ChosenId(name_));
    LowerQuantity();
    Refresh();
}

// Both boxes list the securities with lots on the date, in the document's order; the one
// chosen before stays chosen while it is listed.
void SaleDialog::FillSecurities(int32_t chosen) {
    const QSignalBlocker blockName(name_);
    const QSignalBlocker blockCode(code_);
    name_->clear();
    code_->clear();
    const PositionList lots = SellableLots(doc_, FromQDate(date_->date()), form_.editedId);
    for (const int32_t id : SecuritiesWithLots(doc_, lots)) {
        const CFL2Wertpapier* s = doc_.FindSecurity(id);
        if (s == nullptr) continue;
        name_->addItem(ToQString(s->name), id);
        code_->addItem(ToQString(s->wkn), id);
    }
    name_->setCurrentIndex(name_->findData(chosen));
    code_->setCurrentIndex(code_->findData(chosen));
}

void SaleDialog::ChooseSecurity(int32_t id) {
    ChooseQuietly(name_, id);
    ChooseQuietly(code_, id);
    LowerQuantity();
    Refresh();
}

void SaleDialog::LowerQuantity() {
    const NumberFormat format = NumberFormatOf(doc_.options);
    const auto q = ParseQuantity(FromQString(quantity_->text()), format);
    if (!q) return;
    const LotSelection selection = Form().Selection(doc_);
    if (selection.quantity < *q)
        quantity_->setText(ToQString(FormatQuantity(selection.quantity, format)));
}

void SaleDialog::Refresh() {
    const SaleForm form = Form();
    const PositionList lots = form.Lots(doc_);
    const LotSelection selection = form.Selection(doc_);
    FillLotList(lotList_, doc_, lots);
    lotList_->setEnabled(selection.listEnabled);
    oldestFirst_->setEnabled(selection.oldestFirstEnabled);
    distribute_->setEnabled(selection.distributeEnabled);
    UpdateCalculation();
}

// The "Aufteilen" walk over the security's lots for the quantity (lowered to the available
// total).
void SaleDialog::Distribute() {
    const SaleForm form = Form();
    if (!ParseQuantity(form.quantity, NumberFormatOf(doc_.options))) {
        ShowRefusal(this,
                    Message::Refusal(kSaleTitle, "Bitte geben Sie eine korrekte Stückzahl an!",
                                     kTradeQuantityField));
        return;
    }
    WalkDistribution(this, doc_, form.Lots(doc_), form.Selection(doc_).quantity,
                     u"Stück &verkaufen"_s, form_.distributed);
    Refresh();
}

void SaleDialog::accept() {
    const SaleForm form = Form();
    if (!CheckAndAsk(this, form, doc_)) return;
    const int32_t id = form.Apply(doc_);
    if (id < 0) return;
    id_ = id;
    QDialog::accept();
}

// --- runners --------------------------------------------------------------------------------

int32_t RunPurchaseDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    return RunEntryDialog<PurchaseDialog, PurchaseForm>(parent, doc, id, today);
}

int32_t RunSaleDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    return RunEntryDialog<SaleDialog, SaleForm>(parent, doc, id, today);
}

}  // namespace pf
