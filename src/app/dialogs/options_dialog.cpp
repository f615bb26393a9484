#include "app/dialogs/options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/dialogs/chart_option_page_views.h"
#include "app/dialogs/list_option_page_views.h"
#include "app/dialogs/report_option_page_views.h"
#include "app/help.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"
#include "shell/handbook.h"
#include "shell/report_option_pages.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// A date picker limited to the days a file can hold.
QDateEdit* DateEdit(const QString& name, CQRNDatum date, QWidget* parent) {
    QDateEdit* edit = DatePicker(parent, name);
    edit->setDate(ToQDate(date));
    return edit;
}

QLineEdit* LineEdit(const char* name, const std::string& text, QWidget* parent) {
    auto* edit = new QLineEdit(ToQString(text), parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

// A field for one separator character, a few characters wide in the current font.
QLineEdit* SeparatorEdit(const char* name, const std::string& text, QWidget* parent) {
    QLineEdit* edit = LineEdit(name, text, parent);
    edit->setMaxLength(1);
    edit->setAlignment(Qt::AlignHCenter);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(u"MMMM"_s));
    return edit;
}

}  // namespace

namespace {

// In the order of AllOptionPageTitles.
constexpr OptionsPageFactory kPageFactories[] = {
    &GeneralOptionsPageView::Create,
    &TablesPageView::Create,
    &PositionPageView::CreateHoldings,
    &PositionPageView::CreateRealized,
    &TransactionsPageView::Create,
    &MovementsPageView::Create,
    &SecuritiesPageView::Create,
    &ListsPageView::Create,
    &DevelopmentPageView::Create,
    &QuotesPageView::Create,
    &DiagramsPageView::Create,
    &DiagramPageView::Create,
    &ChartPageView::Create,
    &AnalysisPageView::Create,
    &ReportsPageView::Create,
    &GainLossPageView::Create,
    &PerformancePageView::Create,
};

}  // namespace

std::span<const OptionsPageFactory> OptionsPageFactories() { return kPageFactories; }

OptionsPageFactory OptionsPageFactoryOf(const std::string& title) {
    const std::vector<std::string>& titles = AllOptionPageTitles();
    for (size_t i = 0; i < titles.size() && i < std::size(kPageFactories); ++i)
        if (titles[i] == title) return kPageFactories[i];
    return nullptr;
}

// --- Page "Allgemein" ---

OptionsPageView* GeneralOptionsPageView::Create(const CFolari2Doc& doc) {
    return new GeneralOptionsPageView(GeneralOptionsForm::FromDocument(doc));
}

GeneralOptionsPageView::GeneralOptionsPageView(const GeneralOptionsForm& form, QWidget* parent)
    : OptionsPageView(parent), initial_(form) {
    QWidget* page = this;
    setObjectName(u"generalPage"_s);

    // Password protection.
    protect_ = new QGroupBox(u"Datei mit Kennwort &schützen"_s, page);
    protect_->setObjectName(u"protect"_s);
    protect_->setCheckable(true);
    protect_->setChecked(form.protect);
    password_ = LineEdit(kPasswordField, form.password, protect_);
    password_->setEchoMode(QLineEdit::Password);
    repetition_ = LineEdit(kRepetitionField, form.repetition, protect_);
    repetition_->setEchoMode(QLineEdit::Password);
    auto* protectLayout = new QFormLayout(protect_);
    protectLayout->addRow(u"&Kennwort:"_s, password_);
    protectLayout->addRow(u"&Wiederholung:"_s, repetition_);

    // Initial display period.
    auto* period = new QGroupBox(u"Darstellungszeitraum zu Beginn"_s, page);
    period->setObjectName(u"period"_s);
    periodFrom_ = new QButtonGroup(this);
    periodTo_ = new QButtonGroup(this);
    auto radio = [period](QButtonGroup* group, int id, const QString& text, const QString& name) {
        auto* button = new QRadioButton(text, period);
        button->setObjectName(name);
        group->addButton(button, id);
        return button;
    };
    auto* periodLayout = new QGridLayout(period);
    periodLayout->addWidget(new QLabel(u"Von:"_s, period), 0, 0);
    periodLayout->addWidget(radio(periodFrom_, kFromFirstTransaction,
                                  u"Datum der &ersten Transaktion"_s, u"periodFrom0"_s),
                            0, 1, 1, 2);
    periodLayout->addWidget(
        radio(periodFrom_, kFromStartOfYear, u"erster Tag des akt. &Jahres"_s, u"periodFrom1"_s), 1,
        1, 1, 2);
    periodLayout->addWidget(
        radio(periodFrom_, kFromStartOfMonth, u"erster Tag des akt. &Monats"_s, u"periodFrom2"_s),
        2, 1, 1, 2);
    periodLayout->addWidget(radio(periodFrom_, kFromFixedDay, u"dieser Tag:"_s, u"periodFrom3"_s),
                            3, 1);
    periodFromDate_ = DateEdit(u"periodFromDate"_s, form.periodFromDate, period);
    periodLayout->addWidget(periodFromDate_, 3, 2, Qt::AlignLeft);
    periodLayout->setRowMinimumHeight(4, periodLayout->verticalSpacing());
    periodLayout->addWidget(new QLabel(u"Bis:"_s, period), 5, 0);
    periodLayout->addWidget(radio(periodTo_, kToToday, u"&aktueller Tag"_s, u"periodTo0"_s), 5, 1,
                            1, 2);
    periodLayout->addWidget(radio(periodTo_, kToFixedDay, u"dieser Tag:"_s, u"periodTo1"_s), 6, 1);
    periodToDate_ = DateEdit(u"periodToDate"_s, form.periodToDate, period);
    periodLayout->addWidget(periodToDate_, 6, 2, Qt::AlignLeft);
    periodLayout->setColumnStretch(3, 1);
    if (QAbstractButton* b = periodFrom_->button(form.periodFromChoice)) b->setChecked(true);
    if (QAbstractButton* b = periodTo_->button(form.periodToChoice)) b->setChecked(true);

    // Split rounding.
    splitRounding_ = new QSpinBox(page);
    splitRounding_->setObjectName(ToQString(kSplitRoundingField));
    splitRounding_->setRange(kMinSplitRoundingDecimals, kMaxSplitRoundingDecimals);
    splitRounding_->setValue(form.splitRoundingDecimals);
    auto* splitRow = new QHBoxLayout;
    splitRow->addWidget(
        BuddyLabel(u"&Bei Aktiensplits Kauf- und Verkaufkurse auf"_s, splitRounding_, page));
    splitRow->addWidget(splitRounding_);
    splitRow->addWidget(new QLabel(u"Dezimalstellen runden."_s, page));
    splitRow->addStretch(1);

    // Number separators.
    decimalSeparator_ = SeparatorEdit(kDecimalSeparatorField, form.decimalSeparator, page);
    thousandsSeparator_ = SeparatorEdit(kThousandsSeparatorField, form.thousandsSeparator, page);
    noThousandsSeparator_ = new QCheckBox(u"kei&n Tausendertrennzeichen verwenden"_s, page);
    noThousandsSeparator_->setObjectName(u"noThousandsSeparator"_s);
    noThousandsSeparator_->setChecked(form.noThousandsSeparator);

    // Captions and the remaining switch.
    earningsYears_ = LineEdit(kEarningsYearsField, form.earningsYears, page);
    ownCategories_ = LineEdit(kOwnCategoriesField, form.ownCategories, page);
    rememberTransactionDate_ = new QCheckBox(u"Dat&um von letzter Transaktion merken"_s, page);
    rememberTransactionDate_->setObjectName(u"rememberTransactionDate"_s);
    rememberTransactionDate_->setChecked(form.rememberTransactionDate);
    // The user's choice for every file (kept in the profile, not in this document).
    keepBackup_ = new QCheckBox(u"S&icherungskopie beim Speichern anlegen"_s, page);
    keepBackup_->setObjectName(u"keepBackup"_s);
    keepBackup_->setChecked(form.keepBackup);

    auto* fields = new QGridLayout;
    fields->addWidget(BuddyLabel(u"De&zimaltrennzeichen:"_s, decimalSeparator_, page), 0, 0);
    fields->addWidget(decimalSeparator_, 0, 1, Qt::AlignLeft);
    fields->addWidget(BuddyLabel(u"&Tausendertrennzeichen:"_s, thousandsSeparator_, page), 1, 0);
    fields->addWidget(thousandsSeparator_, 1, 1, Qt::AlignLeft);
    fields->addWidget(noThousandsSeparator_, 1, 2);
    fields->setRowMinimumHeight(2, fields->verticalSpacing());
    fields->addWidget(BuddyLabel(u"Ja&hre für Gewinn je Aktie:"_s, earningsYears_, page), 3, 0);
    fields->addWidget(earningsYears_, 3, 1, 1, 2);
    fields->addWidget(BuddyLabel(u"Eigene Kateg&orien:"_s, ownCategories_, page), 4, 0);
    fields->addWidget(ownCategories_, 4, 1, 1, 2);
    fields->setColumnStretch(2, 1);

    // The trend icons of the quote dialogs.
    auto* trend = new QGroupBox(u"Trendanzeige neuer Kurse (in %)"_s, page);
    auto trendBox = [trend](const char* name, double value) {
        auto* box = new QDoubleSpinBox(trend);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(kMinTrendThreshold, kMaxTrendThreshold);
        box->setDecimals(2);
        box->setSingleStep(0.5);
        box->setSuffix(u" %"_s);
        box->setValue(value);
        return box;
    };
    trendStrongRise_ = trendBox(kTrendStrongRiseField, form.trendStrongRise);
    trendRise_ = trendBox("trendRise", form.trendRise);
    trendFall_ = trendBox("trendFall", form.trendFall);
    trendStrongFall_ = trendBox("trendStrongFall", form.trendStrongFall);
    auto* trendLayout = new QGridLayout(trend);
    trendLayout->addWidget(BuddyLabel(u"starker Anstieg über:"_s, trendStrongRise_, trend), 0, 0);
    trendLayout->addWidget(trendStrongRise_, 0, 1);
    trendLayout->addWidget(BuddyLabel(u"Anstieg über:"_s, trendRise_, trend), 0, 2);
    trendLayout->addWidget(trendRise_, 0, 3);
    trendLayout->addWidget(BuddyLabel(u"starker Rückgang unter:"_s, trendStrongFall_, trend), 1, 0);
    trendLayout->addWidget(trendStrongFall_, 1, 1);
    trendLayout->addWidget(BuddyLabel(u"Rückgang unter:"_s, trendFall_, trend), 1, 2);
    trendLayout->addWidget(trendFall_, 1, 3);
    trendLayout->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(protect_);
    layout->addWidget(period);
    layout->addLayout(splitRow);
    layout->addLayout(fields);
    layout->addWidget(rememberTransactionDate_);
    layout->addWidget(keepBackup_);
    layout->addWidget(trend);
    layout->addStretch(1);

    connect(periodFrom_, &QButtonGroup::idToggled, this, [this] { UpdateEnabled(); });
    connect(periodTo_, &QButtonGroup::idToggled, this, [this] { UpdateEnabled(); });
    connect(noThousandsSeparator_, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
    UpdateEnabled();

    QWidget::setTabOrder(protect_, password_);
    QWidget::setTabOrder(password_, repetition_);
    QWidget* previous = repetition_;
    for (int id = kFromFirstTransaction; id <= kFromFixedDay; ++id) {
        QWidget::setTabOrder(previous, periodFrom_->button(id));
        previous = periodFrom_->button(id);
    }
    QWidget::setTabOrder(previous, periodFromDate_);
    QWidget::setTabOrder(periodFromDate_, periodTo_->button(kToToday));
    QWidget::setTabOrder(periodTo_->button(kToToday), periodTo_->button(kToFixedDay));
    QWidget::setTabOrder(periodTo_->button(kToFixedDay), periodToDate_);
    QWidget::setTabOrder(periodToDate_, splitRounding_);
    QWidget::setTabOrder(splitRounding_, decimalSeparator_);
    QWidget::setTabOrder(decimalSeparator_, thousandsSeparator_);
    QWidget::setTabOrder(thousandsSeparator_, noThousandsSeparator_);
    QWidget::setTabOrder(noThousandsSeparator_, earningsYears_);
    QWidget::setTabOrder(earningsYears_, ownCategories_);
    QWidget::setTabOrder(ownCategories_, rememberTransactionDate_);
    QWidget::setTabOrder(rememberTransactionDate_, keepBackup_);
    QWidget::setTabOrder(keepBackup_, trendStrongRise_);
    QWidget::setTabOrder(trendStrongRise_, trendRise_);
    QWidget::setTabOrder(trendRise_, trendStrongFall_);
    QWidget::setTabOrder(trendStrongFall_, trendFall_);
}

void GeneralOptionsPageView::UpdateEnabled() {
    periodFromDate_->setEnabled(periodFrom_->checkedId() == kFromFixedDay);
    periodToDate_->setEnabled(periodTo_->checkedId() == kToFixedDay);
    thousandsSeparator_->setEnabled(!noThousandsSeparator_->isChecked());
}

GeneralOptionsForm GeneralOptionsPageView::Form() const {
    GeneralOptionsForm form;
    form.protect = protect_->isChecked();
    form.password = FromQString(password_->text());
    form.repetition = FromQString(repetition_->text());
    // A choice that no button stands for (a damaged file) is kept until one is picked.
    form.periodFromChoice =
        periodFrom_->checkedId() >= 0 ? periodFrom_->checkedId() : initial_.periodFromChoice;
    form.periodToChoice =
        periodTo_->checkedId() >= 0 ? periodTo_->checkedId() : initial_.periodToChoice;
    form.periodFromDate = FromQDate(periodFromDate_->date());
    form.periodToDate = FromQDate(periodToDate_->date());
    form.splitRoundingDecimals = splitRounding_->value();
    form.decimalSeparator = FromQString(decimalSeparator_->text());
    form.thousandsSeparator = FromQString(thousandsSeparator_->text());
    form.noThousandsSeparator = noThousandsSeparator_->isChecked();
    form.earningsYears = FromQString(earningsYears_->text());
    form.ownCategories = FromQString(ownCategories_->text());
    form.rememberTransactionDate = rememberTransactionDate_->isChecked();
    form.keepBackup = keepBackup_->isChecked();
    form.trendStrongRise = trendStrongRise_->value();
    form.trendRise = trendRise_->value();
    form.trendStrongFall = trendStrongFall_->value();
    form.trendFall = trendFall_->value();
    return form;
}

void GeneralOptionsPageView::LoadProfile(const SettingsStore& profile) {
    GeneralOptionsForm form;
    form.LoadProfile(profile);
    keepBackup_->setChecked(form.keepBackup);
}

void GeneralOptionsPageView::ApplyToProfile(SettingsStore& profile) const {
    Form().ApplyToProfile(profile);
}

std::unique_ptr<OptionsPage> GeneralOptionsPageView::Page() const {
    return std::make_unique<GeneralOptionsPage>(Form());
}

// --- The sheet ---

OptionsDialog::OptionsDialog(const CFolari2Doc& doc, QWidget* parent)
    : OptionsDialog(doc, AllOptionPageTitles(), parent) {}

OptionsDialog::OptionsDialog(const CFolari2Doc& doc, const std::vector<std::string>& pageTitles,
                             QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(ToQString(kOptionsTitle));
    pages_ = new QTabWidget(this);
    pages_->setObjectName(u"pages"_s);
    for (const std::string& title : pageTitles)
        if (const OptionsPageFactory make = OptionsPageFactoryOf(title)) AddPage(make(doc));

    QDialogButtonBox* buttons = OkCancelButtons(this);
    // "Hilfe" explains the page on show.
    SetHelpTarget(this, [this] {
        return HandbookOptionsPageTarget(FromQString(pages_->tabText(pages_->currentIndex())));
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);
}

void OptionsDialog::AddPage(OptionsPageView* view) {
    pages_->addTab(view, ToQString(view->Page()->Title()));
    views_.push_back(view);
}

OptionsSheet OptionsDialog::Sheet() const {
    OptionsSheet sheet;
    for (const OptionsPageView* view : views_) sheet.Add(view->Page());
    return sheet;
}

void OptionsDialog::ApplyTo(CFolari2Doc& doc) const { Sheet().Apply(doc); }

void OptionsDialog::LoadProfile(const SettingsStore& profile) {
    for (OptionsPageView* view : views_)
        if (auto* general = dynamic_cast<GeneralOptionsPageView*>(view))
            general->LoadProfile(profile);
}

void OptionsDialog::ApplyToProfile(SettingsStore& profile) const {
    for (const OptionsPageView* view : views_)
        if (const auto* general = dynamic_cast<const GeneralOptionsPageView*>(view))
            general->ApplyToProfile(profile);
}

void OptionsDialog::accept() {
    if (const std::optional<OptionsRefusal> refusal = Sheet().Check()) {
        OptionsPageView* view = views_.at(refusal->page);
        pages_->setCurrentWidget(view);
        ShowRefusal(view, refusal->message);
        return;
    }
    QDialog::accept();
}

}  // namespace pf
