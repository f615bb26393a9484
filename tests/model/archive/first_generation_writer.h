#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "model/date.h"

namespace pf::testing {

// A first-generation portfolio file (".flk") as plain values, written byte by byte from the
// layout in docs/first-generation-files.md (not by the program). Strings are raw
// Windows-1252 bytes; amounts and prices are hundredths.
struct FlkQuote {
    int32_t hundredths = 0;
    CQRNDatum date;
};

struct FlkHistory {
    std::string name;
    std::string wkn;
    std::vector<FlkQuote> quotes;
};

struct FlkTrade {
    CQRNDatum date;
    int32_t price = 0;
    int32_t costs = 0;
    int32_t priceInMark = 0;    // 1 Deutsche Mark, 0 euro
    int32_t accountInMark = 0;  // 1 Deutsche Mark, 0 euro
    std::string text;
};

struct FlkLot {
    std::string name;
    std::string wkn;
    int32_t whole = 0;
    int32_t fraction = 0;  // ten-millionths of a piece
    FlkTrade purchase;
    int32_t state = 0;  // 2 sold
    FlkTrade sale;
};

struct FlkBooking {
    int32_t unused = 0;
    int32_t code = 0;
    int32_t markHundredths = 0;
    int32_t euroHundredths = 0;
    std::string text;
    CQRNDatum date;
};

using FlkObject = std::variant<FlkHistory, FlkLot, FlkBooking>;

struct FlkFile {
    std::string header = "PortfolarisDatei.1.0";
    int32_t protectionActive = 0;
    std::string password;
    std::string depotNumber;
    std::string bankCode;
    std::string holderName;
    std::string holderAddress;
    std::string accountNumber;
    CQRNDatum startDate;
    CQRNDatum switchDate;
    int32_t switchedToEuro = 0;
    int32_t startBalance = 0;
    std::string holdingsTitle = "Depot <DEPOTNUMMER>";
    std::string chartTitle = "<BEZ>";
    int32_t holdingsCommissions = 1;
    int32_t holdingsMerge = 0;
    int32_t percentDecimals = 1;
    int32_t maxPriceDecimals = 2;
    std::vector<FlkObject> objects;
    // Bytes appended after the object list.
    std::string trailing;
    // The object list is written with this schema for every class.
    uint16_t schema = 1;
};

std::string WriteFlk(const FlkFile& file);

}  // namespace pf::testing
