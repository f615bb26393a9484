#pragma once

#include <QString>
#include <span>

#include "model/date.h"

class QWidget;

namespace pf {

class DocumentHandle;
class SettingsStore;

// What a command on the active document works with.
struct CommandContext {
    QWidget* parent;
    DocumentHandle& document;
    CQRNDatum today;          // the program's today
    SettingsStore& settings;  // the settings profile (stored formats of the quote dialogs)
};

// The menus that hold the commands on the active document's data.
enum class CommandMenu { Edit, Quotes, Transactions };

// One command on the active document: its menu entry and the dialog it opens. The main
// window makes one action per row and puts it into its menu; a new dialog of this kind is
// one more row.
struct DocumentCommand {
    const char* text;        // menu text with mnemonic
    const char* objectName;  // the action's name
    const char* shortcut;    // as the menu shows it ("Strg+E"), empty for none
    const char* statusTip;
    CommandMenu menu;
    bool separatorBefore;  // a separator line above the entry
    char toolbarLetter;    // the letter of its toolbar button, 0 for none
    void (*run)(const CommandContext& context);
};

std::span<const DocumentCommand> DocumentCommands();

}  // namespace pf
