#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace pf {

class CFolari2Doc;

// Shows the dialogs of the account movements and hands each to `save` with a file name: a
// dividend linked to a security and allocated automatically ("movement-dividend"), the
// "Zuordnen" step for its first lot ("movement-allocation"), and "Kontowährung" with two
// changes, from francs to marks to euros ("account-currency"). The dialogs work on a copy of
// `doc`; `doc` stays unchanged. The movement is dated on the last transaction and linked to
// the security with the most lots then; without such a security it is shown unlinked and
// the "Zuordnen" picture is left out.
void ShootMovementDialogs(QWidget* parent, CFolari2Doc& doc,
                          const std::function<void(QWidget&, const QString& name)>& save);

}  // namespace pf
