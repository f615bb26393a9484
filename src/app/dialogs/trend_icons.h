#pragma once

#include <QIcon>
#include <QPixmap>

#include "quotes/quote_result_rows.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace pf {

// The trend icons of the quote dialogs: one strip of eight images, each 14 pixels wide and
// high, indexed as the trend rule numbers them: 0 no earlier quote to compare with, 1 strong
// rise, 2 rise, 3 unchanged, 4 strong fall, 5 fall, 6 upper alert price reached, 7 lower
// alert price reached.
inline constexpr int kTrendIconCount = 8;
inline constexpr int kTrendIconSize = 14;

// The strip, drawn once; transparent where no image is.
const QPixmap& TrendIconStrip();
// The lists of fetched prices ("Kurse aus Text", "Kurse aus Internet", "Kurse aus VTPlus")
// have the columns "Wertpapier" (with the trend icon), "Kurs", "W." and "Status". The first
// column carries the icon's number under kTrendIconRole (-1 without a price).
inline constexpr int kTrendIconRole = Qt::UserRole + 1;
enum QuoteResultColumn {
    kResultNameColumn,
    kResultPriceColumn,
    kResultCurrencyColumn,
    kResultStatusColumn
};
// Sets up such a list (headers, icon size, price column right-aligned).
void SetUpQuoteResultList(QTreeWidget* list);
// Shows `row` in `item`.
void ShowQuoteResultRow(QTreeWidgetItem* item, const QuoteResultRow& row);

// One image of the strip; for an index outside 0..7 (a row without a price) a transparent
// image of the same size, so that the texts of all rows line up.
QIcon TrendIcon(int index);

}  // namespace pf
