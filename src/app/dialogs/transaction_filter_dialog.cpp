#include "app/dialogs/transaction_filter_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

QListWidgetItem* CheckItem(QListWidget* list, const std::string& text, bool checked) {
    auto* item = new QListWidgetItem(ToQString(text), list);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    return item;
}

bool Checked(const QListWidget* list, int row) {
    return list->item(row)->checkState() == Qt::Checked;
}

}  // namespace

TransactionFilterDialog::TransactionFilterDialog(CFolari2Doc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(TransactionFilterForm::FromDocument(doc)) {
    setWindowTitle(ToQString(kTransactionFilterTitle));
    const int charWidth = fontMetrics().averageCharWidth();
    const TransactionFilterForm& f = form_;

    // Purchases and sales.
    showPurchases_ = CheckBox(u"&Käufe anzeigen"_s, "showPurchases", f.showPurchases);
    showSales_ = CheckBox(u"&Verkäufe anzeigen"_s, "showSales", f.showSales);
    tradesOnlySelected_ =
        CheckBox(u"&nur ausgewählte Wertpapiere"_s, "tradesOnlySelected", f.tradesOnlySelected);
    tradesText_ = MakeText(u"&Text"_s, "trades", kFilterTradesTextField, f.tradesText);
    tradesAmount_ = MakeAmount(u"&Betrag von/bis"_s, "trades", kFilterTradesFromField,
                               kFilterTradesToField, f.tradesAmount);
    auto* trades = new QGroupBox(this);
    trades->setObjectName(u"tradesGroup"_s);
    auto* tradesGrid = new QGridLayout(trades);
    tradesGrid->addWidget(showPurchases_, 0, 0);
    tradesGrid->addWidget(showSales_, 0, 1, 1, 3);
    tradesGrid->addWidget(tradesOnlySelected_, 1, 0, 1, 4);
    tradesGrid->addWidget(tradesText_.active, 2, 0);
    tradesGrid->addWidget(tradesText_.match, 2, 1);
    tradesGrid->addWidget(tradesText_.text, 2, 2, 1, 2);
    tradesGrid->addWidget(tradesAmount_.active, 3, 0);
    tradesGrid->addWidget(tradesAmount_.from, 3, 1);
    tradesGrid->addWidget(tradesAmount_.to, 3, 2);
    tradesGrid->addWidget(tradesAmount_.currency, 3, 3);

    // Account movements.
    showMovements_ = CheckBox(u"K&ontobewegungen anzeigen"_s, "showMovements", f.showMovements);
    movementsOnlySelected_ = CheckBox(u"n&ur ausgewählte Wertpapiere"_s, "movementsOnlySelected",
                                      f.movementsOnlySelected);
    movementsOnlySelectedKinds_ = CheckBox(
        u"nu&r ausgewählte Vorgänge"_s, "movementsOnlySelectedKinds", f.movementsOnlySelectedKinds);
    kinds_ = new QListWidget(this);
    kinds_->setObjectName(u"kinds"_s);
    for (const auto& k : f.kinds) CheckItem(kinds_, k.name, k.checked);
    // Five rows of kinds, whatever the font.
    const int kindRow = kinds_->count() > 0 ? kinds_->sizeHintForRow(0) : fontMetrics().height();
    kinds_->setFixedHeight(kindRow * 5 + 2 * kinds_->frameWidth());
    movementsText_ = MakeText(u"T&ext"_s, "movements", kFilterMovementsTextField, f.movementsText);
    movementsAmount_ = MakeAmount(u"Betrag von/bi&s"_s, "movements", kFilterMovementsFromField,
                                  kFilterMovementsToField, f.movementsAmount);
    auto* movements = new QGroupBox(this);
    movements->setObjectName(u"movementsGroup"_s);
    auto* movementsGrid = new QGridLayout(movements);
    movementsGrid->addWidget(showMovements_, 0, 0, 1, 4);
    movementsGrid->addWidget(movementsOnlySelected_, 1, 0, 1, 4);
    movementsGrid->addWidget(movementsOnlySelectedKinds_, 2, 0, Qt::AlignTop);
    movementsGrid->addWidget(kinds_, 2, 1, 1, 3);
    movementsGrid->addWidget(movementsText_.active, 3, 0);
    movementsGrid->addWidget(movementsText_.match, 3, 1);
    movementsGrid->addWidget(movementsText_.text, 3, 2, 1, 2);
    movementsGrid->addWidget(movementsAmount_.active, 4, 0);
    movementsGrid->addWidget(movementsAmount_.from, 4, 1);
    movementsGrid->addWidget(movementsAmount_.to, 4, 2);
    movementsGrid->addWidget(movementsAmount_.currency, 4, 3);

    // Splits and exchanges.
    showSplits_ = CheckBox(u"&Aktiensplits anzeigen"_s, "showSplits", f.showSplits);
    showExchanges_ = CheckBox(u"Umtaus&che anzeigen"_s, "showExchanges", f.showExchanges);
    corporateOnlySelected_ = CheckBox(u"nur ausgewählte Wert&papiere"_s, "corporateOnlySelected",
                                      f.corporateOnlySelected);
    corporateText_ = MakeText(u"Te&xt"_s, "corporate", kFilterCorporateTextField, f.corporateText);
    auto* corporate = new QGroupBox(this);
    corporate->setObjectName(u"corporateGroup"_s);
    auto* corporateGrid = new QGridLayout(corporate);
    corporateGrid->addWidget(showSplits_, 0, 0);
    corporateGrid->addWidget(showExchanges_, 0, 1, 1, 3);
    corporateGrid->addWidget(corporateOnlySelected_, 1, 0, 1, 4);
    corporateGrid->addWidget(corporateText_.active, 2, 0);
    corporateGrid->addWidget(corporateText_.match, 2, 1);
    corporateGrid->addWidget(corporateText_.text, 2, 2, 1, 2);

    // The same column widths in all three groups, so that their fields line up.
    int captions = 0;
    for (QCheckBox* box : {tradesOnlySelected_, tradesAmount_.active, movementsOnlySelectedKinds_,
                           movementsAmount_.active, showSplits_, corporateOnlySelected_})
        captions = std::max(captions, box->sizeHint().width());
    const int matches =
        std::max(tradesText_.match->sizeHint().width(), tradesAmount_.from->minimumWidth());
    const int currencies = tradesAmount_.currency->sizeHint().width();
    for (QGridLayout* grid : {tradesGrid, movementsGrid, corporateGrid}) {
        grid->setColumnMinimumWidth(0, captions);
        grid->setColumnMinimumWidth(1, matches);
        grid->setColumnMinimumWidth(3, currencies);
        grid->setColumnStretch(2, 1);
    }

    // The securities.
    securities_ = new QListWidget(this);
    securities_->setObjectName(u"securities"_s);
    for (const auto& s : f.securities) CheckItem(securities_, s.label, s.checked);
    // Wide enough for the longest "Name (WKN)" beside the scroll bar.
    securities_->setMinimumWidth(
        std::max(charWidth * 36, securities_->sizeHintForColumn(0) + 2 * securities_->frameWidth() +
                                     securities_->verticalScrollBar()->sizeHint().width()));
    auto* securitiesLabel = new QLabel(u"&Wertpapiere"_s, this);
    securitiesLabel->setBuddy(securities_);
    choices_ = new QComboBox(this);
    choices_->setObjectName(u"choices"_s);
    for (const auto& c : f.choices) choices_->addItem(ToQString(c.label));
    auto* choose = new QPushButton(u"Auswä&hlen"_s, this);
    choose->setObjectName(u"choose"_s);
    auto* unchoose = new QPushButton(u"Abwäh&len"_s, this);
    unchoose->setObjectName(u"unchoose"_s);
    for (QPushButton* b : {choose, unchoose}) b->setAutoDefault(false);
    connect(choose, &QPushButton::clicked, this, [this] { Choose(true); });
    connect(unchoose, &QPushButton::clicked, this, [this] { Choose(false); });
    auto* chooseButtons = new QHBoxLayout;
    chooseButtons->addWidget(choose);
    chooseButtons->addWidget(unchoose);
    auto* right = new QVBoxLayout;
    right->addWidget(securitiesLabel);
    right->addWidget(securities_, 1);
    right->addWidget(choices_);
    right->addLayout(chooseButtons);

    auto* left = new QVBoxLayout;
    left->addWidget(trades);
    left->addWidget(movements);
    left->addWidget(corporate);
    left->addStretch();
    auto* body = new QHBoxLayout;
    body->addLayout(left, 3);
    body->addLayout(right, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(OkCancelButtons(this));

    // Tab order: the groups from top to bottom, then the securities.
    QWidget* order[] = {showPurchases_,
                        showSales_,
                        tradesOnlySelected_,
                        tradesText_.active,
                        tradesText_.match,
                        tradesText_.text,
                        tradesAmount_.active,
                        tradesAmount_.from,
                        tradesAmount_.to,
                        tradesAmount_.currency,
                        showMovements_,
                        movementsOnlySelected_,
                        movementsOnlySelectedKinds_,
                        kinds_,
                        movementsText_.active,
                        movementsText_.match,
                        movementsText_.text,
                        movementsAmount_.active,
                        movementsAmount_.from,
                        movementsAmount_.to,
                        movementsAmount_.currency,
                        showSplits_,
                        showExchanges_,
                        corporateOnlySelected_,
                        corporateText_.active,
                        corporateText_.match,
                        corporateText_.text,
                        securities_,
                        choices_,
                        choose,
                        unchoose};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, &TransactionFilterDialog::UpdateEnables);
    UpdateEnables();
    showPurchases_->setFocus();
}

QCheckBox* TransactionFilterDialog::CheckBox(const QString& text, const char* name, bool checked) {
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

TransactionFilterDialog::TextWidgets TransactionFilterDialog::MakeText(
    const QString& caption, const char* prefix, const char* field,
    const TransactionFilterForm::TextCondition& condition) {
    TextWidgets w;
    w.active = CheckBox(caption, (std::string(prefix) + "TextActive").c_str(), condition.active);
    w.match = new QComboBox(this);
    w.match->setObjectName(QString::fromLatin1(prefix) + u"Match"_s);
    for (const std::string& name : FilterTextMatchNames()) w.match->addItem(ToQString(name));
    w.match->setCurrentIndex(
        condition.match >= 0 && condition.match < w.match->count() ? condition.match : 0);
    w.text = new QLineEdit(ToQString(condition.text), this);
    w.text->setObjectName(QString::fromLatin1(field));
    return w;
}

TransactionFilterDialog::AmountWidgets TransactionFilterDialog::MakeAmount(
    const QString& caption, const char* prefix, const char* fromField, const char* toField,
    const TransactionFilterForm::AmountCondition& condition) {
    AmountWidgets w;
    w.active = CheckBox(caption, (std::string(prefix) + "AmountActive").c_str(), condition.active);
    const int width = fontMetrics().averageCharWidth() * 14;
    w.from = new QLineEdit(ToQString(condition.from), this);
    w.from->setObjectName(QString::fromLatin1(fromField));
    w.to = new QLineEdit(ToQString(condition.to), this);
    w.to->setObjectName(QString::fromLatin1(toField));
    for (QLineEdit* edit : {w.from, w.to}) {
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(width);
    }
    w.currency = new QComboBox(this);
    w.currency->setObjectName(QString::fromLatin1(prefix) + u"Currency"_s);
    for (const auto& c : form_.currencies) w.currency->addItem(ToQString(c.name), c.id);
    const int index = w.currency->findData(condition.currencyId);
    w.currency->setCurrentIndex(index >= 0 ? index : 0);
    return w;
}

TransactionFilterForm::TextCondition TransactionFilterDialog::Read(const TextWidgets& w) {
    return {w.active->isChecked(), w.match->currentIndex(), FromQString(w.text->text())};
}

TransactionFilterForm::AmountCondition TransactionFilterDialog::Read(const AmountWidgets& w) {
    const QVariant id = w.currency->currentData();
    return {w.active->isChecked(), FromQString(w.from->text()), FromQString(w.to->text()),
            id.isValid() ? id.toInt() : 0};
}

TransactionFilterForm TransactionFilterDialog::Form() const {
    TransactionFilterForm f = form_;
    f.showPurchases = showPurchases_->isChecked();
    f.showSales = showSales_->isChecked();
    f.tradesOnlySelected = tradesOnlySelected_->isChecked();
    f.tradesText = Read(tradesText_);
    f.tradesAmount = Read(tradesAmount_);
    f.showMovements = showMovements_->isChecked();
    f.movementsOnlySelected = movementsOnlySelected_->isChecked();
    f.movementsOnlySelectedKinds = movementsOnlySelectedKinds_->isChecked();
    for (int i = 0; i < kinds_->count(); ++i)
        f.kinds[static_cast<size_t>(i)].checked = Checked(kinds_, i);
    f.movementsText = Read(movementsText_);
    f.movementsAmount = Read(movementsAmount_);
    f.showSplits = showSplits_->isChecked();
    f.showExchanges = showExchanges_->isChecked();
    f.corporateOnlySelected = corporateOnlySelected_->isChecked();
    f.corporateText = Read(corporateText_);
    for (int i = 0; i < securities_->count(); ++i)
        f.securities[static_cast<size_t>(i)].checked = Checked(securities_, i);
    return f;
}

void TransactionFilterDialog::UpdateEnables() {
    const TransactionFilterForm f = Form();
    const auto text = [](const TextWidgets& w, bool group) {
        w.active->setEnabled(group);
        w.match->setEnabled(group && w.active->isChecked());
        w.text->setEnabled(group && w.active->isChecked());
    };
    const auto amount = [](const AmountWidgets& w, bool group) {
        w.active->setEnabled(group);
        for (QWidget* field : {static_cast<QWidget*>(w.from), static_cast<QWidget*>(w.to),
                               static_cast<QWidget*>(w.currency)})
            field->setEnabled(group && w.active->isChecked());
    };
    tradesOnlySelected_->setEnabled(f.TradesEnabled());
    text(tradesText_, f.TradesEnabled());
    amount(tradesAmount_, f.TradesEnabled());
    movementsOnlySelected_->setEnabled(f.MovementsEnabled());
    movementsOnlySelectedKinds_->setEnabled(f.MovementsEnabled());
    kinds_->setEnabled(f.KindsEnabled());
    text(movementsText_, f.MovementsEnabled());
    amount(movementsAmount_, f.MovementsEnabled());
    corporateOnlySelected_->setEnabled(f.CorporateEnabled());
    text(corporateText_, f.CorporateEnabled());
}

void TransactionFilterDialog::Choose(bool check) {
    TransactionFilterForm f = Form();
    f.Choose(static_cast<size_t>(choices_->currentIndex()), check);
    for (int i = 0; i < securities_->count(); ++i)
        securities_->item(i)->setCheckState(
            f.securities[static_cast<size_t>(i)].checked ? Qt::Checked : Qt::Unchecked);
}

void TransactionFilterDialog::accept() {
    const TransactionFilterForm f = Form();
    if (MaybeMessage m = f.Check(doc_)) {
        ShowRefusal(this, *m);
        return;
    }
    f.ApplyTo(doc_);
    QDialog::accept();
}

bool RunTransactionFilterDialog(QWidget* parent, CFolari2Doc& doc) {
    TransactionFilterDialog dialog(doc, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace pf
