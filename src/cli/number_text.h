#pragma once

#include <string>

namespace pf {

// An amount with two decimals and the document's separators, e.g. "-1.234,56".
std::string FormatAmount(double value, const std::string& decimalSeparator,
                         const std::string& thousandsSeparator);

}  // namespace pf
