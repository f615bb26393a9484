#include "app/dialogs/quote_import_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QVBoxLayout>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/quote_import_result_dialog.h"
#include "app/dialogs/security_pair.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// Stored descriptions break lines with "\r\n"; the edit field with "\n".
QString ToFieldText(const std::string& description) {
    QString text = ToQString(description);
    text.replace(u"\r\n"_s, u"\n"_s);
    return text;
}

std::string FromFieldText(QString text) {
    text.replace(u"\n"_s, u"\r\n"_s);
    return FromQString(text);
}

}  // namespace

QuoteImportDialog::QuoteImportDialog(CFolari2Doc& doc, SettingsStore& settings, QWidget* parent)
    : QDialog(parent), doc_(doc), settings_(settings) {
    setWindowTitle(ToQString(kQuoteImportTitle));
    const QuoteImportForm opened = QuoteImportForm::Open(doc, settings);
    formats_ = opened.formats;
    const int charWidth = fontMetrics().averageCharWidth();

    security_ = new SecurityPair(doc, this);
    isinCaption_ = new QLabel(ToQString(doc.options.isinLabel) + u":"_s, security_->Group());
    isin_ = new QLabel(security_->Group());
    isin_->setObjectName(u"isin"_s);
    currency_ = new QLabel(security_->Group());
    currency_->setObjectName(u"currency"_s);
    auto* securityForm = qobject_cast<QFormLayout*>(security_->Group()->layout());
    securityForm->addRow(isinCaption_, isin_);
    securityForm->addRow(u"Kurse in:"_s, currency_);

    auto* fileGroup = new QGroupBox(u"&Dateiname"_s, this);
    file_ = new QLineEdit(ToQString(opened.file), fileGroup);
    file_->setObjectName(u"file"_s);
    file_->setMinimumWidth(charWidth * 45);
    auto* browse = NamedButton(u"Durch&suchen..."_s, u"browse"_s, fileGroup);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);

    auto* formatGroup = new QGroupBox(u"Dateiformat"_s, this);
    formatList_ = new QComboBox(formatGroup);
    formatList_->setObjectName(u"format"_s);
    formatList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    formatList_->setMinimumContentsLength(40);
    description_ = new QPlainTextEdit(formatGroup);
    description_->setObjectName(u"description"_s);
    description_->setTabChangesFocus(true);
    description_->setLineWrapMode(QPlainTextEdit::NoWrap);
    description_->setFont(FixedPitchFont());
    description_->setMinimumHeight(fontMetrics().lineSpacing() * 8);
    save_ = NamedButton(u"S&peichern..."_s, u"save"_s, formatGroup);
    delete_ = NamedButton(u"&Löschen"_s, u"delete"_s, formatGroup);
    auto* formatGrid = new QGridLayout(formatGroup);
    formatGrid->addWidget(BuddyLabel(u"&Format:"_s, formatList_, formatGroup), 0, 0);
    formatGrid->addWidget(formatList_, 0, 1, 1, 2);
    formatGrid->addWidget(BuddyLabel(u"B&eschreibung:"_s, description_, formatGroup), 1, 0,
                          Qt::AlignTop);
    formatGrid->addWidget(description_, 1, 1, 2, 1);
    auto* formatButtons = new QVBoxLayout;
    formatButtons->addWidget(save_);
    formatButtons->addWidget(delete_);
    formatButtons->addStretch(1);
    formatGrid->addLayout(formatButtons, 1, 2, 2, 1);
    formatGrid->setColumnStretch(1, 1);
    formatGrid->setRowStretch(2, 1);

    progress_ = new QProgressBar(this);
    progress_->setObjectName(u"progress"_s);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    progress_->setTextVisible(false);

    auto* import = new QPushButton(u"Import starten..."_s, this);
    import->setObjectName(u"import"_s);
    import->setDefault(true);
    auto* close = NamedButton(u"Schließen"_s, u"close"_s, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    buttons->addWidget(import);
    buttons->addWidget(close);
    buttons->addWidget(MakeHelpButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(security_->Group());
    layout->addWidget(fileGroup);
    layout->addWidget(formatGroup, 1);
    layout->addLayout(buttons);

    ShowFormatList();
    {
        const QSignalBlocker quiet(description_);
        description_->setPlainText(ToFieldText(formats_.description));
    }
    ShowFormatList();
    if (opened.securityId >= 0) security_->Choose(opened.securityId);
    SecurityChosen();

    connect(security_, &SecurityPair::chosen, this, &QuoteImportDialog::SecurityChosen);
    connect(browse, &QPushButton::clicked, this, &QuoteImportDialog::Browse);
    connect(formatList_, &QComboBox::activated, this, &QuoteImportDialog::FormatChosen);
    connect(description_, &QPlainTextEdit::textChanged, this,
            &QuoteImportDialog::DescriptionEdited);
    connect(save_, &QPushButton::clicked, this, &QuoteImportDialog::SaveFormat);
    connect(delete_, &QPushButton::clicked, this, &QuoteImportDialog::DeleteFormat);
    connect(import, &QPushButton::clicked, this, &QuoteImportDialog::Import);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    security_->Names()->setFocus();
}

QuoteImportForm QuoteImportDialog::Form() const {
    QuoteImportForm form;
    form.securityId = security_->Chosen();
    form.file = FromQString(file_->text());
    form.formats = formats_;
    return form;
}

void QuoteImportDialog::done(int result) {
    // Closing in any way counts as "Schließen": the formats go back to the profile.
    Form().Close(doc_, settings_);
    QDialog::done(result);
}

void QuoteImportDialog::SecurityChosen() {
    const CFL2Wertpapier* security = doc_.FindSecurity(security_->Chosen());
    isin_->setText(security != nullptr ? ToQString(security->isin) : QString());
    const CFL2Waehrung* currency =
        security != nullptr ? doc_.FindCurrency(security->quoteCurrencyId) : nullptr;
    currency_->setText(currency != nullptr ? ToQString(currency->symbol) : QString());
}

void QuoteImportDialog::Browse() {
    QFileDialog chooser(this, u"Durchsuchen"_s, file_->text(),
                        u"Textdateien (*.txt *.csv);;Alle Dateien (*)"_s);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::ExistingFile);
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        file_->setText(chooser.selectedFiles().first());
}

void QuoteImportDialog::FormatChosen(int index) {
    formats_.Choose(index);
    const QSignalBlocker quiet(description_);
    description_->setPlainText(ToFieldText(formats_.description));
    ShowFormatList();
}

void QuoteImportDialog::DescriptionEdited() {
    formats_.SetDescription(FromFieldText(description_->toPlainText()));
    ShowFormatList();
}

void QuoteImportDialog::ShowFormatList() {
    const QSignalBlocker quiet(formatList_);
    if (formatList_->count() != static_cast<int>(formats_.formats.size())) {
        formatList_->clear();
        for (const ImportFormat& f : formats_.formats) formatList_->addItem(ToQString(f.title));
    }
    formatList_->setCurrentIndex(formats_.selected);
    save_->setEnabled(formats_.SaveEnabled());
    delete_->setEnabled(formats_.DeleteEnabled());
}

void QuoteImportDialog::SaveFormat() {
    SaveFormatDialog ask(this);
    if (ask.exec() != QDialog::Accepted) return;
    formats_.Append(ask.Title());
    formatList_->clear();  // the list is rebuilt with the new title
    ShowFormatList();
}

void QuoteImportDialog::DeleteFormat() {
    if (!ShowMessage(this, ImportFormatList::DeleteQuestion())) return;
    formats_.DeleteSelected();
    formatList_->clear();
    ShowFormatList();
}

void QuoteImportDialog::Import() {
    const QuoteImportForm form = Form();
    QuoteImportRun run;
    {
        WaitCursor wait;
        progress_->setValue(0);
        run = form.Run(doc_, [this](int percent) {
            progress_->setValue(percent);
            progress_->repaint();  // the scan holds the event loop; paint the bar now
        });
        progress_->setValue(100);
    }
    if (run.message) {
        ShowRefusal(this, *run.message);
        if (run.message->field == kImportDescriptionField)
            SelectDescriptionFrom(run.selectionStart);
    } else {
        QuoteImportResultDialog result(doc_, QuoteImportResult(doc_, form.securityId, run.scan),
                                       this);
        result.exec();
    }
    progress_->setValue(0);
}

void QuoteImportDialog::SelectDescriptionFrom(size_t byteOffset) {
    // The offset counts bytes of the stored text ("\r\n" line breaks, UTF-8); the field
    // counts characters of its own text.
    const std::string stored = FromFieldText(description_->toPlainText());
    const int start =
        static_cast<int>(ToFieldText(stored.substr(0, std::min(byteOffset, stored.size()))).size());
    QTextCursor cursor = description_->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.setPosition(start, QTextCursor::KeepAnchor);
    description_->setTextCursor(cursor);
    description_->ensureCursorVisible();
    description_->setFocus();
}

SaveFormatDialog::SaveFormatDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQString(kSaveFormatTitle));
    title_ = new QLineEdit(this);
    title_->setObjectName(ToQString(kSaveFormatTitleField));
    title_->setMinimumWidth(fontMetrics().averageCharWidth() * 50);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuddyLabel(u"Bitte geben Sie einen erläuternden &Text ein:"_s, title_, this));
    layout->addWidget(title_);
    layout->addWidget(OkCancelButtons(this));
}

std::string SaveFormatDialog::Title() const { return FromQString(title_->text()); }

void SaveFormatDialog::accept() {
    if (const MaybeMessage refusal = ImportFormatList::CheckTitle(Title())) {
        ShowRefusal(this, *refusal);
        return;
    }
    QDialog::accept();
}

}  // namespace pf
