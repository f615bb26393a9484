#include "shell/handbook.h"

#include <array>
#include <optional>

namespace pf {

namespace {

// Kept in the order of the handbook's pages; tests check every target against the pages.
constexpr std::array kSections = {
    // Portfolio files
    HandbookSection{"Neue Datei", "dateien.html#neue-datei"},
    HandbookSection{"Kennwort", "dateien.html#kennwort"},
    HandbookSection{"Depotdaten", "dateien.html#depotdaten"},
    // Transactions
    HandbookSection{"Kauf", "transaktionen.html#kauf"},
    HandbookSection{"Verkauf", "transaktionen.html#verkauf"},
    HandbookSection{"Zuordnen", "transaktionen.html#zuordnen"},
    HandbookSection{"Kontobewegung", "transaktionen.html#kontobewegung"},
    HandbookSection{"Aufteilen", "transaktionen.html#aufteilen"},
    HandbookSection{"Aktiensplit", "transaktionen.html#aktiensplit"},
    HandbookSection{"Umtausch", "transaktionen.html#umtausch"},
    HandbookSection{"Stopp- und Zielkurse", "transaktionen.html#stopp-ziel"},
    HandbookSection{"Transaktions-Editor", "transaktionen.html#editor"},
    HandbookSection{"Transaktionsfilter", "transaktionen.html#filter"},
    HandbookSection{"Kontowährung", "transaktionen.html#kontowaehrung"},
    HandbookSection{"Steuerpflicht", "transaktionen.html#steuerpflicht"},
    // Securities, currencies and quotes
    HandbookSection{"Neues Wertpapier", "kurse.html#wertpapier"},
    HandbookSection{"Wertpapier bearbeiten", "kurse.html#wertpapier"},
    HandbookSection{"Wertpapier-Editor", "kurse.html#wertpapier-editor"},
    HandbookSection{"Vorlage verwenden", "kurse.html#vorlage"},
    HandbookSection{"Daten für Kursimport aus dem Videotext", "kurse.html#vtplus-daten"},
    HandbookSection{"Neue Währung", "kurse.html#waehrung"},
    HandbookSection{"Währung bearbeiten", "kurse.html#waehrung"},
    HandbookSection{"Währungs-Editor", "kurse.html#waehrungs-editor"},
    HandbookSection{"Kurse eingeben", "kurse.html#eingeben"},
    HandbookSection{"Devisenkurse eingeben", "kurse.html#devisenkurse"},
    HandbookSection{"Kurse löschen", "kurse.html#loeschen"},
    HandbookSection{"Kurse importieren", "kurse.html#import"},
    HandbookSection{"Formatbeschreibung speichern", "kurse.html#format-speichern"},
    HandbookSection{"Importergebnis", "kurse.html#importergebnis"},
    HandbookSection{"Kurse exportieren", "kurse.html#export"},
    HandbookSection{"Kurse aus Text", "kurse.html#text"},
    HandbookSection{"Neues Format", "kurse.html#text-format"},
    HandbookSection{"Format bearbeiten", "kurse.html#text-format"},
    HandbookSection{"Kurse aus Internet", "kurse.html#internet"},
    HandbookSection{"Kurse aus VTPlus", "kurse.html#vtplus"},
    HandbookSection{"Kursauswahl aus VTPlus", "kurse.html#vtplus-auswahl"},
    // Reports
    HandbookSection{"Wertpapierauswahl", "berichte.html#wertpapierauswahl"},
    HandbookSection{"HTML-Ansicht konfigurieren", "berichte.html#html-konfigurieren"},
    HandbookSection{"Kopieren in Zwischenablage", "berichte.html#textausgabe"},
    HandbookSection{"Kopieren in Textdatei", "berichte.html#textausgabe"},
    HandbookSection{"Drucken", "berichte.html#drucken"},
    HandbookSection{"Seitenansicht", "berichte.html#drucken"},
    HandbookSection{"Druckereinrichtung", "berichte.html#drucken"},
    // Charts and diagrams
    HandbookSection{"Wertpapierpositionen auswählen", "charts.html#positionen"},
    HandbookSection{"Farbe", "optionen.html#charts"},
    // Options
    HandbookSection{"Optionen", "optionen.html"},
};

// The tabs of "Optionen" by their titles (shell/*_option_pages.h and the page "Allgemein").
constexpr std::array kOptionsPages = {
    HandbookSection{"Allgemein", "optionen.html#allgemein"},
    HandbookSection{"TABELLEN >", "optionen.html#tabellen"},
    HandbookSection{"Depotbestand", "optionen.html#depotbestand"},
    HandbookSection{"Realisierte G+V", "optionen.html#realisiert"},
    HandbookSection{"Transaktionen", "optionen.html#transaktionen"},
    HandbookSection{"Kontobewegungen", "optionen.html#kontobewegungen"},
    HandbookSection{"Wertpapiere", "optionen.html#wertpapiere"},
    HandbookSection{"LISTEN >", "optionen.html#listen"},
    HandbookSection{"Depotentwicklung", "optionen.html#depotentwicklung"},
    HandbookSection{"Kurse", "optionen.html#kurse"},
    HandbookSection{"DEPOTANALYSE/-VERTEILUNG", "optionen.html#analyse"},
    HandbookSection{"DIAGRAMME >", "optionen.html#diagramme"},
    HandbookSection{"Depotentw./Wertp.", "optionen.html#diagramme"},
    HandbookSection{"Charts", "optionen.html#charts"},
    HandbookSection{"REPORTE >", "optionen.html#reporte"},
    HandbookSection{"G/V-Auswertung", "optionen.html#gv"},
    HandbookSection{"Performance/Rendite", "optionen.html#performance"},
};

// The target of the entry titled `title`, if the table has one.
template <size_t N>
std::optional<std::string> TargetOf(const std::array<HandbookSection, N>& table,
                                    std::string_view title) {
    for (const HandbookSection& entry : table)
        if (entry.title == title) return std::string(entry.target);
    return std::nullopt;
}

std::string_view BareTitle(std::string_view title) {
    constexpr std::string_view kModified = "[*]";
    if (const size_t at = title.find(kModified); at != std::string_view::npos)
        title = title.substr(0, at);
    if (const size_t at = title.find(" - "); at != std::string_view::npos)
        title = title.substr(0, at);
    while (!title.empty() && title.back() == ' ') title.remove_suffix(1);
    return title;
}

}  // namespace

std::span<const HandbookSection> HandbookSections() { return kSections; }

std::string HandbookTarget(std::string_view windowTitle) {
    return TargetOf(kSections, BareTitle(windowTitle)).value_or(std::string(kHandbookStartPage));
}

std::string HandbookOptionsPageTarget(std::string_view pageTitle) {
    return TargetOf(kOptionsPages, pageTitle).value_or(HandbookTarget("Optionen"));
}

std::vector<std::string> HandbookFolderCandidates(const std::string& programFolder) {
    if (programFolder.empty()) return {};
    return {programFolder + "/../share/doc/portfolaris/handbuch", programFolder + "/handbuch"};
}

std::string FindHandbookFolder(const std::string& programFolder,
                               const std::function<bool(const std::string&)>& exists) {
    for (const std::string& folder : HandbookFolderCandidates(programFolder))
        if (exists(folder + "/" + std::string(kHandbookStartPage))) return folder;
    return {};
}

HandbookLocation LocateInHandbook(const std::string& folder, std::string_view target) {
    const size_t hash = target.find('#');
    const std::string_view page = target.substr(0, hash);
    HandbookLocation location;
    location.file = folder + "/" + std::string(page.empty() ? kHandbookStartPage : page);
    if (hash != std::string_view::npos) location.fragment = std::string(target.substr(hash + 1));
    return location;
}

}  // namespace pf
