#include "app/dialogs/vtplus_data_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/message_box.h"
#include "app/widget_parts.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

VtplusDataDialog::VtplusDataDialog(const VtplusFields& fields, QWidget* parent)
    : QDialog(parent), import_(fields.import) {
    setWindowTitle(ToQString(kVtplusDataTitle));
    auto lineEdit = [this](const char* name, const std::string& text) {
        auto* edit = new QLineEdit(ToQString(text), this);
        edit->setObjectName(QString::fromLatin1(name));
        return edit;
    };
    page_ = lineEdit(kVtplusPageField, fields.page);
    subpage_ = lineEdit(kVtplusSubpageField, fields.subpage);
    quotePosition_ = lineEdit(kVtplusQuotePositionField, fields.quotePosition);
    controlText_ = lineEdit(kVtplusControlTextField, fields.controlText);
    controlPosition_ = lineEdit(kVtplusControlPositionField, fields.controlPosition);
    // A box "39/23/39/23" and a three-digit page fit without scrolling.
    const int charWidth = fontMetrics().averageCharWidth();
    for (QLineEdit* edit : {page_, subpage_, quotePosition_, controlPosition_})
        edit->setMinimumWidth(charWidth * 16);
    controlText_->setMinimumWidth(charWidth * 30);

    comma_ = new QRadioButton(u"Ko&mma ','"_s, this);
    comma_->setObjectName(u"vtplusComma"_s);
    point_ = new QRadioButton(u"&Punkt '.'"_s, this);
    point_->setObjectName(u"vtplusPoint"_s);
    (fields.decimalSeparator == 1 ? point_ : comma_)->setChecked(true);
    auto* separator = new QHBoxLayout;
    separator->addWidget(comma_);
    separator->addWidget(point_);
    separator->addStretch();

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    form->addRow(u"&Seite:"_s, page_);
    form->addRow(u"&Unterseite:"_s, subpage_);
    form->addRow(u"Ku&rsposition:"_s, quotePosition_);
    form->addRow(u"Kontrollte&xt:"_s, controlText_);
    form->addRow(u"P&osition des Kontrolltexts:"_s, controlPosition_);
    form->addRow(u"Dezimaltrennung:"_s, separator);

    auto* hint =
        new QLabel(u"Positionen in der Form Spalte/Zeile/Spalte/Zeile (Spalten 0 bis 39)"_s, this);
    hint->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(hint);
    layout->addWidget(OkCancelButtons(this));

    QWidget::setTabOrder(page_, subpage_);
    QWidget::setTabOrder(subpage_, quotePosition_);
    QWidget::setTabOrder(quotePosition_, controlText_);
    QWidget::setTabOrder(controlText_, controlPosition_);
    QWidget::setTabOrder(controlPosition_, comma_);
    QWidget::setTabOrder(comma_, point_);
    page_->setFocus();
}

VtplusFields VtplusDataDialog::Fields() const {
    VtplusFields f;
    f.import = import_;
    f.page = FromQString(page_->text());
    f.subpage = FromQString(subpage_->text());
    f.quotePosition = FromQString(quotePosition_->text());
    f.controlText = FromQString(controlText_->text());
    f.controlPosition = FromQString(controlPosition_->text());
    f.decimalSeparator = point_->isChecked() ? 1 : 0;
    return f;
}

void VtplusDataDialog::accept() {
    if (MaybeMessage m = CheckVtplusFields(Fields())) {
        ShowRefusal(this, *m);
        return;
    }
    QDialog::accept();
}

}  // namespace pf
