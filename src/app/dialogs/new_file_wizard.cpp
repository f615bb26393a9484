#include "app/dialogs/new_file_wizard.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dialogs/row_height.h"
#include "app/help.h"
#include "app/message_box.h"
#include "qtcanvas/qt_string.h"
#include "shell/depot_data_form.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

NewFileWizard::NewFileWizard(QWidget* parent) : QWizard(parent) {
    setWizardStyle(QWizard::ClassicStyle);
    setButtonText(QWizard::BackButton, u"< &Zurück"_s);
    setButtonText(QWizard::NextButton, u"&Weiter >"_s);
    setButtonText(QWizard::FinishButton, u"Fertig stellen"_s);
    setButtonText(QWizard::CancelButton, u"Abbrechen"_s);
    setOption(QWizard::HaveHelpButton);
    setButtonText(QWizard::HelpButton, u"Hilfe"_s);
    button(QWizard::HelpButton)->setObjectName(u"help"_s);
    connect(this, &QWizard::helpRequested, this, [this] { OpenHelpFor(this); });

    currencyPageId_ = addPage(CreateCurrencyPage());
    depotPageId_ = addPage(CreateDepotPage());

    // The page's step shows in the title bar.
    auto showStep = [this](int id) {
        setWindowTitle(ToQString(id == depotPageId_ ? kNewFilePage2Title : kNewFilePage1Title));
    };
    connect(this, &QWizard::currentIdChanged, this, showStep);
    showStep(currencyPageId_);
    UpdateCurrencyChoice();
}

QWizardPage* NewFileWizard::CreateCurrencyPage() {
    auto* page = new QWizardPage;

    euroChoice_ = new QRadioButton(
        u"&Euro als Hauptwährung und ehemalige Landeswährungen der Eurozone:"_s, page);
    euroChoice_->setObjectName(u"euroChoice"_s);

    legacyList_ = new QTreeWidget(page);
    legacyList_->setObjectName(u"legacyList"_s);
    legacyList_->setColumnCount(3);
    legacyList_->setHeaderHidden(true);
    legacyList_->setRootIsDecorated(false);
    legacyList_->setSelectionMode(QAbstractItemView::SingleSelection);
    KeepAccentsInRows(legacyList_);
    const auto rows = NewFileWizardForm::LegacyRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        auto* item = new QTreeWidgetItem(
            legacyList_,
            {ToQString(rows[i].name), ToQString(rows[i].symbol), ToQString(rows[i].rateText)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, form_.legacyChecked[i] ? Qt::Checked : Qt::Unchecked);
    }
    // Columns fitted to their texts with a gap of two characters.
    const int gap = 2 * legacyList_->fontMetrics().averageCharWidth();
    for (int column = 0; column < 3; ++column) {
        legacyList_->resizeColumnToContents(column);
        legacyList_->setColumnWidth(column, legacyList_->columnWidth(column) + gap);
    }
    // Every row visible and no column cut, at any font size.
    const int frame = 2 * legacyList_->frameWidth();
    int width = frame;
    for (int column = 0; column < 3; ++column) width += legacyList_->columnWidth(column);
    legacyList_->setMinimumSize(
        width + legacyList_->style()->pixelMetric(QStyle::PM_ScrollBarExtent),
        static_cast<int>(rows.size()) * legacyList_->sizeHintForRow(0) + frame);
    connect(legacyList_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
        const int row = legacyList_->indexOfTopLevelItem(item);
        if (row >= 0 && row < static_cast<int>(form_.legacyChecked.size()))
            form_.legacyChecked[static_cast<size_t>(row)] = item->checkState(0) == Qt::Checked;
    });

    otherChoice_ = new QRadioButton(u"&andere Währung als Hauptwährung:"_s, page);
    otherChoice_->setObjectName(u"otherChoice"_s);
    symbol_ = new QLineEdit(page);
    symbol_->setObjectName(ToQString(kOwnSymbolField));
    name_ = new QLineEdit(page);
    name_->setObjectName(ToQString(kOwnNameField));
    connect(symbol_, &QLineEdit::textChanged, this,
            [this](const QString& text) { form_.ownSymbol = FromQString(text); });
    connect(name_, &QLineEdit::textChanged, this,
            [this](const QString& text) { form_.ownName = FromQString(text); });

    euroChoice_->setChecked(form_.euroWithLegacy);
    otherChoice_->setChecked(!form_.euroWithLegacy);
    connect(euroChoice_, &QRadioButton::toggled, this, [this](bool checked) {
        form_.euroWithLegacy = checked;
        UpdateCurrencyChoice();
    });

    // The controls of a choice stand indented under its radio button.
    const int indent = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    // Labels and fields of the own currency are enabled together.
    ownFields_ = new QWidget(page);
    auto* ownLayout = new QFormLayout(ownFields_);
    ownLayout->setContentsMargins(indent, 0, 0, 0);
    ownLayout->addRow(u"&Symbol:"_s, symbol_);
    ownLayout->addRow(u"&Bezeichnung:"_s, name_);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(euroChoice_);
    auto* listRow = new QVBoxLayout;
    listRow->setContentsMargins(indent, 0, 0, 0);
    listRow->addWidget(legacyList_);
    layout->addLayout(listRow, 1);
    layout->addSpacing(layout->spacing());
    layout->addWidget(otherChoice_);
    layout->addWidget(ownFields_);

    QWidget::setTabOrder(euroChoice_, legacyList_);
    QWidget::setTabOrder(legacyList_, otherChoice_);
    QWidget::setTabOrder(otherChoice_, symbol_);
    QWidget::setTabOrder(symbol_, name_);
    return page;
}

QWizardPage* NewFileWizard::CreateDepotPage() {
    auto* page = new QWizardPage;
    auto* fields = new QFormLayout;
    fields->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    depotEdits_ = DepotDataEdits::AddTo(fields, page);
    depotEdits_.Set(form_.depot);
    auto changed = [this] { form_.depot = depotEdits_.Get(); };
    for (QLineEdit* edit : {depotEdits_.holderName, depotEdits_.depotNumber,
                            depotEdits_.accountNumber, depotEdits_.bankCode})
        connect(edit, &QLineEdit::textChanged, this, changed);
    connect(depotEdits_.holderAddress, &QPlainTextEdit::textChanged, this, changed);

    auto* currencyLabel =
        new QLabel(u"&Währung, in der das Verrechnungskonto zu Beginn geführt wird:"_s, page);
    accountCurrency_ = new QComboBox(page);
    accountCurrency_->setObjectName(u"accountCurrency"_s);
    accountCurrency_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    currencyLabel->setBuddy(accountCurrency_);
    connect(accountCurrency_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        if (!fillingAccountCurrencies_) form_.accountCurrencySymbol = FromQString(text);
    });

    auto* hint = new QLabel(
        u"HINWEIS: Sollten die Schriften im Programmfenster zu groß oder zu klein erscheinen, "
        "ist eine schnelle Skalierung der Bildschirmansicht über 'Bildschirmschriftgröße' im "
        "Bearbeiten-Menü möglich."_s,
        page);
    hint->setObjectName(u"hint"_s);
    hint->setWordWrap(true);

    auto* currencyRow = new QHBoxLayout;
    currencyRow->addWidget(accountCurrency_);
    currencyRow->addStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(fields);
    layout->addSpacing(layout->spacing());
    layout->addWidget(currencyLabel);
    layout->addLayout(currencyRow);
    layout->addStretch(1);
    layout->addWidget(hint);
    QWidget::setTabOrder(depotEdits_.bankCode, accountCurrency_);
    return page;
}

void NewFileWizard::UpdateCurrencyChoice() {
    legacyList_->setEnabled(form_.euroWithLegacy);
    ownFields_->setEnabled(!form_.euroWithLegacy);
}

void NewFileWizard::FillAccountCurrencies() {
    fillingAccountCurrencies_ = true;
    accountCurrency_->clear();
    for (const std::string& symbol : form_.AccountCurrencyChoices())
        accountCurrency_->addItem(ToQString(symbol));
    form_.accountCurrencySymbol = form_.EffectiveAccountCurrency();
    accountCurrency_->setCurrentIndex(
        accountCurrency_->findText(ToQString(form_.accountCurrencySymbol)));
    fillingAccountCurrencies_ = false;
}

void NewFileWizard::initializePage(int id) {
    if (id == depotPageId_) FillAccountCurrencies();
    QWizard::initializePage(id);
}

bool NewFileWizard::validateCurrentPage() {
    MaybeMessage refusal;
    if (currentId() == currencyPageId_) refusal = form_.LeavePage1();
    if (currentId() == depotPageId_) refusal = form_.LeavePage2();
    if (refusal) {
        ShowRefusal(this, *refusal);
        return false;
    }
    return QWizard::validateCurrentPage();
}

}  // namespace pf
