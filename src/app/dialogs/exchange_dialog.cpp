#include "app/dialogs/exchange_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/dialogs/distribute_dialog.h"
#include "app/dialogs/entry_parts.h"
#include "app/dialogs/row_height.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "engine/number_entry.h"
#include "engine/position_queries.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// The columns of the lot list, each with a sample of its widest usual content.
struct LotColumn {
    const char* title;
    const char* sample;
};
constexpr LotColumn kLotColumns[] = {
    {"Pos.", "000"},           {"Kaufdatum", "00.00.0000"}, {"Kaufkurs", "0.000,00"},
    {"", "Euro xx"},           {"Stück", "00.000,000"},     {"Umtausch", "00.000,000"},
    {"Text", "Sparplan xxxx"},
};

}  // namespace

// --- "Umtausch" --------------------------------------------------------------------------

ExchangeDialog::ExchangeDialog(CFolari2Doc& doc, ExchangeForm form, QWidget* parent)
    : QDialog(parent), doc_(doc), form_(std::move(form)) {
    setWindowTitle(QString::fromUtf8(kExchangeTitle));
    const int charWidth = fontMetrics().averageCharWidth();

    date_ = DatePicker(this, QString::fromLatin1(kExchangeDateField));
    newPurchaseDate_ = new QRadioButton(u"U&mtauschdatum als neues Kaufdatum"_s, this);
    newPurchaseDate_->setObjectName(u"newPurchaseDate"_s);
    keepPurchaseDate_ = new QRadioButton(u"u&rsprüngliches Kaufdatum beibehalten"_s, this);
    keepPurchaseDate_->setObjectName(u"keepPurchaseDate"_s);
    auto* purchaseDate = new QButtonGroup(this);
    purchaseDate->addButton(newPurchaseDate_);
    purchaseDate->addButton(keepPurchaseDate_);

    sourceName_ = new QComboBox(this);
    sourceName_->setObjectName(QString::fromLatin1(kExchangeSourceNameField));
    sourceCode_ = new QComboBox(this);
    sourceCode_->setObjectName(QString::fromLatin1(kExchangeSourceCodeField));
    targetName_ = new QComboBox(this);
    targetName_->setObjectName(QString::fromLatin1(kExchangeTargetNameField));
    targetCode_ = new QComboBox(this);
    targetCode_->setObjectName(QString::fromLatin1(kExchangeTargetCodeField));
    for (QComboBox* box : {targetName_, targetCode_}) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
    }
    for (const CFL2Wertpapier& s : doc_.securities) {
        targetName_->addItem(ToQString(s.name), s.id);
        targetCode_->addItem(ToQString(s.wkn), s.id);
    }
    for (QComboBox* box : {sourceName_, targetName_}) box->setMinimumWidth(charWidth * 32);
    // Room for an ISIN, the longest code in use, beside the arrow.
    const int codeWidth = fontMetrics().horizontalAdvance(u"DE0005557508W"_s) + charWidth * 6;
    for (QComboBox* box : {sourceCode_, targetCode_}) box->setMinimumWidth(codeWidth);
    oldPieces_ = new QLineEdit(this);
    oldPieces_->setObjectName(QString::fromLatin1(kExchangeOldPiecesField));
    newPieces_ = new QLineEdit(this);
    newPieces_->setObjectName(QString::fromLatin1(kExchangeNewPiecesField));
    for (QLineEdit* pieces : {oldPieces_, newPieces_}) {
        pieces->setAlignment(Qt::AlignRight);
        pieces->setMinimumWidth(charWidth * 12);
    }
    text_ = new QLineEdit(this);
    text_->setObjectName(u"text"_s);

    lotList_ = new QTreeWidget(this);
    lotList_->setObjectName(u"lots"_s);
    lotList_->setRootIsDecorated(false);
    lotList_->setUniformRowHeights(true);
    lotList_->setAllColumnsShowFocus(true);
    lotList_->setSelectionMode(QAbstractItemView::NoSelection);
    QStringList headers;
    for (const LotColumn& column : kLotColumns) headers << QString::fromUtf8(column.title);
    lotList_->setHeaderLabels(headers);
    int listWidth = 0;
    for (int i = 0; i < static_cast<int>(std::size(kLotColumns)); ++i) {
        const QFontMetrics metrics = lotList_->fontMetrics();
        const int width =
            std::max(metrics.horizontalAdvance(headers[i]),
                     metrics.horizontalAdvance(QString::fromUtf8(kLotColumns[i].sample))) +
            charWidth * 3;
        lotList_->header()->resizeSection(i, width);
        listWidth += width;
    }
    lotList_->setMinimumWidth(listWidth + charWidth * 5);
    lotList_->setMinimumHeight(fontMetrics().lineSpacing() * 7);
    KeepAccentsInRows(lotList_);

    oldestFirst_ = new QCheckBox(u"ält&este Positionen umtauschen"_s, this);
    oldestFirst_->setObjectName(u"oldestFirst"_s);
    distribute_ = new QPushButton(u"a&ufteilen..."_s, this);
    distribute_->setObjectName(QString::fromLatin1(kExchangeDistributeField));
    distribute_->setAutoDefault(false);

    // --- layout ---
    auto* top = new QGridLayout;
    top->addWidget(BuddyLabel(u"Umtausch&datum"_s, date_, this), 0, 0);
    top->addWidget(date_, 0, 1, Qt::AlignLeft);
    top->addWidget(newPurchaseDate_, 0, 2);
    top->addWidget(keepPurchaseDate_, 1, 2);
    top->setColumnStretch(2, 1);

    auto* securities = new QGridLayout;
    securities->addWidget(BuddyLabel(u"von &Bezeichnung"_s, sourceName_, this), 0, 0);
    securities->addWidget(sourceName_, 0, 1);
    securities->addWidget(BuddyLabel(u"von &WKN"_s, sourceCode_, this), 0, 2);
    securities->addWidget(sourceCode_, 0, 3);
    securities->addWidget(BuddyLabel(u"&Stück alt"_s, oldPieces_, this), 0, 4);
    securities->addWidget(oldPieces_, 0, 5);
    securities->addWidget(BuddyLabel(u"i&n Bezeichnung"_s, targetName_, this), 1, 0);
    securities->addWidget(targetName_, 1, 1);
    securities->addWidget(BuddyLabel(u"in W&KN"_s, targetCode_, this), 1, 2);
    securities->addWidget(targetCode_, 1, 3);
    securities->addWidget(BuddyLabel(u"Stü&ck neu"_s, newPieces_, this), 1, 4);
    securities->addWidget(newPieces_, 1, 5);
    securities->addWidget(BuddyLabel(u"&Text"_s, text_, this), 2, 0);
    securities->addWidget(text_, 2, 1, 1, 5);
    securities->setColumnStretch(1, 1);

    auto* selection = new QHBoxLayout;
    selection->addWidget(oldestFirst_);
    selection->addStretch();
    selection->addWidget(distribute_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(fontMetrics().lineSpacing() / 2);
    layout->addLayout(securities);
    layout->addWidget(lotList_, 1);
    layout->addLayout(selection);
    layout->addWidget(OkCancelButtons(this));

    const std::vector<QWidget*> order = {
        date_,      newPurchaseDate_, keepPurchaseDate_, sourceName_, sourceCode_,
        oldPieces_, targetName_,      targetCode_,       newPieces_,  text_,
        lotList_,   oldestFirst_,     distribute_};
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    // --- values ---
    date_->setDate(ToQDate(form_.date));
    (form_.keepPurchaseDate ? keepPurchaseDate_ : newPurchaseDate_)->setChecked(true);
    oldPieces_->setText(ToQString(form_.oldPieces));
    {
        const QSignalBlocker blockName(targetName_);
        const QSignalBlocker blockCode(targetCode_);
        targetName_->setCurrentIndex(targetName_->findText(ToQString(form_.targetName)));
        targetName_->setEditText(ToQString(form_.targetName));
        targetCode_->setCurrentIndex(targetCode_->findText(ToQString(form_.targetCode)));
        targetCode_->setEditText(ToQString(form_.targetCode));
    }
    newPieces_->setText(ToQString(form_.newPieces));
    text_->setText(ToQString(form_.text));
    oldestFirst_->setChecked(form_.oldestFirst);
    FillSources(form_.sourceNameId);
    Refresh();

    connect(date_, &QDateEdit::dateChanged, this, &ExchangeDialog::DateChanged);
    connect(sourceName_, &QComboBox::currentIndexChanged, this,
            [this] { ChooseSource(ChosenId(sourceName_)); });
    connect(sourceCode_, &QComboBox::currentIndexChanged, this,
            [this] { ChooseSource(ChosenId(sourceCode_)); });
    connect(targetName_, &QComboBox::activated, this, [this] { ChooseTarget(targetName_); });
    connect(targetCode_, &QComboBox::activated, this, [this] { ChooseTarget(targetCode_); });
    connect(oldPieces_, &QLineEdit::textChanged, this, &ExchangeDialog::Refresh);
    connect(oldPieces_, &QLineEdit::editingFinished, this, &ExchangeDialog::OldPiecesLeft);
    connect(newPieces_, &QLineEdit::editingFinished, this, [this] {
        const NumberFormat format = NumberFormatOf(doc_.options);
        if (const auto q = ParseQuantity(FromQString(newPieces_->text()), format))
            newPieces_->setText(ToQString(FormatQuantity(*q, format)));
    });
    connect(oldestFirst_, &QCheckBox::toggled, this, &ExchangeDialog::Refresh);
    connect(distribute_, &QPushButton::clicked, this, &ExchangeDialog::Distribute);

    sourceName_->setFocus();
}

ExchangeForm ExchangeDialog::Form() const {
    ExchangeForm f = form_;
    f.date = FromQDate(date_->date());
    f.keepPurchaseDate = keepPurchaseDate_->isChecked();
    f.sourceNameId = ChosenId(sourceName_);
    f.sourceCodeId = ChosenId(sourceCode_);
    f.oldPieces = FromQString(oldPieces_->text());
    f.targetName = FromQString(targetName_->currentText());
    f.targetCode = FromQString(targetCode_->currentText());
    f.newPieces = FromQString(newPieces_->text());
    f.text = FromQString(text_->text());
    f.oldestFirst = oldestFirst_->isChecked();
    return f;
}

void ExchangeDialog::DateChanged() {
    form_.date = FromQDate(date_->date());
    FillSources(ChosenId(sourceName_));
    Refresh();
}

// Both source boxes list the securities with lots on the date, in the document's order; the
// one chosen before stays chosen while it is listed.
void ExchangeDialog::FillSources(int32_t chosen) {
    const QSignalBlocker blockName(sourceName_);
    const QSignalBlocker blockCode(sourceCode_);
    sourceName_->clear();
    sourceCode_->clear();
    const PositionList lots = SellableLots(doc_, FromQDate(date_->date()), form_.editedId);
    for (const int32_t id : SecuritiesWithLots(doc_, lots)) {
        const CFL2Wertpapier* s = doc_.FindSecurity(id);
        if (s == nullptr) continue;
        sourceName_->addItem(ToQString(s->name), id);
        sourceCode_->addItem(ToQString(s->wkn), id);
    }
    sourceName_->setCurrentIndex(sourceName_->findData(chosen));
    sourceCode_->setCurrentIndex(sourceCode_->findData(chosen));
}

void ExchangeDialog::ChooseSource(int32_t id) {
    {
        const QSignalBlocker blockName(sourceName_);
        const QSignalBlocker blockCode(sourceCode_);
        sourceName_->setCurrentIndex(sourceName_->findData(id));
        sourceCode_->setCurrentIndex(sourceCode_->findData(id));
    }
    Refresh();
}

// A security picked from one target list shows its other half in the other list; typed
// text is left as it is.
void ExchangeDialog::ChooseTarget(const QComboBox* from) {
    const int32_t id = ChosenId(from);
    const QSignalBlocker blockName(targetName_);
    const QSignalBlocker blockCode(targetCode_);
    for (QComboBox* box : {targetName_, targetCode_}) {
        if (box == from) continue;
        const int index = box->findData(id);
        if (index >= 0) box->setCurrentIndex(index);
    }
}

void ExchangeDialog::OldPiecesLeft() {
    const NumberFormat format = NumberFormatOf(doc_.options);
    const auto q = ParseQuantity(FromQString(oldPieces_->text()), format);
    if (!q) return;
    const LotSelection selection = Form().Selection(doc_);
    const Quantity shown = std::min(*q, selection.quantity);
    const QString text = ToQString(FormatQuantity(shown, format));
    if (text != oldPieces_->text()) oldPieces_->setText(text);
}

void ExchangeDialog::Refresh() {
    const ExchangeForm form = Form();
    const PositionList lots = form.Lots(doc_);
    const LotSelection selection = form.Selection(doc_);
    FillLotList(lotList_, doc_, lots);
    lotList_->setEnabled(selection.listEnabled);
    oldestFirst_->setEnabled(selection.oldestFirstEnabled);
    distribute_->setEnabled(selection.distributeEnabled);
}

// The "Aufteilen" walk over the source's lots for the old pieces (lowered to the available
// total).
void ExchangeDialog::Distribute() {
    const ExchangeForm form = Form();
    if (!ParseQuantity(form.oldPieces, NumberFormatOf(doc_.options))) {
        ShowRefusal(this,
                    Message::Refusal(kExchangeTitle, "Bitte geben Sie eine korrekte Stückzahl an!",
                                     kExchangeOldPiecesField));
        return;
    }
    WalkDistribution(this, doc_, form.Lots(doc_), form.Selection(doc_).quantity,
                     u"Stück &umtauschen"_s, form_.distributed);
    Refresh();
}

void ExchangeDialog::accept() {
    const ExchangeForm form = Form();
    if (!CheckAndAsk(this, form, doc_)) return;
    const int32_t id = form.Apply(doc_);
    if (id < 0) return;
    id_ = id;
    QDialog::accept();
}

int32_t RunExchangeDialog(QWidget* parent, CFolari2Doc& doc, int32_t id, CQRNDatum today) {
    return RunEntryDialog<ExchangeDialog, ExchangeForm>(parent, doc, id, today);
}

}  // namespace pf
