#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/date.h"

namespace pf {

// Option values of the file's settings block and trailer that have no named field yet.
// The file codec fills them in stored order and writes them back unchanged; a slot that a
// document has never read is written as 0, an empty string or an empty list.
struct OptionSlots {
    std::vector<int32_t> ints;
    std::vector<std::string> strings;
    std::vector<double> doubles;
    std::vector<std::vector<int32_t>> intLists;
    std::vector<std::vector<std::string>> stringLists;

    bool operator==(const OptionSlots&) const = default;
};

// Choices of the initial display period ("Darstellungszeitraum zu Beginn").
enum PeriodFromChoice : int32_t {
    kFromFirstTransaction = 0,
    kFromStartOfYear = 1,
    kFromStartOfMonth = 2,
    kFromFixedDay = 3,
};
enum PeriodToChoice : int32_t { kToToday = 0, kToFixedDay = 1 };

// Every option that travels with the document. The file codec maps the settings block and
// the trailer onto these fields in one place (settings_layout.cpp).
struct DocumentOptions {
    // Number entry and display: one character each; an empty thousands separator means
    // "no grouping".
    std::string decimalSeparator = ",";
    std::string thousandsSeparator = ".";
    int32_t splitRoundingDecimals = 2;  // decimals of buy and sell prices after a split

    int32_t periodFromChoice = kFromStartOfYear;
    int32_t periodToChoice = kToToday;
    CQRNDatum periodFromDate;  // the fixed days of the two choices
    CQRNDatum periodToDate;

    std::string earningsYear1;  // years of the two earnings-per-share figures
    std::string earningsYear2;
    std::string ownCategoryCaption1 = "Eigene Kategorie 1";
    std::string ownCategoryCaption2 = "Eigene Kategorie 2";

    // Bit masks of visible report columns; old files are adjusted when read.
    int32_t columnMask1 = 0;
    int32_t columnMask2 = 0;

    // "Datum von letzter Transaktion merken": new transactions start on the last date used.
    int32_t rememberTransactionDate = 0;

    double screenScaleFactor = 1.0;   // 0.8 to 2.5, scales the text of the views
    bool scaleNotYetDetermined = true;  // not stored; cleared by files that store the factor

    // Unnamed values of the settings block and of the trailer, each in stored order.
    OptionSlots settingsSlots;
    OptionSlots trailerSlots;

    bool operator==(const DocumentOptions&) const = default;
};

// The options of a new document created on `today`.
DocumentOptions DefaultOptions(CQRNDatum today);

}  // namespace pf
