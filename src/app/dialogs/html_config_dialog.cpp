#include "app/dialogs/html_config_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/entry_parts.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"
#include "shell/general_options_form.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

QCheckBox* Switch(const QString& text, const char* name, bool on, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on);
    return box;
}

QDoubleSpinBox* ThresholdBox(const char* name, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(kMinTrendThreshold, kMaxTrendThreshold);
    box->setDecimals(2);
    box->setSingleStep(0.5);
    box->setSuffix(u" %"_s);
    box->setValue(value);
    return box;
}

}  // namespace

HtmlConfigDialog::HtmlConfigDialog(const HtmlConfigForm& form, QWidget* parent)
    : QDialog(parent), initial_(form) {
    setWindowTitle(ToQString(kHtmlConfigTitle));
    setObjectName(u"htmlConfigDialog"_s);

    // What the second row of a position shows under the name.
    auto* data = new QGroupBox(u"Angaben unter der Wertpapierbezeichnung"_s, this);
    auto* dataLayout = new QVBoxLayout(data);
    securityData_ = new QButtonGroup(this);
    for (size_t i = 0; i < form.securityDataChoices.size(); ++i) {
        QString text = ToQString(form.securityDataChoices[i]);
        // Mnemonics on the fixed parts of the labels: "&WKN, Typ", "WK&N, ...", "..., T&yp".
        if (i == 0) text.replace(0, 1, u"&W"_s);
        if (i == 1) text.replace(0, 3, u"WK&N"_s);
        if (i == 2 && text.endsWith(u"Typ"_s)) text.replace(text.size() - 3, 3, u"T&yp"_s);
        auto* radio = new QRadioButton(text, data);
        radio->setObjectName(u"securityData%1"_s.arg(i));
        securityData_->addButton(radio, static_cast<int>(i));
        dataLayout->addWidget(radio);
    }
    if (QAbstractButton* chosen = securityData_->button(form.securityData))
        chosen->setChecked(true);

    buyPrice_ = Switch(u"&Kaufkurs neben Stückzahl"_s, "buyPriceBesidePieces",
                       form.buyPriceBesidePieces, this);
    targetStop_ = Switch(u"Spalte mit &Ziel- und Stoppkurs"_s, "targetStopColumn",
                         form.targetStopColumn, this);
    potentialRisk_ = Switch(u"Spalte mit &Potential und Risiko"_s, "potentialRiskColumn",
                            form.potentialRiskColumn, this);
    dividends_ = Switch(u"&Spalten für G/V inkl. Dividende"_s, "dividendColumns",
                        form.dividendColumns, this);

    fontSizes_ = new QLineEdit(ToQString(form.fontSizes), this);
    fontSizes_->setObjectName(QString::fromLatin1(kHtmlFontSizesField));
    fontSizes_->setToolTip(
        u"Schriftgrößen für Überschrift, Bezeichnungen, Werte und kleine Texte, getrennt "
        u"durch Semikolon (z. B. 12pt;10pt;8pt;8pt)"_s);
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(BuddyLabel(u"S&chriftgrößen:"_s, fontSizes_, this));
    fontRow->addWidget(fontSizes_, 1);

    userFile_ = Switch(u"&Benutzerdefinierter Dateiname:"_s, "userFile", form.userFile, this);
    fileName_ = new QLineEdit(ToQString(form.fileName), this);
    fileName_->setObjectName(QString::fromLatin1(kHtmlFileNameField));
    fileName_->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    choose_ = NamedButton(u"&Auswählen..."_s, u"chooseFile"_s, this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(fileName_, 1);
    fileRow->addWidget(choose_);

    // The trend arrows: inside the unchanged band the grey arrow, beyond the strong limits
    // the steep ones.
    auto* trend = new QGroupBox(u"Trendpfeile (Veränderung zum Vortag in %)"_s, this);
    unchangedFrom_ = ThresholdBox(kHtmlThresholdField, form.unchangedFrom, trend);
    unchangedTo_ = ThresholdBox("htmlUnchangedTo", form.unchangedTo, trend);
    strongFall_ = ThresholdBox("htmlStrongFall", form.strongFall, trend);
    strongRise_ = ThresholdBox("htmlStrongRise", form.strongRise, trend);
    auto* trendLayout = new QGridLayout(trend);
    trendLayout->addWidget(BuddyLabel(u"&unverändert von:"_s, unchangedFrom_, trend), 0, 0);
    trendLayout->addWidget(unchangedFrom_, 0, 1);
    trendLayout->addWidget(BuddyLabel(u"b&is:"_s, unchangedTo_, trend), 0, 2);
    trendLayout->addWidget(unchangedTo_, 0, 3);
    trendLayout->addWidget(BuddyLabel(u"starker &Rückgang unter:"_s, strongFall_, trend), 1, 0);
    trendLayout->addWidget(strongFall_, 1, 1);
    trendLayout->addWidget(BuddyLabel(u"starker Anstie&g über:"_s, strongRise_, trend), 1, 2);
    trendLayout->addWidget(strongRise_, 1, 3);
    trendLayout->setColumnStretch(4, 1);

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(data);
    for (QWidget* w : {static_cast<QWidget*>(buyPrice_), static_cast<QWidget*>(targetStop_),
                       static_cast<QWidget*>(potentialRisk_), static_cast<QWidget*>(dividends_)})
        layout->addWidget(w);
    layout->addLayout(fontRow);
    layout->addWidget(userFile_);
    layout->addLayout(fileRow);
    layout->addWidget(trend);
    layout->addWidget(buttons);

    connect(userFile_, &QCheckBox::toggled, this, &HtmlConfigDialog::UpdateFileState);
    connect(choose_, &QPushButton::clicked, this, &HtmlConfigDialog::ChooseFile);
    UpdateFileState();
}

void HtmlConfigDialog::UpdateFileState() {
    fileName_->setEnabled(userFile_->isChecked());
    choose_->setEnabled(userFile_->isChecked());
}

void HtmlConfigDialog::ChooseFile() {
    QFileDialog chooser(this, u"HTML-Datei auswählen"_s, fileName_->text(),
                        ToQString(kHtmlFileFilter));
    chooser.setObjectName(u"htmlFileChooser"_s);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setDefaultSuffix(ToQString(kHtmlDefaultSuffix));
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    fileName_->setText(chooser.selectedFiles().constFirst());
}

HtmlConfigForm HtmlConfigDialog::Form() const {
    HtmlConfigForm form = initial_;
    if (securityData_->checkedId() >= 0) form.securityData = securityData_->checkedId();
    form.buyPriceBesidePieces = buyPrice_->isChecked();
    form.targetStopColumn = targetStop_->isChecked();
    form.potentialRiskColumn = potentialRisk_->isChecked();
    form.dividendColumns = dividends_->isChecked();
    form.fontSizes = FromQString(fontSizes_->text());
    form.userFile = userFile_->isChecked();
    form.fileName = FromQString(fileName_->text());
    form.unchangedFrom = unchangedFrom_->value();
    form.unchangedTo = unchangedTo_->value();
    form.strongFall = strongFall_->value();
    form.strongRise = strongRise_->value();
    return form;
}

void HtmlConfigDialog::accept() {
    if (MaybeMessage m = Form().Check()) {
        ShowRefusal(this, *m);
        return;
    }
    QDialog::accept();
}

}  // namespace pf
