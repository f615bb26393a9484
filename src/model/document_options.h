#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/date.h"

namespace pf {

// Option values of the file's settings block and trailer that have no named field.
// The file codec fills them in stored order and writes them back unchanged; a slot that a
// document has never read is written as 0, an empty string or an empty list.
struct OptionSlots {
    std::vector<int32_t> ints;
    std::vector<std::string> strings;
    std::vector<double> doubles;
    std::vector<std::vector<int32_t>> intLists;
    std::vector<std::vector<std::string>> stringLists;

    bool operator==(const OptionSlots&) const = default;
};

// Choices of the initial display period ("Darstellungszeitraum zu Beginn").
enum PeriodFromChoice : int32_t {
    kFromFirstTransaction = 0,
    kFromStartOfYear = 1,
    kFromStartOfMonth = 2,
    kFromFixedDay = 3,
};
enum PeriodToChoice : int32_t { kToToday = 0, kToFixedDay = 1 };

// Appearance of the table reports (holdings, realized gains, transactions, account
// movements, securities list): the page "TABELLEN >". Sizes in 0.1 mm.
struct TableAppearance {
    int32_t screenStyle = 3;  // 0 "nur Text", 1 "Gitternetzlinien", 2 "Graustufen", 3 "Farbe"
    int32_t printStyle = 1;
    std::string face = "Arial";
    int32_t outerMargin = 10;            // "Feldabstand": distance from the edge and row spacing
    int32_t columnGap = 30;              // "Spaltenabstand"
    int32_t columnMargin = 10;           // "Spaltenrand"
    int32_t titleFontHeight = 70;        // "Überschrift"
    int32_t columnTitleFontHeight = 40;  // "Spaltentitel"
    int32_t rowFontHeight = 50;          // "Tabellenzeile"
    int32_t repeatTitle = 0;             // "Überschrift auf jeder Seite"
    int32_t repeatColumnTitles = 1;      // "Spaltentitel auf jeder Seite"
    int32_t marginLeft = 150;
    int32_t marginTop = 150;
    int32_t marginRight = 150;
    int32_t marginBottom = 150;
    int32_t percentDecimals = 1;      // "Dezimalstellen für Prozentwerte"
    int32_t maxPriceDecimals = 2;     // "max. Dezimalstellen für Kurse"
    int32_t colourWithDividends = 0;  // "Farbgebung Depotpositionen": 0 G/V ohne, 1 mit Dividende

    bool operator==(const TableAppearance&) const = default;
};

// "G/V p. a. in %".
enum AnnualisationMethod : int32_t { kLinear = 0, kExponential = 1, kContinuous = 2 };
// "Zusatzinfo": the security attribute of the column of bit 4.
enum ExtraInfo : int32_t {
    kSector = 0,
    kCountry = 1,
    kIndex = 2,
    kOwnCategory1 = 3,
    kOwnCategory2 = 4
};

// Bits of the default column masks (bit n = column n of the report's column table).
inline constexpr uint32_t BitsOf(std::initializer_list<int> bits) {
    uint32_t mask = 0;
    for (int b : bits) mask |= 1u << b;
    return mask;
}
inline constexpr uint32_t kDefaultHoldingsColumns =
    BitsOf({0, 1, 5, 6, 7, 8, 10, 11, 14, 15, 16, 18, 19, 22, 23, 25, 27, 28, 29, 30, 31});
inline constexpr uint32_t kDefaultRealizedColumns = BitsOf(
    {0, 1, 5, 6, 7, 8, 9, 10, 11, 14, 15, 16, 17, 18, 20, 21, 22, 23, 25, 27, 28, 29, 30, 31});

// The holdings report ("Depotbestand"). Files written by old versions hold the column
// mask at other bits; the file reader moves them to the current ones.
struct HoldingsReportOptions {
    int32_t columnMask = static_cast<int32_t>(kDefaultHoldingsColumns);
    std::string title = "Depotbestand am <DATUM> - <DEPOTNUMMER> - <INHABER>";
    // -1 stands for the report's default key "Kaufdatum"; the report builder owns the
    // numbering of the keys and maps -1.
    int32_t sortKey = -1;
    int32_t sortDescending = 0;
    int32_t includeCommissions =
        1;                       // "bei Berechnung von Gewinnen/ Verlusten Provisionen einbeziehen"
    int32_t mergePositions = 0;  // "Positionen mit gleichen Wertpapieren zusammenfassen"
    int32_t bracketOldQuotes = 0;  // "nicht tagesaktuelle Kurse in Klammern"
    int32_t currencyId = 0;        // "Werte anzeigen in"
    int32_t annualisation = kExponential;
    int32_t extraInfo = kSector;

    bool operator==(const HoldingsReportOptions&) const = default;
};

// The realized gains and losses report ("Realisierte G+V"); its column mask is adjusted
// for old files like that of the holdings report.
struct RealizedReportOptions {
    int32_t columnMask = static_cast<int32_t>(kDefaultRealizedColumns);
    std::string title =
        "Realisierte Gewinne und Verluste von <STARTDATUM> bis <ENDDATUM> - <DEPOTNUMMER> - "
        "<INHABER>";
    int32_t taxSums = 1;   // "Auswertung nach Steuerpflicht": 0 "ohne", 1 "zusätzliche Summen"
    int32_t sortKey = -1;  // -1: the report's default key "Verkaufdatum", mapped by the builder
    int32_t sortDescending = 0;
    int32_t includeCommissions = 1;
    int32_t mergePositions = 0;
    int32_t currencyId = 0;
    int32_t annualisation = kExponential;
    int32_t extraInfo = kSector;

    bool operator==(const RealizedReportOptions&) const = default;
};

// The appearance of the reports "G/V-Auswertung", "Performanceanalyse" and
// "Renditeberechnung" (page "REPORTE >"); heights and distances in 0.1 mm.
struct ReportsAppearance {
    std::string face = "Arial";
    int32_t columnGap = 30;         // "Spaltenabstand"
    int32_t outerMargin = 10;       // "Feldabstand"
    int32_t title1FontHeight = 70;  // "Überschrift 1"
    int32_t title2FontHeight = 60;  // "Überschrift 2"
    int32_t largeFontHeight = 50;   // "großer Text"
    int32_t smallFontHeight = 40;   // "kleiner Text"
    int32_t marginLeft = 150;
    int32_t marginTop = 150;
    int32_t marginRight = 150;
    int32_t marginBottom = 150;

    bool operator==(const ReportsAppearance&) const = default;
};

// Sort keys of the transactions report, numbered as its options page lists them.
enum TransactionSortKey : int32_t {
    kTransactionsUnsorted = 0,       // "(keine Sortierung)"
    kTransactionsByDate = 1,         // "Datum"
    kTransactionsByExecution = 2,    // "Reihenfolge der Ausführung"
    kTransactionsByEntry = 3,        // "Reihenfolge der Eingabe"
    kTransactionsByType = 4,         // "Transaktionstyp"
    kTransactionsByDescription = 5,  // "Vorgang oder Wertpapier"
    kTransactionsByText = 6,         // "Text"
    kTransactionsByAmount = 7,       // "Betrag"
};

inline constexpr uint32_t kDefaultTransactionColumns = BitsOf({2, 5, 19, 20, 23, 24, 26});
inline constexpr uint32_t kDefaultMovementColumns = BitsOf({2, 5, 8, 11, 17, 24, 25});

// The transactions report ("Transaktionen").
struct TransactionsReportOptions {
    int32_t columnMask = static_cast<int32_t>(kDefaultTransactionColumns);
    std::string title = "Transaktionen von <STARTDATUM> bis <ENDDATUM> - <INHABER>";
    std::array<int32_t, 3> sortKeys = {kTransactionsByExecution, kTransactionsUnsorted,
                                       kTransactionsUnsorted};
    int32_t sortDescending = 0;
    int32_t currencyId = 0;  // "Werte anzeigen in"

    bool operator==(const TransactionsReportOptions&) const = default;
};

// The account-movements report ("Kontobewegungen").
struct MovementsReportOptions {
    int32_t columnMask = static_cast<int32_t>(kDefaultMovementColumns);
    std::string title =
        "Kontobewegungen von <STARTDATUM> bis <ENDDATUM> - <KONTONUMMER> - <INHABER>";
    int32_t endOfDayBalance = 0;  // "Kontostand nur bei der letzten Bewegung jedes Tages anzeigen"
    int32_t currencyId = 0;

    bool operator==(const MovementsReportOptions&) const = default;
};

// The 64-bit item mask of the gain/loss evaluation: everything on except the three
// "ZWISCHENSUMME" lines (bits 14, 23, 29); bits 1, 2 and 31 name no item.
inline constexpr uint64_t GainLossBitsOf(std::initializer_list<int> bits) {
    uint64_t mask = 0;
    for (int b : bits) mask |= uint64_t{1} << b;
    return mask;
}
inline constexpr uint64_t kDefaultGainLossItems =
    GainLossBitsOf({0,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 15, 16, 17,
                    18, 19, 20, 21, 22, 24, 25, 26, 27, 28, 30, 32, 33, 34});

// The gain/loss evaluation ("G/V-Auswertung").
struct GainLossReportOptions {
    uint64_t itemMask = kDefaultGainLossItems;  // stored as two 32-bit words
    std::string title1 = "Gewinn- und Verlustauswertung für <INHABER>";
    std::string title2 =
        "<STARTDATUM>-<ENDDATUM>, Depot-Nr. <DEPOTNUMMER>, Konto-Nr. <KONTONUMMER>";
    int32_t title1Large = 1;  // "gr." (1) or "kl." (0): the title or the subtitle font
    int32_t title2Large = 0;
    int32_t currencyId = 0;            // "Währung"
    int32_t groupByTaxCategory = 1;    // "Aufschlüsselung nach Steuerpflicht"
    int32_t purchaseCostsInPrice = 0;  // on: "Kaufpreis" (with costs), off: "Kaufwert"
    int32_t securityInTexts = 0;       // "Texte um Wertpapierbezeichnung und WKN ergänzen"

    bool operator==(const GainLossReportOptions&) const = default;
};

// The performance analysis ("Performanceanalyse").
struct PerformanceReportOptions {
    std::string title1 = "Performanceanalyse für <INHABER>";
    std::string title2 = "Zeitraum: <STARTDATUM>-<ENDDATUM>";
    int32_t currencyId = 0;
    int32_t purchaseCostsInCapital =
        1;                    // "Kaufprovisionen in investiertes Kapital einbeziehen (MWR)"
    int32_t showPeriods = 1;  // "Performance der Einzelperioden anzeigen (TWR)"
    int32_t periodsEndAtMonthEnd = 0;  // "Einzelperioden enden jeweils am Monatsende (TWR)"

    bool operator==(const PerformanceReportOptions&) const = default;
};

// "Wertpapiere sortieren nach:" of the return calculation.
enum ReturnsOrder : int32_t {
    kReturnsByName = 0,
    kReturnsByWkn = 1,
    kReturnsByRateAscending = 2,
    kReturnsByRateDescending = 3
};

// The return calculation ("Renditeberechnung").
struct ReturnsReportOptions {
    std::string title1 = "Renditeberechnung für <INHABER>";
    std::string title2 = "Zeitraum: <STARTDATUM>-<ENDDATUM>";
    int32_t currencyId = 0;
    int32_t withoutTaxes = 0;        // "ohne Berücksichtigung von Steuern"
    int32_t showPayments = 1;        // "Zahlungsströme anzeigen"
    int32_t paymentsInNegative = 0;  // "Einzahlungen mit negativem Vorzeichen"
    int32_t order = kReturnsByRateDescending;

    bool operator==(const ReturnsReportOptions&) const = default;
};

// The appearance of the development and quotes tables (page "LISTEN >"); sizes in 0.1 mm.
struct ListsAppearance {
    int32_t screenStyle = 3;  // as TableAppearance
    int32_t printStyle = 1;
    std::string face = "Arial";
    int32_t outerMargin = 10;  // "Feldabstand": distance from the edge, between columns and rows
    int32_t normalFontHeight = 40;       // "normaler Text"
    int32_t columnTitleFontHeight = 40;  // "Spaltentitel"
    int32_t verticalFontHeight = 40;     // "vertikaler Text"
    int32_t dateColumnEveryPage = 1;     // "Datumsspalte auf jeder Seite"
    int32_t marginLeft = 150;
    int32_t marginTop = 150;
    int32_t marginRight = 150;
    int32_t marginBottom = 150;
    int32_t repeatColumnTitles = 1;     // "Spaltentitel auf jeder Seite"
    int32_t priceDecimals = 2;          // "Dezimalstellen für Kurse"
    int32_t percentDecimals = 1;        // "Dezimalstellen für Prozentwerte"
    int32_t repeatVerticalTexts = 1;    // "Vertik. Texte wiederholen"
    int32_t verticalTextDistance = 40;  // "Abstand": day rows from one repetition to the next

    bool operator==(const ListsAppearance&) const = default;
};

// Items of the development table: bit n is item n of its option list; a sub-item only
// shows while its group's item (bits 0, 8, 16, 20) is on.
inline constexpr uint32_t kDefaultDevelopmentItems =
    BitsOf({0, 4, 8, 10, 11, 12, 13, 16, 18, 20, 22, 23, 24, 25});

// "Sortieren nach:" of the development table's position columns.
enum DevelopmentSortKey : int32_t {
    kDevelopmentByName = 0,
    kDevelopmentByWkn = 1,
    kDevelopmentByPurchaseDate = 2
};

// The development table ("Depotentwicklung").
struct DevelopmentReportOptions {
    int32_t itemMask = static_cast<int32_t>(kDefaultDevelopmentItems);
    std::string positionText = "<BEZEICHNUNG>";  // "Text:" of the position text column
    int32_t depotCurrencyId = 0;                 // "Depot:"
    int32_t accountCurrencyId = 0;               // "Konto:"
    int32_t assetsCurrencyId = 0;                // "Vermögen:"
    int32_t sortKey = kDevelopmentByName;
    int32_t columnPerLot = 0;  // "eigene Spalte für jede Position"
    int32_t equalWidths = 0;   // "gleiche Breite für alle Spalten"
    int32_t includeCommissions = 1;
    // "Bereinigung um Kapitaleinlagen und -entnahmen:" of the account balance and of the
    // assets, relative to the start (0) or the end date (1).
    int32_t correctAccount = 0;
    int32_t correctAssets = 0;
    int32_t correctionRelativeToEnd = 0;

    bool operator==(const DevelopmentReportOptions&) const = default;
};

// "Kurse anzeigen für:" of the quotes table.
enum QuotesFilter : int32_t {
    kQuotesOfAllSecurities = 0,
    kQuotesOfSecuritiesWithQuotes = 1,  // a stored quote within the period
    kQuotesOfChosenSecurities = 2,      // ticked in the page's list (CFL2Wertpapier::aux1)
};
// "Sortieren nach:" of the quotes table.
enum QuotesSortKey : int32_t { kQuotesByName = 0, kQuotesByWkn = 1, kQuotesByIsin = 2 };
// "Behandlung von Splits": how each shown price follows the splits.
enum SplitHandling : int32_t {
    kSplitsNotAdjusted = 0,        // as quoted at the time
    kSplitsAdjustedBeforeEnd = 1,  // splits up to the period's end
    kSplitsFullyAdjusted = 2,      // every split
    kSplitsAsStored = 3,           // the stored value
};

// The quotes table ("Kurse").
struct QuotesTableOptions {
    int32_t filter = kQuotesOfAllSecurities;
    std::string titleTemplate = "<BEZEICHNUNG> (<KURSWAEHRUNG>)";  // "Text:" of a column
    int32_t sortKey = kQuotesByName;
    int32_t equalWidths = 0;
    int32_t splitHandling = kSplitsAdjustedBeforeEnd;

    bool operator==(const QuotesTableOptions&) const = default;
};

// Depot analysis and distribution (page "DEPOTANALYSE/-VERTEILUNG"); sizes in 0.1 mm.
struct AnalysisOptions {
    std::string face = "Arial";
    int32_t fontHeight = 40;         // "Schriftgröße (Zeilenhöhe)"
    int32_t outerMargin = 20;        // "Rand"
    int32_t textSpacing = 10;        // "Textabstand"
    int32_t columnWidth = 250;       // "Spaltenbreite"
    int32_t firstColumnWidth = 450;  // "Breite erste Spalte"
    int32_t marginLeft = 150;
    int32_t marginTop = 150;
    int32_t marginRight = 150;
    int32_t marginBottom = 150;
    int32_t sortKey = -1;  // the holdings' keys; -1 their default "Kaufdatum"
    int32_t sortDescending = 0;
    int32_t includeCommissions = 1;
    int32_t includeDividends = 0;  // the gain/loss rows " inkl. Div."
    int32_t mergePositions = 0;
    int32_t priceDecimals = 2;    // "Dezimalstellen für Kurse"
    int32_t percentDecimals = 1;  // "Dezimalst. f. Prozentwerte"
    int32_t currencyId = 0;       // "Währung"
    int32_t stopTarget = 1;       // "Stopp- und Zielkursauswertung"

    bool operator==(const AnalysisOptions&) const = default;
};

// Sort keys of the securities list, numbered as its options page lists them.
enum SecuritiesSortKey : int32_t {
    kSecuritiesUnsorted = 0,  // "(keine Sortierung)"
    kSecuritiesByName,
    kSecuritiesByWkn,
    kSecuritiesByIsin,
    kSecuritiesByCurrency,
    kSecuritiesByType,
    kSecuritiesBySector,
    kSecuritiesByCountry,
    kSecuritiesByIndex,
    kSecuritiesByCategory1,
    kSecuritiesByCategory2,
    kSecuritiesByHalfIncome,
    kSecuritiesByPrice,
    kSecuritiesByPriceEarnings1,
    kSecuritiesByPriceEarnings2,
    kSecuritiesByDividendYield,
    kSecuritiesByPriceCashFlow,
    kSecuritiesByDrawdown,
    kSecuritiesByPieces,
    kSecuritiesByQuoteCount,
    kSecuritiesByTeletextImport,
    kSecuritiesByInternetImport,
    kSecuritiesByRemarks,
};

inline constexpr uint32_t kDefaultSecuritiesColumns =
    BitsOf({0, 1, 2, 3, 6, 7, 8, 9, 12, 13, 14, 15, 17, 19, 20, 21, 22, 23, 24, 25, 27, 29, 30});

// The securities list ("Wertpapiere").
struct SecuritiesListOptions {
    int32_t columnMask = static_cast<int32_t>(kDefaultSecuritiesColumns);
    std::string title = "Wertpapiere am <DATUM>";
    std::array<int32_t, 3> sortKeys = {kSecuritiesUnsorted, kSecuritiesUnsorted,
                                       kSecuritiesUnsorted};
    int32_t sortDescending = 0;
    int32_t useLastPrice = 1;  // "letzten Kurs verwenden"
    int32_t onlyInDepot = 0;   // "nur Wertpapiere im Depot"

    bool operator==(const SecuritiesListOptions&) const = default;
};

// Appearance shared by the charts and diagrams (page "DIAGRAMME >"); sizes in 0.1 mm as
// printed, scaled by the screen factor on the screen.
struct DiagramsAppearance {
    std::string face = "Arial";
    int32_t width = 1700;  // of the drawing, without the border
    int32_t height = 1000;
    int32_t border = 50;           // around the drawing
    int32_t innerMargin = 10;      // between texts and their frames
    int32_t labelFontHeight = 35;  // axis labels and legend
    int32_t titleFontHeight = 50;

    bool operator==(const DiagramsAppearance&) const = default;
};

// Colours are stored palette-relative, 0x02BBGGRR, as the drawing's Colour values.
constexpr int32_t StoredColour(int r, int g, int b) {
    return static_cast<int32_t>(0x02000000u | static_cast<uint32_t>(b & 0xFF) << 16 |
                                static_cast<uint32_t>(g & 0xFF) << 8 |
                                static_cast<uint32_t>(r & 0xFF));
}

// One moving average of the chart ("GD" with its period).
struct MovingAverageOptions {
    int32_t enabled = 0;
    int32_t period = 100;  // entries of the quote history ("Tage")
    int32_t width = 0;     // line width, 0.1 mm; 0 is the thinnest line
    int32_t colour = StoredColour(255, 0, 0);

    bool operator==(const MovingAverageOptions&) const = default;
};

// The security chart (page "Charts").
struct ChartOptions {
    std::string title = "<BEZEICHNUNG> (<WKN>)";
    int32_t lineWidth = 3;  // price line, 0.1 mm
    int32_t lineColour = StoredColour(0, 0, 160);
    std::array<MovingAverageOptions, 3> averages = {
        MovingAverageOptions{1, 38, 0, StoredColour(255, 128, 0)},
        MovingAverageOptions{1, 100, 0, StoredColour(255, 0, 0)},
        MovingAverageOptions{0, 200, 0, StoredColour(128, 0, 128)}};
    int32_t markers = 1;  // "Tage markieren": buys and sales
    int32_t markerWidth = 0;
    int32_t buyColour = StoredColour(0, 240, 0);
    int32_t sellColour = StoredColour(240, 0, 0);
    int32_t splitHandling = kSplitsAdjustedBeforeEnd;

    bool operator==(const ChartOptions&) const = default;
};

// The development and positions diagrams (page "Depotentw./Wertp.").
struct DiagramOptions {
    std::string developmentTitle = "<STANDARDTITEL> - <INHABER>";
    std::string positionsTitle = "<STANDARDTITEL> - <BEZEICHNUNGEN>";
    int32_t developmentLineWidth = 3;
    int32_t developmentLineColour = StoredColour(0, 0, 160);
    int32_t positionsLineWidth = 3;
    int32_t positionsLineColour = StoredColour(0, 128, 0);
    int32_t currencyId = 0;  // the report currency of both diagrams
    // Purchases with their costs as invested capital, sales with their net proceeds.
    int32_t includeCommissions = 1;
    // The account balance (measures 0 to 7) and the assets (8 to 14) net of the capital paid
    // in or withdrawn during the period, measured from its start or from its end.
    int32_t correctAccount = 0;
    int32_t correctAssets = 0;
    int32_t correctionRelativeToEnd = 0;

    bool operator==(const DiagramOptions&) const = default;
};

// Match modes of the transaction filter's text conditions.
enum FilterTextMatch : int32_t { kTextEquals = 0, kTextContains = 1, kTextStartsWith = 2 };

// A text condition of the transaction filter: "Text" with its match mode.
struct FilterText {
    int32_t active = 0;
    int32_t match = kTextEquals;
    std::string text;

    bool operator==(const FilterText&) const = default;
};

// An amount condition of the transaction filter: "Betrag von/bis", both bounds inclusive,
// in the currency `currencyId`.
struct FilterAmount {
    int32_t active = 0;
    double from = 0.0;
    double to = 0.0;
    int32_t currencyId = 0;

    bool operator==(const FilterAmount&) const = default;
};

// The settings of the dialog "Transaktionsfilter": which transactions and account movements
// the transaction reports show while their filter switch is on. Flags are 0 or 1. The
// selected securities are DocumentOptions::selectedSecurityIds. A new document shows
// everything and has no condition.
struct TransactionFilter {
    // Purchases and sales.
    int32_t showPurchases = 1;
    int32_t showSales = 1;
    int32_t tradesOnlySelected = 0;  // "nur ausgewählte Wertpapiere"
    FilterText tradesText;
    FilterAmount tradesAmount;
    // Account movements.
    int32_t showMovements = 1;
    int32_t movementsOnlySelected = 0;
    int32_t movementsOnlySelectedKinds = 0;  // "nur ausgewählte Vorgänge"
    std::vector<int32_t> movementKindIds;    // the ticked account movement kinds
    FilterText movementsText;
    FilterAmount movementsAmount;
    // Splits and exchanges.
    int32_t showSplits = 1;
    int32_t showExchanges = 1;
    int32_t corporateOnlySelected = 0;
    FilterText corporateText;

    bool operator==(const TransactionFilter&) const = default;
};

// Quotes from web pages and the trend icons of the quote dialogs.
struct InternetQuoteOptions {
    // Which "Kurse aus Internet" dialog opens: nonzero the fast one that fetches the pages
    // itself, 0 the one that shows each page in a browser. Each dialog switches it for the
    // next time.
    int32_t fastFetch = 1;
    // The trend thresholds in percent: above 1 + strongRise/100 a strong rise, above
    // 1 + rise/100 a rise, below 1 + strongFall/100 a strong fall, below 1 + fall/100 a fall,
    // else unchanged. rise and fall bound the unchanged band of the holdings' HTML page too.
    double trendStrongRise = 1.0;
    double trendRise = 0.0;
    double trendStrongFall = -1.0;
    double trendFall = 0.0;

    bool operator==(const InternetQuoteOptions&) const = default;
};

// The holdings' HTML page ("HTML-Ansicht konfigurieren"). Its trend arrows use the trend
// thresholds of InternetQuoteOptions: fall and rise bound the unchanged band.
enum HtmlSecurityData : int32_t {
    kHtmlWknType = 0,   // "WKN, Typ"
    kHtmlWknIsin = 1,   // WKN and the second identifier
    kHtmlIsinType = 2,  // the second identifier and the type
};
struct HtmlPageOptions {
    int32_t securityData = kHtmlWknType;  // shown under the security's name
    int32_t buyPriceBesidePieces = 0;     // "Kaufkurs neben Stückzahl"
    int32_t targetStopColumn = 1;         // "Spalte mit Ziel- und Stoppkurs"
    int32_t potentialRiskColumn = 1;      // "Spalte mit Potential und Risiko"
    int32_t dividendColumns = 0;          // "Spalten für G/V inkl. Dividende"
    // CSS sizes of the classes sehrgrossfett, grossfett, normal and small, separated by
    // ";"; a missing entry counts as "10pt".
    std::string fontSizes = "12pt;10pt;8pt;8pt";
    int32_t userFile = 0;  // "Benutzerdefinierter Dateiname"
    std::string userFileName;

    bool operator==(const HtmlPageOptions&) const = default;
};

// Every option that travels with the document. The file codec maps the settings block and
// the trailer onto these fields in one place (settings_layout.cpp).
struct DocumentOptions {
    // Number entry and display: one character each; an empty thousands separator means
    // "no grouping".
    std::string decimalSeparator = ",";
    std::string thousandsSeparator = ".";
    int32_t splitRoundingDecimals = 2;  // decimals of buy and sell prices after a split

    int32_t periodFromChoice = kFromStartOfYear;
    int32_t periodToChoice = kToToday;
    CQRNDatum periodFromDate;  // the fixed days of the two choices
    CQRNDatum periodToDate;

    std::string earningsYear1;  // years of the two earnings-per-share figures
    std::string earningsYear2;
    std::string ownCategoryCaption1 = "Eigene Kategorie 1";
    std::string ownCategoryCaption2 = "Eigene Kategorie 2";

    // Report options. A file whose version lacks an option's slot leaves it at the default
    // given here.
    TableAppearance tables;
    HoldingsReportOptions holdings;
    RealizedReportOptions realized;
    TransactionsReportOptions transactions;
    MovementsReportOptions movements;
    ReportsAppearance reports;  // "REPORTE >"
    GainLossReportOptions gainLoss;
    PerformanceReportOptions performance;
    ReturnsReportOptions returns;
    ListsAppearance lists;  // "LISTEN >"
    DevelopmentReportOptions development;
    QuotesTableOptions quotes;
    AnalysisOptions analysis;  // depot analysis and distribution
    SecuritiesListOptions securitiesList;
    DiagramsAppearance diagramsAppearance;  // "DIAGRAMME >"
    DiagramOptions diagrams;
    ChartOptions chart;
    std::string isinLabel = "ISIN/Kürzel";  // caption of the second identifier column
    // Ids of the securities ticked in the transaction filter's list; the realized report's
    // security filter and the filter's "nur ausgewählte Wertpapiere" use them.
    std::vector<int32_t> selectedSecurityIds;
    TransactionFilter transactionFilter;

    // "Datum von letzter Transaktion merken": new transactions start on the last date used.
    int32_t rememberTransactionDate = 0;

    InternetQuoteOptions internetQuotes;
    HtmlPageOptions htmlPage;

    double screenScaleFactor = 1.0;     // 0.8 to 2.5, scales the text of the views
    bool scaleNotYetDetermined = true;  // not stored; cleared by files that store the factor

    // Unnamed values of the settings block and of the trailer, each in stored order.
    OptionSlots settingsSlots;
    OptionSlots trailerSlots;

    bool operator==(const DocumentOptions&) const = default;
};

// The options of a new document created on `today`.
DocumentOptions DefaultOptions(CQRNDatum today);

}  // namespace pf
