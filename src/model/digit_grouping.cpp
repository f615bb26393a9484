#include "model/digit_grouping.h"

namespace pf {

std::string GroupDigits(std::string_view digits, std::string_view separator) {
    std::string text;
    text.reserve(digits.size() + digits.size() / 3 * separator.size());
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

}  // namespace pf
