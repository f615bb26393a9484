#include "app/dialogs/list_option_page_views.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"
#include "reports/holdings_report.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

using namespace option_widgets;

namespace {

// One radio button per choice into `layout`, named `prefix` + its value; the group's ids are
// the values. The button of `value` is checked (none when no choice carries it).
QButtonGroup* Radios(const char* prefix, const std::vector<ChoiceItem>& items, int32_t value,
                     QVBoxLayout* layout, QWidget* parent) {
    auto* group = new QButtonGroup(parent);
    for (const ChoiceItem& item : items) {
        auto* button = new QRadioButton(ToQString(item.text), parent);
        button->setObjectName(QString::fromLatin1(prefix) + QString::number(item.value));
        group->addButton(button, item.value);
        button->setChecked(item.value == value);
        layout->addWidget(button);
    }
    return group;
}

// The checked button's value; `kept` while none is checked.
int32_t CheckedValue(const QButtonGroup* group, int32_t kept) {
    const int id = group->checkedId();
    return id >= 0 ? id : kept;
}

int32_t On(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }

// "Bildschirm" / "Druck" with their display styles, side by side.
QHBoxLayout* Styles(QComboBox*& screenStyle, QComboBox*& printStyle, int32_t screen, int32_t print,
                    QWidget* parent) {
    auto* screenBox = new QGroupBox(u"Bildschirm"_s, parent);
    screenStyle = Choices("screenStyle", DisplayStyleChoices(), screen, screenBox);
    auto* screenForm = new QFormLayout(screenBox);
    screenForm->addRow(BuddyLabel(u"&Darstellung:"_s, screenStyle, screenBox), screenStyle);
    auto* printBox = new QGroupBox(u"Druck"_s, parent);
    printStyle = Choices("printStyle", DisplayStyleChoices(), print, printBox);
    auto* printForm = new QFormLayout(printBox);
    printForm->addRow(BuddyLabel(u"Darste&llung:"_s, printStyle, printBox), printStyle);
    auto* styles = new QHBoxLayout;
    styles->addWidget(screenBox);
    styles->addWidget(printBox);
    return styles;
}

}  // namespace

// --- "LISTEN >" ---

OptionsPageView* ListsPageView::Create(const CFolari2Doc& doc) {
    return new ListsPageView(ListsOptionsPage::FromDocument(doc));
}

ListsPageView::ListsPageView(const ListsOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"listsPage"_s);
    const ListsAppearance& v = page.values;
    QHBoxLayout* styles = Styles(screenStyle_, printStyle_, v.screenStyle, v.printStyle, this);

    auto* font = new QGroupBox(u"Schrift und Abstände (1/10 mm)"_s, this);
    face_ = FaceBox(v.face, font);
    outerMargin_ = Spin("outerMargin", kDistanceRange, v.outerMargin, font);
    normalFont_ = Spin("normalFontHeight", kFontHeightRange, v.normalFontHeight, font);
    columnTitleFont_ =
        Spin("columnTitleFontHeight", kFontHeightRange, v.columnTitleFontHeight, font);
    verticalFont_ = Spin("verticalFontHeight", kFontHeightRange, v.verticalFontHeight, font);
    dateColumnEveryPage_ = Switch(u"Dat&umsspalte auf jeder Seite"_s, "dateColumnEveryPage",
                                  v.dateColumnEveryPage, font);
    repeatColumnTitles_ = Switch(u"Spaltentitel au&f jeder Seite"_s, "repeatColumnTitles",
                                 v.repeatColumnTitles, font);
    auto* fontGrid = new QGridLayout(font);
    fontGrid->addWidget(BuddyLabel(u"&Schriftart:"_s, face_, font), 0, 0);
    fontGrid->addWidget(face_, 0, 1, 1, 3);
    fontGrid->addWidget(BuddyLabel(u"Felda&bstand:"_s, outerMargin_, font), 1, 0);
    fontGrid->addWidget(outerMargin_, 1, 1);
    fontGrid->addWidget(BuddyLabel(u"&normaler Text:"_s, normalFont_, font), 1, 2);
    fontGrid->addWidget(normalFont_, 1, 3);
    fontGrid->addWidget(BuddyLabel(u"Spa&ltentitel:"_s, columnTitleFont_, font), 2, 2);
    fontGrid->addWidget(columnTitleFont_, 2, 3);
    fontGrid->addWidget(BuddyLabel(u"&vertikaler Text:"_s, verticalFont_, font), 3, 2);
    fontGrid->addWidget(verticalFont_, 3, 3);
    fontGrid->addWidget(dateColumnEveryPage_, 4, 0, 1, 4);
    fontGrid->addWidget(repeatColumnTitles_, 5, 0, 1, 4);
    fontGrid->setColumnStretch(4, 1);

    QGroupBox* margins = Margins(marginLeft_, marginRight_, marginTop_, marginBottom_, v.marginLeft,
                                 v.marginRight, v.marginTop, v.marginBottom, this);

    priceDecimals_ = Spin("priceDecimals", kPriceDecimalsRange, v.priceDecimals, this);
    percentDecimals_ = Spin("percentDecimals", kPercentDecimalsRange, v.percentDecimals, this);
    repeatVerticalTexts_ = Switch(u"Vertik. Texte wieder&holen:"_s, "repeatVerticalTexts",
                                  v.repeatVerticalTexts, this);
    verticalTextDistance_ =
        Spin("verticalTextDistance", kVerticalTextDistanceRange, v.verticalTextDistance, this);
    verticalTextDistance_->setSuffix(u" Zeilen"_s);
    verticalTextDistance_->setEnabled(v.repeatVerticalTexts != 0);
    connect(repeatVerticalTexts_, &QCheckBox::toggled, verticalTextDistance_, &QWidget::setEnabled);
    auto* numbers = new QGridLayout;
    numbers->addWidget(BuddyLabel(u"Dezi&malstellen für Kurse:"_s, priceDecimals_, this), 0, 0);
    numbers->addWidget(priceDecimals_, 0, 1);
    numbers->addWidget(BuddyLabel(u"De&zimalstellen für Prozentwerte:"_s, percentDecimals_, this),
                       1, 0);
    numbers->addWidget(percentDecimals_, 1, 1);
    auto* repeatRow = new QHBoxLayout;
    repeatRow->addWidget(repeatVerticalTexts_);
    repeatRow->addWidget(BuddyLabel(u"Ab&stand:"_s, verticalTextDistance_, this));
    repeatRow->addWidget(verticalTextDistance_);
    repeatRow->addStretch(1);
    numbers->addLayout(repeatRow, 2, 0, 1, 3);
    numbers->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(styles);
    layout->addWidget(font);
    layout->addWidget(margins);
    layout->addLayout(numbers);
    layout->addStretch(1);
}

ListsOptionsPage ListsPageView::Form() const {
    ListsOptionsPage page = initial_;
    ListsAppearance& v = page.values;
    v.screenStyle = ChosenValue(screenStyle_, v.screenStyle);
    v.printStyle = ChosenValue(printStyle_, v.printStyle);
    v.face = FromQString(face_->currentText());
    v.outerMargin = outerMargin_->value();
    v.normalFontHeight = normalFont_->value();
    v.columnTitleFontHeight = columnTitleFont_->value();
    v.verticalFontHeight = verticalFont_->value();
    v.dateColumnEveryPage = On(dateColumnEveryPage_);
    v.repeatColumnTitles = On(repeatColumnTitles_);
    v.marginLeft = marginLeft_->value();
    v.marginRight = marginRight_->value();
    v.marginTop = marginTop_->value();
    v.marginBottom = marginBottom_->value();
    v.priceDecimals = priceDecimals_->value();
    v.percentDecimals = percentDecimals_->value();
    v.repeatVerticalTexts = On(repeatVerticalTexts_);
    v.verticalTextDistance = verticalTextDistance_->value();
    return page;
}

std::unique_ptr<OptionsPage> ListsPageView::Page() const {
    return std::make_unique<ListsOptionsPage>(Form());
}

// --- "Depotentwicklung" ---

OptionsPageView* DevelopmentPageView::Create(const CFolari2Doc& doc) {
    return new DevelopmentPageView(DevelopmentOptionsPage::FromDocument(doc));
}

DevelopmentPageView::DevelopmentPageView(const DevelopmentOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"developmentPage"_s);
    const DevelopmentReportOptions& v = page.values;
    items_ = ColumnList("items", page.items, this);

    auto* currencies = new QGroupBox(u"Währungen"_s, this);
    depotCurrency_ = Choices("depotCurrency", page.currencies, v.depotCurrencyId, currencies);
    accountCurrency_ = Choices("accountCurrency", page.currencies, v.accountCurrencyId, currencies);
    assetsCurrency_ = Choices("assetsCurrency", page.currencies, v.assetsCurrencyId, currencies);
    auto* currencyGrid = new QGridLayout(currencies);
    currencyGrid->addWidget(BuddyLabel(u"&Depot:"_s, depotCurrency_, currencies), 0, 0);
    currencyGrid->addWidget(depotCurrency_, 0, 1);
    currencyGrid->addWidget(BuddyLabel(u"&Konto:"_s, accountCurrency_, currencies), 1, 0);
    currencyGrid->addWidget(accountCurrency_, 1, 1);
    currencyGrid->addWidget(BuddyLabel(u"&Vermögen:"_s, assetsCurrency_, currencies), 2, 0);
    currencyGrid->addWidget(assetsCurrency_, 2, 1);
    currencyGrid->setColumnStretch(1, 1);

    auto* positions = new QGroupBox(u"Wertpapierpositionen"_s, this);
    text_ = Title(kPositionTextField, v.positionText, page.placeholders, u"<&PH>"_s, positions);
    text_.edit->setMinimumWidth(text_.edit->fontMetrics().averageCharWidth() * 24);
    sortKey_ = Choices("sortKey", page.sortKeys, v.sortKey, positions);
    columnPerLot_ =
        Switch(u"&eigene Spalte für jede Position"_s, "columnPerLot", v.columnPerLot, positions);
    equalWidths_ =
        Switch(u"gleiche &Breite für alle Spalten"_s, "equalWidths", v.equalWidths, positions);
    auto* positionGrid = new QGridLayout(positions);
    AddTitle(positionGrid, 0, u"&Text:"_s, text_, positions);
    positionGrid->addWidget(BuddyLabel(u"&Sortieren nach:"_s, sortKey_, positions), 1, 0);
    positionGrid->addWidget(sortKey_, 1, 1, 1, 2);
    positionGrid->addWidget(columnPerLot_, 2, 0, 1, 3);
    positionGrid->addWidget(equalWidths_, 3, 0, 1, 3);
    positionGrid->setColumnStretch(1, 1);

    commissions_ = Switch(u"bei Bere&chnung von Gewinnen/ Verlusten Provisionen einbeziehen"_s,
                          "includeCommissions", v.includeCommissions, this);

    auto* correction = new QGroupBox(u"Bereinigung um Kapitaleinlagen und -entnahmen:"_s, this);
    correctAccount_ = Switch(u"K&ontostand"_s, "correctAccount", v.correctAccount, correction);
    correctAssets_ = Switch(u"Ve&rmögen"_s, "correctAssets", v.correctAssets, correction);
    auto* start = new QRadioButton(u"A&nfangsdatum"_s, correction);
    start->setObjectName(u"relativeToStart"_s);
    auto* end = new QRadioButton(u"Enddat&um"_s, correction);
    end->setObjectName(u"relativeToEnd"_s);
    relativeTo_ = new QButtonGroup(this);
    relativeTo_->addButton(start, 0);
    relativeTo_->addButton(end, 1);
    (v.correctionRelativeToEnd != 0 ? end : start)->setChecked(true);
    auto* correctionGrid = new QGridLayout(correction);
    correctionGrid->addWidget(correctAccount_, 0, 0);
    correctionGrid->addWidget(start, 0, 1);
    correctionGrid->addWidget(correctAssets_, 1, 0);
    correctionGrid->addWidget(end, 1, 1);
    correctionGrid->setColumnStretch(2, 1);

    auto* fields = new QVBoxLayout;
    fields->addWidget(currencies);
    fields->addWidget(positions);
    fields->addWidget(correction);
    fields->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(ColumnSide(items_, this), 1);
    body->addLayout(fields, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(commissions_);
}

std::unique_ptr<OptionsPage> DevelopmentPageView::Page() const {
    DevelopmentOptionsPage page = initial_;
    DevelopmentReportOptions& v = page.values;
    page.items = ReadColumns(items_, page.items);
    v.depotCurrencyId = ChosenValue(depotCurrency_, v.depotCurrencyId);
    v.accountCurrencyId = ChosenValue(accountCurrency_, v.accountCurrencyId);
    v.assetsCurrencyId = ChosenValue(assetsCurrency_, v.assetsCurrencyId);
    v.positionText = FromQString(text_.edit->text());
    v.sortKey = ChosenValue(sortKey_, v.sortKey);
    v.columnPerLot = On(columnPerLot_);
    v.equalWidths = On(equalWidths_);
    v.includeCommissions = On(commissions_);
    v.correctAccount = On(correctAccount_);
    v.correctAssets = On(correctAssets_);
    v.correctionRelativeToEnd = relativeTo_->checkedId() == 1 ? 1 : 0;
    return std::make_unique<DevelopmentOptionsPage>(std::move(page));
}

// --- "Kurse" ---

OptionsPageView* QuotesPageView::Create(const CFolari2Doc& doc) {
    return new QuotesPageView(QuotesOptionsPage::FromDocument(doc));
}

QuotesPageView::QuotesPageView(const QuotesOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"quotesPage"_s);
    const QuotesTableOptions& v = page.values;

    auto* shown = new QGroupBox(u"Kurse anzeigen für"_s, this);
    auto* shownLayout = new QVBoxLayout(shown);
    filter_ = Radios("filter", QuotesFilterChoices(), v.filter, shownLayout, shown);
    securities_ = new QTreeWidget(shown);
    securities_->setObjectName(u"securities"_s);
    securities_->setColumnCount(2);
    securities_->setHeaderLabels({u"Bezeichnung"_s, u"WKN"_s});
    securities_->setRootIsDecorated(false);
    securities_->setSelectionBehavior(QAbstractItemView::SelectRows);
    securities_->setAllColumnsShowFocus(true);
    for (const SecurityTick& s : page.securities) {
        auto* item = new QTreeWidgetItem(securities_, {ToQString(s.name), ToQString(s.wkn)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, s.checked ? Qt::Checked : Qt::Unchecked);
        item->setData(0, Qt::UserRole, s.id);
    }
    securities_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    securities_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    securities_->header()->setStretchLastSection(false);
    securities_->setMinimumWidth(securities_->fontMetrics().averageCharWidth() * 40);
    shownLayout->addWidget(securities_, 1);
    // The ticks only count for "folgende Wertpapiere"; they are kept while another choice is on.
    const auto enableList = [this] {
        securities_->setEnabled(filter_->checkedId() == kQuotesOfChosenSecurities);
    };
    enableList();
    connect(filter_, &QButtonGroup::idToggled, this, enableList);

    auto* columns = new QGroupBox(u"Wertpapiere"_s, this);
    text_ = Title(kColumnTextField, v.titleTemplate, page.placeholders, u"<&PH>"_s, columns);
    // Room for the default "<BEZEICHNUNG> (<KURSWAEHRUNG>)".
    text_.edit->setMinimumWidth(
        text_.edit->fontMetrics().horizontalAdvance(u"<BEZEICHNUNG> (<KURSWAEHRUNG>)MM"_s));
    text_.edit->setCursorPosition(0);
    sortKey_ = Choices("sortKey", page.sortKeys, v.sortKey, columns);
    equalWidths_ =
        Switch(u"gleiche &Breite für alle Spalten"_s, "equalWidths", v.equalWidths, columns);
    auto* columnGrid = new QGridLayout(columns);
    AddTitle(columnGrid, 0, u"&Text:"_s, text_, columns);
    columnGrid->addWidget(BuddyLabel(u"So&rtieren nach:"_s, sortKey_, columns), 1, 0);
    columnGrid->addWidget(sortKey_, 1, 1, 1, 2);
    columnGrid->addWidget(equalWidths_, 2, 0, 1, 3);
    columnGrid->setColumnStretch(1, 1);

    auto* splits = new QGroupBox(u"Behandlung von Splits"_s, this);
    auto* splitLayout = new QVBoxLayout(splits);
    splits_ = Radios("splits", SplitHandlingChoices(), v.splitHandling, splitLayout, splits);

    auto* right = new QVBoxLayout;
    right->addWidget(columns);
    right->addWidget(splits);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(shown, 1);
    layout->addLayout(right, 1);
}

std::unique_ptr<OptionsPage> QuotesPageView::Page() const {
    QuotesOptionsPage page = initial_;
    QuotesTableOptions& v = page.values;
    v.filter = CheckedValue(filter_, v.filter);
    for (int i = 0; i < securities_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = securities_->topLevelItem(i);
        const int32_t id = item->data(0, Qt::UserRole).toInt();
        for (SecurityTick& tick : page.securities)
            if (tick.id == id) tick.checked = item->checkState(0) == Qt::Checked;
    }
    v.titleTemplate = FromQString(text_.edit->text());
    v.sortKey = ChosenValue(sortKey_, v.sortKey);
    v.equalWidths = On(equalWidths_);
    v.splitHandling = CheckedValue(splits_, v.splitHandling);
    return std::make_unique<QuotesOptionsPage>(std::move(page));
}

// --- "DEPOTANALYSE/-VERTEILUNG" ---

OptionsPageView* AnalysisPageView::Create(const CFolari2Doc& doc) {
    return new AnalysisPageView(AnalysisOptionsPage::FromDocument(doc));
}

AnalysisPageView::AnalysisPageView(const AnalysisOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"analysisPage"_s);
    const AnalysisOptions& v = page.values;

    auto* font = new QGroupBox(u"Schrift und Abstände (1/10 mm)"_s, this);
    face_ = FaceBox(v.face, font);
    fontHeight_ = Spin("fontHeight", kFontHeightRange, v.fontHeight, font);
    outerMargin_ = Spin("outerMargin", kDistanceRange, v.outerMargin, font);
    textSpacing_ = Spin("textSpacing", kDistanceRange, v.textSpacing, font);
    columnWidth_ = Spin("columnWidth", kAnalysisColumnWidthRange, v.columnWidth, font);
    firstColumnWidth_ =
        Spin("firstColumnWidth", kAnalysisColumnWidthRange, v.firstColumnWidth, font);
    auto* fontGrid = new QGridLayout(font);
    fontGrid->addWidget(BuddyLabel(u"&Schriftart:"_s, face_, font), 0, 0);
    fontGrid->addWidget(face_, 0, 1, 1, 3);
    fontGrid->addWidget(BuddyLabel(u"Schriftgröße (&Zeilenhöhe):"_s, fontHeight_, font), 1, 0);
    fontGrid->addWidget(fontHeight_, 1, 1);
    fontGrid->addWidget(BuddyLabel(u"Spalten&breite:"_s, columnWidth_, font), 1, 2);
    fontGrid->addWidget(columnWidth_, 1, 3);
    fontGrid->addWidget(BuddyLabel(u"&Rand:"_s, outerMargin_, font), 2, 0);
    fontGrid->addWidget(outerMargin_, 2, 1);
    fontGrid->addWidget(BuddyLabel(u"Breite &erste Spalte:"_s, firstColumnWidth_, font), 2, 2);
    fontGrid->addWidget(firstColumnWidth_, 2, 3);
    fontGrid->addWidget(BuddyLabel(u"&Textabstand:"_s, textSpacing_, font), 3, 0);
    fontGrid->addWidget(textSpacing_, 3, 1);
    fontGrid->setColumnStretch(4, 1);

    QGroupBox* margins = Margins(marginLeft_, marginRight_, marginTop_, marginBottom_, v.marginLeft,
                                 v.marginRight, v.marginTop, v.marginBottom, this);

    // A stored -1 is the holdings' default key.
    sortKey_ = Choices("sortKey", page.sortKeys, v.sortKey, this,
                       static_cast<int32_t>(kDefaultHoldingsSortKey));
    auto* sortRow = new QHBoxLayout;
    sortRow->addWidget(BuddyLabel(u"Sortieren &nach:"_s, sortKey_, this));
    sortRow->addWidget(sortKey_);
    direction_ = Direction(v.sortDescending, sortRow, this);
    sortRow->addStretch(1);

    // The mnemonics of these three differ from the holdings page's, which has no margins.
    commissions_ = Switch(u"bei Berechnung von Gewinnen/ Verlusten &Provisionen einbeziehen"_s,
                          "includeCommissions", v.includeCommissions, this);
    dividends_ = Switch(u"Di&videnden in Gewinne/ Verluste einbeziehen"_s, "includeDividends",
                        v.includeDividends, this);
    merge_ = Switch(u"Positionen mit &gleichen Wertpapieren zusammenfassen"_s, "mergePositions",
                    v.mergePositions, this);
    stopTarget_ = Switch(u"Stopp- und Zie&lkursauswertung"_s, "stopTarget", v.stopTarget, this);

    priceDecimals_ = Spin("priceDecimals", kPriceDecimalsRange, v.priceDecimals, this);
    percentDecimals_ = Spin("percentDecimals", kPercentDecimalsRange, v.percentDecimals, this);
    currency_ = Choices("currency", page.currencies, v.currencyId, this);
    auto* numbers = new QGridLayout;
    numbers->addWidget(BuddyLabel(u"Dezi&malstellen für Kurse:"_s, priceDecimals_, this), 0, 0);
    numbers->addWidget(priceDecimals_, 0, 1);
    numbers->addWidget(BuddyLabel(u"&Währung:"_s, currency_, this), 0, 2);
    numbers->addWidget(currency_, 0, 3);
    numbers->addWidget(BuddyLabel(u"Dezim&alst. f. Prozentwerte:"_s, percentDecimals_, this), 1, 0);
    numbers->addWidget(percentDecimals_, 1, 1);
    numbers->setColumnStretch(4, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(font);
    layout->addWidget(margins);
    layout->addLayout(sortRow);
    layout->addWidget(commissions_);
    layout->addWidget(dividends_);
    layout->addWidget(merge_);
    layout->addWidget(stopTarget_);
    layout->addLayout(numbers);
    layout->addStretch(1);
}

std::unique_ptr<OptionsPage> AnalysisPageView::Page() const {
    AnalysisOptionsPage page = initial_;
    AnalysisOptions& v = page.values;
    v.face = FromQString(face_->currentText());
    v.fontHeight = fontHeight_->value();
    v.outerMargin = outerMargin_->value();
    v.textSpacing = textSpacing_->value();
    v.columnWidth = columnWidth_->value();
    v.firstColumnWidth = firstColumnWidth_->value();
    v.marginLeft = marginLeft_->value();
    v.marginRight = marginRight_->value();
    v.marginTop = marginTop_->value();
    v.marginBottom = marginBottom_->value();
    v.sortKey = ChosenValue(sortKey_, v.sortKey);
    v.sortDescending = direction_->checkedId() == 1 ? 1 : 0;
    v.includeCommissions = On(commissions_);
    v.includeDividends = On(dividends_);
    v.mergePositions = On(merge_);
    v.priceDecimals = priceDecimals_->value();
    v.percentDecimals = percentDecimals_->value();
    v.currencyId = ChosenValue(currency_, v.currencyId);
    v.stopTarget = On(stopTarget_);
    return std::make_unique<AnalysisOptionsPage>(std::move(page));
}

// --- "Wertpapiere" ---

OptionsPageView* SecuritiesPageView::Create(const CFolari2Doc& doc) {
    return new SecuritiesPageView(SecuritiesOptionsPage::FromDocument(doc));
}

SecuritiesPageView::SecuritiesPageView(const SecuritiesOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"securitiesPage"_s);
    const SecuritiesListOptions& v = page.values;
    columns_ = ColumnList("columns", page.columns, this);
    title_ = Title(kTitleField, v.title, page.placeholders, u"<&PH>"_s, this);

    auto* sort = new QGroupBox(u"Sortieren nach"_s, this);
    auto* sortGrid = new QGridLayout(sort);
    const char* names[] = {"sortKey1", "sortKey2", "sortKey3"};
    const QString labels[] = {u"&1."_s, u"&2."_s, u"&3."_s};
    for (int i = 0; i < 3; ++i) {
        sortKeys_[i] = Choices(names[i], page.sortKeys, v.sortKeys[static_cast<size_t>(i)], sort);
        sortGrid->addWidget(BuddyLabel(labels[i], sortKeys_[i], sort), i, 0);
        sortGrid->addWidget(sortKeys_[i], i, 1);
    }
    auto* directionRow = new QHBoxLayout;
    direction_ = Direction(v.sortDescending, directionRow, sort);
    directionRow->addStretch(1);
    sortGrid->addLayout(directionRow, 3, 1);
    sortGrid->setColumnStretch(1, 1);

    useLastPrice_ = Switch(u"letzten &Kurs verwenden"_s, "useLastPrice", v.useLastPrice, this);
    onlyInDepot_ = Switch(u"nur &Wertpapiere im Depot"_s, "onlyInDepot", v.onlyInDepot, this);

    auto* fields = new QVBoxLayout;
    fields->addWidget(sort);
    fields->addWidget(useLastPrice_);
    fields->addWidget(onlyInDepot_);
    fields->addStretch(1);

    auto* titleGrid = new QGridLayout;
    AddTitle(titleGrid, 0, u"Tit&el:"_s, title_, this);
    auto* body = new QHBoxLayout;
    body->addLayout(ColumnSide(columns_, this), 1);
    body->addLayout(fields, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleGrid);
    layout->addLayout(body, 1);
    QWidget::setTabOrder(title_.edit, title_.button);
    QWidget::setTabOrder(title_.button, columns_);
}

std::unique_ptr<OptionsPage> SecuritiesPageView::Page() const {
    SecuritiesOptionsPage page = initial_;
    SecuritiesListOptions& v = page.values;
    page.columns = ReadColumns(columns_, page.columns);
    v.title = FromQString(title_.edit->text());
    for (size_t i = 0; i < 3; ++i) v.sortKeys[i] = ChosenValue(sortKeys_[i], v.sortKeys[i]);
    v.sortDescending = direction_->checkedId() == 1 ? 1 : 0;
    v.useLastPrice = On(useLastPrice_);
    v.onlyInDepot = On(onlyInDepot_);
    return std::make_unique<SecuritiesOptionsPage>(std::move(page));
}

}  // namespace pf
