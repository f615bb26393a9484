#pragma once

#include "model/document.h"

namespace pf::testing {

CQRNDatum Day(unsigned day, unsigned month, unsigned year);

// A document in which every record type, every counter and every option slot holds a
// value of its own (not a default), with texts that need all three string length forms
// and characters beyond ASCII. It is normalised by one save and load, so that it equals
// what a reader makes of it.
CFolari2Doc MakeFullDocument();

// A document with `quotes` quotes in one security's history, on the raw day numbers 1, 2, ...
// (beyond the valid range when there are more than 24854).
CFolari2Doc MakeDocumentWithQuotes(size_t quotes);

}  // namespace pf::testing
