#include "app/row_commands.h"

#include <array>

#include "app/dialogs/internet_quotes_dialog.h"
#include "app/dialogs/quote_entry_dialog.h"
#include "app/dialogs/security_dialog.h"
#include "app/dialogs/stop_target_dialog.h"
#include "app/dialogs/transaction_dialogs.h"
#include "app/dialogs/transaction_editor_dialog.h"
#include "app/document_handle.h"
#include "engine/stop_target.h"
#include "model/document.h"

namespace pf {

namespace {

// A row of one lot's transaction: not merged, simulated or a sum.
bool ShowsTransaction(const CFolari2Doc& doc, const HitResult& hit) {
    return hit.IsHit() && hit.user[kUserRowKind] == 0 &&
           doc.FindTransaction(hit.user[kUserTransaction]) != nullptr;
}

void EditTransaction(QWidget* parent, DocumentHandle& document, const HitResult& hit,
                     CQRNDatum today) {
    RunTransactionEditor(parent, document.Doc(), today, AllTransactionDialogs(),
                         hit.user[kUserTransaction]);
}

// A row of a lot that is still open: stop and target prices apply to it.
bool ShowsOpenLot(const CFolari2Doc& doc, const HitResult& hit) {
    if (!hit.IsHit() || hit.user[kUserPosition] < 0) return false;
    for (const StopTargetRow& row : StopTargetForm{}.Rows(doc))
        if (row.positionNo == hit.user[kUserPosition]) return true;
    return false;
}

void EditStopTarget(QWidget* parent, DocumentHandle& document, const HitResult& hit,
                    CQRNDatum today) {
    RunStopTargetDialog(parent, document.Doc(), hit.user[kUserPosition], today);
}

bool ShowsSecurity(const CFolari2Doc& doc, const HitResult& hit) {
    return hit.IsHit() && doc.FindSecurity(hit.user[kUserSecurity]) != nullptr;
}

void EditSecurity(QWidget* parent, DocumentHandle& document, const HitResult& hit, CQRNDatum) {
    RunSecurityDialog(parent, document.Doc(), hit.user[kUserSecurity]);
}

// A cell of a position or price column of the development and quotes tables, or a position
// column of the depot analysis: the cell names its security.
bool CellShowsSecurity(const CFolari2Doc& doc, const HitResult& hit) {
    return hit.IsHit() && doc.FindSecurity(hit.cellUser) != nullptr;
}

void EditCellSecurity(QWidget* parent, DocumentHandle& document, const HitResult& hit, CQRNDatum) {
    RunSecurityDialog(parent, document.Doc(), hit.cellUser);
}

// A row that stands for one calendar day (development and quotes tables).
bool ShowsDay(const CFolari2Doc&, const HitResult& hit) {
    return hit.IsHit() && hit.user[kUserDate] >= static_cast<int>(CQRNDatum::kFirstValidDay) &&
           hit.user[kUserDate] <= static_cast<int>(CQRNDatum::kLastValidDay);
}

void EnterQuotesOfDay(QWidget* parent, DocumentHandle& document, const HitResult& hit, CQRNDatum) {
    QuoteEntryDialog dialog(document.Doc(), CQRNDatum(static_cast<uint32_t>(hit.user[kUserDate])),
                            -1, parent);
    dialog.exec();
}

void EnterQuotesOfSecurity(QWidget* parent, DocumentHandle& document, const HitResult& hit,
                           CQRNDatum today) {
    QuoteEntryDialog dialog(document.Doc(), today, hit.user[kUserSecurity], parent);
    dialog.exec();
}

// A security whose price comes from a web page.
bool ShowsInternetSecurity(const CFolari2Doc& doc, const HitResult& hit) {
    if (!hit.IsHit()) return false;
    const CFL2Wertpapier* security = doc.FindSecurity(hit.user[kUserSecurity]);
    return security != nullptr && security->internetImport != 0;
}

void FetchQuoteOfSecurity(QWidget* parent, DocumentHandle& document, const HitResult& hit,
                          CQRNDatum today) {
    CFolari2Doc& doc = document.Doc();
    RunInternetQuotes(parent, doc, InternetFetchItems(doc, today, hit.user[kUserSecurity]), today);
}

// clang-format off
// A double click on a row of one lot edits its transaction; on a row without one (the
// securities list, merged positions) its security; in the development and quotes tables a
// position or price cell opens its security and any other cell the quote entry at the row's day.
constexpr std::array<RowCommand, 7> kCommands = {{
    {"&Transaktion bearbeiten...", "rowEditTransaction", true, &ShowsTransaction, &EditTransaction},
    {"&Stopp- und Zielkurse...", "rowStopTarget", false, &ShowsOpenLot, &EditStopTarget},
    {"&Wertpapier bearbeiten...", "rowEditSecurity", true, &ShowsSecurity, &EditSecurity},
    {"&Wertpapier bearbeiten...", "cellEditSecurity", true, &CellShowsSecurity, &EditCellSecurity},
    {"&Kurse eingeben...", "rowEnterQuotes", false, &ShowsSecurity, &EnterQuotesOfSecurity},
    {"Kurs aus dem &Internet abrufen...", "rowQuoteFromInternet", false, &ShowsInternetSecurity, &FetchQuoteOfSecurity},
    {"Kurse an diesem &Tag eingeben...", "rowEnterQuotesOfDay", true, &ShowsDay, &EnterQuotesOfDay},
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
