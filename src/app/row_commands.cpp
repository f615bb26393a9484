#include "app/row_commands.h"

#include <array>

#include "app/dialogs/quote_entry_dialog.h"
#include "app/dialogs/security_dialog.h"
#include "app/document_handle.h"
#include "model/document.h"

namespace pf {

namespace {

bool ShowsSecurity(const CFolari2Doc& doc, const HitResult& hit) {
    return hit.IsHit() && doc.FindSecurity(hit.user[kUserSecurity]) != nullptr;
}

void EditSecurity(QWidget* parent, DocumentHandle& document, const HitResult& hit, CQRNDatum) {
    RunSecurityDialog(parent, document.Doc(), hit.user[kUserSecurity]);
}

void EnterQuotesOfSecurity(QWidget* parent, DocumentHandle& document, const HitResult& hit,
                           CQRNDatum today) {
    QuoteEntryDialog dialog(document.Doc(), today, hit.user[kUserSecurity], parent);
    dialog.exec();
}

// clang-format off
constexpr std::array<RowCommand, 2> kCommands = {{
    {"&Wertpapier bearbeiten...", "rowEditSecurity", true, &ShowsSecurity, &EditSecurity},
    {"&Kurse eingeben...", "rowEnterQuotes", false, &ShowsSecurity, &EnterQuotesOfSecurity},
}};
// clang-format on

}  // namespace

std::span<const RowCommand> RowCommands() { return kCommands; }

bool RunRowDoubleClick(QWidget* parent, DocumentHandle& document, const HitResult& hit,
                       CQRNDatum today) {
    for (const RowCommand& command : kCommands) {
        if (!command.onDoubleClick || !command.applies(document.Doc(), hit)) continue;
        command.run(parent, document, hit, today);
        return true;
    }
    return false;
}

}  // namespace pf
