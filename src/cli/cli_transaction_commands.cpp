#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands_list.h"
#include "cli/cli_lot_choice.h"
#include "engine/account_currency.h"
#include "engine/account_movements.h"
#include "engine/movement_form.h"
#include "engine/trade_form.h"
#include "engine/transaction_editor.h"

namespace pf::cli {

namespace {

// A currency option by symbol; absent leaves `out` alone. False after the message.
bool CurrencySymbolOption(const Context& c, const CFolari2Doc& doc, const std::string& name,
                          int32_t& out) {
    const std::optional<std::string> symbol = c.args.Option(name);
    if (!symbol) return true;
    const CFL2Waehrung* currency = doc.FindCurrencyBySymbol(*symbol);
    if (currency == nullptr) {
        UnknownCurrency(c, *symbol);
        return false;
    }
    out = currency->id;
    return true;
}

// The options both trade commands share, checked before the file is read. Returns 0, or 2
// after a usage message.
int ReadTradeOptions(const Context& c, const std::string& command, TradeEntry& entry,
                     std::string& wkn) {
    if (const int code = RequiredDate(c, command, "--date", entry.date)) return code;
    for (const char* name : {"--security", "--pieces", "--price"})
        if (!Required(c, command, name)) return 2;
    wkn = *c.args.Option("--security");
    entry.quantity = *c.args.Option("--pieces");
    entry.price = *c.args.Option("--price");
    if (const auto rate = c.args.Option("--rate")) {
        const size_t colon = rate->find(':');
        if (colon == std::string::npos) {
            c.err << "--rate erwartet BASIS:KURS (BASIS Währung 1 = KURS Währung 2).\n";
            return 2;
        }
        entry.rateBase = rate->substr(0, colon);
        entry.rateQuote = rate->substr(colon + 1);
    }
    if (const auto costs = c.args.Option("--costs")) entry.commission1 = *costs;
    if (const auto costs = c.args.Option("--costs2")) entry.commission2 = *costs;
    if (const auto text = c.args.Option("--text")) entry.text = *text;
    return 0;
}

// The two currency boxes; both default to the base currency as in a new dialog. Returns 0,
// or 1 after the message.
int ReadTradeCurrencies(const Context& c, const CFolari2Doc& doc, TradeEntry& entry) {
    if (!CurrencySymbolOption(c, doc, "--currency", entry.currency1) ||
        !CurrencySymbolOption(c, doc, "--currency2", entry.currency2))
        return 1;
    return 0;
}

const CFL2KontoVorgang* FindKind(const CFolari2Doc& doc, const std::string& name) {
    for (const CFL2KontoVorgang& kind : doc.accountMovementKinds)
        if (kind.name == name) return &kind;
    return nullptr;
}

int UnknownKind(const Context& c, const CFolari2Doc& doc, const std::string& name) {
    c.err << "Den Vorgang \"" << name << "\" gibt es in dieser Datei nicht. Möglich sind:\n";
    for (const CFL2KontoVorgang& kind : doc.accountMovementKinds)
        c.err << "  " << kind.name << "\n";
    return 1;
}

}  // namespace

int Buy(const Context& c) {
    PurchaseForm form;
    std::string wkn;
    if (const int code = ReadTradeOptions(c, "buy", form, wkn)) return code;
    if (const auto stop = c.args.Option("--stop")) form.stop = *stop;
    if (const auto target = c.args.Option("--target")) form.target = *target;
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Wertpapier* security = FindSecurityByWkn(doc, wkn);
        if (security == nullptr) return UnknownSecurity(c, wkn);
        form.name = security->name;
        form.code = security->wkn;
        if (const int code = ReadTradeCurrencies(c, doc, form)) return code;
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        return Stored(c, form.Apply(doc));
    });
}

int Sell(const Context& c) {
    SaleForm form;
    std::string wkn;
    if (const int code = ReadTradeOptions(c, "sell", form, wkn)) return code;
    std::vector<LotEntry> entries;
    if (!LotsOption(c, entries)) return 2;
    // Without --lots the dialog's "älteste Positionen verkaufen" takes the pieces.
    form.oldestFirst = entries.empty();
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Wertpapier* security = FindSecurityByWkn(doc, wkn);
        if (security == nullptr) return UnknownSecurity(c, wkn);
        form.nameSecurityId = form.codeSecurityId = security->id;
        if (const int code = ReadTradeCurrencies(c, doc, form)) return code;
        if (const int code = ReadLotChoice(c, doc, entries, form.Lots(doc), form.distributed))
            return code;
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        if (!entries.empty())
            if (const int code =
                    CheckLotChoiceTaken(c, doc, form.Lots(doc), form.distributed, "verkauft"))
                return code;
        return Stored(c, form.Apply(doc));
    });
}

int Movement(const Context& c) {
    MovementForm form;
    if (const int code = RequiredDate(c, "movement", "--date", form.date)) return code;
    const std::optional<std::string> kindName = Required(c, "movement", "--kind");
    if (!kindName) return 2;
    const std::optional<std::string> amount = Required(c, "movement", "--amount");
    if (!amount) return 2;
    form.amount = *amount;
    if (const auto text = c.args.Option("--text")) form.text = *text;
    const std::optional<std::string> wkn = c.args.Option("--security");
    std::vector<LotEntry> entries;
    if (!LotsOption(c, entries)) return 2;
    if (const auto bookAs = c.args.Option("--book-as")) {
        if (*bookAs != "0" && *bookAs != "1" && *bookAs != "2") {
            c.err << "--book-as erwartet 0, 1 oder 2.\n";
            return 2;
        }
        form.allocKind = (*bookAs)[0] - '0';
    }
    if (!wkn && (!entries.empty() || c.args.Option("--book-as"))) {
        c.err << "--book-as und --lots gelten nur mit --security.\n";
        return 2;
    }
    form.linked = wkn.has_value();
    // Without --lots the dialog's "automatisch zuordnen" allocates.
    form.automatic = entries.empty();
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2KontoVorgang* kind = FindKind(doc, *kindName);
        if (kind == nullptr) return UnknownKind(c, doc, *kindName);
        form.kindId = kind->id;
        // As in a new dialog: the account currency on the movement's date.
        form.currencyId = doc.AccountCurrencyAt(form.date);
        if (!CurrencySymbolOption(c, doc, "--currency", form.currencyId)) return 1;
        if (wkn) {
            const CFL2Wertpapier* security = FindSecurityByWkn(doc, *wkn);
            if (security == nullptr) return UnknownSecurity(c, *wkn);
            form.nameSecurityId = form.codeSecurityId = security->id;
            if (const int code = ReadLotChoice(c, doc, entries, form.Lots(doc), form.manual))
                return code;
        }
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        // The dialog drops the link of a kind without securities, or on a day without lots,
        // without a word; a script that named a security is told instead.
        if (wkn && !form.LinkEnabled(doc)) {
            if (kind->allowsSecurityLink == 0)
                c.err << "Der Vorgang \"" << kind->name
                      << "\" kann nicht auf ein Wertpapier bezogen werden.\n";
            else
                c.err << "An diesem Tag befinden sich keine Wertpapiere im Depot, auf die sich "
                         "die Kontobewegung beziehen kann.\n";
            return 1;
        }
        if (!entries.empty())
            if (const int code =
                    CheckLotChoiceTaken(c, doc, form.Lots(doc), form.manual, "zugeordnet"))
                return code;
        return Stored(c, form.Apply(doc));
    });
}

int AccountCurrency(const Context& c) {
    CQRNDatum date;
    if (const int code = RequiredDate(c, "account-currency", "--date", date)) return code;
    const std::optional<std::string> symbol = Required(c, "account-currency", "--currency");
    if (!symbol) return 2;
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Waehrung* currency = doc.FindCurrencyBySymbol(*symbol);
        if (currency == nullptr) return UnknownCurrency(c, *symbol);
        const std::vector<int32_t> offered = AccountCurrencyForm::Currencies(doc);
        if (std::find(offered.begin(), offered.end(), currency->id) == offered.end()) {
            c.err << "Die Währung \"" << *symbol
                  << "\" hat keinen festen Kurs; das Konto kann nur in einer Währung mit festem "
                     "Kurs geführt werden.\n";
            return 1;
        }
        AccountCurrencyForm form(doc);
        // The question "Möchten Sie die Kontowährung ... umstellen?" is answered with Yes by
        // giving the command.
        const Message m = form.CheckAddChange(doc, date, currency->id);
        if (!m.IsQuestion()) return Refuse(c, m);
        form.AddChange(date, currency->id);
        form.Apply(doc);
        return 0;
    });
}

int DeleteTransaction(const Context& c) {
    int32_t id = -1;
    if (const int code = RequiredNumber(c, "delete-transaction", "--id", id)) return code;
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const TransactionDeleteForm form{id};
        // The question "wirklich löschen?" is answered with Yes by giving the command.
        const MaybeMessage m = form.Check(doc);
        if (!m) {
            c.err << "Eine Transaktion mit der Nummer " << id
                  << " gibt es in dieser Datei nicht.\n";
            return 1;
        }
        if (IsRefusal(m)) return Refuse(c, *m);
        if (!form.Apply(doc)) {
            c.err << "Die Transaktion wurde nicht gelöscht.\n";
            return 1;
        }
        return 0;
    });
}

}  // namespace pf::cli
