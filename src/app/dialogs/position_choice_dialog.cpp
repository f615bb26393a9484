#include "app/dialogs/position_choice_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/dialogs/row_height.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

PositionChoiceDialog::PositionChoiceDialog(const CFolari2Doc& doc,
                                           const std::vector<int32_t>& selected, QWidget* parent)
    : QDialog(parent), form_(PositionChoiceForm::FromDocument(doc, selected)) {
    setWindowTitle(ToQString(kPositionChoiceTitle));
    auto* label = new QLabel(u"&Positionen für das Diagramm:"_s, this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(u"positions"_s);
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHeaderLabels(
        {u"Bezeichnung"_s, u"WKN"_s, u"Kaufdatum"_s, u"Stück"_s, u"Verkaufsdatum"_s});
    KeepAccentsInRows(list_);
    label->setBuddy(list_);
    for (const PositionChoiceLine& line : form_.lines) {
        auto* item = new QTreeWidgetItem(
            list_, {ToQString(line.name), ToQString(line.wkn), ToQString(line.purchaseDate),
                    ToQString(line.quantity), ToQString(line.saleDate)});
        item->setData(0, Qt::UserRole, line.positionNo);
        item->setTextAlignment(3, Qt::AlignRight | Qt::AlignVCenter);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    }
    Show(form_);
    for (int c = 0; c < list_->columnCount(); ++c) list_->resizeColumnToContents(c);
    list_->setMinimumWidth(list_->header()->length() + 40);
    list_->setMinimumHeight(list_->fontMetrics().height() * 18);

    auto* markAll = new QPushButton(u"&alle markieren"_s, this);
    markAll->setObjectName(u"markAll"_s);
    auto* markNone = new QPushButton(u"&keine markieren"_s, this);
    markNone->setObjectName(u"markNone"_s);
    connect(markAll, &QPushButton::clicked, this, [this] {
        PositionChoiceForm form = Form();
        form.MarkAll();
        Show(form);
    });
    connect(markNone, &QPushButton::clicked, this, [this] {
        PositionChoiceForm form = Form();
        form.MarkNone();
        Show(form);
    });
    auto* marks = new QHBoxLayout;
    marks->addWidget(markAll);
    marks->addWidget(markNone);
    marks->addStretch(1);

    QDialogButtonBox* buttons = OkCancelButtons(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(list_, 1);
    layout->addLayout(marks);
    layout->addWidget(buttons);
}

void PositionChoiceDialog::Show(const PositionChoiceForm& form) {
    for (int i = 0; i < list_->topLevelItemCount() && i < static_cast<int>(form.lines.size()); ++i)
        list_->topLevelItem(i)->setCheckState(
            0, form.lines[static_cast<size_t>(i)].checked ? Qt::Checked : Qt::Unchecked);
}

PositionChoiceForm PositionChoiceDialog::Form() const {
    PositionChoiceForm form = form_;
    for (int i = 0; i < list_->topLevelItemCount() && i < static_cast<int>(form.lines.size()); ++i)
        form.lines[static_cast<size_t>(i)].checked =
            list_->topLevelItem(i)->checkState(0) == Qt::Checked;
    return form;
}

}  // namespace pf
