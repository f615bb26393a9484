#include "app/dialogs/security_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>
#include <QVBoxLayout>
#include <optional>
#include <string_view>
#include <utility>

#include "app/dialogs/quote_rounding_question.h"
#include "app/dialogs/use_template_dialog.h"
#include "app/dialogs/vtplus_data_dialog.h"
#include "app/dialogs/vtplus_selection_dialog.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "platform/socket_dde_client.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

QLineEdit* LineEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QCheckBox* CheckBox(QWidget* parent, const QString& text, const char* name) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

// A form layout whose fields grow with the dialog.
QFormLayout* Fields() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    return form;
}

}  // namespace

SecurityDialog::SecurityDialog(CFolari2Doc& doc, SecurityForm form, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(std::move(form)), vtplusSocket_(DefaultVtplusSocketPath()) {
    setWindowTitle(ToQString(form_.Title()));
    const SecurityCaptions captions = SecurityCaptionsOf(doc_);
    const int charWidth = fontMetrics().averageCharWidth();
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(u"tabs"_s);
    // Every tab title stays in sight: the dialog is as wide as the tab bar.
    tabs_->setUsesScrollButtons(false);

    // --- "Allgemein" ---
    auto* general = new QWidget(tabs_);
    name_ = LineEdit(general, kSecurityNameField);
    wkn_ = LineEdit(general, kSecurityWknField);
    isin_ = LineEdit(general, kSecurityIsinField);
    currency_ = new QComboBox(general);
    currency_->setObjectName(QString::fromLatin1(kQuoteCurrencyField));
    for (const CFL2Waehrung& c : doc_.currencies) currency_->addItem(ToQString(c.symbol), c.id);
    type_ = LineEdit(general, kSecurityTypeField);
    sector_ = LineEdit(general, kSectorField);
    country_ = LineEdit(general, kCountryField);
    index_ = LineEdit(general, kIndexField);
    name_->setMinimumWidth(charWidth * 45);
    wkn_->setMinimumWidth(charWidth * 16);
    isin_->setMinimumWidth(charWidth * 16);
    currency_->setMinimumWidth(charWidth * 12);
    {
        auto* fields = Fields();
        fields->addRow(u"B&ezeichnung"_s, name_);
        fields->addRow(u"&WKN"_s, wkn_);
        fields->addRow(ToQString(captions.isin), isin_);
        fields->addRow(u"K&urse in"_s, currency_);
        fields->addRow(u"&Typ"_s, type_);
        fields->addRow(u"B&ranche"_s, sector_);
        fields->addRow(u"&Land"_s, country_);
        fields->addRow(u"Inde&x/Marktsegment"_s, index_);
        auto* layout = new QVBoxLayout(general);
        layout->addLayout(fields);
        layout->addStretch();
    }
    tabs_->addTab(general, u"Allgemein"_s);

    // --- "Kennzahlen" ---
    auto* figures = new QWidget(tabs_);
    earnings1_ = LineEdit(figures, kEarnings1Field);
    earnings2_ = LineEdit(figures, kEarnings2Field);
    dividend_ = LineEdit(figures, kDividendField);
    cashFlow_ = LineEdit(figures, kCashFlowField);
    for (QLineEdit* edit : {earnings1_, earnings2_, dividend_, cashFlow_}) {
        edit->setAlignment(Qt::AlignRight);
        edit->setMaximumWidth(charWidth * 18);
    }
    halfIncome_ = CheckBox(figures, u"&Halbeinkünfteverfahren"_s, "halfIncomeProcedure");
    noManualQuotes_ = CheckBox(figures, u"keine manuelle Kur&serfassung"_s, "noManualQuotes");
    noChart_ = CheckBox(figures, u"keine Chartan&zeige"_s, "noChart");
    {
        auto* numbers = Fields();
        numbers->addRow(ToQString(captions.earnings1), earnings1_);
        numbers->addRow(ToQString(captions.earnings2), earnings2_);
        numbers->addRow(u"D&ividende"_s, dividend_);
        numbers->addRow(u"&Cash-Flow"_s, cashFlow_);
        auto* numbersBox = new QGroupBox(u"Kennzahlen je Aktie"_s, figures);
        numbersBox->setLayout(numbers);

        auto* switches = new QVBoxLayout;
        switches->addWidget(halfIncome_);
        switches->addWidget(noManualQuotes_);
        switches->addWidget(noChart_);
        switches->addStretch();

        auto* top = new QHBoxLayout;
        top->addWidget(numbersBox);
        top->addLayout(switches, 1);

        auto* layout = new QVBoxLayout(figures);
        layout->addLayout(top);
        layout->addWidget(new QLabel(u"Leere Kennzahlen gelten als nicht angegeben."_s, figures));
        layout->addStretch();
    }
    tabs_->addTab(figures, u"Kennzahlen"_s);

    // --- "Kategorien und Bemerkungen" ---
    auto* notes = new QWidget(tabs_);
    category1_ = LineEdit(notes, kCategory1Field);
    category2_ = LineEdit(notes, kCategory2Field);
    remarks_ = new QPlainTextEdit(notes);
    remarks_->setObjectName(QString::fromLatin1(kRemarksField));
    remarks_->setTabChangesFocus(true);
    {
        // Room for four lines of the current font, whatever its size.
        const int frame = 2 * remarks_->frameWidth();
        const int margins = static_cast<int>(2 * remarks_->document()->documentMargin());
        remarks_->setMinimumHeight(4 * remarks_->fontMetrics().lineSpacing() + frame + margins);

        auto* categories = Fields();
        categories->addRow(ToQString(captions.category1), category1_);
        categories->addRow(ToQString(captions.category2), category2_);
        auto* remarksLabel = new QLabel(u"&Bemerkungen"_s, notes);
        remarksLabel->setBuddy(remarks_);

        auto* layout = new QVBoxLayout(notes);
        layout->addLayout(categories);
        layout->addWidget(remarksLabel);
        layout->addWidget(remarks_, 1);
    }
    tabs_->addTab(notes, u"Kategorien und Bemerkungen"_s);

    // --- "Kursimport" ---
    auto* import = new QWidget(tabs_);
    internetImport_ =
        CheckBox(import, u"Kursimport aus dem &Internet von Adresse/URL:"_s, "internetImport");
    internetUrl_ = LineEdit(import, kInternetUrlField);
    internetText_ = LineEdit(import, kInternetTextField);
    internetSeparator_ = new QComboBox(import);
    internetSeparator_->setObjectName(u"internetDecimalSeparator"_s);
    internetSeparator_->addItem(u"Komma ','"_s);  // index 0
    internetSeparator_->addItem(u"Punkt '.'"_s);  // index 1
    auto* makeTemplate = new QPushButton(u"Vorlage erzeugen"_s, import);
    makeTemplate->setObjectName(u"makeTemplate"_s);
    auto* useTemplate = new QPushButton(u"Vorlage verwenden..."_s, import);
    useTemplate->setObjectName(u"useTemplate"_s);
    vtplusImport_ = CheckBox(import, u"Kursimport aus dem Videotext mit VT&Plus"_s, "vtplusImport");
    vtplusData_ = new QPushButton(u"&Daten..."_s, import);
    vtplusData_->setObjectName(u"vtplusData"_s);
    auto* vtplusSelect = new QPushButton(u"&Auswählen..."_s, import);
    vtplusSelect->setObjectName(u"vtplusSelect"_s);
    internetUrl_->setMinimumWidth(charWidth * 60);
    {
        auto* details = Fields();
        details->addRow(u"Text v&or Kurs:"_s, internetText_);
        details->addRow(u"Dezimaltre&nn.:"_s, internetSeparator_);
        auto* templates = new QHBoxLayout;
        templates->addWidget(makeTemplate);
        templates->addWidget(useTemplate);
        templates->addStretch();
        auto* internet = new QGroupBox(u"Internet"_s, import);
        auto* internetLayout = new QVBoxLayout(internet);
        internetLayout->addWidget(internetImport_);
        internetLayout->addWidget(internetUrl_);
        internetLayout->addLayout(details);
        internetLayout->addLayout(templates);

        auto* vtplusButtons = new QHBoxLayout;
        vtplusButtons->addWidget(vtplusData_);
        vtplusButtons->addWidget(vtplusSelect);
        vtplusButtons->addStretch();
        auto* vtplus = new QGroupBox(u"Videotext"_s, import);
        auto* vtplusLayout = new QVBoxLayout(vtplus);
        vtplusLayout->addWidget(vtplusImport_);
        vtplusLayout->addLayout(vtplusButtons);

        auto* layout = new QVBoxLayout(import);
        layout->addWidget(internet);
        layout->addWidget(vtplus);
        layout->addStretch();
    }
    tabs_->addTab(import, u"Kursimport"_s);
    connect(makeTemplate, &QPushButton::clicked, this, &SecurityDialog::MakeTemplate);
    connect(useTemplate, &QPushButton::clicked, this, &SecurityDialog::UseTemplate);
    connect(vtplusData_, &QPushButton::clicked, this, &SecurityDialog::EditVtplusData);
    connect(vtplusSelect, &QPushButton::clicked, this, &SecurityDialog::SelectVtplusData);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(OkCancelButtons(this));

    SetFields(form_);
    tabs_->setCurrentIndex(0);
    name_->setFocus();
}

void SecurityDialog::SetFields(const SecurityForm& f) {
    name_->setText(ToQString(f.name));
    wkn_->setText(ToQString(f.wkn));
    isin_->setText(ToQString(f.isin));
    currency_->setCurrentIndex(currency_->findData(f.quoteCurrencyId));
    type_->setText(ToQString(f.type));
    sector_->setText(ToQString(f.sector));
    country_->setText(ToQString(f.country));
    index_->setText(ToQString(f.index));
    earnings1_->setText(ToQString(f.earnings1));
    earnings2_->setText(ToQString(f.earnings2));
    dividend_->setText(ToQString(f.dividend));
    cashFlow_->setText(ToQString(f.cashFlow));
    halfIncome_->setChecked(f.halfIncomeProcedure);
    noManualQuotes_->setChecked(f.noManualQuotes);
    noChart_->setChecked(f.noChart);
    category1_->setText(ToQString(f.category1));
    category2_->setText(ToQString(f.category2));
    remarks_->setPlainText(ToQString(f.remarks));
    internetImport_->setChecked(f.internetImport);
    internetUrl_->setText(ToQString(f.internetUrl));
    internetText_->setText(ToQString(f.internetTextBeforeQuote));
    internetSeparator_->setCurrentIndex(f.internetDecimalSeparator == 1 ? 1 : 0);
    vtplusImport_->setChecked(f.vtplus.import);
}

SecurityForm SecurityDialog::Form() const {
    SecurityForm f = form_;
    f.name = FromQString(name_->text());
    f.wkn = FromQString(wkn_->text());
    f.isin = FromQString(isin_->text());
    f.quoteCurrencyId = currency_->currentIndex() < 0 ? -1 : currency_->currentData().toInt();
    f.type = FromQString(type_->text());
    f.sector = FromQString(sector_->text());
    f.country = FromQString(country_->text());
    f.index = FromQString(index_->text());
    f.earnings1 = FromQString(earnings1_->text());
    f.earnings2 = FromQString(earnings2_->text());
    f.dividend = FromQString(dividend_->text());
    f.cashFlow = FromQString(cashFlow_->text());
    f.halfIncomeProcedure = halfIncome_->isChecked();
    f.noManualQuotes = noManualQuotes_->isChecked();
    f.noChart = noChart_->isChecked();
    f.category1 = FromQString(category1_->text());
    f.category2 = FromQString(category2_->text());
    f.remarks = FromQString(remarks_->toPlainText());
    f.internetImport = internetImport_->isChecked();
    f.internetUrl = FromQString(internetUrl_->text());
    f.internetTextBeforeQuote = FromQString(internetText_->text());
    f.internetDecimalSeparator = internetSeparator_->currentIndex() == 1 ? 1 : 0;
    f.vtplus.import = vtplusImport_->isChecked();
    return f;
}

void SecurityDialog::ShowRefusalOnTab(const Message& message) {
    // The VTPlus data live in their own dialog: a refusal of them points at "&Daten...".
    const bool vtplusData = std::string_view(message.field).starts_with("vtplus");
    QWidget* field = vtplusData              ? vtplusData_
                     : message.field.empty() ? nullptr
                                             : findChild<QWidget*>(ToQString(message.field));
    if (field != nullptr) {
        for (int i = 0; i < tabs_->count(); ++i) {
            if (tabs_->widget(i)->isAncestorOf(field)) tabs_->setCurrentIndex(i);
        }
    }
    ShowRefusal(this, message);
    if (vtplusData) vtplusData_->setFocus(Qt::OtherFocusReason);
}

void SecurityDialog::accept() {
    SecurityForm form = Form();
    const MaybeMessage m = form.Check(doc_);
    if (IsRefusal(m)) {
        ShowRefusalOnTab(*m);
        return;
    }
    if (m) {
        int decimals = form.quoteDecimals;
        if (!AskQuoteRounding(this, *m, decimals)) return;
        form.quoteDecimals = decimals;
    }
    const int32_t id = form.Apply(doc_);
    if (id < 0) return;
    form_ = std::move(form);
    id_ = id;
    QDialog::accept();
}

void SecurityDialog::MakeTemplate() {
    const SecurityForm form = Form();
    if (const MaybeMessage m = AddTemplate(doc_, form.Template(), form.Title())) {
        ShowRefusalOnTab(*m);
    }
}

void SecurityDialog::UseTemplate() {
    SecurityForm form = Form();
    UseTemplateDialog dialog(doc_, form.Template(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    const std::optional<TemplateRow> row = dialog.Chosen();
    if (!row) return;
    form.UseTemplate(*row);
    SetFields(form);
}

void SecurityDialog::EditVtplusData() {
    form_.vtplus.import = vtplusImport_->isChecked();
    VtplusDataDialog dialog(form_.vtplus, this);
    if (dialog.exec() == QDialog::Accepted) form_.vtplus = dialog.Fields();
}

void SecurityDialog::SelectVtplusData() {
    form_.vtplus.import = vtplusImport_->isChecked();
    VtplusFields& f = form_.vtplus;
    const VtplusSelection current{f.page,        f.subpage,         f.quotePosition,
                                  f.controlText, f.controlPosition, f.decimalSeparator};
    SocketDdeClient client(vtplusSocket_);
    VtplusSelectionDialog dialog(client, current, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const VtplusSelection chosen = dialog.Result();
    f.page = chosen.page;
    f.subpage = chosen.subpage;
    f.quotePosition = chosen.quotePosition;
    f.controlText = chosen.controlText;
    f.controlPosition = chosen.controlPosition;
    f.decimalSeparator = chosen.decimalSeparator;
}

int32_t RunSecurityDialog(QWidget* parent, CFolari2Doc& doc, int32_t securityId) {
    SecurityDialog dialog(
        doc, securityId < 0 ? SecurityForm::New(doc) : SecurityForm::ForEdit(doc, securityId),
        parent);
    if (dialog.exec() != QDialog::Accepted) return -1;
    return dialog.SecurityId();
}

}  // namespace pf
