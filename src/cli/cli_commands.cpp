#include "cli/cli_commands.h"

#include <algorithm>
#include <optional>

#include "cli/number_text.h"
#include "cli/sample_portfolio.h"
#include "model/archive/document_file.h"

namespace pf {

namespace {

constexpr const char* kUsage =
    "Aufruf: portfolaris-cli BEFEHL [ARGUMENTE]\n"
    "\n"
    "Befehle:\n"
    "  info DATEI [--password KENNWORT]\n"
    "      Zeigt Version, Depotdaten, Anzahlen, Währungen, Wertpapiere (mit Anzahl und\n"
    "      Zeitraum der Kurse) und alle Transaktionen einer Portfolaris-Datei (.fl2).\n"
    "  resave QUELLE ZIEL [--password KENNWORT]\n"
    "      Liest QUELLE und schreibt sie im aktuellen Dateiformat nach ZIEL.\n"
    "  new ZIEL [--legacy-mask BITS] [--password KENNWORT]\n"
    "      Legt eine neue, leere Datei mit den Voreinstellungen an: Euro als Hauptwährung,\n"
    "      dazu die ehemaligen Landeswährungen, deren Bits in BITS gesetzt sind\n"
    "      (Bit 0 DM, 1 öS, 2 hFl, 3 bfr, 4 lfr, 5 Lit, 6 Ptas, 7 FF, 8 PTE, 9 IEP, 10 FIM).\n"
    "      Mit --password wird die Datei durch ein Kennwort geschützt.\n"
    "  sample ZIEL\n"
    "      Legt ein kleines Beispieldepot mit Kursen und Transaktionen an.\n"
    "  --help\n"
    "      Zeigt diese Hilfe.\n"
    "\n"
    "Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler (Meldung auf stderr), 2 bei falschem\n"
    "Aufruf.\n";

struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::string> password;
    std::optional<std::string> legacyMask;
    std::string error;
};

Arguments Parse(const std::vector<std::string>& args) {
    Arguments parsed;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--password" || a == "--legacy-mask") {
            if (i + 1 >= args.size()) {
                parsed.error = a + " erwartet einen Wert.";
                break;
            }
            (a == "--password" ? parsed.password : parsed.legacyMask) = args[++i];
        } else if (a.starts_with("--")) {
            parsed.error = "Unbekannte Option " + a + ".";
            break;
        } else {
            parsed.positional.push_back(a);
        }
    }
    return parsed;
}

CQRNDatum Today(const Clock& clock) { return CQRNDatum::FromTime(clock.Now()); }

// Reads a file and reports a failure the way the desktop program does, with the detail
// on a second line.
std::optional<ReadResult> Load(const std::string& path, const Arguments& a, const Clock& clock,
                               std::ostream& err) {
    ReadSettings settings;
    settings.today = Today(clock);
    settings.askPassword = [&a]() { return a.password; };
    try {
        ReadResult result = LoadDocumentFile(path, settings);
        if (result.olderVersion) err << "Hinweis: " << kOlderVersionNotice << "\n";
        return result;
    } catch (const ArchiveError& e) {
        err << OpenErrorMessage(e.Kind()) << "\n" << path << ": " << e.Detail() << "\n";
        if (e.Kind() == ArchiveErrorKind::WrongPassword && !a.password)
            err << "Die Datei ist durch ein Kennwort geschützt; bitte --password angeben.\n";
        return std::nullopt;
    }
}

bool Save(const CFolari2Doc& doc, const std::string& path, std::ostream& err) {
    try {
        SaveDocumentFile(doc, path);
        return true;
    } catch (const ArchiveError& e) {
        err << kSaveErrorMessage << "\n" << path << ": " << e.Detail() << "\n";
        return false;
    }
}

std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

void PrintInfo(const ReadResult& r, const std::string& path, std::ostream& out) {
    const CFolari2Doc& doc = r.doc;
    const auto amount = [&](double v) {
        return FormatAmount(v, doc.options.decimalSeparator, doc.options.thousandsSeparator);
    };
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
        << doc.accountCurrencyChanges.size() << " Kontowährungswechsel, "
        << doc.stopTargets.size() << " Stopp-/Zielkurse, " << doc.taxCategories.size()
        << " Steuerpflicht-Kategorien\n";

    out << "Währungen:\n";
    for (const CFL2Waehrung& c : doc.currencies) {
        out << "  " << c.id << "  " << c.symbol << "  " << c.name << "  ";
        if (c.id == kBaseCurrencyId)
            out << "Hauptwährung";
        else if (c.isFixed)
            out << "fester Kurs " << c.fixedRate1 << " " << c.symbol << " = " << c.fixedRate2
                << " " << symbol(kBaseCurrencyId);
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
            << subject << "  " << amount(t.amount) << " " << symbol(t.currency2) << "\n";
    }
}

int Info(const Arguments& a, const Clock& clock, std::ostream& out, std::ostream& err) {
    if (a.positional.size() != 1) return -1;
    const auto result = Load(a.positional[0], a, clock, err);
    if (!result) return 1;
    PrintInfo(*result, a.positional[0], out);
    return 0;
}

int Resave(const Arguments& a, const Clock& clock, std::ostream&, std::ostream& err) {
    if (a.positional.size() != 2) return -1;
    const auto result = Load(a.positional[0], a, clock, err);
    if (!result) return 1;
    return Save(result->doc, a.positional[1], err) ? 0 : 1;
}

int New(const Arguments& a, const Clock& clock, std::ostream&, std::ostream& err) {
    if (a.positional.size() != 1) return -1;
    NewDocumentChoices choices;
    if (a.legacyMask) {
        char* end = nullptr;
        const unsigned long mask = std::strtoul(a.legacyMask->c_str(), &end, 0);
        if (a.legacyMask->empty() || *end != '\0' || mask > 0x7FF) {
            err << "--legacy-mask erwartet eine Zahl von 0 bis 2047.\n";
            return 2;
        }
        choices.legacyCurrencyMask = static_cast<uint32_t>(mask);
    }
    CFolari2Doc doc;
    doc.NewDocument(choices, Today(clock));
    if (a.password) {
        doc.password.password = *a.password;
        doc.password.protectionActive = 1;
    }
    return Save(doc, a.positional[0], err) ? 0 : 1;
}

int Sample(const Arguments& a, const Clock& clock, std::ostream&, std::ostream& err) {
    if (a.positional.size() != 1) return -1;
    return Save(MakeSamplePortfolio(Today(clock)), a.positional[0], err) ? 0 : 1;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const Clock& clock) {
    if (args.empty()) {
        err << kUsage;
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        out << kUsage;
        return 0;
    }
    const Arguments parsed = Parse(args);
    if (!parsed.error.empty()) {
        err << parsed.error << "\n\n" << kUsage;
        return 2;
    }
    using Command = int (*)(const Arguments&, const Clock&, std::ostream&, std::ostream&);
    const struct {
        const char* name;
        Command run;
    } commands[] = {{"info", Info}, {"resave", Resave}, {"new", New}, {"sample", Sample}};
    for (const auto& c : commands) {
        if (args[0] != c.name) continue;
        const int code = c.run(parsed, clock, out, err);
        if (code >= 0) return code;
        err << "Falsche Anzahl von Argumenten für " << c.name << ".\n\n" << kUsage;
        return 2;
    }
    err << "Unbekannter Befehl " << args[0] << ".\n\n" << kUsage;
    return 2;
}

}  // namespace pf
