// Feeds arbitrary descriptions and texts to the quote import matcher. The input is split at
// its first byte 0: the bytes before it are the format description, the bytes after it the
// file's text (an input without a 0 is a text read with the default Yahoo description).
// A crash, a sanitizer report, a hang or a huge allocation is a fault, and so is a result
// that breaks the matcher's promises: quotes ascending with one per date and a price above
// 0, an error position inside the description, a stop inside the text where something
// other than blanks is left, and progress reported only when it grows, within 0 to 100.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "quotes/import_format.h"

namespace {

constexpr std::string_view kYahoo =
    "<TEXT><NZ>\r\n<WIEDERHOLE:\r\n    <DATUM_JMT>,<TEXT>,<TEXT>,<TEXT>,\r\n    "
    "<KURS_PKT>,<TEXT><NZ>\r\n>";

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string_view description =
        split == std::string_view::npos ? kYahoo : input.substr(0, split);
    const std::string_view text = split == std::string_view::npos ? input : input.substr(split + 1);

    int last = -1;
    const pf::ImportScan scan = pf::ScanQuoteText(text, description, [&](int percent) {
        Check(percent > last && percent >= 0 && percent <= 100);
        last = percent;
    });

    for (size_t i = 0; i < scan.quotes.size(); ++i) {
        Check(scan.quotes[i].value > 0.0 && std::isfinite(scan.quotes[i].value));
        if (i > 0) Check(scan.quotes[i - 1].date < scan.quotes[i].date);
    }
    if (scan.faulty) Check(scan.errorPosition <= description.size());
    if (scan.stoppedEarly) {
        Check(!scan.faulty);
        Check(scan.stopOffset < text.size());
        Check(scan.stopLine >= 1);
        const std::string_view rest = text.substr(scan.stopOffset);
        Check(std::any_of(rest.begin(), rest.end(),
                          [](char c) { return static_cast<unsigned char>(c) > 0x20; }));
    }
    return 0;
}
