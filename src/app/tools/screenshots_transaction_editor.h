#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows the "Transaktions-Editor" on the month of `doc` with the most kinds of transactions
// (the first such month; a document without transactions shows January 2024), one of its
// transactions chosen ("transaction-editor"), and the "Transaktionsfilter" with a text and
// an amount condition of the purchases and sales switched on ("transaction-filter"). The
// dialogs work on a copy of `doc`, whose buttons open nothing.
void ShootTransactionEditorDialogs(QWidget* parent, CFolari2Doc& doc,
                                   const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
