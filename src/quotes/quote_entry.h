#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/form_model.h"
#include "model/date.h"

namespace pf {

class CFolari2Doc;

inline constexpr const char* kQuoteEntryTitle = "Kurse eingeben";
inline constexpr int kQuoteRowsPerPage = 20;
inline constexpr const char* kQuoteSecurityField = "security";
inline constexpr const char* kQuotePriceField = "price";

// "&Wertpapiere": which securities the dialog lists. Securities marked "keine manuelle
// Kurserfassung" are never listed.
enum QuoteEntryFilter : int {
    kAllSecurities = 0,       // "alle Wertpapiere"
    kHeldSecurities = 1,      // "Wertpapiere im Depot": held on the chosen date
    kSelectedSecurities = 2,  // "ausgewählte Wertpapiere": the document's selection list
};
// "&Anzeige" (the row label) and "&Sortieren nach" (the order, case-blind; securities that
// compare equal keep the order of the document's list).
enum QuoteEntryKey : int { kKeyName = 0, kKeyWkn = 1, kKeyIsin = 2 };

// The securities "Kurse eingeben" lists for `date`, in the chosen order.
std::vector<int32_t> QuoteEntrySecurities(const CFolari2Doc& doc, CQRNDatum date, int filter,
                                          int order);

// One row of the page: the security, its label, the price field as the user left it (after
// a rebuild: the stored quote at exactly the date, or empty) and the quote currency's symbol.
struct QuoteEntryRow {
    int32_t securityId = -1;
    std::string label;
    std::string price;
    std::string currency;
};

// Dialog "Kurse eingeben": the quotes of many securities at one date, 20 to a page. Each
// price field acts when it is left (LeavePrice); "Schließen" only ends the dialog, and the
// caller refreshes the views when `changed` is set.
struct QuoteEntryPages {
    CQRNDatum date;
    int filter = kAllSecurities;
    int label = kKeyName;
    int order = kKeyName;

    std::vector<int32_t> securities;  // the whole list, from Rebuild
    int page = 0;                     // 0-based
    std::vector<QuoteEntryRow> rows;  // the rows of `page`, at most 20; the rest are hidden
    int focusRow = -1;                // the row whose field gets the focus on opening
    bool changed = false;             // some field changed the document

    // The dialog at `date`; opened for `securityId`, the page holding it is shown and its row
    // gets the focus (when it is listed).
    static QuoteEntryPages Open(const CFolari2Doc& doc, CQRNDatum date, int32_t securityId = -1);

    // After a change of date, filter, order or label: the list and the rows anew. The page is
    // kept while it exists, else the last page is shown; texts typed and not yet left are lost.
    void Rebuild(const CFolari2Doc& doc);
    int PageCount() const;
    // "Seite %d von %d".
    std::string PageLine() const;
    // The "next" button is the default button while a further page exists.
    bool NextIsDefault() const { return page + 1 < PageCount(); }
    // Wrap-around paging; the rows of the new page are filled from the document.
    void Next(const CFolari2Doc& doc);
    void Previous(const CFolari2Doc& doc);

    // Leaving the price field of `row` (an index into `rows`): an empty text deletes the quote
    // at the date; a price (ParseEntryPrice) inserts it or replaces the one there, and the
    // field shows it formatted; anything else is replaced by the stored quote (or emptied).
    // Each change is one edit of the document. Returns whether the document changed.
    bool LeavePrice(CFolari2Doc& doc, size_t row);

  private:
    void FillRows(const CFolari2Doc& doc);
};

// One quote as a form (the command line's "quote"): `price` empty deletes the quote of
// `date`, otherwise sets it.
struct QuoteForm {
    int32_t securityId = -1;
    CQRNDatum date;
    std::string price;

    // Title "Kurse eingeben":
    //  1. unknown security: "Bitte wählen Sie ein Wertpapier aus!" (security);
    //  2. a price that does not read (sign, more than 7 decimals, other characters): "Bitte
    //     geben Sie einen korrekten Kurs ein!" (price).
    MaybeMessage Check(const CFolari2Doc& doc) const;
    // Sets or deletes the quote in one edit; whether the document changed (false while Check
    // refuses, or when the stored quote already was that).
    bool Apply(CFolari2Doc& doc) const;
};

}  // namespace pf
