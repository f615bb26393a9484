#include "cli/cli_commands.h"

#include "cli/cli_commands_list.h"

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
    "  demo ORDNER\n"
    "      Schreibt die Demonstrationsdepots Demo1.fl2, Demo2.fl2 und Demo3.fl2 in ORDNER.\n"
    "  lots DATEI [--date TT.MM.JJJJ] [--all] [--reference] [--currency SYMBOL]\n"
    "          [--fields all] [--password KENNWORT]\n"
    "      Zeigt die Depotpositionen (Lose) einer Bestandsberechnung, eine Zeile je Los:\n"
    "      Nummer, Zustand, Wertpapier, Stück, Daten, Kurs und die Beträge in der\n"
    "      Zielwährung (--currency, sonst Hauptwährung). Ohne --all nur offene Lose; mit\n"
    "      --date nur Transaktionen bis zu diesem Tag; mit --reference die am Stichtag\n"
    "      --date (sonst heute) verkaufbaren Lose: alle Transaktionen, spätere Verkäufe\n"
    "      abgezogen, Stückzahlen und Kurse vor späteren Splits. Mit --fields all jedes\n"
    "      Feld des Loses (auch Verkaufsdaten, Stopp- und Zielkurs, Split-Rückrechnung\n"
    "      und Steuerpflicht) durch Tabulatoren getrennt, mit einer Kopfzeile.\n"
    "  series DATEI --from TT.MM.JJJJ --to TT.MM.JJJJ [--currency SYMBOL]\n"
    "          [--password KENNWORT]\n"
    "      Zeigt je Tag Depotwert V, investiertes Kapital I (mit Kaufkosten), Kontostand K\n"
    "      und eingezahltes Kapital P.\n"
    "  report ANSICHT DATEI [--date TT.MM.JJJJ] [--from TT.MM.JJJJ] [--to TT.MM.JJJJ]\n"
    "          [--filter] [--simulate] [--format text|tsv|pdf|png] [-o AUSGABE]\n"
    "          [--password KENNWORT]\n"
    "      Erstellt einen Bericht mit den Berichtsoptionen der Datei. ANSICHT ist\n"
    "      holdings (Depotbestand am Stichtag --date, sonst heute) oder realized\n"
    "      (Realisierte G+V von --from bis --to; ohne --to bis heute, ohne --from ab dem\n"
    "      1. Januar des Jahres von --to; --filter nur die ausgewählten Wertpapiere,\n"
    "      --simulate offene Positionen als am Ende verkauft). Formate: text (feste\n"
    "      Spaltenbreiten, Voreinstellung), tsv (durch Tabulatoren getrennt), pdf\n"
    "      (Druckausgabe auf A4-Seiten) und png (Bildschirmdarstellung); pdf und png\n"
    "      brauchen -o. Mit -o wird Text mit Windows-Zeilenenden in die Datei geschrieben.\n"
    "  --help\n"
    "      Zeigt diese Hilfe.\n"
    "\n"
    "Daten werden wie im Programm geschrieben (05.03.2011).\n"
    "Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler (Meldung auf stderr), 2 bei falschem\n"
    "Aufruf.\n";

struct Command {
    const char* name;
    size_t positional;
    std::set<std::string> valueOptions;
    std::set<std::string> flags;
    int (*run)(const cli::Context&);
};

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info", 1, {"--password"}, {}, cli::Info},
        {"resave", 2, {"--password"}, {}, cli::Resave},
        {"new", 1, {"--legacy-mask", "--password"}, {}, cli::New},
        {"sample", 1, {}, {}, cli::Sample},
        {"demo", 1, {}, {}, cli::Demo},
        {"lots",
         1,
         {"--date", "--currency", "--fields", "--password"},
         {"--all", "--reference"},
         cli::Lots},
        {"series", 1, {"--from", "--to", "--currency", "--password"}, {}, cli::Series},
        {"report",
         2,
         {"--date", "--from", "--to", "--format", "-o", "--password"},
         {"--filter", "--simulate"},
         cli::Report},
    };
    return commands;
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
    for (const Command& command : Commands()) {
        if (args[0] != command.name) continue;
        const cli::Arguments parsed = cli::Parse(args, command.valueOptions, command.flags);
        if (!parsed.error.empty()) {
            err << parsed.error << "\n\n" << kUsage;
            return 2;
        }
        if (parsed.positional.size() != command.positional) {
            err << "Falsche Anzahl von Argumenten für " << command.name << ".\n\n" << kUsage;
            return 2;
        }
        return command.run({parsed, clock, out, err});
    }
    err << "Unbekannter Befehl " << args[0] << ".\n\n" << kUsage;
    return 2;
}

}  // namespace pf
