#pragma once

// What the transactions report and the account-movements report share: conversion of a
// booking's values into the report currency, the start of their tables and the texts of
// their cells.

#include <cstdint>
#include <string>
#include <vector>

#include "model/date.h"
#include "model/document_options.h"
#include "model/rounding.h"
#include "reports/position_columns.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;

// Whether a conversion at `date` has the rate it needs from or into `currency`: a fixed-rate
// currency (and the base currency) needs none, a currency with variable rate one dated on or
// before `date`. A missing currency counts as having one; the conversion gives 0 for it.
bool HasConversionRate(const CFolari2Doc& doc, int32_t currency, CQRNDatum date);

// `amount` in currency `from` converted into `to` with the rates of `date`, rounded to 2
// decimals: unchanged (only rounded) when the currencies are equal, and 0 when either
// currency has variable rate and no rate on or before `date`, or is missing.
Amount AmountAtDate(const CFolari2Doc& doc, Amount amount, int32_t from, int32_t to,
                    CQRNDatum date);

// The title template with <STARTDATUM>, <ENDDATUM>, <DEPOTNUMMER>, <KONTONUMMER> and
// <INHABER> replaced.
std::string ListTitle(const CFolari2Doc& doc, const std::string& titleTemplate, CQRNDatum from,
                      CQRNDatum to);

// A column of a list report: its bit in the column mask, its two header lines and its
// alignment. The cells are written by the report itself.
ReportColumn ListColumn(int bit, std::string header1, std::string header2 = {},
                        int alignment = kAlignLeft);

// "in " + the report currency's name, the second header line of the converted columns.
std::string InCurrencyHeader(const CFolari2Doc& doc, int32_t currencyId);

// Money amounts with 2 decimals, and prices with 2 to max(2, maxDecimals) decimals, with the
// document's separators.
std::string ListAmountText(double amount, const DocumentOptions& options);
std::string ListPriceText(double price, int maxDecimals, const DocumentOptions& options);

// Colours of a data row: list A the zebra greys, list B `odd` or `even` by the row's place
// (index 0 is the first data row, an odd row).
RowStyle ListRowStyle(int index, Colour odd, Colour even);

}  // namespace pf
