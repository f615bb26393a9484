#include "app/dialogs/security_editor_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogs/security_dialog.h"
#include "app/help.h"
#include "app/message_box.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

SecurityEditorDialog::SecurityEditorDialog(CFolari2Doc& doc, QWidget* parent)
    : QDialog(parent), doc_(doc) {
    setWindowTitle(ToQString(kSecurityEditorTitle));

    list_ = new QTreeWidget(this);
    list_->setObjectName(u"securities"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headers;
    for (const std::string& title : SecurityEditorColumns(doc_)) headers << ToQString(title);
    list_->setHeaderLabels(headers);
    list_->headerItem()->setTextAlignment(4, Qt::AlignRight);
    // Column widths in average characters, so they grow with the font.
    const int charWidth = fontMetrics().averageCharWidth();
    const int widths[] = {32, 11, 20, 9, 8};
    for (int i = 0; i < 5; ++i) list_->header()->resizeSection(i, charWidth * widths[i]);
    list_->setMinimumWidth(charWidth * 82);
    list_->setMinimumHeight(fontMetrics().lineSpacing() * 16);

    auto* add = new QPushButton(u"&Neu..."_s, this);
    add->setObjectName(u"new"_s);
    edit_ = new QPushButton(u"&Bearbeiten..."_s, this);
    edit_->setObjectName(u"edit"_s);
    delete_ = new QPushButton(u"&Löschen"_s, this);
    delete_->setObjectName(u"delete"_s);
    auto* close = new QPushButton(u"Schließen"_s, this);
    close->setObjectName(u"close"_s);
    connect(add, &QPushButton::clicked, this, &SecurityEditorDialog::NewSecurity);
    connect(edit_, &QPushButton::clicked, this, &SecurityEditorDialog::EditSecurity);
    connect(delete_, &QPushButton::clicked, this, &SecurityEditorDialog::DeleteSecurity);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &SecurityEditorDialog::UpdateButtons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &SecurityEditorDialog::EditSecurity);

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

void SecurityEditorDialog::Fill(int32_t selectId, int fallbackRow) {
    rows_ = SecurityEditorForm{}.Rows(doc_);
    list_->clear();
    int select = -1;
    for (const SecurityEditorRow& row : rows_) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, ToQString(row.name));
        item->setText(1, ToQString(row.wkn));
        item->setText(2, ToQString(row.isin));
        item->setText(3, ToQString(row.currency));
        item->setText(4, ToQString(row.quoteCount));
        item->setTextAlignment(4, Qt::AlignRight | Qt::AlignVCenter);
        if (row.securityId == selectId) select = list_->topLevelItemCount() - 1;
    }
    const int count = list_->topLevelItemCount();
    if (select < 0 && count > 0 && fallbackRow >= 0) select = std::min(fallbackRow, count - 1);
    if (select >= 0) list_->setCurrentItem(list_->topLevelItem(select));
    UpdateButtons();
}

int32_t SecurityEditorDialog::SelectedId() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) return -1;
    const int index = list_->indexOfTopLevelItem(item);
    if (index < 0 || index >= static_cast<int>(rows_.size())) return -1;
    return rows_[static_cast<size_t>(index)].securityId;
}

void SecurityEditorDialog::Select(int32_t id) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].securityId == id) {
            list_->setCurrentItem(list_->topLevelItem(static_cast<int>(i)));
            return;
        }
    }
    list_->clearSelection();
}

void SecurityEditorDialog::UpdateButtons() {
    const bool selected = SecurityEditorForm{SelectedId()}.HasSelection(doc_);
    edit_->setEnabled(selected);
    delete_->setEnabled(selected);
}

void SecurityEditorDialog::NewSecurity() {
    const int32_t id = RunSecurityDialog(this, doc_, -1);
    if (id >= 0) Fill(id, -1);
}

void SecurityEditorDialog::EditSecurity() {
    const int32_t selected = SelectedId();
    if (selected < 0) return;
    RunSecurityDialog(this, doc_, selected);
    // A renamed security moves in the list; it stays chosen.
    Fill(selected, list_->indexOfTopLevelItem(list_->currentItem()));
}

void SecurityEditorDialog::DeleteSecurity() {
    const SecurityEditorForm form{SelectedId()};
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
