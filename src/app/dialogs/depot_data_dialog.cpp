#include "app/dialogs/depot_data_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"
#include "shell/depot_data_form.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

DepotDataEdits DepotDataEdits::AddTo(QFormLayout* layout, QWidget* parent) {
    DepotDataEdits e;
    auto lineEdit = [parent](const char* name) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(QString::fromLatin1(name));
        return edit;
    };
    e.holderName = lineEdit(kHolderNameField);
    e.holderAddress = new QPlainTextEdit(parent);
    e.holderAddress->setObjectName(QString::fromLatin1(kHolderAddressField));
    e.holderAddress->setTabChangesFocus(true);
    // Room for four lines of the current font, whatever its size.
    const int frame = 2 * e.holderAddress->frameWidth();
    const int margins = static_cast<int>(2 * e.holderAddress->document()->documentMargin());
    e.holderAddress->setFixedHeight(4 * e.holderAddress->fontMetrics().lineSpacing() + frame +
                                    margins);
    e.depotNumber = lineEdit(kDepotNumberField);
    e.accountNumber = lineEdit(kAccountNumberField);
    e.bankCode = lineEdit(kBankCodeField);

    layout->addRow(u"&Name des Depotinhabers"_s, e.holderName);
    layout->addRow(u"&Adresse des Depotinhabers"_s, e.holderAddress);
    layout->addRow(u"&Depotnummer"_s, e.depotNumber);
    layout->addRow(u"&Kontonummer"_s, e.accountNumber);
    layout->addRow(u"&Bankleitzahl"_s, e.bankCode);
    QWidget::setTabOrder(e.holderName, e.holderAddress);
    QWidget::setTabOrder(e.holderAddress, e.depotNumber);
    QWidget::setTabOrder(e.depotNumber, e.accountNumber);
    QWidget::setTabOrder(e.accountNumber, e.bankCode);
    return e;
}

void DepotDataEdits::Set(const DepotMasterData& data) const {
    holderName->setText(ToQString(data.holderName));
    holderAddress->setPlainText(ToQString(data.holderAddress));
    depotNumber->setText(ToQString(data.depotNumber));
    accountNumber->setText(ToQString(data.accountNumber));
    bankCode->setText(ToQString(data.bankCode));
}

DepotMasterData DepotDataEdits::Get() const {
    DepotMasterData data;
    data.holderName = FromQString(holderName->text());
    data.holderAddress = FromQString(holderAddress->toPlainText());
    data.depotNumber = FromQString(depotNumber->text());
    data.accountNumber = FromQString(accountNumber->text());
    data.bankCode = FromQString(bankCode->text());
    return data;
}

DepotDataDialog::DepotDataDialog(const DepotMasterData& data, QWidget* parent) : QDialog(parent) {
    setWindowTitle(ToQString(kDepotDataTitle));
    auto* fields = new QFormLayout;
    fields->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    edits_ = DepotDataEdits::AddTo(fields, this);
    edits_.Set(data);

    QDialogButtonBox* buttons = OkCancelButtons(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    // Wide enough for an address line without scrolling.
    edits_.holderName->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    edits_.holderName->setFocus();
}

DepotMasterData DepotDataDialog::Data() const { return edits_.Get(); }

void DepotDataDialog::accept() {
    if (MaybeMessage m = DepotDataForm{Data()}.Check()) {
        ShowRefusal(this, *m);
        return;
    }
    QDialog::accept();
}

}  // namespace pf
