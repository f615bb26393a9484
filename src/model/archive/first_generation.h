#pragma once

#include <string>

#include "model/account_records.h"
#include "model/date.h"

namespace pf {

class ArchiveReader;
class CFolari2Doc;

// What the conversion of a first-generation file could not take over.
struct FirstGenerationImport {
    int skippedLots = 0;      // lots whose share has no quote history (by name and WKN)
    int unknownBookings = 0;  // account transactions with a code above 10 outside the table
    bool operator==(const FirstGenerationImport&) const = default;
};

// Reads the rest of a first-generation file (everything after the header string and the
// password record, see docs/first-generation-files.md) and builds `doc` from it as a new
// portfolio that keeps `password`, marked modified. `today` gives the defaults of the
// options the old file does not hold. Throws ArchiveError: data that ends early, an object
// of another class or schema, a quantity or date out of range; `doc` is then unspecified.
void ConvertFirstGeneration(ArchiveReader& io, const CQRNKennwort& password, CQRNDatum today,
                            CFolari2Doc& doc, FirstGenerationImport& import);

// The information shown after a converted file was opened; empty when everything was
// taken over.
std::string FirstGenerationImportMessage(const FirstGenerationImport& import);

}  // namespace pf
