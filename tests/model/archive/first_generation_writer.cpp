#include "model/archive/first_generation_writer.h"

#include "model/archive/byte_builder.h"

namespace pf::testing {

namespace {

void Password(ByteBuilder& b, const FlkFile& f) {
    const bool on = f.protectionActive != 0;
    b.I(f.protectionActive).U32(static_cast<uint32_t>(f.password.size()) + 417);
    b.U32(on ? 615274093u : 540918362u);
    for (uint32_t i = 0; i < f.password.size(); ++i) {
        b.U32(static_cast<unsigned char>(f.password[i]) + 47 * i + 418305927u);
        b.U32(i + (on ? 23 : 57));
    }
}

void Trade(ByteBuilder& b, const FlkTrade& t) {
    b.U32(t.date.DayNumber()).I(t.price).I(t.costs).I(t.priceInMark).I(t.accountInMark).S(t.text);
}

}  // namespace

std::string WriteFlk(const FlkFile& f) {
    ByteBuilder b;
    b.S(f.header);
    Password(b, f);
    b.S(f.depotNumber).S(f.bankCode).S(f.holderName).S(f.holderAddress).S(f.accountNumber);
    b.U32(f.startDate.DayNumber()).U32(f.switchDate.DayNumber());
    b.I(f.switchedToEuro).I(f.startBalance);
    b.S(f.holdingsTitle).S(f.chartTitle);
    b.I(f.holdingsCommissions).I(f.holdingsMerge).I(f.percentDecimals).I(f.maxPriceDecimals);
    b.Count(static_cast<uint32_t>(f.objects.size()));
    for (const FlkObject& object : f.objects) {
        if (const auto* h = std::get_if<FlkHistory>(&object)) {
            b.ObjectTag("CQRNKursverlauf", f.schema);
            b.S(h->name).S(h->wkn).Count(static_cast<uint32_t>(h->quotes.size()));
            for (const FlkQuote& q : h->quotes) {
                b.ObjectTag("CQRNKurs", f.schema);
                b.I(q.hundredths).U32(q.date.DayNumber());
            }
        } else if (const auto* lot = std::get_if<FlkLot>(&object)) {
            b.ObjectTag("CQRNAktie", f.schema);
            b.S(lot->name).S(lot->wkn).I(lot->whole).I(lot->fraction);
            Trade(b, lot->purchase);
            b.I(lot->state);
            Trade(b, lot->sale);
        } else {
            const FlkBooking& k = std::get<FlkBooking>(object);
            b.ObjectTag("CQRNKontoTransaktion", f.schema);
            b.I(k.unused).I(k.code).I(k.markHundredths).I(k.euroHundredths).S(k.text);
            b.U32(k.date.DayNumber());
        }
    }
    b.out += f.trailing;
    return b.out;
}

}  // namespace pf::testing
