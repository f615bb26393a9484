#pragma once

#include <QString>
#include <span>

#include "model/date.h"
#include "reports/report_object.h"

class QWidget;

namespace pf {

class DocumentHandle;

// The menus that hold the commands on securities, currencies and quotes.
enum class CommandMenu { Edit, Quotes };

// One command of the master data and the price data: its menu entry and the dialog it
// opens on the active document. The main window makes one action per row and puts it into
// its menu; a new dialog of this kind is one more row.
struct MasterDataCommand {
    const char* text;        // menu text with mnemonic
    const char* objectName;  // the action's name
    const char* shortcut;    // as the menu shows it ("Strg+E"), empty for none
    const char* statusTip;
    CommandMenu menu;
    bool separatorBefore;  // a separator line above the entry
    void (*run)(QWidget* parent, DocumentHandle& document, CQRNDatum today);
};

std::span<const MasterDataCommand> MasterDataCommands();

// A double click on a view's row: opens the dialog of the security the row shows.
// Returns whether the row showed one.
bool OpenSecurityOfRow(QWidget* parent, DocumentHandle& document, const HitResult& hit);

}  // namespace pf
