#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands_list.h"
#include "engine/security_form.h"
#include "quotes/currency_form.h"

namespace pf::cli {

namespace {

// The text fields of the security dialog, by option. Every one takes the text as typed in
// the dialog; "" empties the field (a key figure that is empty counts as not entered).
struct SecurityTextOption {
    const char* option;
    std::function<std::string&(SecurityForm&)> field;
};

const std::vector<SecurityTextOption>& SecurityTextOptions() {
    static const std::vector<SecurityTextOption> options = {
        {"--name", [](SecurityForm& f) -> std::string& { return f.name; }},
        {"--isin", [](SecurityForm& f) -> std::string& { return f.isin; }},
        {"--type", [](SecurityForm& f) -> std::string& { return f.type; }},
        {"--sector", [](SecurityForm& f) -> std::string& { return f.sector; }},
        {"--country", [](SecurityForm& f) -> std::string& { return f.country; }},
        {"--index", [](SecurityForm& f) -> std::string& { return f.index; }},
        {"--earnings1", [](SecurityForm& f) -> std::string& { return f.earnings1; }},
        {"--earnings2", [](SecurityForm& f) -> std::string& { return f.earnings2; }},
        {"--dividend", [](SecurityForm& f) -> std::string& { return f.dividend; }},
        {"--cash-flow", [](SecurityForm& f) -> std::string& { return f.cashFlow; }},
        {"--category1", [](SecurityForm& f) -> std::string& { return f.category1; }},
        {"--category2", [](SecurityForm& f) -> std::string& { return f.category2; }},
        {"--remarks", [](SecurityForm& f) -> std::string& { return f.remarks; }},
        {"--url", [](SecurityForm& f) -> std::string& { return f.internetUrl; }},
        {"--text-before-quote",
         [](SecurityForm& f) -> std::string& { return f.internetTextBeforeQuote; }},
        {"--vtplus-page", [](SecurityForm& f) -> std::string& { return f.vtplus.page; }},
        {"--vtplus-subpage", [](SecurityForm& f) -> std::string& { return f.vtplus.subpage; }},
        {"--vtplus-quote-position",
         [](SecurityForm& f) -> std::string& { return f.vtplus.quotePosition; }},
        {"--vtplus-control-text",
         [](SecurityForm& f) -> std::string& { return f.vtplus.controlText; }},
        {"--vtplus-control-position",
         [](SecurityForm& f) -> std::string& { return f.vtplus.controlPosition; }},
    };
    return options;
}

struct SecuritySwitchOption {
    const char* option;
    std::function<bool&(SecurityForm&)> field;
};

const std::vector<SecuritySwitchOption>& SecuritySwitchOptions() {
    static const std::vector<SecuritySwitchOption> options = {
        {"--half-income", [](SecurityForm& f) -> bool& { return f.halfIncomeProcedure; }},
        {"--no-manual-quotes", [](SecurityForm& f) -> bool& { return f.noManualQuotes; }},
        {"--no-chart", [](SecurityForm& f) -> bool& { return f.noChart; }},
        {"--internet-import", [](SecurityForm& f) -> bool& { return f.internetImport; }},
        {"--vtplus-import", [](SecurityForm& f) -> bool& { return f.vtplus.import; }},
    };
    return options;
}

// "komma" (0) or "punkt" (1), the two decimal separators of the import fields; absent leaves
// `out` alone. False after a usage message.
bool SeparatorOption(const Context& c, const std::string& name, int32_t& out) {
    const std::optional<std::string> text = c.args.Option(name);
    if (!text) return true;
    if (*text != "komma" && *text != "punkt") {
        c.err << name << " erwartet komma oder punkt.\n";
        return false;
    }
    out = *text == "komma" ? 0 : 1;
    return true;
}

// Copies the options given into the form; fields without an option keep their value.
// Returns 0, or the exit code after a message.
int FillSecurity(const Context& c, const CFolari2Doc& doc, SecurityForm& form) {
    for (const SecurityTextOption& o : SecurityTextOptions())
        if (const auto value = c.args.Option(o.option)) o.field(form) = *value;
    for (const SecuritySwitchOption& o : SecuritySwitchOptions())
        if (!SwitchOption(c, o.option, o.field(form))) return 2;
    if (!SeparatorOption(c, "--internet-decimal", form.internetDecimalSeparator) ||
        !SeparatorOption(c, "--vtplus-decimal", form.vtplus.decimalSeparator))
        return 2;
    if (const auto symbol = c.args.Option("--currency")) {
        const CFL2Waehrung* currency = doc.FindCurrencyBySymbol(*symbol);
        if (currency == nullptr) return UnknownCurrency(c, *symbol);
        form.quoteCurrencyId = currency->id;
    }
    return 0;
}

// Checks and applies a security form; a question (the quote conversion) counts as answered
// with Yes by giving the command, and its text is printed. A new security's id is printed.
int CheckAndApply(const Context& c, CFolari2Doc& doc, const SecurityForm& form) {
    const MaybeMessage m = form.Check(doc);
    if (IsRefusal(m)) return Refuse(c, *m);
    if (m) c.out << m->text << "\n";
    const int32_t id = form.Apply(doc);
    if (id < 0) {
        c.err << "Das Wertpapier wurde nicht gespeichert.\n";
        return 1;
    }
    if (form.id < 0) c.out << id << "\n";
    return 0;
}

// The currency dialog's rate fields from --fixed RATE1:RATE2 or --variable with --reference
// and --quote-format. Neither of --fixed and --variable keeps the kind (`required` makes one
// of them necessary). Returns 0, or the exit code after a message.
int FillCurrency(const Context& c, const CFolari2Doc& doc, CurrencyForm& form, bool required,
                 const std::string& command) {
    const std::optional<std::string> fixed = c.args.Option("--fixed");
    const bool variable = c.args.Flag("--variable");
    if (fixed && variable) {
        c.err << command << ": --fixed und --variable schließen sich aus.\n";
        return 2;
    }
    if (required && !fixed && !variable) {
        c.err << command << " braucht --fixed KURS1:KURS2 oder --variable.\n";
        return 2;
    }
    if (fixed) {
        const size_t colon = fixed->find(':');
        if (colon == std::string::npos) {
            c.err << "--fixed erwartet KURS1:KURS2.\n";
            return 2;
        }
        form.fixed = true;
        form.fixedRate1 = fixed->substr(0, colon);
        form.fixedRate2 = fixed->substr(colon + 1);
    }
    if (variable) form.fixed = false;
    if (const auto format = c.args.Option("--quote-format")) {
        if (*format != "0" && *format != "1") {
            c.err << "--quote-format erwartet 0 oder 1.\n";
            return 2;
        }
        form.quoteFormat = *format == "0" ? kUnitsPerReference : kReferencePerUnit;
    }
    if (const auto symbol = c.args.Option("--reference")) {
        const CFL2Waehrung* reference = doc.FindCurrencyBySymbol(*symbol);
        if (reference == nullptr) return UnknownCurrency(c, *symbol);
        form.referenceId = reference->id;
    }
    if (const auto name = c.args.Option("--name")) form.name = *name;
    return 0;
}

int CheckAndApply(const Context& c, CFolari2Doc& doc, const CurrencyForm& form) {
    if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
    const int32_t id = form.Apply(doc);
    if (id < 0) {
        c.err << "Die Währung wurde nicht gespeichert.\n";
        return 1;
    }
    if (form.editedId < 0) c.out << id << "\n";
    return 0;
}

}  // namespace

std::set<std::string> SecurityFieldOptions() {
    std::set<std::string> options = {"--currency", "--internet-decimal", "--vtplus-decimal",
                                     "--password"};
    for (const SecurityTextOption& o : SecurityTextOptions()) options.insert(o.option);
    for (const SecuritySwitchOption& o : SecuritySwitchOptions()) options.insert(o.option);
    return options;
}

int AddSecurity(const Context& c) {
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        SecurityForm form = SecurityForm::New(doc);
        if (const int code = FillSecurity(c, doc, form)) return code;
        if (const auto wkn = c.args.Option("--wkn")) form.wkn = *wkn;
        return CheckAndApply(c, doc, form);
    });
}

int EditSecurity(const Context& c) {
    const std::optional<std::string> wkn = Required(c, "edit-security", "--wkn");
    if (!wkn) return 2;
    int decimals = kDefaultQuoteDecimals;
    if (const auto text = c.args.Option("--quote-decimals")) {
        if (text->size() != 1 || (*text)[0] < '0' + kMinQuoteDecimals ||
            (*text)[0] > '0' + kMaxQuoteDecimals) {
            c.err << "--quote-decimals erwartet eine Zahl von " << kMinQuoteDecimals << " bis "
                  << kMaxQuoteDecimals << ".\n";
            return 2;
        }
        decimals = (*text)[0] - '0';
    }
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Wertpapier* security = FindSecurityByWkn(doc, *wkn);
        if (security == nullptr) return UnknownSecurity(c, *wkn);
        SecurityForm form = SecurityForm::ForEdit(doc, security->id);
        if (const int code = FillSecurity(c, doc, form)) return code;
        if (const auto newWkn = c.args.Option("--new-wkn")) form.wkn = *newWkn;
        form.quoteDecimals = decimals;
        return CheckAndApply(c, doc, form);
    });
}

int DeleteSecurity(const Context& c) {
    const std::optional<std::string> wkn = Required(c, "delete-security", "--wkn");
    if (!wkn) return 2;
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Wertpapier* security = FindSecurityByWkn(doc, *wkn);
        if (security == nullptr) return UnknownSecurity(c, *wkn);
        SecurityEditorForm form;
        form.selectedId = security->id;
        // The question "wirklich löschen?" is answered with Yes by giving the command.
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        if (!form.Apply(doc)) {
            c.err << "Das Wertpapier wurde nicht gelöscht.\n";
            return 1;
        }
        return 0;
    });
}

int Securities(const Context& c) {
    const auto result = Load(c.args.positional[0], c);
    if (!result) return 1;
    const CFolari2Doc& doc = result->doc;
    c.out << "ID";
    for (const std::string& column : SecurityEditorColumns(doc)) c.out << '\t' << column;
    c.out << '\n';
    for (const SecurityEditorRow& row : SecurityEditorForm{}.Rows(doc))
        c.out << row.securityId << '\t' << TsvField(row.name) << '\t' << TsvField(row.wkn) << '\t'
              << TsvField(row.isin) << '\t' << row.currency << '\t' << row.quoteCount << '\n';
    return 0;
}

int AddCurrency(const Context& c) {
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        CurrencyForm form = CurrencyForm::New(doc);
        if (const auto symbol = c.args.Option("--symbol")) form.symbol = *symbol;
        if (const int code = FillCurrency(c, doc, form, true, "add-currency")) return code;
        return CheckAndApply(c, doc, form);
    });
}

int EditCurrency(const Context& c) {
    const std::optional<std::string> symbol = Required(c, "edit-currency", "--symbol");
    if (!symbol) return 2;
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Waehrung* currency = doc.FindCurrencyBySymbol(*symbol);
        if (currency == nullptr) return UnknownCurrency(c, *symbol);
        CurrencyForm form = CurrencyForm::ForEdit(doc, currency->id);
        if (const auto newSymbol = c.args.Option("--new-symbol")) form.symbol = *newSymbol;
        if (const int code = FillCurrency(c, doc, form, false, "edit-currency")) return code;
        return CheckAndApply(c, doc, form);
    });
}

int DeleteCurrency(const Context& c) {
    const std::optional<std::string> symbol = Required(c, "delete-currency", "--symbol");
    if (!symbol) return 2;
    return ChangeFile(c, [&](CFolari2Doc& doc) {
        const CFL2Waehrung* currency = doc.FindCurrencyBySymbol(*symbol);
        if (currency == nullptr) return UnknownCurrency(c, *symbol);
        const CurrencyDeleteForm form{currency->id};
        // The question "wirklich löschen?" is answered with Yes by giving the command.
        if (const MaybeMessage m = form.Check(doc); IsRefusal(m)) return Refuse(c, *m);
        if (!form.Apply(doc)) {
            c.err << "Die Währung wurde nicht gelöscht.\n";
            return 1;
        }
        return 0;
    });
}

int Currencies(const Context& c) {
    const auto result = Load(c.args.positional[0], c);
    if (!result) return 1;
    std::optional<CQRNDatum> date;
    if (!DateOption(c, "--date", date)) return 1;
    bool first = true;
    for (const char* column : kCurrencyEditorColumns) {
        c.out << (first ? "" : "\t") << column;
        first = false;
    }
    c.out << '\n';
    for (const CurrencyEditorRow& row :
         CurrencyEditorRows(result->doc, date.value_or(Today(c.clock))))
        c.out << TsvField(row.symbol) << '\t' << TsvField(row.name) << '\t' << row.type << '\t'
              << row.rate << '\n';
    return 0;
}

}  // namespace pf::cli
