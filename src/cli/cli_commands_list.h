#pragma once

#include <memory>

#include "cli/cli_support.h"
#include "platform/settings_store.h"

namespace pf::cli {

// Each command returns the exit code: 0 success, 1 failure (message on stderr).
int Info(const Context& c);
int Resave(const Context& c);
// Converts a first-generation file and writes it in the current format; prints what was
// left out.
int ImportV1(const Context& c);
int New(const Context& c);
int Sample(const Context& c);
int Demo(const Context& c);
int Lots(const Context& c);
int Series(const Context& c);
int Report(const Context& c);
// The security chart and the development and positions diagrams as PNG, PDF or their data.
int Chart(const Context& c);
int Diagram(const Context& c);

// Securities and currencies. A question the dialog asks (delete, convert the quotes) counts
// as answered with Yes by giving the command.
int AddSecurity(const Context& c);
int EditSecurity(const Context& c);
int DeleteSecurity(const Context& c);
int Securities(const Context& c);
int AddCurrency(const Context& c);
int EditCurrency(const Context& c);
int DeleteCurrency(const Context& c);
int Currencies(const Context& c);
// The value options of add-security: one per field of the security dialog.
std::set<std::string> SecurityFieldOptions();

// Quotes and exchange rates by hand.
int Quote(const Context& c);
int Rate(const Context& c);
int DeleteQuotes(const Context& c);

// Quote histories from and into text files, and quotes from a pasted text. The stored
// formats come from the desktop program's settings profile, or from the INI file --settings
// names; the command line reads them and never changes them.
std::unique_ptr<SettingsStore> SettingsProfile(const Context& c);
int ImportQuotes(const Context& c);
int ExportQuotes(const Context& c);
int QuotesFromText(const Context& c);
// The fast internet quote run over the held securities with internet import (or one).
int FetchQuotes(const Context& c);
// The dialog "Kurse aus VTPlus": every security with teletext import, read over the socket of
// --socket (else the default one); stores by the dialog's OK rule.
int VtplusQuotes(const Context& c);

// Transactions through the forms of their dialogs. Options hold the fields as typed there;
// a question the dialog asks counts as answered with Yes by giving the command. A command
// that stores a transaction prints its id.
int Buy(const Context& c);
int Sell(const Context& c);
int Movement(const Context& c);
int Split(const Context& c);
int Exchange(const Context& c);
int StopTarget(const Context& c);
int AccountCurrency(const Context& c);
int DeleteTransaction(const Context& c);

// The holdings' HTML page of a file, written to -o.
int Html(const Context& c);

// The report options of a file under their names (ReportOptionEntries), changed with --set.
int Options(const Context& c);

}  // namespace pf::cli
