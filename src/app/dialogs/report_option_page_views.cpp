#include "app/dialogs/report_option_page_views.h"

#include <QAction>
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
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/dialogs/html_config_dialog.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"
#include "reports/holdings_report.h"
#include "reports/realized_report.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace option_widgets {

// The check-box list of a page's columns: one item per column in report order, the bit in
// Qt::UserRole, full-row selection, wide enough for the longest option name.
QTreeWidget* ColumnList(const char* name, const std::vector<ColumnItem>& items, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setColumnCount(1);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    int widest = 0;
    for (const ColumnItem& c : items) {
        auto* item = new QTreeWidgetItem(list, QStringList{ToQString(c.text)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, c.checked ? Qt::Checked : Qt::Unchecked);
        item->setData(0, Qt::UserRole, c.bit);
        widest = std::max(widest, list->fontMetrics().horizontalAdvance(ToQString(c.text)));
    }
    if (list->topLevelItemCount() > 0) list->setCurrentItem(list->topLevelItem(0));
    // Text, check box and scroll bar.
    list->setMinimumWidth(widest + list->fontMetrics().height() * 4);
    return list;
}

// The items with the check states of the list (same order, as ColumnList made them).
std::vector<ColumnItem> ReadColumns(const QTreeWidget* list, std::vector<ColumnItem> items) {
    for (size_t i = 0; i < items.size(); ++i) {
        const QTreeWidgetItem* item = list->topLevelItem(static_cast<int>(i));
        if (item != nullptr) items[i].checked = item->checkState(0) == Qt::Checked;
    }
    return items;
}

// A combo box over `items`, each carrying its value; the item of `value` is selected, or the
// item of `fallback` when none carries `value`.
QComboBox* Choices(const char* name, const std::vector<ChoiceItem>& items, int32_t value,
                   QWidget* parent, int32_t fallback) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const ChoiceItem& item : items) box->addItem(ToQString(item.text), item.value);
    int index = IndexOfValue(items, value);
    if (index < 0) index = IndexOfValue(items, fallback);
    box->setCurrentIndex(index);
    return box;
}

// The value of the chosen item; `kept` while nothing is chosen (a value no item carries).
int32_t ChosenValue(const QComboBox* box, int32_t kept) {
    return box->currentIndex() >= 0 ? box->currentData().toInt() : kept;
}

QSpinBox* Spin(const char* name, FieldRange range, int32_t value, QWidget* parent) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(range.min, range.max);
    spin->setValue(value);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

QCheckBox* Switch(const QString& text, const char* name, int32_t on, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(on != 0);
    return box;
}

QFontComboBox* FaceBox(const std::string& face, QWidget* parent) {
    auto* box = new QFontComboBox(parent);
    box->setObjectName(ToQString(kFaceField));
    box->setEditable(true);
    // A face that is not installed stays as stored; the reports fall back on their own.
    box->setCurrentText(ToQString(face));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(u"Times New Roman MM"_s));
    return box;
}

// A title field and its placeholder button; the button pops up the placeholders.
TitleRow Title(const char* name, const std::string& text,
               const std::vector<std::string>& placeholders, const QString& buttonText,
               QWidget* parent) {
    TitleRow row;
    row.edit = new QLineEdit(ToQString(text), parent);
    row.edit->setObjectName(QString::fromLatin1(name));
    row.edit->setMinimumWidth(row.edit->fontMetrics().averageCharWidth() * 48);
    row.button = new QPushButton(buttonText, parent);
    row.button->setObjectName(QString::fromLatin1(name) + u"Placeholders"_s);
    // A click must not take the focus: the field would lose the selection to be replaced.
    row.button->setFocusPolicy(Qt::TabFocus);
    auto* menu = new QMenu(row.button);
    for (const std::string& p : placeholders) {
        QAction* action = menu->addAction(ToQString(p));
        QLineEdit* edit = row.edit;
        QObject::connect(action, &QAction::triggered, edit,
                         [edit, p] { InsertPlaceholderInto(edit, ToQString(p)); });
    }
    row.button->setMenu(menu);
    return row;
}

// The title row as "label field button".
void AddTitle(QGridLayout* grid, int row, const QString& label, const TitleRow& title,
              QWidget* parent) {
    grid->addWidget(BuddyLabel(label, title.edit, parent), row, 0);
    grid->addWidget(title.edit, row, 1);
    grid->addWidget(title.button, row, 2);
}

// "aufsteigend" / "absteigend" as a button group (id 0 / 1 = sortDescending).
QButtonGroup* Direction(int32_t descending, QHBoxLayout* into, QWidget* parent) {
    auto* group = new QButtonGroup(parent);
    auto* up = new QRadioButton(u"au&fsteigend"_s, parent);
    up->setObjectName(u"ascending"_s);
    auto* down = new QRadioButton(u"abste&igend"_s, parent);
    down->setObjectName(u"descending"_s);
    group->addButton(up, 0);
    group->addButton(down, 1);
    (descending != 0 ? down : up)->setChecked(true);
    into->addWidget(up);
    into->addWidget(down);
    return group;
}

QGroupBox* Margins(QSpinBox*& left, QSpinBox*& right, QSpinBox*& top, QSpinBox*& bottom, int32_t l,
                   int32_t r, int32_t t, int32_t b, QWidget* parent) {
    auto* box = new QGroupBox(u"Druckränder (1/10 mm)"_s, parent);
    left = Spin("marginLeft", kDistanceRange, l, box);
    right = Spin("marginRight", kDistanceRange, r, box);
    top = Spin("marginTop", kDistanceRange, t, box);
    bottom = Spin("marginBottom", kDistanceRange, b, box);
    auto* grid = new QGridLayout(box);
    grid->addWidget(BuddyLabel(u"Lin&ks:"_s, left, box), 0, 0);
    grid->addWidget(left, 0, 1);
    grid->addWidget(BuddyLabel(u"Re&chts:"_s, right, box), 0, 2);
    grid->addWidget(right, 0, 3);
    grid->addWidget(BuddyLabel(u"&Oben:"_s, top, box), 1, 0);
    grid->addWidget(top, 1, 1);
    grid->addWidget(BuddyLabel(u"&Unten:"_s, bottom, box), 1, 2);
    grid->addWidget(bottom, 1, 3);
    grid->setColumnStretch(4, 1);
    return box;
}

// The column list with its caption, for the left side of a page.
QVBoxLayout* ColumnSide(QTreeWidget* list, QWidget* parent) {
    auto* side = new QVBoxLayout;
    side->addWidget(BuddyLabel(u"Anzuzeigende &Daten:"_s, list, parent));
    side->addWidget(list, 1);
    return side;
}

}  // namespace option_widgets

using namespace option_widgets;

void InsertPlaceholderInto(QLineEdit* edit, const QString& placeholder) {
    const QString text = edit->text();
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int length = edit->hasSelectedText() ? edit->selectionLength() : 0;
    // The core counts characters; the field counts UTF-16 units.
    const auto characters = [](const QString& s) { return static_cast<size_t>(s.toUcs4().size()); };
    const PlaceholderInsertion result =
        InsertPlaceholder(FromQString(text), characters(text.left(start)),
                          characters(text.mid(start, length)), FromQString(placeholder));
    edit->setText(ToQString(result.text));
    edit->setCursorPosition(start + static_cast<int>(placeholder.size()));
    edit->setFocus(Qt::OtherFocusReason);
}

// --- "TABELLEN >" ---

OptionsPageView* TablesPageView::Create(const CFolari2Doc& doc) {
    return new TablesPageView(TablesOptionsPage::FromDocument(doc));
}

TablesPageView::TablesPageView(const TablesOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"tablesPage"_s);
    const TableAppearance& v = page.values;

    // Display style on screen and in print.
    auto* screen = new QGroupBox(u"Bildschirm"_s, this);
    screenStyle_ = Choices("screenStyle", DisplayStyleChoices(), v.screenStyle, screen);
    auto* screenForm = new QFormLayout(screen);
    screenForm->addRow(BuddyLabel(u"&Darstellung:"_s, screenStyle_, screen), screenStyle_);
    auto* print = new QGroupBox(u"Druck"_s, this);
    printStyle_ = Choices("printStyle", DisplayStyleChoices(), v.printStyle, print);
    auto* printForm = new QFormLayout(print);
    printForm->addRow(BuddyLabel(u"Darste&llung:"_s, printStyle_, print), printStyle_);
    auto* styles = new QHBoxLayout;
    styles->addWidget(screen);
    styles->addWidget(print);

    auto* font = new QGroupBox(u"Schrift und Abstände (1/10 mm)"_s, this);
    face_ = FaceBox(v.face, font);
    outerMargin_ = Spin("outerMargin", kDistanceRange, v.outerMargin, font);
    columnGap_ = Spin("columnGap", kDistanceRange, v.columnGap, font);
    columnMargin_ = Spin("columnMargin", kDistanceRange, v.columnMargin, font);
    titleFont_ = Spin("titleFontHeight", kFontHeightRange, v.titleFontHeight, font);
    columnTitleFont_ =
        Spin("columnTitleFontHeight", kFontHeightRange, v.columnTitleFontHeight, font);
    rowFont_ = Spin("rowFontHeight", kFontHeightRange, v.rowFontHeight, font);
    repeatTitle_ = Switch(u"&Überschrift auf jeder Seite"_s, "repeatTitle", v.repeatTitle, font);
    repeatColumnTitles_ = Switch(u"Spaltentitel au&f jeder Seite"_s, "repeatColumnTitles",
                                 v.repeatColumnTitles, font);
    auto* fontGrid = new QGridLayout(font);
    fontGrid->addWidget(BuddyLabel(u"&Schriftart:"_s, face_, font), 0, 0);
    fontGrid->addWidget(face_, 0, 1, 1, 3);
    fontGrid->addWidget(BuddyLabel(u"Felda&bstand:"_s, outerMargin_, font), 1, 0);
    fontGrid->addWidget(outerMargin_, 1, 1);
    fontGrid->addWidget(BuddyLabel(u"Üb&erschrift:"_s, titleFont_, font), 1, 2);
    fontGrid->addWidget(titleFont_, 1, 3);
    fontGrid->addWidget(BuddyLabel(u"Spalten&abstand:"_s, columnGap_, font), 2, 0);
    fontGrid->addWidget(columnGap_, 2, 1);
    fontGrid->addWidget(BuddyLabel(u"Spalte&ntitel:"_s, columnTitleFont_, font), 2, 2);
    fontGrid->addWidget(columnTitleFont_, 2, 3);
    fontGrid->addWidget(BuddyLabel(u"Spalten&rand:"_s, columnMargin_, font), 3, 0);
    fontGrid->addWidget(columnMargin_, 3, 1);
    fontGrid->addWidget(BuddyLabel(u"&Tabellenzeile:"_s, rowFont_, font), 3, 2);
    fontGrid->addWidget(rowFont_, 3, 3);
    fontGrid->addWidget(repeatTitle_, 4, 0, 1, 4);
    fontGrid->addWidget(repeatColumnTitles_, 5, 0, 1, 4);
    fontGrid->setColumnStretch(4, 1);

    QGroupBox* margins = Margins(marginLeft_, marginRight_, marginTop_, marginBottom_, v.marginLeft,
                                 v.marginRight, v.marginTop, v.marginBottom, this);

    percentDecimals_ = Spin("percentDecimals", kPercentDecimalsRange, v.percentDecimals, this);
    maxPriceDecimals_ = Spin("maxPriceDecimals", kPriceDecimalsRange, v.maxPriceDecimals, this);
    colouring_ = Choices("colouring", PositionColouringChoices(), v.colourWithDividends, this);
    auto* numbers = new QGridLayout;
    numbers->addWidget(BuddyLabel(u"De&zimalstellen für Prozentwerte:"_s, percentDecimals_, this),
                       0, 0);
    numbers->addWidget(percentDecimals_, 0, 1);
    numbers->addWidget(BuddyLabel(u"ma&x. Dezimalstellen für Kurse:"_s, maxPriceDecimals_, this), 1,
                       0);
    numbers->addWidget(maxPriceDecimals_, 1, 1);
    numbers->addWidget(BuddyLabel(u"Farbgebung Depotpos&itionen:"_s, colouring_, this), 2, 0);
    numbers->addWidget(colouring_, 2, 1);
    numbers->setColumnStretch(2, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(styles);
    layout->addWidget(font);
    layout->addWidget(margins);
    layout->addLayout(numbers);
    layout->addStretch(1);
}

TablesOptionsPage TablesPageView::Form() const {
    TablesOptionsPage page = initial_;
    TableAppearance& v = page.values;
    v.screenStyle = ChosenValue(screenStyle_, v.screenStyle);
    v.printStyle = ChosenValue(printStyle_, v.printStyle);
    v.face = FromQString(face_->currentText());
    v.outerMargin = outerMargin_->value();
    v.columnGap = columnGap_->value();
    v.columnMargin = columnMargin_->value();
    v.titleFontHeight = titleFont_->value();
    v.columnTitleFontHeight = columnTitleFont_->value();
    v.rowFontHeight = rowFont_->value();
    v.repeatTitle = repeatTitle_->isChecked() ? 1 : 0;
    v.repeatColumnTitles = repeatColumnTitles_->isChecked() ? 1 : 0;
    v.marginLeft = marginLeft_->value();
    v.marginRight = marginRight_->value();
    v.marginTop = marginTop_->value();
    v.marginBottom = marginBottom_->value();
    v.percentDecimals = percentDecimals_->value();
    v.maxPriceDecimals = maxPriceDecimals_->value();
    v.colourWithDividends = ChosenValue(colouring_, v.colourWithDividends);
    return page;
}

std::unique_ptr<OptionsPage> TablesPageView::Page() const {
    return std::make_unique<TablesOptionsPage>(Form());
}

// --- "Depotbestand" and "Realisierte G+V" ---

// What the two position pages share, taken from either form.
struct PositionPageView::Common {
    const std::vector<ColumnItem>& columns;
    const std::string& title;
    const std::vector<std::string>& placeholders;
    const std::vector<ChoiceItem>& sortKeys;
    int32_t sortKey;
    int32_t defaultSortKey;
    int32_t descending;
    int32_t commissions;
    int32_t merge;
    const std::vector<ChoiceItem>& currencies;
    int32_t currencyId;
    int32_t annualisation;
    const std::vector<ChoiceItem>& extraInfos;
    int32_t extraInfo;
};

OptionsPageView* PositionPageView::CreateHoldings(const CFolari2Doc& doc) {
    return new PositionPageView(HoldingsOptionsPage::FromDocument(doc));
}

OptionsPageView* PositionPageView::CreateRealized(const CFolari2Doc& doc) {
    return new PositionPageView(RealizedOptionsPage::FromDocument(doc));
}

PositionPageView::PositionPageView(const HoldingsOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), holdings_(std::make_unique<HoldingsOptionsPage>(page)) {
    setObjectName(u"holdingsPage"_s);
    const HoldingsReportOptions& v = page.values;
    Build({page.columns, v.title, page.placeholders, page.sortKeys, v.sortKey,
           static_cast<int32_t>(kDefaultHoldingsSortKey), v.sortDescending, v.includeCommissions,
           v.mergePositions, page.currencies, v.currencyId, v.annualisation, page.extraInfos,
           v.extraInfo});
}

PositionPageView::PositionPageView(const RealizedOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), realized_(std::make_unique<RealizedOptionsPage>(page)) {
    setObjectName(u"realizedPage"_s);
    const RealizedReportOptions& v = page.values;
    Build({page.columns, v.title, page.placeholders, page.sortKeys, v.sortKey,
           static_cast<int32_t>(kDefaultRealizedSortKey), v.sortDescending, v.includeCommissions,
           v.mergePositions, page.currencies, v.currencyId, v.annualisation, page.extraInfos,
           v.extraInfo});
}

void PositionPageView::Build(const Common& c) {
    columns_ = ColumnList("columns", c.columns, this);
    title_ = Title(kTitleField, c.title, c.placeholders, u"<&PH>"_s, this);

    auto* fields = new QGridLayout;
    int row = 0;
    if (realized_) {
        taxSums_ = Choices("taxSums", TaxSumChoices(), realized_->values.taxSums, this);
        fields->addWidget(BuddyLabel(u"&Auswertung nach Steuerpflicht:"_s, taxSums_, this), row, 0);
        fields->addWidget(taxSums_, row++, 1);
    }
    // A stored -1 is the report's default key.
    sortKey_ = Choices("sortKey", c.sortKeys, c.sortKey, this, c.defaultSortKey);
    fields->addWidget(BuddyLabel(u"&Sortieren nach:"_s, sortKey_, this), row, 0);
    fields->addWidget(sortKey_, row++, 1);
    auto* directionRow = new QHBoxLayout;
    direction_ = Direction(c.descending, directionRow, this);
    directionRow->addStretch(1);
    fields->addLayout(directionRow, row++, 1);

    commissions_ = Switch(u"bei Bere&chnung von Gewinnen/ Verlusten Provisionen einbeziehen"_s,
                          "includeCommissions", c.commissions, this);
    merge_ = Switch(u"Positionen mit gleichen Wertpapieren &zusammenfassen"_s, "mergePositions",
                    c.merge, this);
    fields->addWidget(commissions_, row++, 0, 1, 2);
    fields->addWidget(merge_, row++, 0, 1, 2);
    if (holdings_) {
        brackets_ = Switch(u"nicht tagesaktuelle Kurse in &Klammern"_s, "bracketOldQuotes",
                           holdings_->values.bracketOldQuotes, this);
        fields->addWidget(brackets_, row++, 0, 1, 2);
    }
    currency_ = Choices("currency", c.currencies, c.currencyId, this);
    annualisation_ = Choices("annualisation", AnnualisationChoices(), c.annualisation, this);
    extraInfo_ = Choices("extraInfo", c.extraInfos, c.extraInfo, this);
    fields->addWidget(BuddyLabel(u"&Werte anzeigen in:"_s, currency_, this), row, 0);
    fields->addWidget(currency_, row++, 1);
    fields->addWidget(BuddyLabel(u"&G/V p. a. in %:"_s, annualisation_, this), row, 0);
    fields->addWidget(annualisation_, row++, 1);
    fields->addWidget(BuddyLabel(u"Z&usatzinfo:"_s, extraInfo_, this), row, 0);
    fields->addWidget(extraInfo_, row++, 1);
    fields->setRowStretch(row++, 1);
    if (holdings_) {
        // The page keeps what the dialog was left with; the sheet's OK stores it.
        auto* html = new QPushButton(u"&HTML-Ansicht konfigurieren..."_s, this);
        html->setObjectName(u"htmlConfigure"_s);
        connect(html, &QPushButton::clicked, this, [this] {
            HtmlConfigDialog dialog(holdings_->html, this);
            if (dialog.exec() != QDialog::Accepted) return;
            holdings_->html = dialog.Form();
            holdings_->htmlEdited = true;
        });
        fields->addWidget(html, row++, 0, 1, 2, Qt::AlignLeft);
    }
    fields->setColumnStretch(1, 1);

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

std::unique_ptr<OptionsPage> PositionPageView::Page() const {
    const auto read = [this](auto page) {
        auto& v = page.values;
        page.columns = ReadColumns(columns_, page.columns);
        v.title = FromQString(title_.edit->text());
        v.sortKey = ChosenValue(sortKey_, v.sortKey);
        v.sortDescending = direction_->checkedId() == 1 ? 1 : 0;
        v.includeCommissions = commissions_->isChecked() ? 1 : 0;
        v.mergePositions = merge_->isChecked() ? 1 : 0;
        v.currencyId = ChosenValue(currency_, v.currencyId);
        v.annualisation = ChosenValue(annualisation_, v.annualisation);
        v.extraInfo = ChosenValue(extraInfo_, v.extraInfo);
        return page;
    };
    if (holdings_) {
        HoldingsOptionsPage page = read(*holdings_);
        page.values.bracketOldQuotes = brackets_->isChecked() ? 1 : 0;
        return std::make_unique<HoldingsOptionsPage>(std::move(page));
    }
    RealizedOptionsPage page = read(*realized_);
    page.values.taxSums = ChosenValue(taxSums_, page.values.taxSums);
    return std::make_unique<RealizedOptionsPage>(std::move(page));
}

// --- "Transaktionen" ---

OptionsPageView* TransactionsPageView::Create(const CFolari2Doc& doc) {
    return new TransactionsPageView(TransactionsOptionsPage::FromDocument(doc));
}

TransactionsPageView::TransactionsPageView(const TransactionsOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"transactionsPage"_s);
    const TransactionsReportOptions& v = page.values;
    columns_ = ColumnList("columns", page.columns, this);
    title_ = Title(kTitleField, v.title, page.placeholders, u"<&PH>"_s, this);

    auto* sort = new QGroupBox(u"Sortieren nach"_s, this);
    auto* sortGrid = new QGridLayout(sort);
    const char* names[] = {"sortKey1", "sortKey2", "sortKey3"};
    const QString labels[] = {u"&1."_s, u"&2."_s, u"&3."_s};
    for (int i = 0; i < 3; ++i) {
        sortKeys_[i] =
            Choices(names[i], TransactionSortChoices(), v.sortKeys[static_cast<size_t>(i)], sort);
        sortGrid->addWidget(BuddyLabel(labels[i], sortKeys_[i], sort), i, 0);
        sortGrid->addWidget(sortKeys_[i], i, 1);
    }
    auto* directionRow = new QHBoxLayout;
    direction_ = Direction(v.sortDescending, directionRow, sort);
    directionRow->addStretch(1);
    sortGrid->addLayout(directionRow, 3, 1);
    sortGrid->setColumnStretch(1, 1);

    currency_ = Choices("currency", page.currencies, v.currencyId, this);
    auto* currencyRow = new QHBoxLayout;
    currencyRow->addWidget(BuddyLabel(u"&Werte anzeigen in:"_s, currency_, this));
    currencyRow->addWidget(currency_, 1);

    auto* fields = new QVBoxLayout;
    fields->addWidget(sort);
    fields->addLayout(currencyRow);
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

std::unique_ptr<OptionsPage> TransactionsPageView::Page() const {
    TransactionsOptionsPage page = initial_;
    page.columns = ReadColumns(columns_, page.columns);
    page.values.title = FromQString(title_.edit->text());
    for (size_t i = 0; i < 3; ++i)
        page.values.sortKeys[i] = ChosenValue(sortKeys_[i], page.values.sortKeys[i]);
    page.values.sortDescending = direction_->checkedId() == 1 ? 1 : 0;
    page.values.currencyId = ChosenValue(currency_, page.values.currencyId);
    return std::make_unique<TransactionsOptionsPage>(std::move(page));
}

// --- "Kontobewegungen" ---

OptionsPageView* MovementsPageView::Create(const CFolari2Doc& doc) {
    return new MovementsPageView(MovementsOptionsPage::FromDocument(doc));
}

MovementsPageView::MovementsPageView(const MovementsOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"movementsPage"_s);
    const MovementsReportOptions& v = page.values;
    columns_ = ColumnList("columns", page.columns, this);
    title_ = Title(kTitleField, v.title, page.placeholders, u"<&PH>"_s, this);
    endOfDayBalance_ = Switch(u"&Kontostand nur bei der letzten Bewegung jedes Tages anzeigen"_s,
                              "endOfDayBalance", v.endOfDayBalance, this);
    currency_ = Choices("currency", page.currencies, v.currencyId, this);
    auto* currencyRow = new QHBoxLayout;
    currencyRow->addWidget(BuddyLabel(u"&Werte anzeigen in:"_s, currency_, this));
    currencyRow->addWidget(currency_, 1);

    auto* fields = new QVBoxLayout;
    fields->addLayout(currencyRow);
    fields->addStretch(1);

    auto* titleGrid = new QGridLayout;
    AddTitle(titleGrid, 0, u"Tit&el:"_s, title_, this);
    auto* body = new QHBoxLayout;
    body->addLayout(ColumnSide(columns_, this), 1);
    body->addLayout(fields, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titleGrid);
    layout->addLayout(body, 1);
    layout->addWidget(endOfDayBalance_);
    QWidget::setTabOrder(title_.edit, title_.button);
    QWidget::setTabOrder(title_.button, columns_);
}

std::unique_ptr<OptionsPage> MovementsPageView::Page() const {
    MovementsOptionsPage page = initial_;
    page.columns = ReadColumns(columns_, page.columns);
    page.values.title = FromQString(title_.edit->text());
    page.values.endOfDayBalance = endOfDayBalance_->isChecked() ? 1 : 0;
    page.values.currencyId = ChosenValue(currency_, page.values.currencyId);
    return std::make_unique<MovementsOptionsPage>(std::move(page));
}

// --- "REPORTE >" ---

OptionsPageView* ReportsPageView::Create(const CFolari2Doc& doc) {
    return new ReportsPageView(ReportsOptionsPage::FromDocument(doc));
}

ReportsPageView::ReportsPageView(const ReportsOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"reportsPage"_s);
    const ReportsAppearance& v = page.values;
    auto* font = new QGroupBox(u"Schrift und Abstände (1/10 mm)"_s, this);
    face_ = FaceBox(v.face, font);
    columnGap_ = Spin("columnGap", kDistanceRange, v.columnGap, font);
    outerMargin_ = Spin("outerMargin", kDistanceRange, v.outerMargin, font);
    title1Font_ = Spin("title1FontHeight", kFontHeightRange, v.title1FontHeight, font);
    title2Font_ = Spin("title2FontHeight", kFontHeightRange, v.title2FontHeight, font);
    largeFont_ = Spin("largeFontHeight", kFontHeightRange, v.largeFontHeight, font);
    smallFont_ = Spin("smallFontHeight", kFontHeightRange, v.smallFontHeight, font);
    auto* grid = new QGridLayout(font);
    grid->addWidget(BuddyLabel(u"&Schriftart:"_s, face_, font), 0, 0);
    grid->addWidget(face_, 0, 1, 1, 3);
    grid->addWidget(BuddyLabel(u"Spalten&abstand:"_s, columnGap_, font), 1, 0);
    grid->addWidget(columnGap_, 1, 1);
    grid->addWidget(BuddyLabel(u"Üb&erschrift 1:"_s, title1Font_, font), 1, 2);
    grid->addWidget(title1Font_, 1, 3);
    grid->addWidget(BuddyLabel(u"Felda&bstand:"_s, outerMargin_, font), 2, 0);
    grid->addWidget(outerMargin_, 2, 1);
    grid->addWidget(BuddyLabel(u"Übe&rschrift 2:"_s, title2Font_, font), 2, 2);
    grid->addWidget(title2Font_, 2, 3);
    grid->addWidget(BuddyLabel(u"&großer Text:"_s, largeFont_, font), 3, 2);
    grid->addWidget(largeFont_, 3, 3);
    grid->addWidget(BuddyLabel(u"kleiner Te&xt:"_s, smallFont_, font), 4, 2);
    grid->addWidget(smallFont_, 4, 3);
    grid->setColumnStretch(4, 1);
    QGroupBox* margins = Margins(marginLeft_, marginRight_, marginTop_, marginBottom_, v.marginLeft,
                                 v.marginRight, v.marginTop, v.marginBottom, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(font);
    layout->addWidget(margins);
    layout->addStretch(1);
}

std::unique_ptr<OptionsPage> ReportsPageView::Page() const {
    ReportsOptionsPage page = initial_;
    ReportsAppearance& v = page.values;
    v.face = FromQString(face_->currentText());
    v.columnGap = columnGap_->value();
    v.outerMargin = outerMargin_->value();
    v.title1FontHeight = title1Font_->value();
    v.title2FontHeight = title2Font_->value();
    v.largeFontHeight = largeFont_->value();
    v.smallFontHeight = smallFont_->value();
    v.marginLeft = marginLeft_->value();
    v.marginRight = marginRight_->value();
    v.marginTop = marginTop_->value();
    v.marginBottom = marginBottom_->value();
    return std::make_unique<ReportsOptionsPage>(std::move(page));
}

// --- "G/V-Auswertung" ---

namespace {

// "gr." / "kl." after a title; returns the "gr." button.
QAbstractButton* SizeChoice(const char* name, int32_t large, QGridLayout* grid, int row,
                            QWidget* parent) {
    auto* group = new QButtonGroup(parent);
    auto* big = new QRadioButton(u"gr."_s, parent);
    big->setObjectName(QString::fromLatin1(name) + u"Large"_s);
    auto* small = new QRadioButton(u"kl."_s, parent);
    small->setObjectName(QString::fromLatin1(name) + u"Small"_s);
    group->addButton(big);
    group->addButton(small);
    (large != 0 ? big : small)->setChecked(true);
    grid->addWidget(big, row, 3);
    grid->addWidget(small, row, 4);
    return big;
}

}  // namespace

OptionsPageView* GainLossPageView::Create(const CFolari2Doc& doc) {
    return new GainLossPageView(GainLossOptionsPage::FromDocument(doc));
}

GainLossPageView::GainLossPageView(const GainLossOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"gainLossPage"_s);
    const GainLossReportOptions& v = page.values;
    items_ = ColumnList("items", page.items, this);
    title1_ = Title(kTitle1Field, v.title1, page.placeholders, u"<PH>"_s, this);
    title2_ = Title(kTitle2Field, v.title2, page.placeholders, u"<PH>"_s, this);
    auto* titles = new QGridLayout;
    AddTitle(titles, 0, u"Titel &1:"_s, title1_, this);
    title1Large_ = SizeChoice(kTitle1Field, v.title1Large, titles, 0, this);
    AddTitle(titles, 1, u"Titel &2:"_s, title2_, this);
    title2Large_ = SizeChoice(kTitle2Field, v.title2Large, titles, 1, this);
    titles->setColumnStretch(1, 1);

    currency_ = Choices("currency", page.currencies, v.currencyId, this);
    byTaxCategory_ = Switch(u"Aufsc&hlüsselung nach Steuerpflicht"_s, "groupByTaxCategory",
                            v.groupByTaxCategory, this);
    costsInPrice_ =
        Switch(u"beim Wertpapierkauf anfallende &Kosten direkt in den Kaufpreis einbeziehen"_s,
               "purchaseCostsInPrice", v.purchaseCostsInPrice, this);
    securityInTexts_ = Switch(u"&Texte um Wertpapierbezeichnung und WKN ergänzen"_s,
                              "securityInTexts", v.securityInTexts, this);
    auto* currencyRow = new QHBoxLayout;
    currencyRow->addWidget(BuddyLabel(u"&Währung:"_s, currency_, this));
    currencyRow->addWidget(currency_, 1);
    auto* fields = new QVBoxLayout;
    fields->addLayout(currencyRow);
    fields->addWidget(byTaxCategory_);
    fields->addStretch(1);

    auto* body = new QHBoxLayout;
    body->addLayout(ColumnSide(items_, this), 1);
    body->addLayout(fields, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(titles);
    layout->addLayout(body, 1);
    layout->addWidget(costsInPrice_);
    layout->addWidget(securityInTexts_);
}

std::unique_ptr<OptionsPage> GainLossPageView::Page() const {
    GainLossOptionsPage page = initial_;
    GainLossReportOptions& v = page.values;
    page.items = ReadColumns(items_, page.items);
    v.title1 = FromQString(title1_.edit->text());
    v.title2 = FromQString(title2_.edit->text());
    v.title1Large = title1Large_->isChecked() ? 1 : 0;
    v.title2Large = title2Large_->isChecked() ? 1 : 0;
    v.currencyId = ChosenValue(currency_, v.currencyId);
    v.groupByTaxCategory = byTaxCategory_->isChecked() ? 1 : 0;
    v.purchaseCostsInPrice = costsInPrice_->isChecked() ? 1 : 0;
    v.securityInTexts = securityInTexts_->isChecked() ? 1 : 0;
    return std::make_unique<GainLossOptionsPage>(std::move(page));
}

// --- "Performance/Rendite" ---

OptionsPageView* PerformancePageView::Create(const CFolari2Doc& doc) {
    return new PerformancePageView(PerformanceOptionsPage::FromDocument(doc));
}

PerformancePageView::PerformancePageView(const PerformanceOptionsPage& page, QWidget* parent)
    : OptionsPageView(parent), initial_(page) {
    setObjectName(u"performancePage"_s);
    const PerformanceReportOptions& p = page.performance;
    const ReturnsReportOptions& r = page.returns;

    auto* performance = new QGroupBox(u"Performanceanalyse"_s, this);
    title1_ = Title(kTitle1Field, p.title1, page.placeholders, u"<PH>"_s, performance);
    title2_ = Title(kTitle2Field, p.title2, page.placeholders, u"<PH>"_s, performance);
    currency_ = Choices("currency", page.currencies, p.currencyId, performance);
    costsInCapital_ = Switch(u"Kauf&provisionen in investiertes Kapital einbeziehen (MWR)"_s,
                             "purchaseCostsInCapital", p.purchaseCostsInCapital, performance);
    showPeriods_ = Switch(u"Performance der &Einzelperioden anzeigen (TWR)"_s, "showPeriods",
                          p.showPeriods, performance);
    monthEnd_ = Switch(u"Einzelperioden enden jeweils am &Monatsende (TWR)"_s,
                       "periodsEndAtMonthEnd", p.periodsEndAtMonthEnd, performance);
    auto* pGrid = new QGridLayout(performance);
    AddTitle(pGrid, 0, u"Titel &1:"_s, title1_, performance);
    AddTitle(pGrid, 1, u"Titel &2:"_s, title2_, performance);
    pGrid->addWidget(BuddyLabel(u"&Währung:"_s, currency_, performance), 2, 0);
    pGrid->addWidget(currency_, 2, 1, Qt::AlignLeft);
    pGrid->addWidget(costsInCapital_, 3, 0, 1, 3);
    pGrid->addWidget(showPeriods_, 4, 0, 1, 3);
    pGrid->addWidget(monthEnd_, 5, 0, 1, 3);
    pGrid->setColumnStretch(1, 1);

    auto* returns = new QGroupBox(u"Renditeberechnung"_s, this);
    returnsTitle1_ = Title(kReturnsTitle1Field, r.title1, page.placeholders, u"<PH>"_s, returns);
    returnsTitle2_ = Title(kReturnsTitle2Field, r.title2, page.placeholders, u"<PH>"_s, returns);
    returnsCurrency_ = Choices("returnsCurrency", page.currencies, r.currencyId, returns);
    withoutTaxes_ =
        Switch(u"ohne Berücksichtigung von &Steuern"_s, "withoutTaxes", r.withoutTaxes, returns);
    showPayments_ = Switch(u"&Zahlungsströme anzeigen"_s, "showPayments", r.showPayments, returns);
    paymentsInNegative_ = Switch(u"Einzahlungen mit negativem &Vorzeichen"_s, "paymentsInNegative",
                                 r.paymentsInNegative, returns);
    order_ = Choices("order", ReturnsOrderChoices(), r.order, returns);
    auto* rGrid = new QGridLayout(returns);
    AddTitle(rGrid, 0, u"Tit&el 1:"_s, returnsTitle1_, returns);
    AddTitle(rGrid, 1, u"Ti&tel 2:"_s, returnsTitle2_, returns);
    rGrid->addWidget(BuddyLabel(u"Wä&hrung:"_s, returnsCurrency_, returns), 2, 0);
    rGrid->addWidget(returnsCurrency_, 2, 1, Qt::AlignLeft);
    rGrid->addWidget(withoutTaxes_, 3, 0, 1, 3);
    rGrid->addWidget(showPayments_, 4, 0, 1, 3);
    rGrid->addWidget(paymentsInNegative_, 5, 0, 1, 3);
    auto* orderRow = new QHBoxLayout;
    orderRow->addWidget(BuddyLabel(u"Wertp&apiere sortieren nach:"_s, order_, returns));
    orderRow->addWidget(order_);
    orderRow->addStretch(1);
    rGrid->addLayout(orderRow, 6, 0, 1, 3);
    rGrid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(performance);
    layout->addWidget(returns);
    layout->addStretch(1);
}

std::unique_ptr<OptionsPage> PerformancePageView::Page() const {
    PerformanceOptionsPage page = initial_;
    PerformanceReportOptions& p = page.performance;
    ReturnsReportOptions& r = page.returns;
    p.title1 = FromQString(title1_.edit->text());
    p.title2 = FromQString(title2_.edit->text());
    p.currencyId = ChosenValue(currency_, p.currencyId);
    p.purchaseCostsInCapital = costsInCapital_->isChecked() ? 1 : 0;
    p.showPeriods = showPeriods_->isChecked() ? 1 : 0;
    p.periodsEndAtMonthEnd = monthEnd_->isChecked() ? 1 : 0;
    r.title1 = FromQString(returnsTitle1_.edit->text());
    r.title2 = FromQString(returnsTitle2_.edit->text());
    r.currencyId = ChosenValue(returnsCurrency_, r.currencyId);
    r.withoutTaxes = withoutTaxes_->isChecked() ? 1 : 0;
    r.showPayments = showPayments_->isChecked() ? 1 : 0;
    r.paymentsInNegative = paymentsInNegative_->isChecked() ? 1 : 0;
    r.order = ChosenValue(order_, r.order);
    return std::make_unique<PerformanceOptionsPage>(std::move(page));
}

}  // namespace pf
