#include "cli/cli_lot_choice.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "engine/number_entry.h"

namespace pf::cli {

namespace {

bool ReadPositionNo(const std::string& text, int32_t& out) {
    if (text.empty()) return false;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out >= 0;
}

const CFL2DepotPos* FindLot(const PositionList& lots, int32_t positionNo) {
    const auto it = std::find_if(lots.begin(), lots.end(), [&](const CFL2DepotPos& lot) {
        return lot.positionNo == positionNo;
    });
    return it == lots.end() ? nullptr : &*it;
}

}  // namespace

bool LotsOption(const Context& c, std::vector<LotEntry>& out) {
    const auto usage = [&c](const std::string& why) {
        c.err << "--lots erwartet POS:STÜCK[,POS:STÜCK...]" << why << ".\n";
        return false;
    };
    std::set<int32_t> seen;
    for (const std::string& value : c.args.Options("--lots")) {
        std::vector<std::string> parts;
        size_t start = 0;
        while (true) {
            const size_t comma = value.find(',', start);
            parts.push_back(
                value.substr(start, comma == std::string::npos ? comma : comma - start));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        std::vector<std::string> entries;
        for (const std::string& part : parts) {
            if (part.find(':') == std::string::npos && !entries.empty())
                entries.back() += "," + part;
            else
                entries.push_back(part);
        }
        for (const std::string& entry : entries) {
            const size_t colon = entry.find(':');
            if (colon == std::string::npos) return usage(" (\"" + entry + "\" ohne Doppelpunkt)");
            LotEntry lot;
            if (!ReadPositionNo(entry.substr(0, colon), lot.positionNo))
                return usage(" (\"" + entry.substr(0, colon) + "\" ist keine Positionsnummer)");
            if (!seen.insert(lot.positionNo).second)
                return usage(" (Position " + std::to_string(lot.positionNo) + " zweimal)");
            lot.pieces = entry.substr(colon + 1);
            out.push_back(std::move(lot));
        }
    }
    return true;
}

int ReadLotChoice(const Context& c, const CFolari2Doc& doc, const std::vector<LotEntry>& entries,
                  const PositionList& lots, std::map<int32_t, Quantity>& out) {
    const NumberFormat format = NumberFormatOf(doc.options);
    for (const LotEntry& entry : entries) {
        const CFL2DepotPos* lot = FindLot(lots, entry.positionNo);
        if (lot == nullptr) {
            c.err << "Position " << entry.positionNo
                  << " gehört nicht zu den Positionen, die der Dialog an diesem Tag für dieses "
                     "Wertpapier anbietet.\n";
            return 1;
        }
        const std::optional<Quantity> pieces = ParseQuantity(entry.pieces, format);
        if (!pieces) {
            c.err << "Bitte geben Sie eine korrekte Stückzahl ein!\n";
            return 1;
        }
        if (*pieces > lot->quantity) {
            c.err << "Position " << entry.positionNo << " umfasst nur "
                  << FormatQuantity(lot->quantity, format) << " Stück.\n";
            return 1;
        }
        out[entry.positionNo] = *pieces;
    }
    return 0;
}

int CheckLotChoiceTaken(const Context& c, const CFolari2Doc& doc, const PositionList& selected,
                        const std::map<int32_t, Quantity>& chosen, const std::string& purpose) {
    Quantity chosenTotal = 0;
    Quantity takenTotal = 0;
    bool same = true;
    for (const CFL2DepotPos& lot : selected) {
        const auto it = chosen.find(lot.positionNo);
        const Quantity wanted = it == chosen.end() ? 0 : it->second;
        const Quantity taken = std::max<Quantity>(lot.selectedQuantity, 0);
        chosenTotal += wanted;
        takenTotal += taken;
        same = same && wanted == taken;
    }
    if (same) return 0;
    const NumberFormat format = NumberFormatOf(doc.options);
    c.err << "Die Stückzahlen von --lots ergeben zusammen " << FormatQuantity(chosenTotal, format)
          << " Stück, " << purpose << " werden " << FormatQuantity(takenTotal, format)
          << " Stück.\n";
    return 1;
}

}  // namespace pf::cli
