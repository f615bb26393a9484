#include "quotes/import_date.h"

#include <cctype>
#include <cstdint>

namespace pf {

namespace {

bool IsSeparator(char c) { return c == '.' || c == ',' || c == '-' || c == '/'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The month named by the letters read so far: 0 while undecided, -1 for a name that cannot
// be a month. `first` is the first letter (upper case), `second` the deciding letter after
// it (0 while none came), `third` the one after "JU".
int MonthOfName(char first, char second, char third) {
    switch (first) {
        case 'D':
            return 12;
        case 'F':
            return 2;
        case 'N':
            return 11;
        case 'O':
            return 10;
        case 'S':
            return 9;
        case 'A':
            return second == 'P' ? 4 : second == 'U' ? 8 : 0;
        case 'J':
            if (second == 'A') return 1;
            if (second != 'U') return 0;
            return third == 'L' ? 7 : third == 'N' ? 6 : 0;
        case 'M':
            return second == 'I' || second == 'Y' ? 5 : second == 'R' ? 3 : 0;
        default:
            return -1;
    }
}

}  // namespace

bool ParseImportDate(std::string_view text, bool yearFirst, CQRNDatum& out) {
    // Parts are capped well above any valid value, so long digit runs cannot overflow.
    constexpr int64_t kCap = 1000000;
    int64_t parts[3] = {0, 0, 0};
    bool present[3] = {false, false, false};
    int part = 0;
    bool named = false;  // the middle part is a month name
    char first = 0, second = 0, third = 0;
    for (char raw : text) {
        if (IsSeparator(raw)) {
            if (++part > 2) return false;
            continue;
        }
        if (IsDigit(raw)) {
            if (named && part == 1) continue;  // digits after a month name do not count
            parts[part] = std::min(kCap, parts[part] * 10 + (raw - '0'));
            present[part] = true;
            continue;
        }
        // A letter (or any other byte): only the middle part may be a name, and only when it
        // has no digits.
        if (part != 1 || (present[1] && !named)) return false;
        const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(raw)));
        if (!named) {
            named = true;
            first = c;
            if (MonthOfName(first, 0, 0) < 0) return false;
        } else if (MonthOfName(first, second, third) == 0) {
            if (first == 'J' && second == 'U')
                third = c;
            else if ((first == 'A' && (c == 'P' || c == 'U')) ||
                     (first == 'J' && (c == 'A' || c == 'U')) ||
                     (first == 'M' && (c == 'I' || c == 'Y' || c == 'R')))
                second = c;
        }
        if (named) {
            const int month = MonthOfName(first, second, third);
            if (month > 0) {
                parts[1] = month;
                present[1] = true;
            }
        }
    }
    if (!present[0] || !present[1] || !present[2]) return false;
    if (parts[1] < 1 || parts[1] > 12) return false;
    int64_t day = yearFirst ? parts[2] : parts[0];
    int64_t year = yearFirst ? parts[0] : parts[2];
    if (year < 100) year += year < 50 ? 2000 : 1900;
    if (day < 1 || day > 31 || year > 9999) return false;
    CQRNDatum date = out;
    if (date.Set(static_cast<unsigned>(day), static_cast<unsigned>(parts[1]),
                 static_cast<unsigned>(year)) == 0)
        return false;
    out = date;
    return true;
}

}  // namespace pf
