#include "quotes/import_date.h"

#include <gtest/gtest.h>

#include <string>

namespace pf {
namespace {

TEST(ImportDate, ReadsTheDatesOfQuoteFiles) {
    struct Case {
        const char* text;
        bool yearFirst;
        unsigned day, month, year;  // 0 for a text that is no date
    };
    const Case cases[] = {
        {"05.03.2011", false, 5, 3, 2011},
        {"5-3-11", false, 5, 3, 2011},
        {"05/03/37", false, 5, 3, 2037},
        {"05,03,99", false, 5, 3, 1999},
        {"2011-03-05", true, 5, 3, 2011},
        {"11/3/5", true, 5, 3, 2011},
        // Month names by their letters, in any case; digits after the name do not count.
        {"05.Mär.2011", false, 5, 3, 2011},
        {"05-Mrz-2011", false, 5, 3, 2011},
        {"05-mar-11", false, 5, 3, 2011},
        {"1-MAY-2011", false, 1, 5, 2011},
        {"1-Mai-2011", false, 1, 5, 2011},
        {"1-Jan-2011", false, 1, 1, 2011},
        {"1-Jun-2011", false, 1, 6, 2011},
        {"1-July-2011", false, 1, 7, 2011},
        {"1-Apr-2011", false, 1, 4, 2011},
        {"1-Aug-2011", false, 1, 8, 2011},
        {"1-Sept-2011", false, 1, 9, 2011},
        {"1-Okt-2011", false, 1, 10, 2011},
        {"1-Nov-2011", false, 1, 11, 2011},
        {"1-Dez-2011", false, 1, 12, 2011},
        {"1-Feb12-2011", false, 1, 2, 2011},
        {"2011-Dec-24", true, 24, 12, 2011},
        // Refused.
        {"31.02.2010", false, 0, 0, 0},
        {"05.03", false, 0, 0, 0},
        {"05.03.2011.", false, 0, 0, 0},
        {"05.13.2011", false, 0, 0, 0},
        {"05.00.2011", false, 0, 0, 0},
        {"05.3x.2011", false, 0, 0, 0},
        {"a5.03.2011", false, 0, 0, 0},
        {"05.03.2011a", false, 0, 0, 0},
        {"05.Xyz.2011", false, 0, 0, 0},
        {"05.Ju.2011", false, 0, 0, 0},
        {"", false, 0, 0, 0},
        {"..", false, 0, 0, 0},
        {"99999999999999999999.03.2011", false, 0, 0, 0},
        {"05.03.1969", false, 0, 0, 0},
        {"05/03/49", false, 0, 0, 0},  // 2049 lies beyond the last valid day
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CQRNDatum before;
        before.Set(1, 1, 2000);
        CQRNDatum date = before;
        const bool read = ParseImportDate(c.text, c.yearFirst, date);
        EXPECT_EQ(read, c.day != 0);
        if (c.day == 0) {
            EXPECT_EQ(date, before);
            continue;
        }
        CQRNDatum expected;
        ASSERT_EQ(expected.Set(c.day, c.month, c.year), 1);
        EXPECT_EQ(date, expected);
    }
}

}  // namespace
}  // namespace pf
