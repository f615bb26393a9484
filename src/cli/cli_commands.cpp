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
    "  import-v1 ALT.flk NEU.fl2 [--password KENNWORT]\n"
    "      Übernimmt eine Portfolaris1-Datei und schreibt sie im aktuellen Dateiformat nach\n"
    "      NEU.fl2; nennt, was nicht übernommen werden konnte.\n"
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
    "      holdings (Depotbestand), securities (Wertpapiere) oder distribution\n"
    "      (Depotverteilung; nur pdf und png) am Stichtag --date (sonst heute) oder ein\n"
    "      Bericht über\n"
    "      den Zeitraum --from bis --to (ohne --to bis heute, ohne --from ab dem\n"
    "      1. Januar des Jahres von --to): realized (Realisierte G+V; --filter nur die\n"
    "      ausgewählten Wertpapiere, --simulate offene Positionen als am Ende verkauft),\n"
    "      transactions (Transaktionen; --filter mit dem Transaktionsfilter), movements\n"
    "      (Kontobewegungen), development (Depotentwicklung), quotes (Kurse), analysis\n"
    "      (Depotanalyse; nur pdf und png), gv (Gewinn-/Verlustauswertung), performance\n"
    "      (Performanceanalyse) oder returns (Renditeberechnung; --filter nur die\n"
    "      ausgewählten Wertpapiere). Formate: text (feste\n"
    "      Spaltenbreiten, Voreinstellung), tsv (durch Tabulatoren getrennt), pdf\n"
    "      (Druckausgabe auf A4-Seiten) und png (Bildschirmdarstellung); pdf und png\n"
    "      brauchen -o. Mit -o wird Text mit Windows-Zeilenenden in die Datei geschrieben.\n"
    "      Die Diagramme und Charts: development-diagram, positions-diagram und chart\n"
    "      (nur pdf und png; genauer mit den Befehlen diagram und chart).\n"
    "  chart DATEI --security WKN [--from TT.MM.JJJJ] [--to TT.MM.JJJJ] [--split-mode 0..3]\n"
    "          [--width PX --height PX] [--format png|pdf|tsv] [-o AUSGABE]\n"
    "          [--password KENNWORT]\n"
    "      Zeichnet den Chart des Wertpapiers mit den Chartoptionen der Datei (gleitende\n"
    "      Durchschnitte, Käufe und Verkäufe). --split-mode wählt die Behandlung von Splits\n"
    "      (0 keine, 1 bis zum Enddatum, 2 alle, 3 wie gespeichert), --width und --height\n"
    "      die Bildgröße in Pixeln. Das Format folgt sonst der Endung von AUSGABE; tsv\n"
    "      schreibt die Daten der Zeichnung (Kommentarzeilen mit Titel, Wertachse und\n"
    "      Datumsachse, dann je Kurs Datum, Kurs und die drei Durchschnitte, dann die\n"
    "      Markierungen), ohne -o auf die Standardausgabe.\n"
    "  diagram development|positions DATEI [--measure N] [--positions N,N...]\n"
    "          [--from TT.MM.JJJJ] [--to TT.MM.JJJJ] [--width PX --height PX]\n"
    "          [--format png|pdf|tsv] [-o AUSGABE] [--password KENNWORT]\n"
    "      Zeichnet das Diagramm Depotentwicklung (--measure 0 bis 14) oder\n"
    "      Wertpapierpositionen (--measure 0 bis 4) über die gewählten Positionsnummern\n"
    "      (siehe lots --all); Formate wie bei chart, tsv mit einer Zeile je Tag.\n"
    "  html DATEI -o SEITE.htm [--date TT.MM.JJJJ] [--images ORDNER] [--password KENNWORT]\n"
    "      Schreibt den Depotbestand am Stichtag --date (sonst heute) als HTML-Seite wie die\n"
    "      HTML-Ansicht des Programms. Die Bilder der Seite (Trendpfeile, Linien) werden aus\n"
    "      ORDNER verwiesen, sonst aus dem Ordner des Programms (installiert:\n"
    "      share/portfolaris).\n"
    "  options DATEI [--set NAME=WERT]... [--dry-run] [--password KENNWORT]\n"
    "      Zeigt alle Berichtsoptionen der Datei als NAME<Tab>WERT (Masken hexadezimal,\n"
    "      Währungen als Symbol). --set ändert eine Option, geprüft wie auf ihrer\n"
    "      Optionsseite; mehrere --set werden der Reihe nach genommen, gespeichert wird\n"
    "      nur, wenn alle gültig sind.\n"
    "  add-security DATEI --name NAME --wkn WKN [--isin KENNUNG] [--currency SYMBOL]\n"
    "          [--type T] [--sector B] [--country L] [--index X] [--earnings1 G]\n"
    "          [--earnings2 G] [--dividend D] [--cash-flow C] [--half-income 0|1]\n"
    "          [--no-manual-quotes 0|1] [--no-chart 0|1] [--category1 K] [--category2 K]\n"
    "          [--remarks TEXT] [--internet-import 0|1] [--url ADRESSE]\n"
    "          [--text-before-quote TEXT] [--internet-decimal komma|punkt]\n"
    "          [--vtplus-import 0|1] [--vtplus-page SEITE] [--vtplus-subpage U]\n"
    "          [--vtplus-quote-position S/Z/S/Z] [--vtplus-control-text TEXT]\n"
    "          [--vtplus-control-position S/Z/S/Z] [--vtplus-decimal komma|punkt]\n"
    "      Legt ein Wertpapier an wie der Dialog \"Neues Wertpapier\" (jedes Feld als\n"
    "      Option; Kennzahlen im Zahlenformat der Datei, \"\" = nicht eingegeben) und gibt\n"
    "      seine Nummer aus.\n"
    "  edit-security DATEI --wkn WKN [--new-wkn WKN2] [--quote-decimals N] [Optionen\n"
    "          wie bei add-security]\n"
    "      Ändert nur die angegebenen Felder. Bei einer neuen Kurswährung werden alle\n"
    "      Kurse umgerechnet und auf N (0 bis 7, sonst 2) Dezimalstellen gerundet.\n"
    "  delete-security DATEI --wkn WKN\n"
    "      Löscht ein Wertpapier, das keine Transaktion verwendet.\n"
    "  securities DATEI\n"
    "      Zeigt die Wertpapiere: Nummer, Bezeichnung, WKN, zweite Kennung, Kurswährung\n"
    "      und Anzahl der Kurse.\n"
    "  add-currency DATEI --symbol SYMBOL --name NAME (--fixed KURS1:KURS2 | --variable\n"
    "          [--reference SYMBOL] [--quote-format 0|1])\n"
    "      Legt eine Währung an: fester Kurs (KURS1 SYMBOL = KURS2 Hauptwährung) oder\n"
    "      variabler Kurs gegen die Bezugswährung (Voreinstellung: Hauptwährung) im\n"
    "      Kursformat 0 (x,xx SYMBOL = 1 Bezug) oder 1 (1 SYMBOL = x,xx Bezug); gibt\n"
    "      ihre Nummer aus.\n"
    "  edit-currency DATEI --symbol SYMBOL [--new-symbol S] [--name NAME]\n"
    "          [--fixed KURS1:KURS2 | --variable] [--reference SYMBOL]\n"
    "          [--quote-format 0|1]\n"
    "      Ändert nur die angegebenen Felder einer Währung.\n"
    "  delete-currency DATEI --symbol SYMBOL\n"
    "      Löscht eine Währung, die nirgends verwendet wird.\n"
    "  currencies DATEI [--date TT.MM.JJJJ]\n"
    "      Zeigt die Währungen wie der Währungs-Editor: Symbol, Bezeichnung, Typ und\n"
    "      Kurs am Stichtag (sonst heute).\n"
    "  quote DATEI --security WKN --date TT.MM.JJJJ [KURS]\n"
    "      Setzt den Kurs eines Wertpapiers an einem Tag; ohne KURS wird der Kurs dieses\n"
    "      Tages gelöscht.\n"
    "  rate DATEI --currency SYMBOL --date TT.MM.JJJJ KURS\n"
    "      Setzt den Devisenkurs einer Währung mit variablem Kurs an einem Tag (im\n"
    "      Kursformat der Währung); \"\" löscht ihn.\n"
    "  delete-quotes DATEI (--security WKN [--security WKN2 ...] | --all) --rule 0|1|2\n"
    "          [--from TT.MM.JJJJ --to TT.MM.JJJJ]\n"
    "      Löscht Kurse der genannten (oder aller) Wertpapiere: 0 an Tagen, an denen sie\n"
    "      nicht im Depot sind, 1 alle, 2 von --from bis --to (beide sonst heute), und\n"
    "      gibt aus, wie viele.\n"
    "  import-quotes DATEI --security WKN (--format TITEL | --description TEXT)\n"
    "          [--only-held] [--settings INI] [--dry-run] TEXTDATEI\n"
    "      Liest die Kurshistorie eines Wertpapiers aus TEXTDATEI mit einem gespeicherten\n"
    "      Format (Titel wie im Dialog \"Kurse importieren\") oder einer Beschreibung in der\n"
    "      Formatsprache, zeigt die gefundenen Kurse und übernimmt sie; --only-held nur\n"
    "      Kurse von Tagen, an denen das Wertpapier im Depot war. Die Formate stammen aus\n"
    "      dem Einstellungsprofil des Programms oder der INI-Datei --settings.\n"
    "  export-quotes DATEI --security WKN [--separator TEXT] [--name] [--wkn]\n"
    "          [--currency] -o TEXTDATEI\n"
    "      Schreibt alle Kurse eines Wertpapiers in TEXTDATEI, eine Zeile je Kurs: Datum,\n"
    "      Trennzeichen (sonst <TAB>), Kurs; --name und --wkn schreiben Bezeichnung und\n"
    "      WKN davor, --currency das Währungssymbol hinter jeden Kurs.\n"
    "  quotes-from-text DATEI --format TITEL --identification 0|1|2|3 --date TT.MM.JJJJ\n"
    "          [--settings INI] [--dry-run] TEXTDATEI\n"
    "      Sucht jedes Wertpapier in TEXTDATEI (0 nach WKN, 1 nach ISIN/Kürzel, 2 erst WKN,\n"
    "      dann ISIN/Kürzel, 3 umgekehrt), liest den Kurs mit dem Trennzeichenformat TITEL\n"
    "      (wie im Dialog \"Kurse aus Text\"), zeigt je Wertpapier Bezeichnung, Kurs,\n"
    "      Währung, Status und Trendsymbol (0-7) und speichert die gelesenen Kurse zum\n"
    "      Datum.\n"
    "  fetch-quotes DATEI [--date TT.MM.JJJJ] [--security WKN] [--dry-run]\n"
    "      Holt wie der Dialog \"Kurse aus Internet\" die Internetseite jedes am Datum\n"
    "      (sonst heute) gehaltenen Wertpapiers mit Kursimport aus dem Internet (mit\n"
    "      --security nur dieses), zeigt je Wertpapier Bezeichnung, Kurs, Währung, Status\n"
    "      und Trendsymbol (0-7) und speichert die gelesenen Kurse zum Datum.\n"
    "  vtplus-quotes DATEI [--date TT.MM.JJJJ] [--accept-wrong-control] [--socket PFAD]\n"
    "          [--dry-run]\n"
    "      Liest wie der Dialog \"Kurse aus VTPlus\" den Kurs jedes Wertpapiers mit\n"
    "      Videotext-Kursimport vom Videotextprogramm am Socket PFAD (sonst am Socket im\n"
    "      Laufzeitordner des Benutzers, an dem auch portfolaris-vtplus ohne --socket\n"
    "      lauscht), zeigt je Wertpapier Bezeichnung, Kurs, Währung, Status und\n"
    "      Trendsymbol (0-7) und speichert zum Datum (sonst heute) die Kurse mit\n"
    "      passendem Kontrolltext, mit --accept-wrong-control auch die bei falschem oder\n"
    "      fehlendem Kontrolltext (im Dialog ist dieses Kästchen zu Beginn angekreuzt,\n"
    "      hier nicht).\n"
    "  buy DATEI --date TT.MM.JJJJ --security WKN --pieces STÜCK --price KURS\n"
    "          [--currency SYMBOL] [--currency2 SYMBOL] [--rate BASIS:KURS] [--costs K]\n"
    "          [--costs2 K] [--stop KURS] [--target KURS] [--text TEXT]\n"
    "      Bucht einen Kauf wie der Dialog \"Kauf\" und gibt die Nummer der Transaktion\n"
    "      aus. --currency ist Währung 1 (des Kurses, sonst Hauptwährung), --currency2\n"
    "      Währung 2 (der Abrechnung, eine Währung mit festem Kurs, sonst Hauptwährung),\n"
    "      --rate der Devisenkurs BASIS Währung 1 = KURS Währung 2 (wie im Dialog\n"
    "      voreingestellt 1,00:1,00), --costs Provision+Courtage+Spesen in Währung 1\n"
    "      (nur bei verschiedenen Währungen), --costs2 in Währung 2; Summen mit \"+\".\n"
    "  sell DATEI --date TT.MM.JJJJ --security WKN --pieces STÜCK --price KURS\n"
    "          [Währungs- und Kostenoptionen wie bei buy] [--lots POS:STÜCK,...]\n"
    "          [--text TEXT]\n"
    "      Bucht einen Verkauf wie der Dialog \"Verkauf\". Ohne --lots werden die ältesten\n"
    "      Positionen zuerst verkauft, mit --lots die genannten Stückzahlen je Position\n"
    "      (POS ist die Nummer, die lots ausgibt).\n"
    "  movement DATEI --date TT.MM.JJJJ --kind VORGANG --amount BETRAG\n"
    "          [--currency SYMBOL] [--security WKN [--book-as 0|1|2]\n"
    "          [--lots POS:STÜCK,...]] [--text TEXT]\n"
    "      Bucht eine Kontobewegung wie der Dialog \"Kontobewegung\". VORGANG ist der Name\n"
    "      eines Vorgangs der Datei (z. B. \"Dividenden-Gutschrift\"; ein unbekannter Name\n"
    "      zeigt die Liste). Währung sonst die Kontowährung am Tag. Mit --security bezogen\n"
    "      auf das Wertpapier und verbucht als 0 Kosten beim Kauf (Voreinstellung),\n"
    "      1 Dividenden u. a. Erträge oder 2 Kosten beim Verkauf; ohne --lots automatisch\n"
    "      den Positionen zugeordnet, mit --lots die genannten Stückzahlen je Position.\n"
    "  split DATEI --date TT.MM.JJJJ --security WKN --new N --old N [--permanent]\n"
    "          [--text TEXT]\n"
    "      Bucht einen Aktiensplit (N neue Aktien für N alte) und gibt seine Nummer aus;\n"
    "      --permanent passt alle Kurse vor dem Splitdatum dauerhaft an.\n"
    "  exchange DATEI --date TT.MM.JJJJ --from WKN --to WKN --new N --old N\n"
    "          [--keep-purchase-date] [--lots POS:STÜCK,...] [--text TEXT]\n"
    "      Bucht einen Umtausch von N alten Stück in N neue; Positionen wie bei sell.\n"
    "  stop DATEI --position POS [--stop KURS] [--target KURS]\n"
    "      Setzt Stopp- und Zielkurs einer offenen Position; \"\" löscht einen Kurs.\n"
    "  account-currency DATEI --date TT.MM.JJJJ --currency SYMBOL\n"
    "      Stellt die Kontowährung ab dem Tag auf eine Währung mit festem Kurs um.\n"
    "  delete-transaction DATEI --id NUMMER\n"
    "      Löscht eine Transaktion, auf die sich keine andere bezieht.\n"
    "  --help\n"
    "      Zeigt diese Hilfe.\n"
    "\n"
    "Daten werden wie im Programm geschrieben (05.03.2011), Zahlen wie in den Dialogen im\n"
    "Zahlenformat der Datei (1.234,50; bei --lots z. B. 2:1,5,4:3).\n"
    "Jeder Befehl, der eine Datei liest, nimmt --password KENNWORT. Die ändernden Befehle\n"
    "(add-..., edit-..., delete-..., quote, rate und die Transaktionsbefehle von buy bis\n"
    "delete-transaction) nehmen dazu --dry-run (prüfen und ausgeben, aber nichts\n"
    "schreiben). Eine Abweisung schreibt die Meldung des Dialogs auf stderr und ändert\n"
    "nichts. Rückfragen der Dialoge (Löschen, Umrechnen der Kurse, dauerhafte Anpassung\n"
    "beim Split, Umstellen der Kontowährung) gelten mit dem Aufruf als mit Ja beantwortet.\n"
    "Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler (Meldung auf stderr), 2 bei falschem\n"
    "Aufruf.\n";

struct Command {
    const char* name;
    size_t positional;
    std::set<std::string> valueOptions;
    std::set<std::string> flags;
    int (*run)(const cli::Context&);
    size_t optionalPositional = 0;  // further positional arguments that may follow
};

std::set<std::string> Union(std::set<std::string> a, const std::set<std::string>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

const std::vector<Command>& Commands() {
    static const std::vector<Command> commands = {
        {"info", 1, {"--password"}, {}, cli::Info},
        {"resave", 2, {"--password"}, {}, cli::Resave},
        {"import-v1", 2, {"--password"}, {}, cli::ImportV1},
        {"new", 1, {"--legacy-mask", "--password"}, {}, cli::New},
        {"sample", 1, {}, {}, cli::Sample},
        {"demo", 1, {}, {}, cli::Demo},
        {"lots",
         1,
         {"--date", "--currency", "--fields", "--password"},
         {"--all", "--reference"},
         cli::Lots},
        {"series", 1, {"--from", "--to", "--currency", "--password"}, {}, cli::Series},
        {"options", 1, {"--set", "--password"}, {"--dry-run"}, cli::Options},
        {"html", 1, {"-o", "--date", "--images", "--password"}, {}, cli::Html},
        {"report",
         2,
         {"--date", "--from", "--to", "--format", "-o", "--password"},
         {"--filter", "--simulate"},
         cli::Report},
        {"chart",
         1,
         {"--security", "--from", "--to", "--split-mode", "--width", "--height", "--format", "-o",
          "--password"},
         {},
         cli::Chart},
        {"diagram",
         2,
         {"--measure", "--positions", "--from", "--to", "--width", "--height", "--format", "-o",
          "--password"},
         {},
         cli::Diagram},
        {"add-security",
         1,
         Union(cli::SecurityFieldOptions(), {"--wkn"}),
         {"--dry-run"},
         cli::AddSecurity},
        {"edit-security",
         1,
         Union(cli::SecurityFieldOptions(), {"--wkn", "--new-wkn", "--quote-decimals"}),
         {"--dry-run"},
         cli::EditSecurity},
        {"delete-security", 1, {"--wkn", "--password"}, {"--dry-run"}, cli::DeleteSecurity},
        {"securities", 1, {"--password"}, {}, cli::Securities},
        {"add-currency",
         1,
         {"--symbol", "--name", "--fixed", "--reference", "--quote-format", "--password"},
         {"--variable", "--dry-run"},
         cli::AddCurrency},
        {"edit-currency",
         1,
         {"--symbol", "--new-symbol", "--name", "--fixed", "--reference", "--quote-format",
          "--password"},
         {"--variable", "--dry-run"},
         cli::EditCurrency},
        {"delete-currency", 1, {"--symbol", "--password"}, {"--dry-run"}, cli::DeleteCurrency},
        {"currencies", 1, {"--date", "--password"}, {}, cli::Currencies},
        {"quote", 1, {"--security", "--date", "--password"}, {"--dry-run"}, cli::Quote, 1},
        {"rate", 2, {"--currency", "--date", "--password"}, {"--dry-run"}, cli::Rate},
        {"import-quotes",
         2,
         {"--security", "--format", "--description", "--settings", "--password"},
         {"--only-held", "--dry-run"},
         cli::ImportQuotes},
        {"export-quotes",
         1,
         {"--security", "--separator", "-o", "--password"},
         {"--name", "--wkn", "--currency"},
         cli::ExportQuotes},
        {"quotes-from-text",
         2,
         {"--format", "--identification", "--date", "--settings", "--password"},
         {"--dry-run"},
         cli::QuotesFromText},
        {"fetch-quotes",
         1,
         {"--date", "--security", "--password"},
         {"--dry-run"},
         cli::FetchQuotes},
        {"vtplus-quotes",
         1,
         {"--date", "--socket", "--password"},
         {"--accept-wrong-control", "--dry-run"},
         cli::VtplusQuotes},
        {"delete-quotes",
         1,
         {"--security", "--rule", "--from", "--to", "--password"},
         {"--all", "--dry-run"},
         cli::DeleteQuotes},
        {"buy",
         1,
         {"--date", "--security", "--pieces", "--price", "--currency", "--currency2", "--rate",
          "--costs", "--costs2", "--stop", "--target", "--text", "--password"},
         {"--dry-run"},
         cli::Buy},
        {"sell",
         1,
         {"--date", "--security", "--pieces", "--price", "--currency", "--currency2", "--rate",
          "--costs", "--costs2", "--lots", "--text", "--password"},
         {"--dry-run"},
         cli::Sell},
        {"movement",
         1,
         {"--date", "--kind", "--amount", "--currency", "--security", "--book-as", "--lots",
          "--text", "--password"},
         {"--dry-run"},
         cli::Movement},
        {"split",
         1,
         {"--date", "--security", "--new", "--old", "--text", "--password"},
         {"--permanent", "--dry-run"},
         cli::Split},
        {"exchange",
         1,
         {"--date", "--from", "--to", "--new", "--old", "--lots", "--text", "--password"},
         {"--keep-purchase-date", "--dry-run"},
         cli::Exchange},
        {"stop",
         1,
         {"--position", "--stop", "--target", "--password"},
         {"--dry-run"},
         cli::StopTarget},
        {"account-currency",
         1,
         {"--date", "--currency", "--password"},
         {"--dry-run"},
         cli::AccountCurrency},
        {"delete-transaction", 1, {"--id", "--password"}, {"--dry-run"}, cli::DeleteTransaction},
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
        if (parsed.positional.size() < command.positional ||
            parsed.positional.size() > command.positional + command.optionalPositional) {
            err << "Falsche Anzahl von Argumenten für " << command.name << ".\n\n" << kUsage;
            return 2;
        }
        return command.run({parsed, clock, out, err});
    }
    err << "Unbekannter Befehl " << args[0] << ".\n\n" << kUsage;
    return 2;
}

}  // namespace pf
