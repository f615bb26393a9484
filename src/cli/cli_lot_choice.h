#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "cli/cli_support.h"
#include "engine/holdings.h"

namespace pf::cli {

// One entry of --lots POS:PIECES,...: the lot's position number as `lots` prints it and the
// pieces as typed, read with the document's number format once the file is loaded.
struct LotEntry {
    int32_t positionNo = -1;
    std::string pieces;
};

// Reads --lots (it may be given more than once; the entries add up). Entries are separated
// by ","; a part without ":" continues the pieces of the entry before it, so that "1:2,5,3:4"
// reads as 2,5 pieces of lot 1 and 4 of lot 3 in a file with the decimal comma. False after
// a usage message (no ":", a position that is not a whole number, a position named twice).
bool LotsOption(const Context& c, std::vector<LotEntry>& out);

// The pieces per position number for the form, checked against `lots` (the lots the dialog
// lists for the chosen security): pieces that are no quantity get the message of the
// dialog's walk ("Bitte geben Sie eine korrekte Stückzahl ein!"); a position that is not
// listed, or more pieces than the lot holds, get a message of their own, since the walk
// cannot offer either. Returns 0, or exit code 1 after the message.
int ReadLotChoice(const Context& c, const CFolari2Doc& doc, const std::vector<LotEntry>& entries,
                  const PositionList& lots, std::map<int32_t, Quantity>& out);

// After the form accepted: whether the lots it selected (`selected`, with selectedQuantity)
// are exactly the pieces chosen with --lots (a lot without an entry takes nothing). The
// dialog's selection cuts the chosen pieces to the quantity entered and takes a single lot
// as a whole; a command line has nobody who sees that, so a difference is refused with the
// sum of the chosen pieces against `quantity` (what the form selected in total) and
// `purpose` ("verkauft", "umgetauscht", "zugeordnet"). Returns 0, or exit code 1.
int CheckLotChoiceTaken(const Context& c, const CFolari2Doc& doc, const PositionList& selected,
                        const std::map<int32_t, Quantity>& chosen, const std::string& purpose);

}  // namespace pf::cli
