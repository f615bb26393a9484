// Feeds arbitrary bytes to the portfolio file reader. A damaged file must end in an
// ArchiveError; any other exception, a crash, a sanitizer report, a hang or a huge
// allocation is a fault. Whatever the reader accepts must also survive a save: the bytes
// written for it read back to a document that writes the very same bytes again, and the
// engine must replay it into lots and daily series without crashing or looping.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/balance_series.h"
#include "engine/holdings.h"
#include "engine/value_series.h"
#include "model/archive/document_file.h"

namespace {

std::optional<pf::ReadResult> Read(std::span<const uint8_t> bytes) {
    pf::ReadSettings settings;
    settings.today = pf::CQRNDatum(18628);  // 1 January 2021
    // The password of the protected seed, so that mutations of it get past the check.
    settings.askPassword = [] { return std::optional<std::string>("Geheim-ß"); };
    try {
        return pf::ReadDocument(bytes, settings);
    } catch (const pf::ArchiveError&) {
        return std::nullopt;
    }
}

std::span<const uint8_t> AsBytes(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<pf::ReadResult> first = Read({data, size});
    if (!first) return 0;
    // Texts that were read are always storable, so the writer has no reason to throw.
    const std::string written = pf::WriteDocument(first->doc);
    const std::optional<pf::ReadResult> second = Read(AsBytes(written));
    if (!second || pf::WriteDocument(second->doc) != written) __builtin_trap();

    // Stored data that does not fit together (missing lots, zero ratios, unknown ids) must
    // still replay. The series cover a short fixed range so that each input stays fast.
    const pf::CFolari2Doc& doc = first->doc;
    pf::HoldingsQuery reference;
    reference.referenceMode = true;
    reference.referenceDate = pf::CQRNDatum(18000);
    reference.openOnly = true;
    pf::ComputeHoldings(doc, {});
    pf::ComputeHoldings(doc, reference);
    const pf::CQRNDatum from(17990);
    const pf::CQRNDatum to(18020);
    pf::ValueSeries(doc, from, to, 0, true);
    pf::BalanceSeries(doc, from, to, 0, true, false);
    return 0;
}
