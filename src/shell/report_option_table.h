#pragma once

// Every report option of a document under a stable name, with the kind and range its option
// page allows: what `portfolaris-cli options` lists and changes. The names follow the
// options' groups ("holdings.title", "tables.row-font", "gain-loss.items", ...).
#include <cstdint>
#include <string>
#include <vector>

#include "engine/message.h"

namespace pf {

class CFolari2Doc;
struct DocumentOptions;

enum class ReportOptionKind {
    Number,    // an integer within [min, max]
    Switch,    // 0 or 1
    Text,      // any text the file can store
    Currency,  // a currency of the document, given and shown by its symbol
    Mask,      // a 32-bit column mask, shown as 0x hex
    WideMask,  // the 64-bit item mask of the gain/loss evaluation, shown as 0x hex
    Colour,    // a stored colour 0x02BBGGRR, given and shown as "#RRGGBB"
};

struct ReportOptionEntry {
    const char* name;
    ReportOptionKind kind;
    int32_t min = 0;  // for Number
    int32_t max = 0;
    int32_t* (*number)(DocumentOptions&) = nullptr;  // Number, Switch, Currency, Mask
    std::string* (*text)(DocumentOptions&) = nullptr;
    uint64_t* (*wide)(DocumentOptions&) = nullptr;
};

// The options in page order: "TABELLEN >", "Depotbestand", "Realisierte G+V",
// "Transaktionen", "Kontobewegungen", "REPORTE >", "G/V-Auswertung", "Performance/Rendite",
// then "Wertpapiere", "LISTEN >", "Depotentwicklung", "Kurse", "DEPOTANALYSE/-VERTEILUNG",
// "DIAGRAMME >" ("diagrams-look.*"), "Depotentw./Wertp." ("diagrams.*"), "Charts" ("chart.*";
// the moving averages as "chart.average1.*" to "chart.average3.*").
const std::vector<ReportOptionEntry>& ReportOptionEntries();

// The option's value as the command line shows it.
std::string ReportOptionValue(const CFolari2Doc& doc, const ReportOptionEntry& entry);

// Sets option `name` from `value` in one document edit; a refusal (title "Optionen") for an
// unknown name, a value that is no number or outside the option's range, an unknown
// currency symbol, a colour that is not "#RRGGBB" or text the file cannot store, and then
// nothing changes.
MaybeMessage SetReportOption(CFolari2Doc& doc, const std::string& name, const std::string& value);

}  // namespace pf
