#include "app/dialogs/currency_editor_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStringList>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

#include "app/dialogs/currency_dialog.h"
#include "app/help.h"
#include "app/message_box.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

CurrencyEditorDialog::CurrencyEditorDialog(CFolari2Doc& doc, CQRNDatum date, QWidget* parent)
    : QDialog(parent), doc_(doc), date_(date) {
    setWindowTitle(ToQString(kCurrencyEditorTitle));

    list_ = new QTreeWidget(this);
    list_->setObjectName(u"currencies"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headers;
    for (const char* title : kCurrencyEditorColumns) headers << ToQString(title);
    list_->setHeaderLabels(headers);
    // Column widths in average characters, so they grow with the font; the rate column
    // holds texts such as "1.936,27 Lit = 1 EUR".
    const int charWidth = fontMetrics().averageCharWidth();
    const int widths[] = {9, 28, 16, 28};
    static_assert(std::size(widths) == std::size(kCurrencyEditorColumns));
    for (int i = 0; i < static_cast<int>(std::size(widths)); ++i)
        list_->header()->resizeSection(i, charWidth * widths[i]);
    list_->setMinimumWidth(charWidth * 84);
    list_->setMinimumHeight(fontMetrics().lineSpacing() * 14);

    auto* add = new QPushButton(u"&Neu..."_s, this);
    add->setObjectName(u"new"_s);
    edit_ = new QPushButton(u"&Bearbeiten..."_s, this);
    edit_->setObjectName(u"edit"_s);
    delete_ = new QPushButton(u"&Löschen"_s, this);
    delete_->setObjectName(u"delete"_s);
    auto* close = new QPushButton(u"Schließen"_s, this);
    close->setObjectName(u"close"_s);
    // Enter in the list does not start a command; the buttons say what they do.
    for (QPushButton* button : {add, edit_, delete_, close}) button->setAutoDefault(false);
    connect(add, &QPushButton::clicked, this, &CurrencyEditorDialog::NewCurrency);
    connect(edit_, &QPushButton::clicked, this, &CurrencyEditorDialog::EditCurrency);
    connect(delete_, &QPushButton::clicked, this, &CurrencyEditorDialog::DeleteCurrency);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &CurrencyEditorDialog::UpdateButtons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CurrencyEditorDialog::EditCurrency);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(edit_);
    buttons->addWidget(delete_);
    buttons->addStretch();
    buttons->addWidget(close);
    buttons->addWidget(MakeHelpButton(this));

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    Fill(-1, 0);
    list_->setFocus();
}

void CurrencyEditorDialog::Fill(int32_t selectId, int fallbackRow) {
    rows_ = CurrencyEditorRows(doc_, date_);
    list_->clear();
    int select = -1;
    for (const CurrencyEditorRow& row : rows_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, ToQString(row.symbol));
        item->setText(1, ToQString(row.name));
        item->setText(2, ToQString(row.type));
        item->setText(3, ToQString(row.rate));
        if (row.id == selectId) select = list_->topLevelItemCount() - 1;
    }
    const int count = list_->topLevelItemCount();
    if (select < 0 && count > 0 && fallbackRow >= 0) select = std::min(fallbackRow, count - 1);
    if (select >= 0) list_->setCurrentItem(list_->topLevelItem(select));
    UpdateButtons();
}

int32_t CurrencyEditorDialog::SelectedId() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) return -1;
    const int index = list_->indexOfTopLevelItem(item);
    if (index < 0 || index >= static_cast<int>(rows_.size())) return -1;
    return rows_[static_cast<size_t>(index)].id;
}

void CurrencyEditorDialog::Select(int32_t id) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].id == id) {
            list_->setCurrentItem(list_->topLevelItem(static_cast<int>(i)));
            return;
        }
    }
    list_->clearSelection();
}

void CurrencyEditorDialog::UpdateButtons() {
    const bool selected = SelectedId() >= 0;
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
}

void CurrencyEditorDialog::NewCurrency() {
    const int32_t id = RunCurrencyDialog(this, doc_, -1);
    if (id >= 0) Fill(id, -1);
}

void CurrencyEditorDialog::EditCurrency() {
    const int32_t selected = SelectedId();
    if (selected < 0) return;
    RunCurrencyDialog(this, doc_, selected);
    // A changed rate or symbol shows at once; the currency stays chosen.
    Fill(selected, list_->indexOfTopLevelItem(list_->currentItem()));
}

void CurrencyEditorDialog::DeleteCurrency() {
    const int32_t selected = SelectedId();
    if (selected < 0) return;
    const CurrencyDeleteForm form{selected};
    const MaybeMessage m = form.Check(doc_);
    if (IsRefusal(m)) {
        ShowRefusal(this, *m);
        return;
    }
    if (m && !ShowMessage(this, *m)) return;
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (form.Apply(doc_)) Fill(-1, row);
}

}  // namespace pf
