// vtplus-quotes: the dialog "Kurse aus VTPlus" on the command line.

#include <string>

#include "cli/cli_commands_list.h"
#include "model/document.h"
#include "platform/socket_dde_client.h"
#include "quotes/vtplus_quotes.h"

namespace pf::cli {

int VtplusQuotes(const Context& c) {
    std::optional<CQRNDatum> date;
    if (!DateOption(c, "--date", date)) return 1;
    const std::string socketPath = c.args.Option("--socket").value_or(DefaultVtplusSocketPath());
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        SocketDdeClient client(socketPath);
        VtplusQuotesForm form = VtplusQuotesForm::Open(doc, client, date.value_or(Today(c.clock)),
                                                       TrendThresholdsOf(doc.options));
        // Unlike the dialog, whose box starts ticked, prices under a wrong or missing control
        // text are taken only when asked for.
        form.acceptWrongControl = c.args.Flag("--accept-wrong-control");
        // One line per security: name, price, currency, status and the trend icon's number
        // (empty without a price).
        for (const VtplusQuoteRow& row : form.Rows(doc)) {
            c.out << TsvField(row.name) << "\t" << row.priceText << "\t" << row.currency << "\t"
                  << row.status << "\t" << (row.icon >= 0 ? std::to_string(row.icon) : "") << "\n";
        }
        if (!c.args.Flag("--dry-run")) form.Apply(doc);
        return 0;
    });
}

}  // namespace pf::cli
