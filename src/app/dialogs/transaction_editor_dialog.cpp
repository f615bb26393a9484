#include "app/dialogs/transaction_editor_dialog.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <iterator>

#include "app/help.h"
#include "app/message_box.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

constexpr int kAmountColumn = 4;

QString RowCountText(size_t count) {
    return count == 1 ? u"1 Transaktion"_s : u"%1 Transaktionen"_s.arg(count);
}

}  // namespace

TransactionEditorDialog::TransactionEditorDialog(CFolari2Doc& doc, CQRNDatum today,
                                                 TransactionDialogRunners runners, int32_t selectId,
                                                 QWidget* parent)
    : QDialog(parent), doc_(doc), today_(today), runners_(runners) {
    setWindowTitle(ToQString(kTransactionEditorTitle));

    // The month of the transaction to show, else the month of today.
    const CFL2Transaktion* shown = selectId >= 0 ? doc_.FindTransaction(selectId) : nullptr;
    const EditorPeriod period = DefaultEditorPeriod(shown ? shown->date : today);

    from_ = DatePicker(this, u"from"_s);
    to_ = DatePicker(this, u"to"_s);
    from_->setDate(ToQDate(period.from));
    to_->setDate(ToQDate(period.to));
    from_->setMaximumDate(to_->date());
    to_->setMinimumDate(from_->date());
    auto* fromLabel = new QLabel(u"V&on:"_s, this);
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(u"B&is:"_s, this);
    toLabel->setBuddy(to_);
    count_ = new QLabel(this);
    count_->setObjectName(u"rowCount"_s);

    auto* dates = new QHBoxLayout;
    dates->addWidget(fromLabel);
    dates->addWidget(from_);
    dates->addSpacing(fontMetrics().averageCharWidth() * 2);
    dates->addWidget(toLabel);
    dates->addWidget(to_);
    dates->addSpacing(fontMetrics().averageCharWidth() * 4);
    dates->addWidget(count_);
    dates->addStretch();

    list_ = new QTreeWidget(this);
    list_->setObjectName(u"transactions"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels(
        {u"Datum"_s, u"Transaktion"_s, u"Vorgang/Wertpapier"_s, u"Text"_s, u"Betrag"_s, u"W."_s});
    list_->headerItem()->setTextAlignment(kAmountColumn, Qt::AlignRight | Qt::AlignVCenter);
    // Column widths from the widest texts of the date and kind columns and otherwise in
    // average characters, so that they grow with the font; the description holds texts
    // such as "Name - 1.000 St. zu 123,4567 Euro".
    const int charWidth = fontMetrics().averageCharWidth();
    const QFontMetrics metrics = list_->fontMetrics();
    const int pad = charWidth * 3;
    const int widths[] = {metrics.horizontalAdvance(u"00.00.0000"_s) + pad,
                          metrics.horizontalAdvance(u"Kontobewegung"_s) + pad,
                          charWidth * 50,
                          charWidth * 20,
                          metrics.horizontalAdvance(u"000.000.000,00"_s) + pad,
                          charWidth * 10};
    int total = 0;
    for (int i = 0; i < static_cast<int>(std::size(widths)); ++i) {
        list_->header()->resizeSection(i, widths[i]);
        total += widths[i];
    }
    list_->setMinimumWidth(total + charWidth * 3);
    list_->setMinimumHeight(fontMetrics().lineSpacing() * 18);

    auto button = [this](const QString& text, const QString& name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        // Enter in the list or a date field starts no command.
        b->setAutoDefault(false);
        return b;
    };
    const struct {
        QString text;
        QString name;
        TransactionDialogRunner runner;
    } adders[] = {
        {u"&Kauf..."_s, u"purchase"_s, runners_.purchase},
        {u"&Verkauf..."_s, u"sale"_s, runners_.sale},
        {u"Konto&bewegung..."_s, u"movement"_s, runners_.movement},
        {u"&Umtausch..."_s, u"exchange"_s, runners_.exchange},
        {u"&Aktiensplit..."_s, u"split"_s, runners_.split},
    };
    auto* buttons = new QVBoxLayout;
    for (const auto& a : adders) {
        QPushButton* b = button(a.text, a.name);
        b->setEnabled(a.runner != nullptr);
        const TransactionDialogRunner runner = a.runner;
        connect(b, &QPushButton::clicked, this, [this, runner] { Add(runner); });
        buttons->addWidget(b);
    }
    buttons->addSpacing(fontMetrics().lineSpacing());
    edit_ = button(u"B&earbeiten..."_s, u"edit"_s);
    delete_ = button(u"&Löschen"_s, u"delete"_s);
    QPushButton* close = button(u"S&chließen"_s, u"close"_s);
    buttons->addWidget(edit_);
    buttons->addWidget(delete_);
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(MakeHelpButton(this));
    connect(edit_, &QPushButton::clicked, this, &TransactionEditorDialog::EditSelected);
    connect(delete_, &QPushButton::clicked, this, &TransactionEditorDialog::DeleteSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this,
            &TransactionEditorDialog::SelectionChanged);
    // The row under the mouse is the one to edit, even when the click did not choose it.
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        list_->setCurrentItem(item);
        EditSelected();
    });
    connect(from_, &QDateEdit::dateChanged, this, &TransactionEditorDialog::PeriodChanged);
    connect(to_, &QDateEdit::dateChanged, this, &TransactionEditorDialog::PeriodChanged);

    auto* body = new QHBoxLayout;
    body->addWidget(list_, 1);
    body->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(dates);
    layout->addLayout(body, 1);

    Fill(selectId);
    list_->setFocus();
}

CQRNDatum TransactionEditorDialog::From() const { return FromQDate(from_->date()); }
CQRNDatum TransactionEditorDialog::To() const { return FromQDate(to_->date()); }

void TransactionEditorDialog::Fill(int32_t selectId) {
    filling_ = true;
    rows_ = EditorRows(doc_, From(), To());
    list_->clear();
    for (const EditorRow& row : rows_) {
        auto* item = new QTreeWidgetItem(list_);
        const std::string* texts[] = {&row.date, &row.type,   &row.description,
                                      &row.text, &row.amount, &row.currency};
        for (int i = 0; i < static_cast<int>(std::size(texts)); ++i)
            item->setText(i, ToQString(*texts[i]));
        item->setTextAlignment(kAmountColumn, Qt::AlignRight | Qt::AlignVCenter);
    }
    const EditorSelection selection = SelectEditorRow(rows_, selectId);
    if (selection.row >= 0) {
        QTreeWidgetItem* item = list_->topLevelItem(selection.row);
        list_->setCurrentItem(item);
        list_->scrollToItem(item);
    }
    edit_->setEnabled(selection.editEnabled);
    delete_->setEnabled(selection.deleteEnabled);
    count_->setText(RowCountText(rows_.size()));
    filling_ = false;
}

int32_t TransactionEditorDialog::SelectedId() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) return -1;
    const int index = list_->indexOfTopLevelItem(item);
    if (index < 0 || index >= static_cast<int>(rows_.size())) return -1;
    return rows_[static_cast<size_t>(index)].transactionId;
}

void TransactionEditorDialog::PeriodChanged() {
    // Each picker bounds the other, so the period never turns round.
    from_->setMaximumDate(to_->date());
    to_->setMinimumDate(from_->date());
    Fill(SelectedId());
}

void TransactionEditorDialog::SelectionChanged() {
    if (filling_) return;
    const bool chosen = SelectedId() >= 0;
    edit_->setEnabled(chosen);
    delete_->setEnabled(chosen);
}

void TransactionEditorDialog::Add(TransactionDialogRunner runner) {
    if (runner == nullptr) return;
    const int32_t id = runner(this, doc_, -1, today_);
    if (id >= 0) Fill(id);
}

void TransactionEditorDialog::EditSelected() {
    const int32_t selected = SelectedId();
    const CFL2Transaktion* t = selected >= 0 ? doc_.FindTransaction(selected) : nullptr;
    if (t == nullptr) return;
    TransactionDialogRunner runner = nullptr;
    switch (t->type) {
        case TransactionType::Buy:
            runner = runners_.purchase;
            break;
        case TransactionType::Sell:
            runner = runners_.sale;
            break;
        case TransactionType::AccountMovement:
            runner = runners_.movement;
            break;
        case TransactionType::Split:
            runner = runners_.split;
            break;
        case TransactionType::Exchange:
            runner = runners_.exchange;
            break;
    }
    if (runner == nullptr) return;
    const int32_t id = runner(this, doc_, selected, today_);
    // After "Abbrechen" the list is read again all the same: the dialog may have changed
    // something else (a new security) that a row shows.
    Fill(id >= 0 ? id : selected);
}

void TransactionEditorDialog::DeleteSelected() {
    const int32_t selected = SelectedId();
    if (selected < 0) return;
    const TransactionDeleteForm form{selected, kTransactionEditorTitle};
    const MaybeMessage m = form.Check(doc_);
    if (IsRefusal(m)) {
        ShowRefusal(this, *m);
        return;
    }
    if (m && !ShowMessage(this, *m)) return;
    if (form.Apply(doc_)) Fill(-1);
}

void RunTransactionEditor(QWidget* parent, CFolari2Doc& doc, CQRNDatum today,
                          const TransactionDialogRunners& runners, int32_t selectId) {
    TransactionEditorDialog dialog(doc, today, runners, selectId, parent);
    dialog.exec();
}

}  // namespace pf
