#include "app/dialogs/movement_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "app/dialogs/allocation_dialog.h"
#include "app/dialogs/entry_parts.h"
#include "app/dialogs/row_height.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "engine/account_currency.h"
#include "engine/account_movements.h"
#include "engine/position_queries.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// The columns of the lot list, each with a sample of its widest usual content: the width
// is that of the sample or the title, whichever is wider, so dates and quantities stay whole
// at any font size.
struct LotColumn {
    const char* title;
    const char* sample;
};
constexpr LotColumn kLotColumns[] = {
    {"Pos.", "000"},         {"Kaufdatum", "00.00.0000"}, {"Verkaufdatum", "00.00.0000"},
    {"Stück", "00.000,000"}, {"Zuordnung", "00.000,000"}, {"Text", "Sparplan Dividende xx"},
};

}  // namespace

MovementDialog::MovementDialog(CFolari2Doc& doc, MovementForm form, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(std::move(form)) {
    setWindowTitle(QString::fromUtf8(kMovementTitle));
    const int charWidth = fontMetrics().averageCharWidth();

    date_ = DatePicker(this, u"date"_s);
    kind_ = new QComboBox(this);
    kind_->setObjectName(u"kind"_s);
    for (const CFL2KontoVorgang& k : doc_.accountMovementKinds)
        kind_->addItem(ToQString(k.name), k.id);
    amount_ = new QLineEdit(this);
    amount_->setObjectName(QString::fromLatin1(kMovementAmountField));
    amount_->setAlignment(Qt::AlignRight);
    amount_->setMinimumWidth(charWidth * 16);
    currency_ = new QComboBox(this);
    currency_->setObjectName(QString::fromLatin1(kMovementCurrencyField));
    for (const int32_t id : AccountCurrencyForm::Currencies(doc_))
        currency_->addItem(ToQString(doc_.FindCurrency(id)->name), id);
    currency_->setMinimumWidth(charWidth * 18);
    calculation_ = new QLabel(this);
    calculation_->setObjectName(u"calculation"_s);
    calculation_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text_ = new QLineEdit(this);
    text_->setObjectName(u"text"_s);

    linked_ = new QCheckBox(u"Bez&ug zu Wertpapier herstellen"_s, this);
    linked_->setObjectName(u"linked"_s);
    name_ = new QComboBox(this);
    name_->setObjectName(QString::fromLatin1(kMovementNameField));
    name_->setMinimumWidth(charWidth * 32);
    code_ = new QComboBox(this);
    code_->setObjectName(QString::fromLatin1(kMovementCodeField));
    code_->setMinimumWidth(charWidth * 14);

    bookAs_ = new QGroupBox(u"Betrag verbuchen als:"_s, this);
    bookAs_->setObjectName(u"bookAs"_s);
    allocKind_ = new QButtonGroup(this);
    auto* bookAsLayout = new QVBoxLayout(bookAs_);
    const std::pair<AllocationKind, QString> kinds[] = {
        {kPurchaseCosts, u"beim Kauf anfallende &Kosten"_s},
        {kIncome, u"D&ividenden u. a. Erträge"_s},
        {kSaleCosts, u"bei&m Verkauf anfallende Kosten"_s},
    };
    const char* kindNames[] = {"purchaseCosts", "income", "saleCosts"};
    for (size_t i = 0; i < std::size(kinds); ++i) {
        auto* radio = new QRadioButton(kinds[i].second, bookAs_);
        radio->setObjectName(QString::fromLatin1(kindNames[i]));
        allocKind_->addButton(radio, kinds[i].first);
        bookAsLayout->addWidget(radio);
    }

    automatic_ = new QCheckBox(u"&automatisch zuordnen"_s, this);
    automatic_->setObjectName(u"automatic"_s);
    allocate_ = new QPushButton(u"&zuordnen..."_s, this);
    allocate_->setObjectName(QString::fromLatin1(kMovementAllocateField));
    allocate_->setAutoDefault(false);

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
    for (int i = 0; i < static_cast<int>(std::size(kLotColumns)); ++i) {
        const QFontMetrics metrics = lotList_->fontMetrics();
        const int width =
            std::max(metrics.horizontalAdvance(headers[i]),
                     metrics.horizontalAdvance(QString::fromUtf8(kLotColumns[i].sample))) +
            charWidth * 3;
        lotList_->header()->resizeSection(i, width);
        listWidth += width;
    }
    // Room for every column and the vertical scroll bar.
    lotList_->setMinimumWidth(listWidth + charWidth * 5);
    lotList_->setMinimumHeight(fontMetrics().lineSpacing() * 8);
    KeepAccentsInRows(lotList_);

    // --- layout ---
    auto* fields = new QGridLayout;
    fields->addWidget(BuddyLabel(u"&Datum"_s, date_, this), 0, 0);
    fields->addWidget(date_, 0, 1, Qt::AlignLeft);
    fields->addWidget(BuddyLabel(u"&Vorgang"_s, kind_, this), 0, 2);
    fields->addWidget(kind_, 0, 3);
    fields->addWidget(BuddyLabel(u"&Betrag"_s, amount_, this), 1, 0);
    fields->addWidget(amount_, 1, 1);
    fields->addWidget(BuddyLabel(u"&Währung"_s, currency_, this), 1, 2);
    fields->addWidget(currency_, 1, 3);
    fields->addWidget(calculation_, 2, 1, 1, 3);
    fields->addWidget(BuddyLabel(u"&Text"_s, text_, this), 3, 0);
    fields->addWidget(text_, 3, 1, 1, 3);
    fields->setColumnStretch(3, 1);

    auto* security = new QGridLayout;
    security->addWidget(BuddyLabel(u"B&ezeichnung"_s, name_, this), 0, 0);
    security->addWidget(name_, 0, 1);
    security->addWidget(BuddyLabel(u"WK&N"_s, code_, this), 0, 2);
    security->addWidget(code_, 0, 3);
    security->setColumnStretch(1, 1);

    auto* allocation = new QHBoxLayout;
    allocation->addWidget(automatic_);
    allocation->addStretch();
    allocation->addWidget(allocate_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(fontMetrics().lineSpacing() / 2);
    layout->addWidget(linked_);
    layout->addLayout(security);
    layout->addWidget(bookAs_);
    layout->addLayout(allocation);
    layout->addWidget(lotList_, 1);
    layout->addWidget(OkCancelButtons(this));

    const std::vector<QWidget*> order = {date_, kind_, amount_, currency_,  text_,     linked_,
                                         name_, code_, bookAs_, automatic_, allocate_, lotList_};
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    // --- values ---
    date_->setDate(ToQDate(form_.date));
    kind_->setCurrentIndex(kind_->findData(form_.kindId));
    amount_->setText(ToQString(form_.amount));
    currency_->setCurrentIndex(currency_->findData(form_.currencyId));
    text_->setText(ToQString(form_.text));
    linked_->setChecked(form_.linked);
    if (QAbstractButton* radio = allocKind_->button(form_.allocKind)) radio->setChecked(true);
    automatic_->setChecked(form_.automatic);
    holdings_ = MovementHoldings(doc_, form_.date, form_.editedId);
    FillSecurities(form_.nameSecurityId);
    Refresh();
    UpdateCalculation();

    connect(date_, &QDateEdit::dateChanged, this, &MovementDialog::DateChanged);
    connect(kind_, &QComboBox::currentIndexChanged, this, [this] {
        Refresh();
        UpdateCalculation();
    });
    connect(currency_, &QComboBox::currentIndexChanged, this, &MovementDialog::UpdateCalculation);
    connect(amount_, &QLineEdit::textChanged, this, &MovementDialog::UpdateCalculation);
    connect(linked_, &QCheckBox::toggled, this, &MovementDialog::Refresh);
    connect(name_, &QComboBox::currentIndexChanged, this,
            [this] { ChooseSecurity(ChosenId(name_)); });
    connect(code_, &QComboBox::currentIndexChanged, this,
            [this] { ChooseSecurity(ChosenId(code_)); });
    connect(automatic_, &QCheckBox::toggled, this, &MovementDialog::Refresh);
    connect(allocate_, &QPushButton::clicked, this, &MovementDialog::Allocate);

    amount_->setFocus();
}

MovementForm MovementDialog::Form() const {
    MovementForm f = form_;
    f.date = FromQDate(date_->date());
    f.kindId = ChosenId(kind_);
    f.currencyId = ChosenId(currency_);
    f.amount = FromQString(amount_->text());
    f.text = FromQString(text_->text());
    f.linked = linked_->isChecked();
    f.nameSecurityId = ChosenId(name_);
    f.codeSecurityId = ChosenId(code_);
    f.allocKind = allocKind_->checkedId() < 0 ? kPurchaseCosts : allocKind_->checkedId();
    f.automatic = automatic_->isChecked();
    return f;
}

void MovementDialog::DateChanged() {
    holdings_ = MovementHoldings(doc_, FromQDate(date_->date()), form_.editedId);
    FillSecurities(ChosenSecurity());
    Refresh();
    UpdateCalculation();
}

// Both boxes list the securities with lots on the date, in the document's order; the one
// chosen before stays chosen while it is listed.
void MovementDialog::FillSecurities(int32_t chosen) {
    const QSignalBlocker blockName(name_);
    const QSignalBlocker blockCode(code_);
    name_->clear();
    code_->clear();
    for (const int32_t id : SecuritiesWithLots(doc_, holdings_)) {
        const CFL2Wertpapier* s = doc_.FindSecurity(id);
        if (s == nullptr) continue;
        name_->addItem(ToQString(s->name), id);
        code_->addItem(ToQString(s->wkn), id);
    }
    name_->setCurrentIndex(name_->findData(chosen));
    code_->setCurrentIndex(code_->findData(chosen));
}

void MovementDialog::ChooseSecurity(int32_t id) {
    {
        const QSignalBlocker blockName(name_);
        const QSignalBlocker blockCode(code_);
        name_->setCurrentIndex(name_->findData(id));
        code_->setCurrentIndex(code_->findData(id));
    }
    Refresh();
}

int32_t MovementDialog::ChosenSecurity() const { return ChosenId(name_); }

void MovementDialog::Refresh() {
    const bool linkEnabled = LinkEnabled(doc_, ChosenId(kind_), holdings_);
    linked_->setEnabled(linkEnabled);
    const bool active = linkEnabled && linked_->isChecked();

    lots_ = AllocationLots(holdings_, ChosenSecurity());
    pf::Allocate(lots_, automatic_->isChecked(), form_.manual);
    lotList_->clear();
    for (const AllocationRow& row : AllocationRows(doc_, lots_)) {
        auto* item = new QTreeWidgetItem(lotList_);
        const std::string* texts[] = {&row.number,   &row.purchaseDate, &row.saleDate,
                                      &row.quantity, &row.allocated,    &row.text};
        for (int i = 0; i < static_cast<int>(std::size(texts)); ++i)
            item->setText(i, ToQString(*texts[i]));
        for (const int column : {0, 3, 4}) item->setTextAlignment(column, Qt::AlignRight);
    }

    name_->setEnabled(active);
    code_->setEnabled(active);
    bookAs_->setEnabled(active);
    lotList_->setEnabled(active);
    automatic_->setEnabled(active && lots_.size() >= 2);
    allocate_->setEnabled(active && !UsesAutomaticAllocation(automatic_->isChecked(), lots_));
}

void MovementDialog::UpdateCalculation() {
    calculation_->setText(
        ToQString(MovementCalculationLine(doc_, FromQDate(date_->date()), ChosenId(kind_),
                                          ChosenId(currency_), FromQString(amount_->text()))));
}

void MovementDialog::Allocate() {
    RunAllocationWalk(this, doc_, lots_, form_.manual);
    Refresh();
}

void MovementDialog::accept() {
    const MovementForm form = Form();
    if (!CheckAndAsk(this, form, doc_)) return;
    const int32_t id = form.Apply(doc_);
    if (id < 0) return;
    id_ = id;
    QDialog::accept();
}

int32_t RunMovementDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    return RunEntryDialog<MovementDialog, MovementForm>(parent, doc, id, today);
}

}  // namespace pf
