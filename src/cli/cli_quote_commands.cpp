#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands_list.h"
#include "quotes/quote_deletion.h"
#include "quotes/quote_entry.h"
#include "quotes/rate_entry.h"

namespace pf::cli {

int Quote(const Context& c) {
    const std::optional<std::string> wkn = c.args.Option("--security");
    if (!wkn) {
        c.err << "quote braucht --security.\n";
        return 2;
    }
    QuoteForm form;
    if (const int code = RequiredDate(c, "quote", "--date", form.date)) return code;
    // Without a price the quote of the date is deleted, as an emptied field in the dialog.
    if (c.args.positional.size() > 1) form.price = c.args.positional[1];
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Wertpapier* security = FindSecurityByWkn(doc, *wkn);
        if (security == nullptr) return UnknownSecurity(c, *wkn);
        form.securityId = security->id;
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        form.Apply(doc);
        return 0;
    });
}

int Rate(const Context& c) {
    const std::optional<std::string> symbol = c.args.Option("--currency");
    if (!symbol) {
        c.err << "rate braucht --currency.\n";
        return 2;
    }
    RateForm form;
    if (const int code = RequiredDate(c, "rate", "--date", form.date)) return code;
    form.rate = c.args.positional[1];
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Waehrung* currency = doc.FindCurrencyBySymbol(*symbol);
        if (currency == nullptr) return UnknownCurrency(c, *symbol);
        form.currencyId = currency->id;
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        form.Apply(doc);
        return 0;
    });
}

int DeleteQuotes(const Context& c) {
    const std::vector<std::string> wkns = c.args.Options("--security");
    const bool all = c.args.Flag("--all");
    if (wkns.empty() == !all) {
        c.err << "delete-quotes braucht entweder --security (auch mehrmals) oder --all.\n";
        return 2;
    }
    QuoteDeleteForm form = QuoteDeleteForm::New(Today(c.clock));
    const std::optional<std::string> rule = c.args.Option("--rule");
    if (!rule || (*rule != "0" && *rule != "1" && *rule != "2")) {
        c.err << "delete-quotes braucht --rule 0, 1 oder 2.\n";
        return 2;
    }
    form.rule = (*rule)[0] - '0';
    // The period, as in the dialog, starts on today at both ends; only rule 2 uses it.
    std::optional<CQRNDatum> from;
    std::optional<CQRNDatum> to;
    if (!DateOption(c, "--from", from) || !DateOption(c, "--to", to)) return 1;
    form.from = from.value_or(form.from);
    form.to = to.value_or(form.to);
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        if (all) {
            form.MarkAll(doc);
        } else {
            for (const std::string& wkn : wkns) {
                const CFL2Wertpapier* security = FindSecurityByWkn(doc, wkn);
                if (security == nullptr) return UnknownSecurity(c, wkn);
                // A security named twice is marked once.
                if (std::find(form.marked.begin(), form.marked.end(), security->id) ==
                    form.marked.end())
                    form.marked.push_back(security->id);
            }
        }
        // The question "wirklich löschen?" is answered with Yes by giving the command.
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        c.out << QuoteDeleteForm::Result(form.Apply(doc)).text << "\n";
        return 0;
    });
}

}  // namespace pf::cli
