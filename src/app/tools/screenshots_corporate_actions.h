#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows the dialogs of splits, exchanges, stop and target prices and tax liability and hands
// each to `save` with a file name: "Aktiensplit" 2:1 for the security with the most lots
// ("split"), "Umtausch" of all its lots, oldest first, into another security ("exchange"),
// one "Aufteilen" step for its first lot ("exchange-distribute"), "Stopp- und Zielkurse" with
// the first lot selected ("stop-target"), the "Steuerpflicht" list ("tax-categories") and
// the editor of its second category ("tax-category"). The dialogs work on a copy of `doc`;
// `doc` stays unchanged. The transactions are dated on the last transaction; without a lot
// on that day the exchange and its step show no lots.
void ShootCorporateActionDialogs(QWidget* parent, CFolari2Doc& doc,
                                 const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
