#include <cstdlib>

#include "cli/cli_commands_list.h"
#include "samples/sample_portfolio.h"

namespace pf::cli {

namespace {

void PrintInfo(const ReadResult& r, const std::string& path, std::ostream& out) {
    const CFolari2Doc& doc = r.doc;
    const auto amount = [&](double v) { return Money(doc, v); };
    const auto symbol = [&](int32_t id) {
        const CFL2Waehrung* c = doc.FindCurrency(id);
        return c ? c->symbol : "?" + std::to_string(id);
    };

    out << "Datei: " << path << "\n";
    out << "Version: " << r.version << "\n";
    out << "Kennwortschutz: " << (doc.password.protectionActive ? "ja" : "nein") << "\n";
    out << "Depotinhaber: " << doc.depot.holderName << "\n";
    out << "Adresse: " << OneLine(doc.depot.holderAddress) << "\n";
    out << "Depotnummer: " << doc.depot.depotNumber << "\n";
    out << "Kontonummer: " << doc.depot.accountNumber << "\n";
    out << "Bankleitzahl: " << doc.depot.bankCode << "\n";
    out << "Kontowährung zu Beginn: " << symbol(doc.initialAccountCurrencyId) << "\n";
    out << "Anzahl: " << doc.currencies.size() << " Währungen, " << doc.securities.size()
        << " Wertpapiere, " << doc.transactions.size() << " Transaktionen, "
        << doc.accountMovementKinds.size() << " Kontobewegungsarten, "
        << doc.accountCurrencyChanges.size() << " Kontowährungswechsel, " << doc.stopTargets.size()
        << " Stopp-/Zielkurse, " << doc.taxCategories.size() << " Steuerpflicht-Kategorien\n";

    out << "Währungen:\n";
    for (const CFL2Waehrung& c : doc.currencies) {
        out << "  " << c.id << "  " << c.symbol << "  " << c.name << "  ";
        if (c.id == kBaseCurrencyId)
            out << "Hauptwährung";
        else if (c.isFixed)
            out << "fester Kurs " << c.fixedRate1 << " " << c.symbol << " = " << c.fixedRate2 << " "
                << symbol(kBaseCurrencyId);
        else
            out << "variabler Kurs gegen " << symbol(c.referenceCurrencyId) << ", "
                << c.rates.size() << " Kurse";
        out << "\n";
    }

    out << "Wertpapiere:\n";
    for (const CFL2Wertpapier& s : doc.securities) {
        out << "  " << s.id << "  " << s.wkn << "  " << s.name << "  (" << symbol(s.quoteCurrencyId)
            << ")  " << s.quotes.size() << " Kurse";
        if (!s.quotes.empty())
            out << " vom " << s.quotes[0].date.FormatLong() << " bis "
                << s.quotes[s.quotes.size() - 1].date.FormatLong();
        out << "\n";
    }

    out << "Transaktionen:\n";
    for (const CFL2Transaktion& t : doc.transactions) {
        std::string subject;
        if (t.type == TransactionType::AccountMovement) {
            const CFL2KontoVorgang* kind = doc.FindAccountMovementKind(t.otherId);
            subject = kind ? kind->name : "?";
        }
        if (const CFL2Wertpapier* s = doc.FindSecurity(t.securityId))
            subject += (subject.empty() ? "" : ": ") + s->name;
        out << "  " << t.date.FormatLong() << "  " << TransactionTypeLabel(t.type) << "  "
            << subject;
        // Splits and exchanges move pieces, not money.
        if (t.type == TransactionType::Buy || t.type == TransactionType::Sell ||
            t.type == TransactionType::AccountMovement)
            out << "  " << amount(t.amount) << " " << symbol(t.currency2);
        out << "\n";
    }
}

}  // namespace

int Info(const Context& c) {
    const std::string& path = c.args.positional[0];
    const auto result = Load(path, c);
    if (!result) return 1;
    PrintInfo(*result, path, c.out);
    return 0;
}

int Resave(const Context& c) {
    const auto result = Load(c.args.positional[0], c);
    if (!result) return 1;
    return Save(result->doc, c.args.positional[1], c.err) ? 0 : 1;
}

int New(const Context& c) {
    NewDocumentChoices choices;
    if (const auto mask = c.args.Option("--legacy-mask")) {
        char* end = nullptr;
        const unsigned long value = std::strtoul(mask->c_str(), &end, 0);
        if (mask->empty() || *end != '\0' || value > 0x7FF) {
            c.err << "--legacy-mask erwartet eine Zahl von 0 bis 2047.\n";
            return 2;
        }
        choices.legacyCurrencyMask = static_cast<uint32_t>(value);
    }
    CFolari2Doc doc;
    doc.NewDocument(choices, Today(c.clock));
    if (const auto password = c.args.Option("--password")) {
        doc.password.password = *password;
        doc.password.protectionActive = 1;
    }
    return Save(doc, c.args.positional[0], c.err) ? 0 : 1;
}

int Sample(const Context& c) {
    return Save(MakeSamplePortfolio(Today(c.clock)), c.args.positional[0], c.err) ? 0 : 1;
}

}  // namespace pf::cli
