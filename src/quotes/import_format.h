#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "model/quote.h"

namespace pf {

// The outcome of reading a quote file with a format description.
struct ImportScan {
    // The quotes found, ascending by date, one per date: of several lines with one date the
    // later line's price wins. Records whose price is 0 or unreadable are not in it.
    std::vector<CFL2Kurs> quotes;

    // The description is faulty ("Fehler in der Formatbeschreibung!"). The quotes found
    // before the faulty token stay in `quotes`, but the dialog offers none of them.
    bool faulty = false;
    // Description bytes consumed when the fault was found: the dialog selects the
    // description from here to its end.
    size_t errorPosition = 0;

    // The text stopped matching the description before its end (a literal that differed, an
    // invalid date, a field whose terminator never came, such as a last line without its
    // line feed). Not set when only blanks and line ends were left.
    bool stoppedEarly = false;
    size_t stopOffset = 0;  // byte offset in the text where matching stopped
    int stopLine = 0;       // its line, from 1
    // It stopped in the file's last line, which has no line feed: a price field that ends
    // the line ("<KURS> <NZ>") never meets its terminator there, so that line's quote is lost.
    bool inLastLineWithoutLineFeed = false;
};

// Called with the share of the text read so far, 0 to 100, each time it changes.
using ImportProgress = std::function<void(int percent)>;

// Matches `text` (the raw bytes of the file) against `description` in one pass, parsing the
// description while it is matched.
ImportScan ScanQuoteText(std::string_view text, std::string_view description,
                         const ImportProgress& progress = {});

}  // namespace pf
