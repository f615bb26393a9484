#pragma once

// What the three statements of the "REPORTE >" group (gain/loss evaluation, performance
// analysis, return calculation) share: a text-only table in the group's appearance, its four
// fonts, white rows, and titles with the period's placeholders.
#include <memory>
#include <string>

#include "model/date.h"
#include "reports/report_table.h"

namespace pf {

class CFolari2Doc;

struct StatementTable {
    std::unique_ptr<ReportTable> table;
    int rowFont = 0;  // "großer Text"
    int titleFont = 0;
    int subtitleFont = 0;
    int smallFont = 0;
    int gap = 0;  // "Feldabstand": the spacing before a new block
};

// A table of `columns` columns in the document's "REPORTE >" appearance, drawn and printed
// as "nur Text", column margin 0.
StatementTable StartStatementTable(const CFolari2Doc& doc, int columns);

// A white row (both colour lists) in `font` with `spacingBefore`.
RowStyle WhiteRow(int font, int spacingBefore);

// `text` with <STARTDATUM>, <ENDDATUM>, <DEPOTNUMMER>, <KONTONUMMER>, <BANKLEITZAHL> and
// <INHABER> replaced.
std::string StatementTitle(const CFolari2Doc& doc, std::string text, CQRNDatum from, CQRNDatum to);

// Adds the non-empty titles (title and subtitle font, spanning `span` columns); whether any
// was added.
bool AddStatementTitles(StatementTable& t, const std::string& title1, const std::string& title2,
                        int span);

}  // namespace pf
