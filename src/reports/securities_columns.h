#pragma once

// The columns and sort keys of the securities list ("Wertpapiere"), listed once for the
// report and for its options page.

#include <cstdint>
#include <string>
#include <vector>

#include "model/document_options.h"
#include "reports/report_table.h"

namespace pf {

// One column of the securities list: its bit in SecuritiesListOptions::columnMask, the name
// the options page lists, its header lines (header2 "" for a one-line header) and its
// alignment (numbers right, texts left).
struct SecuritiesColumn {
    int bit = 0;
    std::string optionName;
    std::string header1;
    std::string header2;
    int alignment = kAlignLeft;
};

// Every column in bit order. Bit 2 is named after the document's ISIN label, bits 10 and 11
// after the captions of the two own categories. The second header line of the price column
// ("Kurs am") is `priceDate`, the report date as the list shows it; the options page may
// leave it empty. Bits 4, 5, 16, 18, 26 and 28 select no column.
std::vector<SecuritiesColumn> SecuritiesColumns(const DocumentOptions& options,
                                                const std::string& priceDate = {});

// The texts of the sort keys, indexed by SecuritiesSortKey: "(keine Sortierung)" first,
// the ISIN label and the own categories' captions from the document.
std::vector<std::string> SecuritiesSortKeyTexts(const DocumentOptions& options);

}  // namespace pf
