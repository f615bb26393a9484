#include "app/dialogs/tax_categories_dialog.h"

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
#include <QSpinBox>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/row_height.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// Largest holding time the editor offers, in any unit.
constexpr int kMaxHoldingTimeValue = 9999;

template <size_t N>
QComboBox* ChoiceBox(QWidget* parent, const QString& name,
                     const std::array<const char*, N>& texts) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const char* text : texts) box->addItem(QString::fromUtf8(text));
    return box;
}

// A stored value the box does not offer leaves the box empty and is kept on OK.
void ShowChoice(QComboBox* box, int32_t value) {
    box->setCurrentIndex(value >= 0 && value < box->count() ? value : -1);
}
int32_t ChosenValue(const QComboBox* box, int32_t stored) {
    return box->currentIndex() < 0 ? stored : box->currentIndex();
}

}  // namespace

// --- the editor ---------------------------------------------------------------------------

TaxCategoryDialog::TaxCategoryDialog(CFolari2Doc& doc, TaxCategoryForm form, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(std::move(form)) {
    setWindowTitle(QString::fromUtf8(kTaxCategoryTitle));
    const int charWidth = fontMetrics().averageCharWidth();

    name_ = new QLineEdit(this);
    name_->setObjectName(QString::fromLatin1(kTaxCategoryNameField));
    name_->setMinimumWidth(charWidth * 40);
    abbreviation_ = new QLineEdit(this);
    abbreviation_->setObjectName(QString::fromLatin1(kTaxCategoryAbbreviationField));
    useSalePeriod_ = new QCheckBox(u"&Verkauf im Zeitraum (von/bis):"_s, this);
    useSalePeriod_->setObjectName(u"useSalePeriod"_s);
    saleFrom_ = DatePicker(this, u"salePeriodFrom"_s);
    saleTo_ = DatePicker(this, u"salePeriodTo"_s);
    usePurchasePeriod_ = new QCheckBox(u"&Kauf im Zeitraum (von/bis):"_s, this);
    usePurchasePeriod_->setObjectName(u"usePurchasePeriod"_s);
    purchaseFrom_ = DatePicker(this, u"purchasePeriodFrom"_s);
    purchaseTo_ = DatePicker(this, u"purchasePeriodTo"_s);
    useHoldingTime_ = new QCheckBox(u"&Zeit im Depot:"_s, this);
    useHoldingTime_->setObjectName(u"useHoldingTime"_s);
    comparison_ = ChoiceBox(this, u"holdingTimeComparison"_s, kHoldingTimeComparisonTexts);
    value_ = new QSpinBox(this);
    value_->setObjectName(u"holdingTimeValue"_s);
    value_->setRange(0, kMaxHoldingTimeValue);
    unit_ = ChoiceBox(this, u"holdingTimeUnit"_s, kHoldingTimeUnitTexts);
    useHalfIncome_ = new QCheckBox(u"&Halbeinkünfteverfahren:"_s, this);
    useHalfIncome_->setObjectName(u"useHalfIncome"_s);
    halfIncome_ = ChoiceBox(this, u"halfIncomeOption"_s, kHalfIncomeTexts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(u"&OK"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"&Abbrechen"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddHelpButton(buttons, this);

    // --- layout ---
    auto* grid = new QGridLayout;
    grid->addWidget(BuddyLabel(u"B&ezeichnung"_s, name_, this), 0, 0);
    grid->addWidget(name_, 0, 1, 1, 3);
    grid->addWidget(BuddyLabel(u"Abk&ürzung"_s, abbreviation_, this), 1, 0);
    grid->addWidget(abbreviation_, 1, 1);
    grid->setRowMinimumHeight(2, fontMetrics().lineSpacing() / 2);
    grid->addWidget(useSalePeriod_, 3, 0);
    grid->addWidget(saleFrom_, 3, 1);
    grid->addWidget(saleTo_, 3, 2);
    grid->addWidget(usePurchasePeriod_, 4, 0);
    grid->addWidget(purchaseFrom_, 4, 1);
    grid->addWidget(purchaseTo_, 4, 2);
    grid->addWidget(useHoldingTime_, 5, 0);
    grid->addWidget(comparison_, 5, 1);
    grid->addWidget(value_, 5, 2);
    grid->addWidget(unit_, 5, 3);
    grid->addWidget(useHalfIncome_, 6, 0);
    grid->addWidget(halfIncome_, 6, 1, 1, 3);
    grid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(buttons);

    const std::vector<QWidget*> order = {
        name_,          abbreviation_, useSalePeriod_,  saleFrom_,   saleTo_, usePurchasePeriod_,
        purchaseFrom_,  purchaseTo_,   useHoldingTime_, comparison_, value_,  unit_,
        useHalfIncome_, halfIncome_};
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    // --- values ---
    const CFL2StPflKateg& c = form_.category;
    name_->setText(ToQString(c.name));
    abbreviation_->setText(ToQString(c.abbreviation));
    useSalePeriod_->setChecked(c.useSalePeriod != 0);
    saleFrom_->setDate(ToQDate(c.salePeriodFrom));
    saleTo_->setDate(ToQDate(c.salePeriodTo));
    usePurchasePeriod_->setChecked(c.usePurchasePeriod != 0);
    purchaseFrom_->setDate(ToQDate(c.purchasePeriodFrom));
    purchaseTo_->setDate(ToQDate(c.purchasePeriodTo));
    useHoldingTime_->setChecked(c.useHoldingTime != 0);
    ShowChoice(comparison_, c.holdingTimeComparison);
    value_->setValue(std::clamp(c.holdingTimeValue, 0, kMaxHoldingTimeValue));
    ShowChoice(unit_, c.holdingTimeUnit);
    useHalfIncome_->setChecked(c.useHalfIncome != 0);
    ShowChoice(halfIncome_, c.halfIncomeOption);
    UpdateEnabled();

    for (QCheckBox* box : {useSalePeriod_, usePurchasePeriod_, useHoldingTime_, useHalfIncome_})
        connect(box, &QCheckBox::toggled, this, &TaxCategoryDialog::UpdateEnabled);
    name_->setFocus();
}

TaxCategoryForm TaxCategoryDialog::Form() const {
    TaxCategoryForm f = form_;
    CFL2StPflKateg& c = f.category;
    c.name = FromQString(name_->text());
    c.abbreviation = FromQString(abbreviation_->text());
    c.useSalePeriod = useSalePeriod_->isChecked() ? 1 : 0;
    c.salePeriodFrom = FromQDate(saleFrom_->date());
    c.salePeriodTo = FromQDate(saleTo_->date());
    c.usePurchasePeriod = usePurchasePeriod_->isChecked() ? 1 : 0;
    c.purchasePeriodFrom = FromQDate(purchaseFrom_->date());
    c.purchasePeriodTo = FromQDate(purchaseTo_->date());
    c.useHoldingTime = useHoldingTime_->isChecked() ? 1 : 0;
    c.holdingTimeComparison = ChosenValue(comparison_, c.holdingTimeComparison);
    // A stored value beyond the box's range is kept while the box shows it unchanged.
    if (value_->value() != std::clamp(form_.category.holdingTimeValue, 0, kMaxHoldingTimeValue))
        c.holdingTimeValue = value_->value();
    c.holdingTimeUnit = ChosenValue(unit_, c.holdingTimeUnit);
    c.useHalfIncome = useHalfIncome_->isChecked() ? 1 : 0;
    c.halfIncomeOption = ChosenValue(halfIncome_, c.halfIncomeOption);
    return f;
}

void TaxCategoryDialog::UpdateEnabled() {
    const bool sale = useSalePeriod_->isChecked();
    saleFrom_->setEnabled(sale);
    saleTo_->setEnabled(sale);
    const bool purchase = usePurchasePeriod_->isChecked();
    purchaseFrom_->setEnabled(purchase);
    purchaseTo_->setEnabled(purchase);
    const bool holding = useHoldingTime_->isChecked();
    comparison_->setEnabled(holding);
    value_->setEnabled(holding);
    unit_->setEnabled(holding);
    halfIncome_->setEnabled(useHalfIncome_->isChecked());
}

void TaxCategoryDialog::accept() {
    const TaxCategoryForm form = Form();
    if (const MaybeMessage m = form.Check(doc_)) {
        ShowRefusal(this, *m);
        return;
    }
    const int index = form.Apply(doc_);
    if (index < 0) return;
    index_ = index;
    QDialog::accept();
}

// --- the list -----------------------------------------------------------------------------

TaxCategoriesDialog::TaxCategoriesDialog(CFolari2Doc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(QString::fromUtf8(kTaxCategoryTitle));
    const int charWidth = fontMetrics().averageCharWidth();

    list_ = new QTreeWidget(this);
    list_->setObjectName(u"categories"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headers;
    for (const std::string& header : TaxCategoryColumnHeaders()) headers << ToQString(header);
    list_->setHeaderLabels(headers);
    // Each column as wide as its header or a usual entry, whichever is wider.
    const char* samples[] = {"Steuerpflichtig (Halbeinkünfteverfahren)",
                             "Stpfl. (HE)",
                             "von 00.00.0000 bis 00.00.0000",
                             "von 00.00.0000 bis 00.00.0000",
                             "größer gleich 12 Monate",
                             "Wertpapier unterliegt nicht dem Halb"};
    int listWidth = 0;
    for (int i = 0; i < headers.size() && i < static_cast<int>(std::size(samples)); ++i) {
        const QFontMetrics metrics = list_->fontMetrics();
        const int width = std::max(metrics.horizontalAdvance(headers[i]),
                                   metrics.horizontalAdvance(QString::fromUtf8(samples[i]))) +
                          charWidth * 3;
        list_->header()->resizeSection(i, width);
        listWidth += width;
    }
    // Wide enough for most columns at once; the rest is reached by scrolling.
    list_->setMinimumWidth(std::min(listWidth, charWidth * 175) + charWidth * 5);
    list_->setMinimumHeight(fontMetrics().lineSpacing() * 10);
    KeepAccentsInRows(list_);

    const auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    add_ = button(u"&Neu"_s, "add");
    edit_ = button(u"&Bearbeiten"_s, "edit");
    remove_ = button(u"&Löschen"_s, "remove");
    up_ = button(u"Na&ch oben"_s, "moveUp");
    down_ = button(u"Nach &unten"_s, "moveDown");
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(u"Schließen"_s);
    close->button(QDialogButtonBox::Close)->setObjectName(u"close"_s);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddHelpButton(close, this);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {add_, edit_, remove_}) side->addWidget(b);
    side->addSpacing(fontMetrics().lineSpacing());
    side->addWidget(up_);
    side->addWidget(down_);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(close);

    Fill(doc_.taxCategories.empty() ? -1 : 0);

    connect(list_, &QTreeWidget::itemSelectionChanged, this, &TaxCategoriesDialog::UpdateButtons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &TaxCategoriesDialog::EditSelected);
    connect(add_, &QPushButton::clicked, this, &TaxCategoriesDialog::Add);
    connect(edit_, &QPushButton::clicked, this, &TaxCategoriesDialog::EditSelected);
    connect(remove_, &QPushButton::clicked, this, &TaxCategoriesDialog::Remove);
    connect(up_, &QPushButton::clicked, this, [this] { Move(&MoveTaxCategoryUp); });
    connect(down_, &QPushButton::clicked, this, [this] { Move(&MoveTaxCategoryDown); });
    list_->setFocus();
}

// Rows from the document's list; `select` is the row to select (-1 = none).
void TaxCategoriesDialog::Fill(int select) {
    {
        const QSignalBlocker block(list_);
        list_->clear();
        for (const CFL2StPflKateg& category : doc_.taxCategories) {
            const TaxCategoryRow row = TaxCategoryColumnTexts(category);
            auto* item = new QTreeWidgetItem(list_);
            const std::string* texts[] = {&row.name,           &row.abbreviation, &row.salePeriod,
                                          &row.purchasePeriod, &row.holdingTime,  &row.halfIncome};
            for (int i = 0; i < static_cast<int>(std::size(texts)); ++i)
                item->setText(i, ToQString(*texts[i]));
        }
        if (select >= 0 && select < list_->topLevelItemCount()) {
            QTreeWidgetItem* item = list_->topLevelItem(select);
            list_->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    UpdateButtons();
}

int TaxCategoriesDialog::Selected() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.front());
}

void TaxCategoriesDialog::UpdateButtons() {
    const TaxCategoryButtons states = TaxCategoryButtonStates(doc_, Selected());
    add_->setEnabled(states.add);
    edit_->setEnabled(states.edit);
    remove_->setEnabled(states.remove);
    up_->setEnabled(states.moveUp);
    down_->setEnabled(states.moveDown);
}

void TaxCategoriesDialog::Add() {
    TaxCategoryDialog editor(doc_, TaxCategoryForm::New(), this);
    if (editor.exec() != QDialog::Accepted) return;
    changed_ = true;
    Fill(editor.Index());
}

void TaxCategoriesDialog::EditSelected() {
    const int selected = Selected();
    if (selected < 0) return;
    TaxCategoryDialog editor(doc_, TaxCategoryForm::ForEdit(doc_, selected), this);
    if (editor.exec() != QDialog::Accepted) return;
    changed_ = true;
    Fill(editor.Index());
}

void TaxCategoriesDialog::Remove() {
    const int selected = Selected();
    if (selected < 0) return;
    if (!ShowMessage(this, TaxCategoryDeleteQuestion())) return;
    if (!DeleteTaxCategory(doc_, selected)) return;
    changed_ = true;
    Fill(std::min(selected, static_cast<int>(doc_.taxCategories.size()) - 1));
}

void TaxCategoriesDialog::Move(int (*move)(CFolari2Doc&, int)) {
    const int moved = move(doc_, Selected());
    if (moved < 0) return;
    changed_ = true;
    Fill(moved);
}

bool RunTaxCategoriesDialog(QWidget* parent, CFolari2Doc& doc) {
    TaxCategoriesDialog dialog(doc, parent);
    dialog.exec();
    return dialog.Changed();
}

}  // namespace pf
