#include "app/dialogs/use_template_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/help.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

UseTemplateDialog::UseTemplateDialog(CFolari2Doc& doc, TemplateSource source, QWidget* parent)
    : QDialog(parent), doc_(doc), source_(std::move(source)) {
    setWindowTitle(ToQString(kUseTemplateTitle));

    list_ = new QTreeWidget(this);
    list_->setObjectName(u"templates"_s);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels({u"Adresse/URL"_s, u"Text vor Kurs"_s, u"Dezimaltrennzeichen"_s});
    // Column widths in average characters, so they grow with the font.
    const int charWidth = fontMetrics().averageCharWidth();
    list_->header()->resizeSection(0, charWidth * 50);
    list_->header()->resizeSection(1, charWidth * 20);
    list_->header()->setStretchLastSection(true);
    list_->setMinimumWidth(charWidth * 95);
    list_->setMinimumHeight(fontMetrics().lineSpacing() * 10);

    hint_ = new QLabel(this);
    hint_->setObjectName(u"hint"_s);
    hint_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QDialogButtonBox::Ok);
    delete_ = buttons->addButton(u"&Löschen"_s, QDialogButtonBox::ActionRole);
    delete_->setObjectName(u"delete"_s);
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setText(u"Abbrechen"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    AddHelpButton(buttons, this);
    connect(delete_, &QPushButton::clicked, this, &UseTemplateDialog::DeleteChosen);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &UseTemplateDialog::UpdateButtons);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(hint_);
    layout->addWidget(buttons);

    Fill(0);
    list_->setFocus();
}

void UseTemplateDialog::Fill(int selectRow) {
    choice_ = TemplateRows(doc_, source_);
    list_->clear();
    for (const TemplateRow& row : choice_.rows) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, ToQString(row.url));
        item->setText(1, ToQString(row.textBeforeQuote));
        item->setText(2, ToQString(row.SeparatorText()));
    }
    hint_->setText(ToQString(choice_.hint));
    hint_->setVisible(!choice_.hint.empty());
    const int count = list_->topLevelItemCount();
    if (count > 0) list_->setCurrentItem(list_->topLevelItem(std::clamp(selectRow, 0, count - 1)));
    UpdateButtons();
}

std::optional<TemplateRow> UseTemplateDialog::Chosen() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) return std::nullopt;
    const int index = list_->indexOfTopLevelItem(item);
    if (index < 0 || index >= static_cast<int>(choice_.rows.size())) return std::nullopt;
    return choice_.rows[static_cast<size_t>(index)];
}

void UseTemplateDialog::UpdateButtons() {
    const bool chosen = Chosen().has_value();
    ok_->setEnabled(chosen);
    delete_->setEnabled(chosen);
}

void UseTemplateDialog::DeleteChosen() {
    const std::optional<TemplateRow> row = Chosen();
    if (!row) return;
    const int index = list_->indexOfTopLevelItem(list_->currentItem());
    DeleteTemplate(doc_, row->templateIndex);
    Fill(index);
}

void UseTemplateDialog::accept() {
    if (!Chosen()) return;
    QDialog::accept();
}

}  // namespace pf
