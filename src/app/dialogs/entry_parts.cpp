#include "app/dialogs/entry_parts.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <algorithm>

#include "model/document.h"
#include "model/rounding.h"
#include "qtcanvas/qt_string.h"

namespace pf {

int32_t ChosenId(const QComboBox* box) {
    return box->currentIndex() < 0 ? -1 : box->currentData().toInt();
}

void ChooseQuietly(QComboBox* box, int32_t id) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(box->findData(id));
}

QString CurrencyName(const CFolari2Doc& doc, int32_t id) {
    const CFL2Waehrung* c = doc.FindCurrency(id);
    return c == nullptr ? QString() : ToQString(c->name);
}

int PriceDecimals(Price price) {
    const double full = RoundTo(price, kPriceMaxDecimals);
    for (int d = kPriceMinDecimals; d < kPriceMaxDecimals; ++d)
        if (RoundTo(price, d) == full) return d;
    return kPriceMaxDecimals;
}

int QuantityDecimals(const std::string& text, const NumberFormat& format) {
    const size_t separator = text.rfind(format.decimalSeparator);
    return separator == std::string::npos
               ? 0
               : static_cast<int>(text.size() - separator - format.decimalSeparator.size());
}

std::string PaddedQuantity(Quantity q, const NumberFormat& format, int decimals) {
    std::string text = FormatQuantity(q, format);
    const int has = QuantityDecimals(text, format);
    if (has < decimals) {
        if (has == 0) text += format.decimalSeparator;
        text.append(static_cast<size_t>(decimals - has), '0');
    }
    return text;
}

void FillLotList(QTreeWidget* list, const CFolari2Doc& doc, const PositionList& lots) {
    const NumberFormat format = NumberFormatOf(doc.options);
    int priceDecimals = kPriceMinDecimals;
    int quantityDecimals = 0;
    for (const CFL2DepotPos& lot : lots) {
        priceDecimals = std::max(priceDecimals, PriceDecimals(lot.price));
        quantityDecimals = std::max(quantityDecimals,
                                    QuantityDecimals(FormatQuantity(lot.quantity, format), format));
    }
    list->clear();
    int position = 0;
    for (const CFL2DepotPos& lot : lots) {
        auto* item = new QTreeWidgetItem(list);
        item->setData(0, Qt::UserRole, lot.positionNo);
        item->setText(0, QString::number(++position));
        item->setText(1, ToQString(lot.purchaseDate.FormatLong()));
        item->setText(2, ToQString(FormatDecimal(lot.price, format, priceDecimals, priceDecimals)));
        item->setText(3, CurrencyName(doc, lot.currency1));
        item->setText(kLotQuantityColumn,
                      ToQString(PaddedQuantity(lot.quantity, format, quantityDecimals)));
        if (lot.selectedQuantity > 0)
            item->setText(kLotSelectedColumn, ToQString(PaddedQuantity(lot.selectedQuantity, format,
                                                                       quantityDecimals)));
        item->setText(6, ToQString(lot.text));
        for (const int column : {0, 2, kLotQuantityColumn, kLotSelectedColumn})
            item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
}

}  // namespace pf
