#include "app/dialogs/quotes_from_text_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/trend_icons.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

QuotesFromTextDialog::QuotesFromTextDialog(CFolari2Doc& doc, SettingsStore& settings,
                                           CQRNDatum today, QWidget* parent)
    : QDialog(parent),
      doc_(doc),
      settings_(settings),
      form_(QuotesFromTextForm::Open(doc, settings, today)) {
    setWindowTitle(ToQString(kQuotesFromTextTitle));
    const int charWidth = fontMetrics().averageCharWidth();

    date_ = DatePicker(this, u"date"_s);
    date_->setDisplayFormat(u"dd.MM.yyyy"_s);
    date_->setDate(ToQDate(form_.date));

    format_ = new QComboBox(this);
    format_->setObjectName(u"format"_s);
    format_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    format_->setMinimumContentsLength(36);
    auto* newFormat = NamedButton(u"&Neu..."_s, u"newFormat"_s, this);
    editFormat_ = NamedButton(u"&Bearbeiten..."_s, u"editFormat"_s, this);
    deleteFormat_ = NamedButton(u"&Löschen"_s, u"deleteFormat"_s, this);

    identification_ = new QComboBox(this);
    identification_->setObjectName(u"identification"_s);
    for (const std::string& choice : QuotesFromTextForm::IdentificationChoices(doc))
        identification_->addItem(ToQString(choice));
    identification_->setCurrentIndex(form_.identification);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName(u"text"_s);
    text_->setTabChangesFocus(true);
    text_->setMinimumSize(charWidth * 60, fontMetrics().lineSpacing() * 8);
    auto* fromFile = NamedButton(u"&aus Datei..."_s, u"fromFile"_s, this);
    auto* fromClipboard = NamedButton(u"aus &Zwischenablage"_s, u"fromClipboard"_s, this);

    quotes_ = new QTreeWidget(this);
    quotes_->setObjectName(u"quotes"_s);
    SetUpQuoteResultList(quotes_);
    quotes_->setColumnWidth(kResultNameColumn, charWidth * 30);
    quotes_->setColumnWidth(kResultPriceColumn, charWidth * 12);
    quotes_->setColumnWidth(kResultCurrencyColumn, charWidth * 6);
    quotes_->setMinimumHeight(fontMetrics().lineSpacing() * 10);

    auto* grid = new QGridLayout;
    grid->addWidget(BuddyLabel(u"&Datum"_s, date_, this), 0, 0);
    grid->addWidget(date_, 0, 1, Qt::AlignLeft);
    grid->addWidget(BuddyLabel(u"&Format"_s, format_, this), 1, 0);
    auto* formatRow = new QHBoxLayout;
    formatRow->addWidget(format_, 1);
    formatRow->addWidget(newFormat);
    formatRow->addWidget(editFormat_);
    formatRow->addWidget(deleteFormat_);
    grid->addLayout(formatRow, 1, 1);
    grid->addWidget(BuddyLabel(u"&Identifikation"_s, identification_, this), 2, 0);
    grid->addWidget(identification_, 2, 1, Qt::AlignLeft);
    grid->addWidget(BuddyLabel(u"&Text"_s, text_, this), 3, 0, Qt::AlignTop);
    auto* textColumn = new QVBoxLayout;
    textColumn->addWidget(text_, 1);
    auto* textButtons = new QHBoxLayout;
    textButtons->addWidget(fromFile);
    textButtons->addWidget(fromClipboard);
    textButtons->addStretch(1);
    textColumn->addLayout(textButtons);
    grid->addLayout(textColumn, 3, 1);
    grid->addWidget(BuddyLabel(u"Kurse"_s, quotes_, this), 4, 0, Qt::AlignTop);
    grid->addWidget(quotes_, 4, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    grid->setRowStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addWidget(OkCancelButtons(this));

    ShowFormats();
    ShowRows();

    connect(date_, &QDateEdit::dateChanged, this, [this](const QDate& d) {
        form_.date = FromQDate(d);
        ShowRows();  // the trend is judged against the quote of the new date
    });
    connect(format_, &QComboBox::activated, this, [this](int index) {
        form_.SelectFormat(doc_, index);
        ShowFormats();
        ShowRows();
    });
    connect(identification_, &QComboBox::activated, this, [this](int index) {
        form_.SetIdentification(doc_, index);
        ShowRows();
    });
    connect(text_, &QPlainTextEdit::textChanged, this, &QuotesFromTextDialog::TextEdited);
    connect(fromFile, &QPushButton::clicked, this, &QuotesFromTextDialog::LoadFile);
    connect(fromClipboard, &QPushButton::clicked, this, &QuotesFromTextDialog::Paste);
    connect(newFormat, &QPushButton::clicked, this, &QuotesFromTextDialog::NewFormat);
    connect(editFormat_, &QPushButton::clicked, this, &QuotesFromTextDialog::EditFormat);
    connect(deleteFormat_, &QPushButton::clicked, this, &QuotesFromTextDialog::DeleteFormat);
    text_->setFocus();
}

void QuotesFromTextDialog::ShowFormats() {
    const QSignalBlocker quiet(format_);
    format_->clear();
    for (const std::string& title : form_.FormatTitles()) format_->addItem(ToQString(title));
    format_->setCurrentIndex(form_.selectedFormat);
    editFormat_->setEnabled(form_.EditEnabled());
    deleteFormat_->setEnabled(form_.DeleteEnabled());
}

void QuotesFromTextDialog::ShowRows() {
    quotes_->clear();
    QList<QTreeWidgetItem*> items;
    for (const QuotesFromTextRow& row : form_.Rows(doc_)) {
        auto* item = new QTreeWidgetItem;
        ShowQuoteResultRow(item, row);
        items << item;
    }
    quotes_->addTopLevelItems(items);
    quotes_->resizeColumnToContents(kResultStatusColumn);
}

void QuotesFromTextDialog::TextEdited() {
    WaitCursor wait;
    form_.SetText(doc_, FromQString(text_->toPlainText()));
    ShowRows();
}

void QuotesFromTextDialog::LoadFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, u"Textdatei öffnen"_s, QString(), u"Textdateien (*.txt *.csv);;Alle Dateien (*)"_s);
    if (path.isEmpty()) return;
    if (const MaybeMessage failure = form_.LoadTextFile(doc_, FromQString(path))) {
        ShowMessage(this, *failure);
        return;
    }
    const QSignalBlocker quiet(text_);
    text_->setPlainText(ToQString(form_.text));
    ShowRows();
}

void QuotesFromTextDialog::Paste() {
    // The whole text is replaced, as loading a file does.
    text_->setPlainText(QApplication::clipboard()->text());
}

void QuotesFromTextDialog::NewFormat() {
    TextFormatDialog dialog(QuotesFromTextForm::NewFormatForm(), doc_.options.isinLabel, this);
    if (dialog.exec() != QDialog::Accepted) return;
    form_.AddFormat(doc_, dialog.Form());
    ShowFormats();
    ShowRows();
}

void QuotesFromTextDialog::EditFormat() {
    const std::optional<TextFormatForm> edited = form_.EditFormatForm();
    if (!edited) return;
    TextFormatDialog dialog(*edited, doc_.options.isinLabel, this);
    if (dialog.exec() != QDialog::Accepted) return;
    form_.ReplaceSelectedFormat(doc_, dialog.Form());
    ShowFormats();
    ShowRows();
}

void QuotesFromTextDialog::DeleteFormat() {
    if (!form_.DeleteEnabled() || !ShowMessage(this, DeleteTextFormatQuestion())) return;
    form_.DeleteSelectedFormat(doc_);
    ShowFormats();
    ShowRows();
}

void QuotesFromTextDialog::accept() {
    changed_ = form_.Apply(doc_);
    QDialog::accept();
}

void QuotesFromTextDialog::done(int result) {
    // The formats go back to the profile however the dialog ends.
    form_.SaveFormats(settings_);
    QDialog::done(result);
}

TextFormatDialog::TextFormatDialog(const TextFormatForm& form, const std::string& isinLabel,
                                   QWidget* parent)
    : QDialog(parent), start_(form) {
    setWindowTitle(ToQString(form.DialogTitle()));
    title_ = new QLineEdit(ToQString(form.title), this);
    title_->setObjectName(ToQString(kFormatTitleField));
    title_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    separators_ = new QLineEdit(ToQString(form.separators), this);
    separators_->setObjectName(ToQString(kFormatSeparatorsField));
    terminators_ = new QLineEdit(ToQString(form.terminators), this);
    terminators_->setObjectName(ToQString(kFormatTerminatorsField));
    comma_ = new QRadioButton(u"&Komma ','"_s, this);
    comma_->setObjectName(u"comma"_s);
    point_ = new QRadioButton(u"&Punkt '.'"_s, this);
    point_->setObjectName(u"point"_s);
    (form.decimalPoint ? point_ : comma_)->setChecked(true);
    ignore_ = new QCheckBox(u"Text&zeichen im Kurs ignorieren"_s, this);
    ignore_->setObjectName(u"ignore"_s);
    ignore_->setChecked(form.ignoreOtherCharacters);

    auto* fields = new QFormLayout;
    fields->addRow(BuddyLabel(u"&Bezeichnung:"_s, title_, this), title_);
    fields->addRow(
        BuddyLabel(ToQString(TextFormatForm::SeparatorsCaption(isinLabel)), separators_, this),
        separators_);
    fields->addRow(BuddyLabel(u"T&rennzeichen hinter Kurs:"_s, terminators_, this), terminators_);
    auto* decimals = new QHBoxLayout;
    decimals->addWidget(comma_);
    decimals->addWidget(point_);
    decimals->addStretch(1);
    fields->addRow(u"Dezimaltrennung:"_s, decimals);
    fields->addRow(QString(), ignore_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(OkCancelButtons(this));
    title_->setFocus();
}

TextFormatForm TextFormatDialog::Form() const {
    TextFormatForm form = start_;
    form.title = FromQString(title_->text());
    form.separators = FromQString(separators_->text());
    form.terminators = FromQString(terminators_->text());
    form.decimalPoint = point_->isChecked();
    form.ignoreOtherCharacters = ignore_->isChecked();
    return form;
}

void TextFormatDialog::accept() {
    if (const MaybeMessage refusal = Form().Check()) {
        ShowRefusal(this, *refusal);
        return;
    }
    QDialog::accept();
}

}  // namespace pf
