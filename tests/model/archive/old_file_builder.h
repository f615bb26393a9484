#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/document.h"

namespace pf::testing {

// A portfolio file of any format version, written by hand from the published layout (not by
// the program's writer), together with the document the reader is expected to make of it.
struct OldFile {
    std::string bytes;
    CFolari2Doc expected;  // holds what the reader must produce, options and records alike
};

inline constexpr unsigned kOldFileToday[3] = {15, 6, 2022};  // the day the reader is told

// `securitySchema` and `currencySchema` are the schemas stored for those classes.
OldFile BuildOldFile(uint32_t version, int securitySchema = 11, int currencySchema = 2);

class ByteBuilder;
// A current-version file whose object lists (all eight of them) `collections` writes;
// `expected` holds only the options and counters.
OldFile BuildFileWithCollections(const std::function<void(ByteBuilder&)>& collections);

}  // namespace pf::testing
