#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows the dialogs of purchases and sales and hands each to `save` with a file name: a
// purchase in US dollars settled in the base currency, filled in ("trade-purchase"), a sale
// of the security with the most lots on the last transaction date with its lot list
// ("trade-sale"), and the "Aufteilen" step for that security's first lot
// ("trade-distribute"). The dialogs work on a copy of `doc`; `doc` stays unchanged. A
// document without a US dollar gets one (floating, 1,0850 dollars to the euro) in the copy;
// one without securities shows an empty purchase, and the sale pictures are left out when no
// security has a lot.
void ShootTradeDialogs(QWidget* parent, CFolari2Doc& doc,
                       const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
