#include "model/date.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <string>

#include "support/full_document.h"

namespace pf {
namespace {

using testing::Day;

// Independent calendar arithmetic (days since 1 January 1970, proleptic Gregorian) used
// as the reference for the sweeps below.
struct Civil {
    int64_t year;
    unsigned month;
    unsigned day;
};

Civil CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const auto day = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
    const auto month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

constexpr uint32_t kLastDay = 24854;  // 18.01.2038

TEST(CQRNDatum, DefaultIsSecondOfJanuary1970) {
    const CQRNDatum d;
    EXPECT_EQ(d.DayNumber(), 1u);
    EXPECT_EQ(d.FormatLong(), "02.01.1970");
    EXPECT_EQ(CQRNDatum::kFirstValidDay, 1u);
    EXPECT_EQ(CQRNDatum::kLastValidDay, kLastDay);
}

TEST(CQRNDatum, SetAcceptsExactlyTheValidRange) {
    struct Case {
        unsigned d, m, y;
        int accepted;
        uint32_t dayNumber;  // when accepted
    };
    const Case cases[] = {
        {1, 1, 1970, 0, 0},       {2, 1, 1970, 1, 1},   {31, 12, 1970, 1, 364},
        {1, 1, 1971, 1, 365},     {31, 12, 1969, 0, 0}, {18, 1, 2038, 1, kLastDay},
        {17, 1, 2038, 1, 24853},  {19, 1, 2038, 0, 0},  {1, 2, 2038, 0, 0},
        {31, 12, 2037, 1, 24836}, {1, 1, 2039, 0, 0},   {29, 2, 2000, 1, 11016},
        {29, 2, 2004, 1, 12477},  {29, 2, 2001, 0, 0},  {28, 2, 2001, 1, 11381},
        {1, 3, 2001, 1, 11382},   {31, 4, 2005, 0, 0},  {30, 4, 2005, 1, 12903},
        {0, 5, 2005, 0, 0},       {1, 0, 2005, 0, 0},   {1, 13, 2005, 0, 0},
        {32, 1, 2005, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.d) + "." + std::to_string(c.m) + "." + std::to_string(c.y));
        CQRNDatum date(777);
        EXPECT_EQ(date.Set(c.d, c.m, c.y), c.accepted);
        EXPECT_EQ(CQRNDatum::IsValid(c.d, c.m, c.y), c.accepted == 1);
        // A refused date leaves the previous value in place.
        EXPECT_EQ(date.DayNumber(), c.accepted ? c.dayNumber : 777u);
    }
}

TEST(CQRNDatum, LeapYearRuleAlsoOutsideTheValidRange) {
    struct Case {
        unsigned year;
        bool leap;
    };
    const Case cases[] = {{1600, true}, {1800, false}, {1900, false}, {1970, false}, {1972, true},
                          {2000, true}, {2001, false}, {2004, true},  {2100, false}, {2400, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(CQRNDatum::IsLeapYear(c.year), c.leap);
        EXPECT_EQ(CQRNDatum::DaysInMonth(2, c.year), c.leap ? 29u : 28u);
    }
    const unsigned lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (unsigned m = 1; m <= 12; ++m) EXPECT_EQ(CQRNDatum::DaysInMonth(m, 2001), lengths[m - 1]);
}

// Every day number on both sides of the valid range splits into the reference calendar
// date, and every valid day converts back to the same number.
TEST(CQRNDatum, EveryDayRoundTrips) {
    for (uint32_t n = 0; n <= kLastDay + 400; ++n) {
        const Civil expected = CivilFromDays(n);
        const CQRNDatum::Parts p = CQRNDatum(n).Split();
        ASSERT_EQ(p.year, expected.year) << "day " << n;
        ASSERT_EQ(p.month, expected.month) << "day " << n;
        ASSERT_EQ(p.day, expected.day) << "day " << n;

        const bool inRange = n >= 1 && n <= kLastDay;
        ASSERT_EQ(CQRNDatum::IsValid(p.day, p.month, p.year), inRange) << "day " << n;
        CQRNDatum back(0);
        ASSERT_EQ(back.Set(p.day, p.month, p.year), inRange ? 1 : 0) << "day " << n;
        if (inRange) {
            ASSERT_EQ(back.DayNumber(), n);
            ASSERT_EQ(DayNumberOf(p.day, p.month, p.year), n);
        }
    }
}

// Validity of every day/month/year combination around the range, including impossible
// days and months, against the reference calendar.
TEST(CQRNDatum, ValiditySweep) {
    for (unsigned y = 1968; y <= 2040; ++y) {
        for (unsigned m = 0; m <= 13; ++m) {
            for (unsigned d = 0; d <= 32; ++d) {
                bool real = false;
                int64_t n = -1;
                if (m >= 1 && m <= 12 && d >= 1) {
                    n = DaysFromCivil(y, m, d);
                    const Civil c = CivilFromDays(n);
                    real = c.year == y && c.month == m && c.day == d;
                }
                const bool expected = real && n >= 1 && n <= kLastDay;
                ASSERT_EQ(CQRNDatum::IsValid(d, m, y), expected) << d << "." << m << "." << y;
            }
        }
    }
}

TEST(CQRNDatum, RawDayNumbersBeyondTheRangeAreKeptAndStillSplit) {
    for (const uint32_t n : {24855u, 30000u, 1000000u, 4294967295u}) {
        SCOPED_TRACE(n);
        const CQRNDatum d(n);
        EXPECT_EQ(d.DayNumber(), n);
        const Civil expected = CivilFromDays(n);
        const CQRNDatum::Parts p = d.Split();
        EXPECT_EQ(p.year, expected.year);
        EXPECT_EQ(p.month, expected.month);
        EXPECT_EQ(p.day, expected.day);
    }
}

TEST(CQRNDatum, Formats) {
    struct Case {
        CQRNDatum date;
        const char* longText;
        const char* shortText;
    };
    const Case cases[] = {
        {Day(5, 3, 2011), "05.03.2011", "05.03.11"},   {Day(1, 1, 2000), "01.01.2000", "01.01.00"},
        {Day(2, 1, 1970), "02.01.1970", "02.01.70"},   {Day(18, 1, 2038), "18.01.2038", "18.01.38"},
        {Day(31, 12, 1999), "31.12.1999", "31.12.99"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.longText);
        EXPECT_EQ(c.date.FormatLong(), c.longText);
        EXPECT_EQ(c.date.FormatShort(), c.shortText);
    }
}

TEST(CQRNDatum, ComparesAsUnsignedDayNumbers) {
    const CQRNDatum a(100), b(101), huge(0x80000000u);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
    EXPECT_TRUE(a <= a);
    EXPECT_TRUE(a >= a);
    EXPECT_TRUE(a == CQRNDatum(100));
    EXPECT_TRUE(a != b);
    // A day number with the top bit set is later, not negative.
    EXPECT_TRUE(huge > b);
    EXPECT_TRUE(CQRNDatum(0) < CQRNDatum());
}

std::time_t LocalNoon(int day, int month, int year) {
    std::tm t{};
    t.tm_mday = day;
    t.tm_mon = month - 1;
    t.tm_year = year - 1900;
    t.tm_hour = 12;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

TEST(CQRNDatum, PointInTimeRoundTripsForEveryValidDay) {
    for (uint32_t n = 1; n <= kLastDay; ++n) {
        const std::time_t t = CQRNDatum(n).ToTime();
        ASSERT_EQ(CQRNDatum::FromTime(t).DayNumber(), n) << "day " << n;
    }
    const std::time_t t = Day(5, 3, 2011).ToTime();
    std::tm local{};
    ASSERT_NE(localtime_r(&t, &local), nullptr);
    EXPECT_EQ(local.tm_mday, 5);
    EXPECT_EQ(local.tm_mon, 2);
    EXPECT_EQ(local.tm_year, 111);
}

TEST(CQRNDatum, PointInTimeOutsideTheRangeKeepsTheValue) {
    EXPECT_EQ(CQRNDatum::FromTime(LocalNoon(2, 1, 1970)).DayNumber(), 1u);
    EXPECT_EQ(CQRNDatum::FromTime(LocalNoon(18, 1, 2038)).DayNumber(), kLastDay);

    // A new object falls back to the default; an existing one keeps what it held.
    EXPECT_EQ(CQRNDatum::FromTime(LocalNoon(1, 1, 1970)).DayNumber(), 1u);
    EXPECT_EQ(CQRNDatum::FromTime(LocalNoon(19, 1, 2038)).DayNumber(), 1u);
    CQRNDatum d(500);
    EXPECT_EQ(d.SetTime(LocalNoon(19, 1, 2038)), 0);
    EXPECT_EQ(d.DayNumber(), 500u);
    EXPECT_EQ(d.SetTime(LocalNoon(31, 12, 1969)), 0);
    EXPECT_EQ(d.DayNumber(), 500u);
    EXPECT_EQ(d.SetTime(LocalNoon(5, 3, 2011)), 1);
    EXPECT_EQ(d, Day(5, 3, 2011));
}

// --- Calendar arithmetic beyond the valid range ---

TEST(ExtendedDayNumber, CountsFromTheFirstOfJanuary1970InBothDirections) {
    struct Case {
        unsigned day, month;
        int64_t year;
        int64_t expected;
    };
    const Case
        cases[] =
            {
                {1, 1, 1970, 0},       {2, 1, 1970, 1},
                {31, 12, 1969, -1},    {1, 1, 2000, 10957},
                {29, 2, 2000, 11016},  {18, 1, 2038, 24854},  // the last valid day
                {19, 1, 2038, 24855},                         // one beyond
                {29, 2, 2096, 46080},  {1, 3, 2096, 46081},
                {28, 2, 2100, 47540},  // 2100 is no leap year: 1.3. follows 28.2.
                {1, 3, 2100, 47541},   {29, 2, 2400, 157113},  // 29.2.2000 plus one 400-year cycle
                {1, 1, 1600, -135140}, {1, 1, 0, -719528},
                {29, 2, 0, -719469},  // year 0 is a leap year
                {1, 3, 0, -719468},    {28, 2, -1, -719835},
            };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.day) + "." + std::to_string(c.month) + "." +
                     std::to_string(c.year));
        EXPECT_EQ(ExtendedDayNumber(c.day, c.month, c.year), c.expected);
    }
}

// Inside the valid range the constant-time count agrees with the day-by-day count of the
// date type for every day.
TEST(ExtendedDayNumber, AgreesWithTheDateTypeOnEveryValidDay) {
    for (uint32_t n = CQRNDatum::kFirstValidDay; n <= kLastDay; ++n) {
        const CQRNDatum::Parts p = CQRNDatum(n).Split();
        ASSERT_EQ(ExtendedDayNumber(p.day, p.month, p.year), static_cast<int64_t>(n))
            << "day " << n;
    }
}

TEST(AddMonthsAndYears, CutTheDayToTheMonthReached) {
    struct Case {
        CQRNDatum date;
        int64_t months;  // added by AddMonths
        int64_t expected;
    };
    const Case cases[] = {
        {Day(31, 1, 2004), 1, Day(29, 2, 2004).DayNumber()},
        {Day(31, 1, 2003), 1, Day(28, 2, 2003).DayNumber()},
        {Day(29, 2, 2000), 12, Day(28, 2, 2001).DayNumber()},
        {Day(29, 2, 2000), 48, Day(29, 2, 2004).DayNumber()},
        {Day(31, 3, 2005), 1, Day(30, 4, 2005).DayNumber()},
        {Day(31, 3, 2005), -1, Day(28, 2, 2005).DayNumber()},
        {Day(15, 3, 2005), -15, Day(15, 12, 2003).DayNumber()},
        {Day(31, 12, 2005), 2, Day(28, 2, 2006).DayNumber()},
        {Day(31, 5, 2005), 0, Day(31, 5, 2005).DayNumber()},
        {Day(18, 12, 2037), 1, 24854},        // the last valid day
        {Day(19, 12, 2037), 1, 24855},        // one beyond
        {Day(31, 12, 2037), 2, 24895},        // 28.2.2038
        {Day(29, 2, 2036), 720, 46080},       // 29.2.2096
        {Day(29, 2, 2036), 768, 47540},       // 28.2.2100
        {Day(2, 1, 1970), -1, -30},           // 2.12.1969
        {Day(2, 1, 1970), 4800, 146098},      // 400 years on
        {Day(29, 2, 2000), -24012, -719835},  // 28.2. of year -1, a common year
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.FormatLong() + " + " + std::to_string(c.months) + " months");
        EXPECT_EQ(AddMonths(c.date, c.months), c.expected);
        // Whole years give the same date as the same number of twelve months.
        if (c.months % 12 == 0) {
            EXPECT_EQ(AddYears(c.date, c.months / 12), c.expected);
        }
    }

    struct YearCase {
        CQRNDatum date;
        int64_t years;
        int64_t expected;
    };
    const YearCase yearCases[] = {
        {Day(29, 2, 2004), 1, Day(28, 2, 2005).DayNumber()},
        {Day(28, 2, 2003), 1, Day(28, 2, 2004).DayNumber()},
        {Day(29, 2, 2036), 64, 47540},    // 28.2.2100
        {Day(29, 2, 2036), 364, 157113},  // 29.2.2400
        {Day(18, 1, 2037), 1, 24854},
        {Day(19, 1, 2037), 1, 24855},
        {Day(2, 1, 1970), -1, -364},
        {Day(2, 1, 1970), -1970, -719527},
        {Day(29, 2, 2000), -2000, -719469},  // 29.2. of year 0 exists
    };
    for (const YearCase& c : yearCases) {
        SCOPED_TRACE(c.date.FormatLong() + " + " + std::to_string(c.years) + " years");
        EXPECT_EQ(AddYears(c.date, c.years), c.expected);
    }
}

// Month steps from every valid day that stay in the range land on the month reached, with
// the day cut to its length, as the date type's own conversion reads them.
TEST(AddMonthsAndYears, MonthStepsAgreeWithTheDateTypeOnEveryValidDay) {
    for (uint32_t n = CQRNDatum::kFirstValidDay; n <= kLastDay; n += 3) {
        const CQRNDatum::Parts from = CQRNDatum(n).Split();
        for (const int64_t months : {-25, -13, -1, 1, 2, 11, 12, 14, 59}) {
            const int64_t result = AddMonths(CQRNDatum(n), months);
            if (result < 1 || result > kLastDay) continue;
            const int64_t index = int64_t{from.year} * 12 + (from.month - 1) + months;
            const CQRNDatum::Parts to = CQRNDatum(static_cast<uint32_t>(result)).Split();
            ASSERT_EQ(int64_t{to.year} * 12 + (to.month - 1), index)
                << "day " << n << " + " << months;
            ASSERT_EQ(to.day, std::min(from.day, CQRNDatum::DaysInMonth(to.month, to.year)))
                << "day " << n << " + " << months;
        }
    }
}

TEST(CQRNDatum, DayOfTheWeek) {
    struct Case {
        CQRNDatum date;
        unsigned dayOfWeek;  // 0 Monday ... 6 Sunday
    };
    const Case cases[] = {
        {CQRNDatum(0), 3},      // 1.1.1970, a Thursday
        {Day(2, 1, 1970), 4},   // Friday
        {Day(3, 1, 1970), 5},   // Saturday
        {Day(4, 1, 1970), 6},   // Sunday
        {Day(5, 1, 1970), 0},   // Monday
        {Day(1, 1, 2000), 5},   // Saturday
        {Day(29, 2, 2024), 3},  // Thursday
        {Day(18, 1, 2038), 0},  // Monday, the last valid day
        // The largest raw day number: a sum with the day number itself would overflow.
        {CQRNDatum(4294967295u), 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.date.DayNumber());
        EXPECT_EQ(c.date.DayOfWeek(), c.dayOfWeek);
        EXPECT_EQ(c.date.IsWeekday(), c.dayOfWeek < 5);
    }
}

// The C library's calendar is the reference for every valid day.
TEST(CQRNDatum, DayOfTheWeekAgreesWithTheCLibraryOnEveryValidDay) {
    for (uint32_t n = CQRNDatum::kFirstValidDay; n <= kLastDay; ++n) {
        const std::time_t t = CQRNDatum(n).ToTime();
        std::tm local{};
        ASSERT_NE(localtime_r(&t, &local), nullptr);
        // tm_wday counts from Sunday = 0.
        ASSERT_EQ(CQRNDatum(n).DayOfWeek(), static_cast<unsigned>((local.tm_wday + 6) % 7))
            << "day " << n;
    }
}

TEST(ParseDate, AcceptsDayMonthYear) {
    struct Case {
        const char* text;
        bool ok;
        CQRNDatum expected;  // when ok
    };
    const Case cases[] = {
        {"5.3.2011", true, Day(5, 3, 2011)},
        {"05.03.2011", true, Day(5, 3, 2011)},
        {"5.3.11", true, Day(5, 3, 2011)},
        {"02.01.70", true, Day(2, 1, 1970)},
        {"31.12.99", true, Day(31, 12, 1999)},
        {"18.1.38", true, Day(18, 1, 2038)},
        {"29.2.2000", true, Day(29, 2, 2000)},
        {"18.01.2038", true, Day(18, 1, 2038)},
        {"1.1.70", false, {}},    // 01.01.1970 is before the range
        {"31.12.69", false, {}},  // 2069
        {"19.1.2038", false, {}},
        {"29.2.2001", false, {}},
        {"31.4.2005", false, {}},
        {"0.4.2005", false, {}},
        {"1.13.2005", false, {}},
        {"", false, {}},
        {"5.3", false, {}},
        {"5.3.", false, {}},
        {".3.2011", false, {}},
        {"5..2011", false, {}},
        {"5.3.2011.", false, {}},
        {"5.3.201", false, {}},
        {"5.3.02011", false, {}},
        {"005.3.2011", false, {}},
        {" 5.3.2011", false, {}},
        {"5.3.2011 ", false, {}},
        {"5/3/2011", false, {}},
        {"a.3.2011", false, {}},
        {"-5.3.2011", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        CQRNDatum out(4242);
        EXPECT_EQ(ParseDate(c.text, out), c.ok);
        EXPECT_EQ(out, c.ok ? c.expected : CQRNDatum(4242));
    }
}

}  // namespace
}  // namespace pf
