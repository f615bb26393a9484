#pragma once

// Helpers shared by the fuzz targets: an input cut into fields at its zero bytes, and a
// check that stops the run when a promise of the code under test is broken.

#include <cstddef>
#include <string_view>
#include <vector>

namespace pf::fuzz {

// The first `count` - 1 fields end at a zero byte; the last one is the rest of the input,
// zero bytes included. Fields the input is too short for are empty.
inline std::vector<std::string_view> SplitFields(std::string_view input, std::size_t count) {
    std::vector<std::string_view> fields;
    for (std::size_t k = 0; k + 1 < count; ++k) {
        const std::size_t zero = input.find('\0');
        fields.push_back(input.substr(0, zero));
        input = zero == std::string_view::npos ? std::string_view() : input.substr(zero + 1);
    }
    fields.push_back(input);
    return fields;
}

// A broken promise is a crash the fuzzer reports with the input that caused it.
inline void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The largest price any parser of typed or imported numbers returns: the integer part is
// capped at 999,999,999 and at most 7 decimals are kept.
inline constexpr double kMaxPrice = 999'999'999.9999999;

}  // namespace pf::fuzz
