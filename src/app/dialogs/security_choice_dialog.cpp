#include "app/dialogs/security_choice_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/dialogs/row_height.h"
#include "app/widget_parts.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

namespace pf {

SecurityChoiceDialog::SecurityChoiceDialog(const CFolari2Doc& doc, QWidget* parent)
    : QDialog(parent), form_(SecurityChoiceForm::FromDocument(doc)) {
    setWindowTitle(QStringLiteral("Wertpapierauswahl"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(
        QStringLiteral(
            "&Nur diese Wertpapiere berücksichtigen, wenn der Filter eingeschaltet ist:"),
        this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("securities"));
    KeepAccentsInRows(list_);
    label->setBuddy(list_);
    for (const SecurityChoiceForm::Row& row : form_.rows) {
        auto* item = new QListWidgetItem(ToQString(row.name + " (" + row.wkn + ")"), list_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(row.checked ? Qt::Checked : Qt::Unchecked);
    }
    QDialogButtonBox* buttons = OkCancelButtons(this);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
}

SecurityChoiceForm SecurityChoiceDialog::Form() const {
    SecurityChoiceForm form = form_;
    for (int i = 0; i < list_->count() && i < static_cast<int>(form.rows.size()); ++i)
        form.rows[static_cast<size_t>(i)].checked = list_->item(i)->checkState() == Qt::Checked;
    return form;
}

}  // namespace pf
