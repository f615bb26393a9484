#include "app/dialogs/quote_rounding_question.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "app/help.h"
#include "app/message_box.h"
#include "engine/security_form.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {}  // namespace

QuoteRoundingQuestion::QuoteRoundingQuestion(const Message& question, int decimals, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(ToQString(question.title));

    auto* icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()
                        ->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this)
                        .pixmap(iconSize, iconSize));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(ToQString(question.text), this);
    text->setObjectName(u"questionText"_s);

    decimals_ = new QSpinBox(this);
    decimals_->setObjectName(QString::fromLatin1(kQuoteDecimalsField));
    decimals_->setRange(kMinQuoteDecimals, kMaxQuoteDecimals);
    decimals_->setValue(decimals);
    auto* before = new QLabel(u"Kurse &runden auf"_s, this);
    before->setBuddy(decimals_);
    auto* after = new QLabel(u"Dezimalstellen"_s, this);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* yes = buttons->addButton(u"&Ja"_s, QDialogButtonBox::YesRole);
    QPushButton* no = buttons->addButton(u"&Nein"_s, QDialogButtonBox::NoRole);
    yes->setObjectName(u"yes"_s);
    no->setObjectName(u"no"_s);
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    AddHelpButton(buttons, this);

    auto* rounding = new QHBoxLayout;
    rounding->addWidget(before);
    rounding->addWidget(decimals_);
    rounding->addWidget(after);
    rounding->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(text);
    right->addSpacing(fontMetrics().height() / 2);
    right->addLayout(rounding);

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(right, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    decimals_->setFocus();
    decimals_->selectAll();
}

int QuoteRoundingQuestion::Decimals() const { return decimals_->value(); }

bool AskQuoteRounding(QWidget* parent, const Message& question, int& decimals) {
    if (MessageBoxesReplaced()) return ShowMessage(parent, question);
    QuoteRoundingQuestion dialog(question, decimals, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    decimals = dialog.Decimals();
    return true;
}

}  // namespace pf
