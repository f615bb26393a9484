#pragma once

class QAbstractItemView;
class QFontMetrics;

namespace pf {

// The height in pixels that a list or table row needs so that its text, centred in the
// row, keeps the marks above capitals ("Ö", "Á") and the descenders. Many fonts draw
// those marks above their ascent, so a row only as tall as the font's height clips them
// ("Österreichische" then reads "Osterreichische"). One pixel of air stays above and
// below.
int RowHeightForText(const QFontMetrics& metrics);

// Makes every row of `view` at least that tall for the font of its items. The view takes a
// delegate of its own, so call this before the view's size is computed from its rows.
void KeepAccentsInRows(QAbstractItemView* view);

}  // namespace pf
