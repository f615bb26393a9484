#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/engine_test_util.h"
#include "model/document.h"
#include "reports/report_table.h"

namespace pf::testing {

// The first rows of a position report: the title and the two column-title rows.
inline constexpr int kFirstDataRow = 3;

// The table column of report column `bit` under `mask` (columns appear in bit order).
inline int ColumnOf(int32_t mask, int bit) {
    const uint32_t m = static_cast<uint32_t>(mask);
    EXPECT_NE(m >> bit & 1u, 0u) << "column " << bit << " is not shown";
    return std::popcount(m & ((1u << bit) - 1u));
}

// The index of the first row whose cell in `column` reads `text`, or -1.
inline int RowWith(const ReportTable& table, int column, const std::string& text) {
    for (int r = 0; r < static_cast<int>(table.Rows().size()); ++r)
        if (table.CellText(r, column) == text) return r;
    return -1;
}

inline void SetQuote(CFolari2Doc& doc, int32_t security, CQRNDatum date, double price) {
    doc.FindSecurity(security)->quotes.SetQuote(date, price);
}

}  // namespace pf::testing
