#include "app/dialogs/row_height.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QStyledItemDelegate>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace pf {

namespace {

// The standard delegate, with the row height raised to what the text needs.
class AccentRoomDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        QStyleOptionViewItem itemOption = option;
        initStyleOption(&itemOption, index);  // the item's own font, if it has one
        size.setHeight(std::max(size.height(), RowHeightForText(itemOption.fontMetrics)));
        return size;
    }
};

}  // namespace

int RowHeightForText(const QFontMetrics& metrics) {
    // Rectangles relative to the baseline, y growing downward; bottom() is the last row of
    // pixels.
    const QRect accents = metrics.tightBoundingRect(u"ÄÖÜÁÂÅ"_s);
    const QRect descenders = metrics.tightBoundingRect(u"gjpqyÇ"_s);
    const int above = std::max(0, -accents.top() - metrics.ascent());
    const int below = std::max(0, descenders.bottom() + 1 - metrics.descent());
    // The line is centred, so the larger overhang is needed on both sides.
    return metrics.height() + 2 * (std::max(above, below) + 1);
}

void KeepAccentsInRows(QAbstractItemView* view) {
    view->setItemDelegate(new AccentRoomDelegate(view));
}

}  // namespace pf
