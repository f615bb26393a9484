#include "app/dialogs/quote_export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/entry_parts.h"
#include "app/dialogs/security_pair.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

QuoteExportDialog::QuoteExportDialog(const CFolari2Doc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(ToQString(kQuoteExportTitle));
    const QuoteExportOptions defaults;
    security_ = new SecurityPair(doc, this);

    auto* fileGroup = new QGroupBox(u"&Dateiname"_s, this);
    file_ = new QLineEdit(fileGroup);
    file_->setObjectName(u"file"_s);
    file_->setMinimumWidth(fontMetrics().averageCharWidth() * 45);
    auto* browse = NamedButton(u"&Speichern unter..."_s, u"browse"_s, fileGroup);
    auto* fileRow = new QHBoxLayout(fileGroup);
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(browse);

    auto* formatGroup = new QGroupBox(u"Datei&format"_s, this);
    writeName_ = new QCheckBox(u"Be&zeichnung speichern"_s, formatGroup);
    writeName_->setObjectName(u"writeName"_s);
    writeWkn_ = new QCheckBox(u"W&KN speichern"_s, formatGroup);
    writeWkn_->setObjectName(u"writeWkn"_s);
    currency_ = new QCheckBox(u"Wä&hrungssymbol nach jedem Kurs"_s, formatGroup);
    currency_->setObjectName(u"currency"_s);
    separator_ = new QLineEdit(ToQString(defaults.separator), formatGroup);
    separator_->setObjectName(u"separator"_s);
    auto* separatorRow = new QHBoxLayout;
    separatorRow->addWidget(BuddyLabel(u"&Trennzeichen:"_s, separator_, formatGroup));
    separatorRow->addWidget(separator_);
    separatorRow->addStretch(1);
    auto* formatColumn = new QVBoxLayout(formatGroup);
    formatColumn->addWidget(writeName_);
    formatColumn->addWidget(writeWkn_);
    formatColumn->addWidget(currency_);
    formatColumn->addLayout(separatorRow);

    auto* exportButton = new QPushButton(u"Kurse exportieren"_s, this);
    exportButton->setObjectName(u"export"_s);
    exportButton->setDefault(true);
    auto* closeButton = NamedButton(u"Schließen"_s, u"close"_s, this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(closeButton);
    buttons->addWidget(MakeHelpButton(this));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(security_->Group());
    layout->addWidget(fileGroup);
    layout->addWidget(formatGroup);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, &QuoteExportDialog::Browse);
    connect(exportButton, &QPushButton::clicked, this, &QuoteExportDialog::Export);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    security_->Names()->setFocus();
}

QuoteExportForm QuoteExportDialog::Form() const {
    QuoteExportForm form;
    form.securityId = security_->Chosen();
    form.file = FromQString(file_->text());
    form.options.writeName = writeName_->isChecked();
    form.options.writeWkn = writeWkn_->isChecked();
    form.options.currencyAfterPrice = currency_->isChecked();
    form.options.separator = FromQString(separator_->text());
    return form;
}

void QuoteExportDialog::Browse() {
    QFileDialog chooser(this, u"Speichern unter"_s, file_->text(), u"Textdateien (*.txt)"_s);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setDefaultSuffix(u"txt"_s);
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        file_->setText(chooser.selectedFiles().first());
}

void QuoteExportDialog::Export() {
    const QuoteExportForm form = Form();
    if (const MaybeMessage refusal = form.Check(doc_)) {
        ShowRefusal(this, *refusal);
        return;
    }
    ShowMessage(this, form.Apply(doc_));
}

}  // namespace pf
