#include "app/document_commands.h"

#include <array>

#include "app/dialogs/currency_dialog.h"
#include "app/dialogs/currency_editor_dialog.h"
#include "app/dialogs/quote_delete_dialog.h"
#include "app/dialogs/quote_entry_dialog.h"
#include "app/dialogs/rate_entry_dialog.h"
#include "app/dialogs/security_dialog.h"
#include "app/dialogs/security_editor_dialog.h"
#include "app/document_handle.h"

namespace pf {

namespace {

void NewSecurity(QWidget* parent, DocumentHandle& document, CQRNDatum) {
    RunSecurityDialog(parent, document.Doc(), -1);
}

void EditSecurities(QWidget* parent, DocumentHandle& document, CQRNDatum) {
    SecurityEditorDialog dialog(document.Doc(), parent);
    dialog.exec();
}

void EnterQuotes(QWidget* parent, DocumentHandle& document, CQRNDatum today) {
    QuoteEntryDialog dialog(document.Doc(), today, -1, parent);
    dialog.exec();
}

void DeleteQuotes(QWidget* parent, DocumentHandle& document, CQRNDatum today) {
    QuoteDeleteDialog dialog(document.Doc(), today, parent);
    dialog.exec();
}

void EnterRates(QWidget* parent, DocumentHandle& document, CQRNDatum today) {
    RateEntryDialog dialog(document.Doc(), today, parent);
    dialog.exec();
}

void NewCurrency(QWidget* parent, DocumentHandle& document, CQRNDatum) {
    RunCurrencyDialog(parent, document.Doc(), -1);
}

void EditCurrencies(QWidget* parent, DocumentHandle& document, CQRNDatum today) {
    CurrencyEditorDialog dialog(document.Doc(), today, parent);
    dialog.exec();
}

// clang-format off
constexpr std::array<DocumentCommand, 7> kCommands = {{
    {"Neues &Wertpapier...", "actionNewSecurity", "", "Legt ein neues Wertpapier mit seinen Stammdaten an",
     CommandMenu::Edit, true, &NewSecurity},
    {"Wertpapier-&Editor...", "actionSecurityEditor", "", "Zeigt alle Wertpapiere zum Bearbeiten und Löschen",
     CommandMenu::Edit, false, &EditSecurities},
    {"Kurse &eingeben...", "actionEnterQuotes", "Strg+E", "Erfasst die Kurse vieler Wertpapiere zu einem Datum",
     CommandMenu::Quotes, false, &EnterQuotes},
    {"K&urse löschen...", "actionDeleteQuotes", "", "Löscht Kurse ausgewählter Wertpapiere nach einer Regel",
     CommandMenu::Quotes, false, &DeleteQuotes},
    {"&Devisenkurse eingeben...", "actionEnterRates", "Strg+D", "Erfasst die Wechselkurse der Währungen mit variablem Kurs",
     CommandMenu::Quotes, true, &EnterRates},
    {"Neue &Währung...", "actionNewCurrency", "", "Legt eine Währung mit festem oder variablem Kurs an",
     CommandMenu::Quotes, true, &NewCurrency},
    {"Wäh&rungs-Editor...", "actionCurrencyEditor", "", "Zeigt alle Währungen zum Bearbeiten und Löschen",
     CommandMenu::Quotes, false, &EditCurrencies},
}};
// clang-format on

}  // namespace

std::span<const DocumentCommand> DocumentCommands() { return kCommands; }

}  // namespace pf
