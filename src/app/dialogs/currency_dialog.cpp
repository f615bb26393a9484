#include "app/dialogs/currency_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/currency.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

QLineEdit* LineEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

// A button text whose leading "&" marks the mnemonic; an "&" inside a typed symbol is shown
// as such instead of taking the mnemonic.
QString MnemonicText(const std::string& label) {
    if (label.empty() || label[0] != '&') return ToQString(label).replace(u'&', u"&&"_s);
    return u"&"_s + ToQString(std::string_view(label).substr(1)).replace(u'&', u"&&"_s);
}

}  // namespace

CurrencyDialog::CurrencyDialog(CFolari2Doc& doc, CurrencyForm form, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(std::move(form)) {
    setWindowTitle(ToQString(form_.Title()));
    const int charWidth = fontMetrics().averageCharWidth();

    symbol_ = LineEdit(this, kCurrencySymbolField);
    symbol_->setMinimumWidth(charWidth * 10);
    name_ = LineEdit(this, kCurrencyNameField);
    name_->setMinimumWidth(charWidth * 36);

    variable_ = new QRadioButton(u"&variabler Kurs:"_s, this);
    // A refusal of the rate kind comes while the variable rate is chosen: it gets the focus.
    variable_->setObjectName(QString::fromLatin1(kCurrencyRateKindField));
    fixed_ = new QRadioButton(u"&fester Kurs:"_s, this);
    fixed_->setObjectName(u"fixedRateKind"_s);
    kind_ = new QButtonGroup(this);
    kind_->addButton(variable_);
    kind_->addButton(fixed_);

    reference_ = new QComboBox(this);
    reference_->setObjectName(QString::fromLatin1(kCurrencyReferenceField));
    for (const CurrencyChoice& choice : form_.ReferenceChoices(doc_))
        reference_->addItem(ToQString(choice.text), choice.id);
    reference_->setMinimumWidth(charWidth * 12);
    referenceLabel_ = new QLabel(u"Bezugs&währung:"_s, this);
    referenceLabel_->setBuddy(reference_);

    unitsPerReference_ = new QRadioButton(this);
    unitsPerReference_->setObjectName(u"unitsPerReference"_s);
    referencePerUnit_ = new QRadioButton(this);
    referencePerUnit_->setObjectName(u"referencePerUnit"_s);
    quoteFormat_ = new QButtonGroup(this);
    quoteFormat_->addButton(unitsPerReference_, kUnitsPerReference);
    quoteFormat_->addButton(referencePerUnit_, kReferencePerUnit);

    fixedRate1_ = LineEdit(this, kCurrencyFixedRate1Field);
    fixedRate2_ = LineEdit(this, kCurrencyFixedRate2Field);
    for (QLineEdit* edit : {fixedRate1_, fixedRate2_}) {
        edit->setAlignment(Qt::AlignRight);
        edit->setMinimumWidth(charWidth * 14);
    }
    symbolLine_ = new QLabel(this);
    symbolLine_->setObjectName(u"symbolLine"_s);
    symbolLine_->setTextFormat(Qt::PlainText);
    baseSymbol_ = new QLabel(ToQString(CurrencyForm::BaseSymbol(doc_)), this);
    baseSymbol_->setObjectName(u"baseSymbol"_s);
    baseSymbol_->setTextFormat(Qt::PlainText);

    auto* fields = new QFormLayout;
    fields->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    auto* symbolRow = new QHBoxLayout;
    symbolRow->addWidget(symbol_);
    symbolRow->addStretch(1);
    // The symbol's field is short; its row needs a label of its own to keep the buddy.
    auto* symbolLabel = new QLabel(u"&Symbol"_s, this);
    symbolLabel->setBuddy(symbol_);
    fields->addRow(symbolLabel, symbolRow);
    fields->addRow(u"&Bezeichnung"_s, name_);

    // The parts of each rate kind sit below its button, aligned with the button's text.
    const int indent = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                       style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
    auto* variableParts = new QVBoxLayout;
    variableParts->setContentsMargins(indent, 0, 0, 0);
    auto* referenceRow = new QHBoxLayout;
    referenceRow->addWidget(referenceLabel_);
    referenceRow->addWidget(reference_);
    referenceRow->addStretch(1);
    variableParts->addLayout(referenceRow);
    variableParts->addWidget(unitsPerReference_);
    variableParts->addWidget(referencePerUnit_);

    auto* fixedParts = new QHBoxLayout;
    fixedParts->setContentsMargins(indent, 0, 0, 0);
    fixedParts->addWidget(fixedRate1_);
    fixedParts->addWidget(symbolLine_);
    fixedParts->addWidget(fixedRate2_);
    fixedParts->addWidget(baseSymbol_);
    fixedParts->addStretch(1);

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(layout->spacing());
    layout->addWidget(variable_);
    layout->addLayout(variableParts);
    layout->addSpacing(layout->spacing());
    layout->addWidget(fixed_);
    layout->addLayout(fixedParts);
    layout->addStretch(1);
    layout->addSpacing(layout->spacing());
    layout->addWidget(buttons);

    QWidget::setTabOrder(symbol_, name_);
    QWidget::setTabOrder(name_, variable_);
    QWidget::setTabOrder(variable_, reference_);
    QWidget::setTabOrder(reference_, unitsPerReference_);
    QWidget::setTabOrder(unitsPerReference_, referencePerUnit_);
    QWidget::setTabOrder(referencePerUnit_, fixed_);
    QWidget::setTabOrder(fixed_, fixedRate1_);
    QWidget::setTabOrder(fixedRate1_, fixedRate2_);

    SetFields(form_);
    connect(symbol_, &QLineEdit::textChanged, this, &CurrencyDialog::Update);
    connect(kind_, &QButtonGroup::buttonToggled, this, &CurrencyDialog::Update);
    connect(reference_, &QComboBox::currentIndexChanged, this, &CurrencyDialog::Update);
    Update();
    symbol_->setFocus();
}

void CurrencyDialog::SetFields(const CurrencyForm& form) {
    symbol_->setText(ToQString(form.symbol));
    name_->setText(ToQString(form.name));
    (form.fixed ? fixed_ : variable_)->setChecked(true);
    // A reference that is not offered stays unchosen; OK then asks for one.
    reference_->setCurrentIndex(reference_->findData(form.referenceId));
    (form.quoteFormat == kReferencePerUnit ? referencePerUnit_ : unitsPerReference_)
        ->setChecked(true);
    fixedRate1_->setText(ToQString(form.fixedRate1));
    fixedRate2_->setText(ToQString(form.fixedRate2));
}

CurrencyForm CurrencyDialog::Form() const {
    CurrencyForm form = form_;
    form.symbol = FromQString(symbol_->text());
    form.name = FromQString(name_->text());
    form.fixed = fixed_->isChecked();
    form.fixedRate1 = FromQString(fixedRate1_->text());
    form.fixedRate2 = FromQString(fixedRate2_->text());
    form.referenceId = reference_->currentIndex() >= 0 ? reference_->currentData().toInt() : -1;
    form.quoteFormat = referencePerUnit_->isChecked() ? kReferencePerUnit : kUnitsPerReference;
    return form;
}

void CurrencyDialog::Update() {
    const CurrencyForm form = Form();
    variable_->setEnabled(form.RateKindEnabled());
    fixed_->setEnabled(form.RateKindEnabled());
    for (QWidget* w : {static_cast<QWidget*>(fixedRate1_), static_cast<QWidget*>(symbolLine_),
                       static_cast<QWidget*>(fixedRate2_), static_cast<QWidget*>(baseSymbol_)})
        w->setEnabled(form.FixedRatesEnabled());
    referenceLabel_->setEnabled(form.ReferenceEnabled());
    reference_->setEnabled(form.ReferenceEnabled());
    unitsPerReference_->setEnabled(form.QuoteFormatEnabled());
    referencePerUnit_->setEnabled(form.QuoteFormatEnabled());
    unitsPerReference_->setText(MnemonicText(form.QuoteFormatLabel(doc_, kUnitsPerReference)));
    referencePerUnit_->setText(MnemonicText(form.QuoteFormatLabel(doc_, kReferencePerUnit)));
    symbolLine_->setText(ToQString(form.SymbolLine()));
}

void CurrencyDialog::accept() {
    const CurrencyForm form = Form();
    if (MaybeMessage m = form.Check(doc_)) {
        if (!m->IsQuestion()) {
            ShowRefusal(this, *m);
            return;
        }
        if (!ShowMessage(this, *m)) return;
    }
    const int32_t id = form.Apply(doc_);
    if (id < 0) return;
    id_ = id;
    QDialog::accept();
}

int32_t RunCurrencyDialog(QWidget* parent, CFolari2Doc& doc, int32_t currencyId) {
    CurrencyDialog dialog(
        doc, currencyId < 0 ? CurrencyForm::New(doc) : CurrencyForm::ForEdit(doc, currencyId),
        parent);
    if (dialog.exec() != QDialog::Accepted) return -1;
    return dialog.CurrencyId();
}

}  // namespace pf
