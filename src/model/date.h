#pragma once

#include <compare>
#include <cstdint>
#include <ctime>
#include <string>

namespace pf {

// A calendar day, stored as the number of days since 1 January 1970 (day 0).
// Valid days run from 2 January 1970 (day 1) to 18 January 2038 (day 24854);
// only the setters from day/month/year check this range. Raw day numbers (for
// example from a file) are kept as given. Dates compare and step as integers.
class CQRNDatum {
  public:
    static constexpr uint32_t kFirstValidDay = 1;     // 02.01.1970
    static constexpr uint32_t kLastValidDay = 24854;  // 18.01.2038

    CQRNDatum() = default;
    explicit constexpr CQRNDatum(uint32_t dayNumber) : day_(dayNumber) {}
    // Takes the local calendar day of a point in time; an out-of-range day leaves the default.
    static CQRNDatum FromTime(std::time_t t);
    // Calendar rules of the proleptic Gregorian calendar; also answer outside the valid range
    // (year 0 is 1 BC and a leap year, negative years continue backwards).
    static bool IsValid(unsigned day, unsigned month, unsigned year);
    static bool IsLeapYear(int64_t year);
    static unsigned DaysInMonth(unsigned month, int64_t year);

    constexpr uint32_t DayNumber() const { return day_; }
    constexpr void SetDayNumber(uint32_t day) { day_ = day; }

    // Returns 1 and stores the date if it is valid, else 0 and leaves the value unchanged.
    int Set(unsigned day, unsigned month, unsigned year);
    // Stores the local calendar day of `t`; returns 0 and keeps the value if out of range.
    int SetTime(std::time_t t);

    struct Parts {
        unsigned day;
        unsigned month;
        unsigned year;
    };
    Parts Split() const;
    unsigned Day() const { return Split().day; }
    unsigned Month() const { return Split().month; }
    unsigned Year() const { return Split().year; }

    // The point in time of 12:00:00 local time on this day (no daylight-saving shift).
    std::time_t ToTime() const;

    // Day of the week: 0 Monday, 1 Tuesday, ... 6 Sunday (day 0, 1.1.1970, was a Thursday).
    // Defined for every raw day number.
    constexpr unsigned DayOfWeek() const { return (day_ % 7 + 3) % 7; }
    // Monday to Friday.
    constexpr bool IsWeekday() const { return DayOfWeek() < 5; }

    std::string FormatLong() const;   // "05.03.2011"
    std::string FormatShort() const;  // "05.03.11"

    constexpr auto operator<=>(const CQRNDatum&) const = default;

  private:
    uint32_t day_ = kFirstValidDay;
};

// Day number for a valid date; the caller must have checked validity.
uint32_t DayNumberOf(unsigned day, unsigned month, unsigned year);

// Calendar arithmetic that may leave the valid range: a holding period added to a purchase
// date can end after 2038 (or, with a negative period, before 1970), and such a limit must
// still compare correctly with real dates. Results are day numbers counted like
// DayNumber() (1.1.1970 is 0, earlier days are negative) in the proleptic Gregorian
// calendar. Constant time for any count a 32-bit field can hold.

// The day number of any date; month 1 to 12, day 1 to the month's length in that year.
int64_t ExtendedDayNumber(unsigned day, unsigned month, int64_t year);
// `date` moved by whole calendar months (backwards when negative). The day is cut to the
// length of the month reached: 31.1. + 1 month is 28.2. (29.2. in a leap year), 31.3. +
// 1 month is 30.4.
int64_t AddMonths(CQRNDatum date, int64_t months);
// `date` moved by whole years; 29.2. becomes 28.2. in a common year.
int64_t AddYears(CQRNDatum date, int64_t years);

// The date of a day, month and year known to be valid (fixed dates in code); an invalid
// one gives the default date.
inline CQRNDatum DateOf(unsigned day, unsigned month, unsigned year) {
    CQRNDatum date;
    date.Set(day, month, year);
    return date;
}

// Parses "d.m.yyyy" (one or two digit day and month, four digit year; also a two-digit
// year, read as 19yy from 70 and as 20yy below). Returns false for anything else or an
// invalid day.
bool ParseDate(const std::string& text, CQRNDatum& out);

}  // namespace pf
