#include "app/document_commands.h"

#include <array>

#include "app/dialogs/account_currency_dialog.h"
#include "app/dialogs/currency_dialog.h"
#include "app/dialogs/currency_editor_dialog.h"
#include "app/dialogs/internet_quotes_dialog.h"
#include "app/dialogs/quote_delete_dialog.h"
#include "app/dialogs/quote_entry_dialog.h"
#include "app/dialogs/quote_export_dialog.h"
#include "app/dialogs/quote_import_dialog.h"
#include "app/dialogs/quotes_from_text_dialog.h"
#include "app/dialogs/rate_entry_dialog.h"
#include "app/dialogs/security_dialog.h"
#include "app/dialogs/security_editor_dialog.h"
#include "app/dialogs/stop_target_dialog.h"
#include "app/dialogs/tax_categories_dialog.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/dialogs/transaction_editor_dialog.h"
#include "app/dialogs/transaction_filter_dialog.h"
#include "app/dialogs/vtplus_quotes_dialog.h"
#include "app/document_handle.h"
#include "app/message_box.h"

namespace pf {

namespace {

void NewSecurity(const CommandContext& c) { RunSecurityDialog(c.parent, c.document.Doc(), -1); }

void EditSecurities(const CommandContext& c) {
    SecurityEditorDialog dialog(c.document.Doc(), c.parent);
    dialog.exec();
}

void EnterQuotes(const CommandContext& c) {
    QuoteEntryDialog dialog(c.document.Doc(), c.today, -1, c.parent);
    dialog.exec();
}

void DeleteQuotes(const CommandContext& c) {
    QuoteDeleteDialog dialog(c.document.Doc(), c.today, c.parent);
    dialog.exec();
}

void ImportQuotes(const CommandContext& c) {
    QuoteImportDialog dialog(c.document.Doc(), c.settings, c.parent);
    dialog.exec();
}

void ExportQuotes(const CommandContext& c) {
    QuoteExportDialog dialog(c.document.Doc(), c.parent);
    dialog.exec();
}

void QuotesFromText(const CommandContext& c) {
    QuotesFromTextDialog dialog(c.document.Doc(), c.settings, c.today, c.parent);
    dialog.exec();
}

void QuotesFromInternet(const CommandContext& c) {
    CFolari2Doc& doc = c.document.Doc();
    std::vector<InternetFetchItem> items = InternetFetchItems(doc, c.today);
    if (items.empty()) {
        ShowMessage(c.parent,
                    Message{"Kurse aus Internet",
                            "Für keines der Wertpapiere ist der Kursimport aus dem Internet "
                            "aktiviert.\nBitte nehmen Sie im Wertpapier-Editor für die einzelnen "
                            "Wertpapiere die entsprechenden Einstellungen vor!",
                            MessageIcon::Information,
                            {}});
        return;
    }
    RunInternetQuotes(c.parent, doc, std::move(items), c.today);
}

void QuotesFromVtplus(const CommandContext& c) {
    RunVtplusQuotes(c.parent, c.document.Doc(), c.today, VtplusSocketPathOf(c.settings));
}

void EnterRates(const CommandContext& c) {
    RateEntryDialog dialog(c.document.Doc(), c.today, c.parent);
    dialog.exec();
}

void NewCurrency(const CommandContext& c) { RunCurrencyDialog(c.parent, c.document.Doc(), -1); }

void EditCurrencies(const CommandContext& c) {
    CurrencyEditorDialog dialog(c.document.Doc(), c.today, c.parent);
    dialog.exec();
}

void NewPurchase(const CommandContext& c) {
    RunPurchaseDialog(c.parent, c.document.Doc(), -1, c.today);
}

void NewSale(const CommandContext& c) { RunSaleDialog(c.parent, c.document.Doc(), -1, c.today); }

void NewMovement(const CommandContext& c) {
    RunMovementDialog(c.parent, c.document.Doc(), -1, c.today);
}

void NewExchange(const CommandContext& c) {
    RunExchangeDialog(c.parent, c.document.Doc(), -1, c.today);
}

void NewSplit(const CommandContext& c) { RunSplitDialog(c.parent, c.document.Doc(), -1, c.today); }

void StopsAndTargets(const CommandContext& c) {
    RunStopTargetDialog(c.parent, c.document.Doc(), -1, c.today);
}

void EditTransactions(const CommandContext& c) {
    RunTransactionEditor(c.parent, c.document.Doc(), c.today, AllTransactionDialogs());
}

void FilterTransactions(const CommandContext& c) {
    RunTransactionFilterDialog(c.parent, c.document.Doc());
}

void AccountCurrency(const CommandContext& c) {
    RunAccountCurrencyDialog(c.parent, c.document.Doc(), c.today);
}

void TaxCategories(const CommandContext& c) { RunTaxCategoriesDialog(c.parent, c.document.Doc()); }

// clang-format off
constexpr std::array<DocumentCommand, 22> kCommands = {{
    {"Neues &Wertpapier...", "actionNewSecurity", "", "Legt ein neues Wertpapier mit seinen Stammdaten an",
     CommandMenu::Edit, true, 0, &NewSecurity},
    {"Wertpapier-&Editor...", "actionSecurityEditor", "", "Zeigt alle Wertpapiere zum Bearbeiten und Löschen",
     CommandMenu::Edit, false, 0, &EditSecurities},
    {"Kurse &eingeben...", "actionEnterQuotes", "Strg+E", "Erfasst die Kurse vieler Wertpapiere zu einem Datum",
     CommandMenu::Quotes, false, 0, &EnterQuotes},
    {"K&urse löschen...", "actionDeleteQuotes", "", "Löscht Kurse ausgewählter Wertpapiere nach einer Regel",
     CommandMenu::Quotes, false, 0, &DeleteQuotes},
    {"Kurse i&mportieren...", "actionImportQuotes", "Strg+I", "Liest die Kurshistorie eines Wertpapiers aus einer Textdatei",
     CommandMenu::Quotes, true, 0, &ImportQuotes},
    {"Kurse e&xportieren...", "actionExportQuotes", "", "Schreibt die Kurse eines Wertpapiers in eine Textdatei",
     CommandMenu::Quotes, false, 0, &ExportQuotes},
    {"Kurse aus &Internet...", "actionQuotesFromInternet", "Alt+F2", "Holt die aktuellen Kurse der Wertpapiere im Depot von ihren Internetseiten",
     CommandMenu::Quotes, false, 0, &QuotesFromInternet},
    {"Kurse aus &Text...", "actionQuotesFromText", "Alt+F3", "Liest die Kurse vieler Wertpapiere aus einem eingefügten Text",
     CommandMenu::Quotes, false, 0, &QuotesFromText},
    {"Kurse aus &VTPlus...", "actionQuotesFromVtplus", "Alt+F1", "Liest die Kurse der Wertpapiere aus Videotextseiten von VTPlus",
     CommandMenu::Quotes, false, 0, &QuotesFromVtplus},
    {"&Devisenkurse eingeben...", "actionEnterRates", "Strg+D", "Erfasst die Wechselkurse der Währungen mit variablem Kurs",
     CommandMenu::Quotes, true, 0, &EnterRates},
    {"Neue &Währung...", "actionNewCurrency", "", "Legt eine Währung mit festem oder variablem Kurs an",
     CommandMenu::Quotes, true, 0, &NewCurrency},
    {"Wäh&rungs-Editor...", "actionCurrencyEditor", "", "Zeigt alle Währungen zum Bearbeiten und Löschen",
     CommandMenu::Quotes, false, 0, &EditCurrencies},
    {"&Kauf...", "actionPurchase", "", "Erfasst einen Kauf von Wertpapieren",
     CommandMenu::Transactions, false, 'K', &NewPurchase},
    {"&Verkauf...", "actionSale", "", "Erfasst einen Verkauf mit der Wahl der Positionen",
     CommandMenu::Transactions, false, 'V', &NewSale},
    {"Konto&bewegung...", "actionMovement", "", "Erfasst eine Kontobewegung, etwa eine Dividende oder Gebühr",
     CommandMenu::Transactions, false, 'B', &NewMovement},
    {"&Umtausch...", "actionExchange", "", "Erfasst den Umtausch eines Wertpapiers in ein anderes",
     CommandMenu::Transactions, false, 0, &NewExchange},
    {"&Aktiensplit...", "actionSplit", "", "Erfasst einen Aktiensplit",
     CommandMenu::Transactions, false, 0, &NewSplit},
    {"&Stopp- und Zielkurse...", "actionStopTarget", "", "Setzt Stopp- und Zielkurse der offenen Positionen",
     CommandMenu::Transactions, true, 0, &StopsAndTargets},
    {"Transaktions-&Editor...", "actionTransactionEditor", "", "Zeigt die Transaktionen eines Zeitraums zum Bearbeiten und Löschen",
     CommandMenu::Transactions, true, 'E', &EditTransactions},
    {"Transaktions&filter...", "actionTransactionFilter", "", "Wählt, welche Transaktionen die Berichte zeigen",
     CommandMenu::Transactions, false, 0, &FilterTransactions},
    {"Konto&währung...", "actionAccountCurrency", "", "Legt fest, in welcher Währung das Verrechnungskonto geführt wird",
     CommandMenu::Transactions, true, 0, &AccountCurrency},
    {"Steuer&pflicht...", "actionTaxCategories", "", "Bearbeitet die Regeln der Steuerpflicht von Veräußerungsgewinnen",
     CommandMenu::Transactions, false, 0, &TaxCategories},
}};
// clang-format on

}  // namespace

std::span<const DocumentCommand> DocumentCommands() { return kCommands; }

}  // namespace pf
