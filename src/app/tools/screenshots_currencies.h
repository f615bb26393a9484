#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows every dialog of the currencies group and hands each to `save` with a file name: a
// new variable currency (USD) as typed, an edited fixed currency, the edited base currency
// with its disabled parts, and the currency editor. The dialogs work on a copy of `doc` that
// holds a few fixed and variable currencies with rates besides its own; `doc` stays
// unchanged.
void ShootCurrencyDialogs(QWidget* parent, CFolari2Doc& doc,
                          const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
