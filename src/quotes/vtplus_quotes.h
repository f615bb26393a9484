#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/form_model.h"
#include "model/date.h"
#include "quotes/quote_result_rows.h"
#include "quotes/trend.h"

namespace pf {

class CFolari2Doc;
class DdeClient;
struct CFL2Wertpapier;

// Quotes read from teletext pages through the teletext program's DDE-style service. Names
// go out and answers come back as Windows-1252 bytes; everything here is UTF-8.

inline constexpr std::string_view kVtplusService = "VTPlus";
inline constexpr std::string_view kVtplusSystemTopic = "System";
inline constexpr const char* kVtplusQuotesTitle = "Kurse aus VTPlus";
inline constexpr const char* kVtplusSelectionTitle = "Kursauswahl aus VTPlus";

// Status texts of one security, in the order the query can reach them.
inline constexpr std::string_view kVtplusNoExchange = "kein Datenaustausch mit VTPlus möglich";
inline constexpr std::string_view kVtplusExchangeFailed = "Fehler bei Datenaustausch";
inline constexpr std::string_view kVtplusPageNotFound = "Seite nicht gefunden";
inline constexpr std::string_view kVtplusPageLoading = "Seite noch nicht vollständig geladen";
inline constexpr std::string_view kVtplusWrongControl = "falscher Kontrolltext";
inline constexpr std::string_view kVtplusMissingControl = "fehlender Kontrolltext";
inline constexpr std::string_view kVtplusBadPrice = "fehlerhafter Kurs";
inline constexpr std::string_view kVtplusOkay = "okay";

// The result of querying one security. `price` is meaningful only when `priceRead`.
struct VtplusItem {
    int32_t securityId = -1;
    bool priceRead = false;
    bool controlMatched = false;
    double price = 0.0;
    std::string status;

    bool operator==(const VtplusItem&) const = default;
};

// The securities with teletext import switched on, ordered by name without regard to ASCII
// letter case; equal names keep the order of the document's list.
std::vector<int32_t> VtplusSecurityIds(const CFolari2Doc& doc);

// Queries one security in its own conversation (page = topic):
//  1. nobody answers at all: kVtplusNoExchange;
//  2. a page name that cannot be sent (not Windows-1252, a line break, over 255 bytes):
//     kVtplusExchangeFailed; the page unknown or no answer: kVtplusPageNotFound;
//  3. "Status" other than "Ready" (letter case ignored): kVtplusPageLoading, done;
//  4. with control text and its box both set, the box "S,S,,,B(box)" is read, its carriage
//     returns and line feeds removed and compared with the control text without regard to
//     letter case (Windows-1252 letters, umlauts too): equal sets `controlMatched`, else
//     kVtplusWrongControl; either of the two empty: kVtplusMissingControl;
//  5. the price box is read with ParseQuotePrice (decimal point when
//     vtplusDecimalSeparator is 1, else comma; the other groups); a price that does not
//     read or is not above 0: kVtplusBadPrice, else `priceRead` (the control status stays);
//  6. both flags: kVtplusOkay.
// Any request that fails or cannot be sent ends the query with kVtplusExchangeFailed and
// no price. Nothing here throws or waits longer than the client's time-outs.
VtplusItem QueryVtplusQuote(DdeClient& client, const CFL2Wertpapier& security);

// One item per security of VtplusSecurityIds, each queried on its own.
std::vector<VtplusItem> QueryVtplusQuotes(DdeClient& client, const CFolari2Doc& doc);

// OK: inserts (date, price) for every item whose price was read and whose control text
// matched, or whose price was read at all when `acceptWrongControl`, in one edit (an
// existing quote of that date gets the new price). Returns whether a quote changed; the
// document is marked modified only then.
bool ApplyVtplusQuotes(CFolari2Doc& doc, const std::vector<VtplusItem>& items, CQRNDatum date,
                       bool acceptWrongControl);

// One row of the list "Kurse" (an unread price shows nothing).
using VtplusQuoteRow = QuoteResultRow;

// The rows of `items` (items whose security is gone are left out). The trend compares a
// price read with the security's quote on or before `date` (split-adjusted as seen from
// `date`) and with the alert prices of its open lots after all transactions, as "Kurse aus
// Text" does.
std::vector<VtplusQuoteRow> VtplusQuoteRows(const CFolari2Doc& doc,
                                            const std::vector<VtplusItem>& items, CQRNDatum date,
                                            const TrendThresholds& thresholds);

// Dialog "Kurse aus VTPlus".
class VtplusQuotesForm {
  public:
    CQRNDatum date;                  // "&Datum"
    bool acceptWrongControl = true;  // "&Kurse auch bei falschem oder fehlendem ..."
    TrendThresholds thresholds;
    std::vector<VtplusItem> items;  // of the last query

    // Date today, the box ticked, and the first query.
    static VtplusQuotesForm Open(const CFolari2Doc& doc, DdeClient& client, CQRNDatum today,
                                 const TrendThresholds& thresholds);
    // "&aktualisieren": builds the item list again and queries every security.
    void Refresh(const CFolari2Doc& doc, DdeClient& client);
    std::vector<VtplusQuoteRow> Rows(const CFolari2Doc& doc) const;

    // OK needs no check.
    MaybeMessage Check(const CFolari2Doc&) const { return std::nullopt; }
    // ApplyVtplusQuotes with the form's date and check box.
    bool Apply(CFolari2Doc& doc) const;
};

static_assert(EntryForm<VtplusQuotesForm>);

// ---- Dialog "Kursauswahl aus VTPlus" -------------------------------------------------

// A place in the page text: 0-based row and column.
struct VtplusTextPoint {
    int row = 0;
    int column = 0;

    bool operator==(const VtplusTextPoint&) const = default;
};

// Where `offset` (in characters of `text`, as the text field counts them) lies: the row is
// the number of line feeds before it, the column the number of characters since the last
// of them, carriage returns not counted. For the end of a marked range (`isEnd`) the
// column is one less (the end is inclusive), and a column below 0 becomes 39 on the row
// before. An offset beyond the text counts as its end.
VtplusTextPoint VtplusOffsetToRowColumn(std::string_view text, std::size_t offset, bool isEnd);

// What the security dialog takes over on OK ("Daten für Kursimport aus dem Videotext").
struct VtplusSelection {
    std::string page;
    std::string subpage;
    std::string quotePosition;  // "%d/%d/%d/%d"
    std::string controlText;
    std::string controlPosition;  // "%d/%d/%d/%d"
    int decimalSeparator = 0;     // 0 comma, 1 point

    bool operator==(const VtplusSelection&) const = default;
};

class VtplusSelectionForm {
  public:
    std::vector<std::string> pages;  // "&Seite": the topics except "System"
    int selectedPage = -1;           // index into `pages`; -1 none
    int subpage = 1;                 // "&Unterseite", 1 to 99
    std::string pageText;            // "&Auswahlfeld": the subpage or what went wrong
    std::string quoteShown;          // beside "&Kurs übernehmen"
    std::string controlShown;        // beside "Kontroll&text übernehmen"
    // Handed back on OK; they start as the security dialog has them, so OK without marking
    // keeps them.
    std::string quotePosition;
    std::string controlText;
    std::string controlPosition;
    int decimalSeparator = 0;  // "Dezimaltrennzeichen:" 0 comma, 1 point

    // Subpage 1, the page list, and the first page loaded; without pages the field shows
    // "Keine Seiten gefunden!".
    static VtplusSelectionForm Open(DdeClient& client, const VtplusSelection& current);
    // The texts of "&Unterseite": "1" to "99".
    static std::vector<std::string> SubpageChoices();

    // Choosing a page or subpage loads it: no conversation "Keine Verbindung\nzu VTPlus!";
    // "Status" not "Ready" (or not answered) "Seite ist noch\r\nnicht vollständig\r\n
    // geladen!"; else the whole subpage, and for an empty or failed answer "Seite wurde
    // nicht\r\ngefunden!". An index outside the list, or a subpage outside 1..99, is
    // ignored.
    void SelectPage(DdeClient& client, int index);
    void SelectSubpage(DdeClient& client, int newSubpage);
    // "&Neu laden": the page list is read again (the chosen page stays chosen while it is
    // listed, else the first is) and the page loaded again.
    void Reload(DdeClient& client);

    // "&Kurs übernehmen" with the marked range [start, end) of `pageText` (character
    // offsets). Nothing marked: the message "Bitte wählen Sie zuerst im Auswahlfeld den Kurs
    // für das Wertpapier aus!" (title kVtplusSelectionTitle, focus kVtplusSelectionField).
    // Else the box becomes the price position, the shown text "\"<marked>\" (c1/r1/c2/r2)",
    // and the decimal separator comma when the marked text holds ",", else point.
    MaybeMessage TakeQuote(std::size_t start, std::size_t end);
    // "Kontroll&text übernehmen": the same for the control text's box; the marked text
    // becomes the control text. Nothing marked: "Bitte wählen Sie zuerst im Auswahlfeld den
    // Kontrolltext für das Wertpapier aus!".
    MaybeMessage TakeControlText(std::size_t start, std::size_t end);

    // OK: the chosen page and subpage (the security's own while no page is listed), both
    // positions, the control text and the decimal separator.
    VtplusSelection Result() const;

  private:
    std::string startPage_;
    std::string startSubpage_;
    void LoadTopics(DdeClient& client);
    void Load(DdeClient& client);
};

inline constexpr const char* kVtplusSelectionField = "selection";

}  // namespace pf
