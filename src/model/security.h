#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/quote.h"
#include "model/rounding.h"

namespace pf {

// A stock split known to a security; derived from the split transactions, never stored.
struct CFL2SplitInfo {
    CQRNDatum date;
    int32_t permanent = 0;  // the quotes before `date` were divided once and for all
    double ratio = 1.0;     // new pieces / old pieces

    bool operator==(const CFL2SplitInfo&) const = default;
};

// Bits of CFL2Wertpapier::figuresSet: which key figures were entered.
enum FigureBits : int32_t {
    kFigureEarnings1 = 1 << 0,
    kFigureEarnings2 = 1 << 1,
    kFigureDividend = 1 << 2,
    kFigureCashFlow = 1 << 3,
};

// A security with its quote history. Fields appear in the order in which they are stored.
struct CFL2Wertpapier {
    static constexpr int kSchema = 11;

    std::string name;  // non-empty, unique in the document
    std::string isin;  // ISIN or ticker symbol, may be empty
    std::string wkn;   // non-empty, unique in the document
    int32_t id = -1;
    int32_t quoteCurrencyId = 0;
    int32_t vtplusImport = 0;
    std::string vtplusControlText;
    std::string vtplusQuotePosition;
    std::string vtplusPage;
    std::string vtplusControlText2;
    std::string vtplusSubpage;
    int32_t vtplusDecimalSeparator = 0;  // 0 comma, 1 point
    int32_t aux1 = 0;                    // 1: ticked for the quotes table ("folgende Wertpapiere")
    std::string aux2;
    int32_t creationKind = 1;  // 1 security dialog, 2 conversion of a first-generation file
    int32_t aux3 = 0;
    int32_t aux5 = 0;  // from schema 5
    int32_t aux4 = 0;  // from schema 6
    // from schema 7
    std::string type;
    std::string sector;
    std::string country;
    std::string index;
    double earnings1 = 0.0;
    double earnings2 = 0.0;
    double dividend = 0.0;
    double cashFlow = 0.0;
    int32_t figuresSet = 0;  // FigureBits
    // from schema 8
    int32_t noManualQuotes = 0;
    int32_t noChart = 0;
    // from schema 9
    int32_t internetImport = 0;
    std::string internetUrl;
    std::string internetTextBeforeQuote;
    int32_t internetDecimalSeparator = 0;
    // from schema 10
    int32_t halfIncomeProcedure = 0;
    // from schema 11
    std::string category1;
    std::string category2;
    std::string remarks;

    QuoteHistory quotes;

    // Derived at run time from the split transactions; not stored.
    std::vector<CFL2SplitInfo> splits;

    void ClearSplits() { splits.clear(); }
    void AddSplit(CQRNDatum date, int32_t permanent, double ratio) {
        splits.push_back({date, permanent, ratio});
    }

    // Adjusts a quote from `quoteDate` for the splits between it and `viewDate`; a changed
    // value is rounded to 7 decimals.
    double SplitAdjust(double value, CQRNDatum quoteDate, CQRNDatum viewDate) const;

    // The quote on `date`, else the latest before it (0.0 if none), split-adjusted as seen
    // from `viewDate`. The adjustment uses the date of the quote actually found, so a quote
    // from before a split is scaled even when the requested date lies after the split.
    double PriceAt(CQRNDatum date, CQRNDatum viewDate) const;

    // 1 and the split-adjusted quote if a quote exists on exactly `date`, else 0.
    int ExactPriceAt(CQRNDatum date, CQRNDatum viewDate, double& value) const;

    bool operator==(const CFL2Wertpapier&) const = default;
};

}  // namespace pf
