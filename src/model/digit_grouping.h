#pragma once

#include <string>
#include <string_view>

namespace pf {

// The digits of a whole number written in groups of three from the right, joined by
// `separator` ("1936" with "." gives "1.936"). `digits` holds the digits alone: a sign or
// decimals are the caller's. An empty separator leaves the digits as they are; a separator
// of several characters is inserted whole.
std::string GroupDigits(std::string_view digits, std::string_view separator);

}  // namespace pf
