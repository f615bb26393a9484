#pragma once

#include <cstdint>
#include <string>

namespace pf {

// What the quote import and the quotes-from-text dialogs remember while a document is open.
// It lives with the open document only and is never written to its file.
struct QuoteDialogMemory {
    // "Kurse importieren" at its last "Schließen": the chosen security's id (-1 for none),
    // the file name and the format description. Below -1: never closed for this document.
    int32_t importSecurity = -2;
    std::string importFile;
    std::string importDescription;

    // "Kurse aus Text" at its last OK: the identification choice (0 WKN, 1 the second
    // identifier, 2 WKN then second identifier, 3 the other way round) and the format's title.
    int textIdentification = 0;
    std::string textFormatTitle;
};

}  // namespace pf
