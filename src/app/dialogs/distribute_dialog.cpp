#include "app/dialogs/distribute_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/message_box.h"
#include "app/widget_parts.h"
#include "engine/message.h"
#include "engine/number_entry.h"
#include "model/document.h"
#include "qtcanvas/qt_string.h"

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {
inline constexpr const char* kDistributeTitle = "Aufteilen";
inline constexpr const char* kPiecesField = "pieces";
}  // namespace

DistributeDialog::DistributeDialog(const CFolari2Doc& doc, const CFL2DepotPos& lot,
                                   int listPosition, QuantityBounds bounds,
                                   const QString& entryLabel, QWidget* parent)
    : QDialog(parent), doc_(doc), bounds_(bounds) {
    setWindowTitle(QString::fromUtf8(kDistributeTitle));
    const NumberFormat format = NumberFormatOf(doc_.options);
    const auto value = [this](const QString& text, const char* name) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        return label;
    };
    pieces_ = new QLineEdit(this);
    pieces_->setObjectName(QString::fromLatin1(kPiecesField));
    pieces_->setAlignment(Qt::AlignRight);
    pieces_->setMinimumWidth(fontMetrics().averageCharWidth() * 14);
    const Quantity present = std::max<Quantity>(lot.selectedQuantity, 0);
    pieces_->setText(ToQString(FormatQuantity(ClampToBounds(present, bounds_), format)));

    const CFL2Waehrung* currency = doc_.FindCurrency(lot.currency1);
    QString price =
        ToQString(FormatDecimal(lot.price, format, kPriceMinDecimals, kPriceMaxDecimals));
    if (currency != nullptr) price += u" "_s + ToQString(currency->name);

    auto* form = new QFormLayout;
    form->addRow(u"Position:"_s, value(QString::number(listPosition), "position"));
    form->addRow(u"Kaufdatum:"_s, value(ToQString(lot.purchaseDate.FormatLong()), "purchaseDate"));
    form->addRow(u"Kaufkurs:"_s, value(price, "price"));
    form->addRow(u"Stück:"_s, value(ToQString(FormatQuantity(lot.quantity, format)), "quantity"));
    form->addRow(u"Text:"_s, value(ToQString(lot.text), "text"));
    auto* label = new QLabel(entryLabel, this);
    label->setBuddy(pieces_);
    form->addRow(label, pieces_);
    form->addRow(QString(), value(ToQString(DistributeBoundsText(bounds_, format)), "bounds"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(OkCancelButtons(this));
    pieces_->setFocus();
    pieces_->selectAll();
}

void DistributeDialog::accept() {
    const auto q = ParseQuantity(FromQString(pieces_->text()), NumberFormatOf(doc_.options));
    if (!q) {
        ShowRefusal(
            this, Message::Refusal(kDistributeTitle, "Bitte geben Sie eine korrekte Stückzahl ein!",
                                   kPiecesField));
        return;
    }
    entry_ = ClampToBounds(*q, bounds_);
    QDialog::accept();
}

void WalkDistribution(QWidget* parent, const CFolari2Doc& doc, const PositionList& lots,
                      Quantity wanted, const QString& entryLabel,
                      std::map<int32_t, Quantity>& distributed) {
    Quantity remaining = wanted;
    Quantity total = 0;
    for (const CFL2DepotPos& lot : lots) total += lot.quantity;
    int position = 0;
    for (const CFL2DepotPos& lot : lots) {
        DistributeDialog step(doc, lot, ++position,
                              DistributeBounds(remaining, total, lot.quantity), entryLabel, parent);
        if (step.exec() != QDialog::Accepted) break;
        distributed[lot.positionNo] = step.Entry();
        remaining -= step.Entry();
        total -= lot.quantity;
    }
}

}  // namespace pf
