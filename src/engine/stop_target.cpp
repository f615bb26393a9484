#include "engine/stop_target.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <utility>

#include "engine/number_entry.h"
#include "engine/position_sort.h"
#include "model/document.h"

namespace pf {
namespace {

CFL2StoppZielKurs* LastEntry(CFolari2Doc& doc, int32_t positionNo) {
    for (auto it = doc.stopTargets.rbegin(); it != doc.stopTargets.rend(); ++it)
        if (it->positionNo == positionNo) return &*it;
    return nullptr;
}

const CFL2StoppZielKurs* LastEntry(const CFolari2Doc& doc, int32_t positionNo) {
    for (auto it = doc.stopTargets.rbegin(); it != doc.stopTargets.rend(); ++it)
        if (it->positionNo == positionNo) return &*it;
    return nullptr;
}

// Both prices at once, so that a new entry is appended only once.
void SetBoth(CFolari2Doc& doc, int32_t positionNo, Price stop, Price target) {
    if (CFL2StoppZielKurs* e = LastEntry(doc, positionNo)) {
        e->stopPrice = stop;
        e->targetPrice = target;
    } else {
        doc.stopTargets.push_back({positionNo, stop, target});
    }
}

// Nothing but the blanks the number entry ignores.
bool IsBlank(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= '!') return false;
    return true;
}

// A price field as typed: 0 for an empty field or a price <= 0; nullopt when it is not a
// number. A sign is accepted so that "-1" reads as "no price" like "0".
std::optional<Price> ReadPriceField(const std::string& text, const NumberFormat& format) {
    if (IsBlank(text)) return 0.0;
    const std::optional<double> value = ParseDecimal(text, format, kPriceMaxDecimals, true);
    if (!value) return std::nullopt;
    return *value > 0.0 ? *value : 0.0;
}

// Both fields as "Übernehmen" reads them; the refusal of the first one that is wrong.
MaybeMessage ReadStopTargetInput(const NumberFormat& format, const StopTargetInput& input,
                                 Price& stop, Price& target) {
    const std::optional<Price> stopValue = ReadPriceField(input.stopText, format);
    if (!stopValue)
        return Message::Refusal(
            kStopTargetTitle,
            "Bitte geben Sie einen korrekten Stoppkurs ein oder lassen Sie das Feld frei!",
            kStopField);
    const std::optional<Price> targetValue = ReadPriceField(input.targetText, format);
    if (!targetValue)
        return Message::Refusal(
            kStopTargetTitle,
            "Bitte geben Sie einen korrekten Zielkurs ein oder lassen Sie das Feld frei!",
            kTargetField);
    stop = *stopValue;
    target = *targetValue;
    return std::nullopt;
}

PositionSortKey SortKeyOf(StopTargetOrder order) {
    switch (order) {
        case StopTargetOrder::Name:
            return PositionSortKey::SecurityName;
        case StopTargetOrder::Wkn:
            return PositionSortKey::Wkn;
        case StopTargetOrder::PurchaseDate:
            return PositionSortKey::PurchaseDate;
    }
    return PositionSortKey::SecurityName;
}

PositionList OpenLots(const CFolari2Doc& doc) {
    HoldingsQuery query;  // all transactions, base currency
    PositionList lots = ComputeHoldings(doc, query);
    std::erase_if(lots, [](const CFL2DepotPos& lot) { return lot.state != PositionState::Open; });
    return lots;
}

}  // namespace

void SetStop(CFolari2Doc& doc, int32_t positionNo, Price price) {
    doc.Edit([&] {
        if (CFL2StoppZielKurs* e = LastEntry(doc, positionNo))
            e->stopPrice = price;
        else
            doc.stopTargets.push_back({positionNo, price, 0.0});
    });
}

void SetTarget(CFolari2Doc& doc, int32_t positionNo, Price price) {
    doc.Edit([&] {
        if (CFL2StoppZielKurs* e = LastEntry(doc, positionNo))
            e->targetPrice = price;
        else
            doc.stopTargets.push_back({positionNo, 0.0, price});
    });
}

Price StopOf(const CFolari2Doc& doc, int32_t positionNo) {
    const CFL2StoppZielKurs* e = LastEntry(doc, positionNo);
    return e != nullptr ? e->stopPrice : 0.0;
}

Price TargetOf(const CFolari2Doc& doc, int32_t positionNo) {
    const CFL2StoppZielKurs* e = LastEntry(doc, positionNo);
    return e != nullptr ? e->targetPrice : 0.0;
}

bool StopReached(const CFL2DepotPos& lot, Price quote) {
    return lot.stopPrice > 0.0 && quote <= lot.stopPrice;
}

bool TargetReached(const CFL2DepotPos& lot, Price quote) {
    return !StopReached(lot, quote) && lot.targetPrice > 0.0 && quote >= lot.targetPrice;
}

std::vector<StopTargetRow> StopTargetRows(const CFolari2Doc& doc, StopTargetOrder order,
                                          CQRNDatum quoteDate) {
    PositionList lots = OpenLots(doc);
    SortPositions(lots, doc, SortKeyOf(order), false);

    // The last entry of a number counts.
    std::unordered_map<int32_t, const CFL2StoppZielKurs*> entries;
    for (const CFL2StoppZielKurs& e : doc.stopTargets) entries[e.positionNo] = &e;

    std::vector<StopTargetRow> rows;
    rows.reserve(lots.size());
    for (const CFL2DepotPos& lot : lots) {
        StopTargetRow row;
        row.positionNo = lot.positionNo;
        row.securityId = lot.securityId;
        if (const CFL2Wertpapier* s = doc.FindSecurity(lot.securityId)) {
            row.name = s->name;
            row.wkn = s->wkn;
            row.quote = s->PriceAt(quoteDate, quoteDate);
        }
        row.purchaseDate = lot.purchaseDate.FormatLong();
        row.quantity = lot.quantity;
        row.price = lot.price;
        if (const auto it = entries.find(lot.positionNo); it != entries.end()) {
            row.stopPrice = it->second->stopPrice;
            row.targetPrice = it->second->targetPrice;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string StopTargetFieldText(const CFolari2Doc& doc, Price price) {
    if (!(price > 0.0)) return {};
    return FormatDecimal(price, NumberFormatOf(doc.options), kPriceMinDecimals, kPriceMaxDecimals);
}

std::string StopTargetFieldOnLeave(const CFolari2Doc& doc, const std::string& text) {
    const std::optional<Price> value = ReadPriceField(text, NumberFormatOf(doc.options));
    return value && *value == 0.0 ? std::string() : text;
}

StopTargetApplied ApplyStopTarget(CFolari2Doc& doc, int32_t positionNo,
                                  const StopTargetInput& input) {
    StopTargetApplied result;
    if (positionNo < 0) return result;

    Price stop = 0.0;
    Price target = 0.0;
    result.message = ReadStopTargetInput(NumberFormatOf(doc.options), input, stop, target);
    if (result.message) return result;

    result.positionNos.push_back(positionNo);
    if (input.forAllLotsOfSecurity) {
        const PositionList lots = OpenLots(doc);
        const auto selected = std::find_if(lots.begin(), lots.end(), [&](const auto& lot) {
            return lot.positionNo == positionNo;
        });
        if (selected != lots.end()) {
            for (const CFL2DepotPos& lot : lots)
                if (lot.securityId == selected->securityId && lot.positionNo != positionNo)
                    result.positionNos.push_back(lot.positionNo);
        }
    }
    doc.Edit([&] {
        for (const int32_t number : result.positionNos) SetBoth(doc, number, stop, target);
    });
    return result;
}

std::vector<StopTargetRow> StopTargetForm::Rows(const CFolari2Doc& doc) const {
    return StopTargetRows(doc, order, quoteDate);
}

void StopTargetForm::Select(const CFolari2Doc& doc, const StopTargetRow& row) {
    positionNo = row.positionNo;
    input.stopText = StopTargetFieldText(doc, row.stopPrice);
    input.targetText = StopTargetFieldText(doc, row.targetPrice);
    input.forAllLotsOfSecurity = false;
}

MaybeMessage StopTargetForm::Check(const CFolari2Doc& doc) const {
    if (positionNo < 0) return std::nullopt;
    Price stop = 0.0;
    Price target = 0.0;
    return ReadStopTargetInput(NumberFormatOf(doc.options), input, stop, target);
}

std::vector<int32_t> StopTargetForm::Apply(CFolari2Doc& doc) const {
    return ApplyStopTarget(doc, positionNo, input).positionNos;
}

static_assert(EntryForm<StopTargetForm>);

}  // namespace pf
