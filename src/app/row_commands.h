#pragma once

#include <span>

#include "model/date.h"
#include "reports/report_object.h"

class QWidget;

namespace pf {

class CFolari2Doc;
class DocumentHandle;

// A command on the row of a view that the user double-clicked or right-clicked: it acts on
// the ids the row carries (HitResult::user, see kUserTransaction and the others). The
// context menu of a row lists every command that applies to it; a double click runs the
// first command marked `onDoubleClick` that applies. A new row action is one more entry.
struct RowCommand {
    const char* text;        // menu text with mnemonic
    const char* objectName;  // the menu action's name
    bool onDoubleClick;
    bool (*applies)(const CFolari2Doc& doc, const HitResult& hit);
    void (*run)(QWidget* parent, DocumentHandle& document, const HitResult& hit, CQRNDatum today);
};

std::span<const RowCommand> RowCommands();

// The double click: runs the first double-click command that applies to `hit`. Returns
// whether one ran.
bool RunRowDoubleClick(QWidget* parent, DocumentHandle& document, const HitResult& hit,
                       CQRNDatum today);

}  // namespace pf
