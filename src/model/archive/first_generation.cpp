#include "model/archive/first_generation.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "model/archive/archive_reader.h"
#include "model/currency_conversion.h"
#include "model/document.h"

namespace pf {

namespace {

// The currencies every converted file gets (the seeding of a new document with the
// Deutsche Mark beside the euro).
constexpr int32_t kEuro = kBaseCurrencyId;
constexpr int32_t kMark = 1;
constexpr double kMarkPerEuro = 1.95583;
constexpr uint32_t kMarkOnlyMask = 1;  // row 0 of the legacy currencies

// Old amounts and prices are whole hundredths of a currency unit. Dividing by 100.0 gives
// the double nearest to the decimal value (12345 -> 123.45), which multiplying by 0.01
// would not always do.
double FromHundredths(int32_t hundredths) { return hundredths / 100.0; }

// --- The records as stored -------------------------------------------------------------

struct OldQuote {
    int32_t hundredths = 0;
    CQRNDatum date;
};

struct OldHistory {
    std::string name;
    std::string wkn;
    std::vector<OldQuote> quotes;
};

struct OldTrade {
    CQRNDatum date;
    int32_t price = 0;  // hundredths
    int32_t costs = 0;  // hundredths
    bool priceInMark = false;
    bool accountInMark = false;
    std::string text;
};

struct OldLot {
    std::string name;
    std::string wkn;
    Quantity quantity = 0;
    OldTrade purchase;
    bool sold = false;
    OldTrade sale;
};

struct OldBooking {
    int32_t code = 0;
    int32_t markHundredths = 0;
    int32_t euroHundredths = 0;
    std::string text;
    CQRNDatum date;
};

struct OldFile {
    DepotMasterData depot;
    CQRNDatum startDate;
    CQRNDatum switchDate;
    bool switchedToEuro = false;
    int32_t startBalance = 0;  // hundredths, in the account currency of the start date
    std::vector<OldHistory> histories;
    std::vector<OldLot> lots;
    std::vector<OldBooking> bookings;
};

constexpr int32_t kSoldState = 2;
constexpr int32_t kFractionLimit = 10'000'000;

// A date the converter computes with: it must lie in the calendar's range.
CQRNDatum CheckedDate(ArchiveReader& io, const char* what) {
    CQRNDatum d;
    io.Date(d);
    if (d.DayNumber() < CQRNDatum::kFirstValidDay || d.DayNumber() > CQRNDatum::kLastValidDay)
        io.Fail(ArchiveErrorKind::BadValue, std::string("Ungültiges Datum (") + what + ": " +
                                                std::to_string(d.DayNumber()) + ")");
    return d;
}

int32_t Int(ArchiveReader& io) {
    int32_t v;
    io.Int(v);
    return v;
}

std::string Str(ArchiveReader& io) {
    std::string s;
    io.Str(s);
    return s;
}

// `dated` is false for the sale of an unsold lot, whose fields mean nothing and are not
// checked.
OldTrade ReadTrade(ArchiveReader& io, bool dated, const char* what) {
    OldTrade t;
    if (dated)
        t.date = CheckedDate(io, what);
    else
        io.U32();
    t.price = Int(io);
    t.costs = Int(io);
    t.priceInMark = Int(io) != 0;
    t.accountInMark = Int(io) != 0;
    t.text = Str(io);
    return t;
}

void ReadHistory(ArchiveReader& io, OldHistory& h) {
    h.name = Str(io);
    h.wkn = Str(io);
    io.Objects(h.quotes, ClassId::V1Kurs, [](ArchiveReader& in, OldQuote& q, int) {
        q.hundredths = Int(in);
        q.date = CheckedDate(in, "Kurs");
    });
}

void ReadLot(ArchiveReader& io, OldLot& lot) {
    lot.name = Str(io);
    lot.wkn = Str(io);
    const int32_t whole = Int(io);
    const int32_t fraction = Int(io);
    if (whole < 0 || fraction < 0 || fraction >= kFractionLimit || (whole == 0 && fraction == 0))
        io.Fail(ArchiveErrorKind::BadValue,
                "Ungültige Stückzahl " + std::to_string(whole) + " " + std::to_string(fraction));
    lot.quantity = Quantity{whole} * kPiece + fraction;
    lot.purchase = ReadTrade(io, true, "Kauf");
    lot.sold = Int(io) == kSoldState;
    lot.sale = ReadTrade(io, lot.sold, "Verkauf");
    if (lot.sold && lot.sale.date < lot.purchase.date)
        io.Fail(ArchiveErrorKind::BadValue, "Verkauf vor dem Kauf");
}

void ReadBooking(ArchiveReader& io, OldBooking& b) {
    Int(io);  // not used
    b.code = Int(io);
    b.markHundredths = Int(io);
    b.euroHundredths = Int(io);
    b.text = Str(io);
    b.date = CheckedDate(io, "Kontobuchung");
}

// The old view options, in stored order; a value outside its option's range keeps the
// default.
void ReadOldOptions(ArchiveReader& io, DocumentOptions& options) {
    const auto ranged = [&io](int32_t& option, int32_t low, int32_t high) {
        const int32_t v = Int(io);
        if (v >= low && v <= high) option = v;
    };
    options.holdings.title = Str(io);
    std::string chartTitle = Str(io);
    // The old chart knew the name placeholder by a shorter name.
    const std::string oldName = "<BEZ>";
    const std::string newName = "<BEZEICHNUNG>";
    for (size_t at = chartTitle.find(oldName); at != std::string::npos;
         at = chartTitle.find(oldName, at + newName.size()))
        chartTitle.replace(at, oldName.size(), newName);
    options.chart.title = chartTitle;
    ranged(options.holdings.includeCommissions, 0, 1);
    ranged(options.holdings.mergePositions, 0, 1);
    ranged(options.tables.percentDecimals, 0, 7);
    ranged(options.tables.maxPriceDecimals, 2, 7);
}

OldFile ReadOldFile(ArchiveReader& io, DocumentOptions& options) {
    OldFile f;
    f.depot.depotNumber = Str(io);
    f.depot.bankCode = Str(io);
    f.depot.holderName = Str(io);
    f.depot.holderAddress = Str(io);
    f.depot.accountNumber = Str(io);
    f.startDate = CheckedDate(io, "Startdatum");
    CQRNDatum switchDate;
    io.Date(switchDate);
    f.switchedToEuro = Int(io) != 0;
    // The switch date of an account that never switched means nothing.
    if (f.switchedToEuro) {
        if (switchDate.DayNumber() < CQRNDatum::kFirstValidDay ||
            switchDate.DayNumber() > CQRNDatum::kLastValidDay)
            io.Fail(ArchiveErrorKind::BadValue, "Ungültiges Datum (Euro-Umstellung)");
        f.switchDate = switchDate;
    }
    f.startBalance = Int(io);
    ReadOldOptions(io, options);

    io.MixedObjects([&f](ArchiveReader& in, ClassId cls, uint16_t) {
        switch (cls) {
            case ClassId::V1Kursverlauf:
                ReadHistory(in, f.histories.emplace_back());
                break;
            case ClassId::V1Aktie:
                ReadLot(in, f.lots.emplace_back());
                break;
            case ClassId::V1KontoTransaktion:
                ReadBooking(in, f.bookings.emplace_back());
                break;
            default:
                in.Fail(ArchiveErrorKind::BadClass, "Objekt der Klasse " +
                                                        std::string(InfoOf(cls).name) +
                                                        " in einer Portfolaris1-Datei");
        }
    });
    return f;
}

// --- The conversion ---------------------------------------------------------------------

// Names and WKNs of the new securities must be non-empty and unique; an old file may hold
// two histories that differ only in one of them. Such a text gets " (2)", " (3)", ...
class UniqueTexts {
  public:
    std::string Take(std::string base, const char* fallback) {
        if (base.empty()) base = fallback;
        std::string text = base;
        int& suffix = nextSuffix_[base];
        while (!used_.insert(text).second) text = base + " (" + std::to_string(++suffix + 1) + ")";
        return text;
    }

  private:
    std::set<std::string> used_;
    std::map<std::string, int> nextSuffix_;
};

struct MovementRule {
    int32_t code;
    const char* kind;
};
// Signs follow from the kinds: every kind below that takes money out is an outflow kind.
constexpr MovementRule kMovementRules[] = {
    {11, "Dividenden-Gutschrift"},  {12, "Coupon-Gutschrift"}, {13, "Bezugsrechtsverkauf"},
    {14, "Ausschüttung"},           {18, "Limit-Gebühren"},    {21, "Zinserträge (Haben-Zins)"},
    {22, "Zinskosten (Soll-Zins)"}, {25, "Depotgebühren"},     {26, "Steuern"},
    {27, "Werbungskosten"},         {28, "Sonstige Erträge"},  {29, "Sonstige Kosten"},
    {31, "Kapitaleinlage"},         {32, "Kapitalentnahme"},
};
constexpr int32_t kLastTradeCode = 10;  // codes up to this belong to purchases and sales

// Fills the price side of a buy or sell: currencies, exchange factors, market value and
// the amount converted into the account side (before the account-side costs).
Amount FillTrade(CFL2Transaktion& t, const OldTrade& old, Quantity quantity) {
    t.date = old.date;
    t.quantity = quantity;
    t.price = FromHundredths(old.price);
    t.marketValue1 = RoundTo(static_cast<double>(quantity) / kPiece * t.price, 2);
    t.commission1 = 0.0;
    t.commission2 = FromHundredths(old.costs);
    t.currency1 = old.priceInMark ? kMark : kEuro;
    t.currency2 = old.accountInMark ? kMark : kEuro;
    t.rateBase = 1.0;
    t.rateQuote = 1.0;
    if (t.currency1 == kMark && t.currency2 == kEuro) t.rateBase = kMarkPerEuro;
    if (t.currency1 == kEuro && t.currency2 == kMark) t.rateQuote = kMarkPerEuro;
    t.text = old.text;
    if (t.currency1 == t.currency2) return t.marketValue1;
    return RoundTo(t.marketValue1 * t.rateQuote / t.rateBase, 2);
}

// What a transaction does to the account balance, in its account-side currency.
Amount AccountEffect(const CFL2Transaktion& t) {
    if (t.type == TransactionType::Buy) return -t.amount;
    if (t.type == TransactionType::AccountMovement && t.kindOutflow != 0) return -t.amount;
    return t.amount;
}

// Appends an account movement of the seeded kind `kindName` with the next id; the list is
// put in order once at the end.
void AppendMovement(CFolari2Doc& doc, CQRNDatum date, const std::string& kindName, Amount amount,
                    int32_t currency, std::string text) {
    const CFL2KontoVorgang* kind = doc.FindAccountMovementKindByName(kindName);
    CFL2Transaktion t;
    t.id = doc.nextTransactionId++;
    t.type = TransactionType::AccountMovement;
    t.date = date;
    t.otherId = kind->id;
    t.kindOutflow = kind->isOutflow;
    t.kindCapital = kind->isCapital;
    t.amount = amount;
    t.currency2 = currency;
    t.text = std::move(text);
    doc.transactions.push_back(std::move(t));
}

void Convert(const OldFile& f, CFolari2Doc& doc, FirstGenerationImport& import) {
    // The account is in marks until it was switched to the euro.
    const bool switchedLater = f.switchedToEuro && f.switchDate > f.startDate;
    if (switchedLater) doc.accountCurrencyChanges.push_back({kEuro, f.switchDate});

    // One security per quote history. Histories with the same name and WKN are one
    // security.
    std::map<std::pair<std::string, std::string>, int32_t> securityOf;
    UniqueTexts names;
    UniqueTexts wkns;
    for (const OldHistory& h : f.histories) {
        const auto key = std::make_pair(h.name, h.wkn);
        auto found = securityOf.find(key);
        if (found == securityOf.end()) {
            CFL2Wertpapier s;
            s.name = names.Take(h.name, "Wertpapier");
            s.wkn = wkns.Take(h.wkn, "WKN");
            s.id = doc.nextSecurityId++;
            s.quoteCurrencyId = kEuro;
            s.creationKind = 2;
            doc.securities.push_back(std::move(s));
            found = securityOf.emplace(key, doc.securities.back().id).first;
        }
        // Appended in stored order and put in order once below: the same as setting them
        // one after another (a later quote on the same date wins), without the cost of
        // inserting into the middle.
        std::vector<CFL2Kurs>& quotes = doc.FindSecurity(found->second)->quotes.MutableItems();
        for (const OldQuote& q : h.quotes) quotes.push_back({q.date, FromHundredths(q.hundredths)});
    }
    for (CFL2Wertpapier& s : doc.securities) s.quotes.Normalise();

    // A buy per lot, and the sale of the whole lot if it was sold.
    for (const OldLot& lot : f.lots) {
        const auto found = securityOf.find({lot.name, lot.wkn});
        if (found == securityOf.end()) {
            ++import.skippedLots;
            continue;
        }
        CFL2Transaktion buy;
        buy.id = doc.nextTransactionId++;
        buy.type = TransactionType::Buy;
        buy.securityId = found->second;
        buy.positionNo = doc.nextPositionNo++;
        buy.amount = FillTrade(buy, lot.purchase, lot.quantity) + buy.commission2;
        const int32_t lotNo = buy.positionNo;
        doc.transactions.push_back(std::move(buy));
        if (!lot.sold) continue;

        // The lot is this buy alone, and nothing else sells from it: the whole quantity is
        // held on the sale date.
        CFL2Transaktion sell;
        sell.id = doc.nextTransactionId++;
        sell.type = TransactionType::Sell;
        sell.securityId = found->second;
        sell.amount = FillTrade(sell, lot.sale, lot.quantity) - sell.commission2;
        sell.allocations.push_back({doc.nextPositionNo++, lotNo, lot.quantity});
        doc.transactions.push_back(std::move(sell));
    }

    // Account movements by the code table; euro amounts from the switch date on.
    for (const OldBooking& b : f.bookings) {
        if (b.code <= kLastTradeCode) continue;
        const auto rule = std::find_if(std::begin(kMovementRules), std::end(kMovementRules),
                                       [&b](const MovementRule& r) { return r.code == b.code; });
        if (rule == std::end(kMovementRules)) {
            ++import.unknownBookings;
            continue;
        }
        const bool inEuro = f.switchedToEuro && b.date >= f.switchDate;
        // The stored amount is what the entry dialog stores: the sum as booked; the kind
        // says whether it leaves the account.
        AppendMovement(doc, b.date, rule->kind,
                       FromHundredths(inEuro ? b.euroHundredths : b.markHundredths),
                       inEuro ? kEuro : kMark, b.text);
    }

    // The opening deposit. The old starting balance is the balance at the start of
    // the start date; bookings dated before it are taken back out of it, each converted into
    // the opening currency and rounded to cents, so that the converted account shows the old
    // balance on the start date.
    CQRNDatum first = f.startDate;
    for (const CFL2Transaktion& t : doc.transactions) first = std::min(first, t.date);
    // The day before; a first date of 02.01.1970 (the first valid day) keeps that day.
    const CQRNDatum opening(std::max(first.DayNumber() - 1, CQRNDatum::kFirstValidDay));
    const int32_t openingCurrency = doc.AccountCurrencyAt(opening);
    double balance = FromHundredths(f.startBalance);
    for (const CFL2Transaktion& t : doc.transactions)
        if (t.date < f.startDate)
            balance -= ConvertFixed(doc, AccountEffect(t), t.currency2, openingCurrency, 2);
    balance = RoundTo(balance, 2);
    // A movement of nothing is not a booking the program would accept from the user.
    if (balance != 0.0)
        AppendMovement(doc, opening, "Kapitaleinlage", balance, openingCurrency, {});
    // Sorted insertion of each in turn gives the same order as this stable sort (the ids
    // differ), without moving the list for every transaction.
    doc.ResortTransactions();
    doc.RebuildSplitLists();
}

}  // namespace

void ConvertFirstGeneration(ArchiveReader& io, const CQRNKennwort& password, CQRNDatum today,
                            CFolari2Doc& doc, FirstGenerationImport& import) {
    // Everything is read before anything is built, so a damaged file fails before the work.
    DocumentOptions options = DefaultOptions(today);
    const OldFile f = ReadOldFile(io, options);

    NewDocumentChoices choices;
    choices.legacyCurrencyMask = kMarkOnlyMask;
    choices.depot = f.depot;
    const bool euroFromStart = f.switchedToEuro && f.switchDate <= f.startDate;
    choices.initialAccountCurrencySymbol = euroFromStart ? "EUR" : "DM";
    doc.NewDocument(choices, today);
    doc.options = options;
    doc.password = password;
    import = {};
    Convert(f, doc, import);
    doc.SetModified(true);
}

std::string FirstGenerationImportMessage(const FirstGenerationImport& import) {
    if (import.skippedLots == 0 && import.unknownBookings == 0) return {};
    std::string text = "Die Datei wurde aus einer Portfolaris1-Datei übernommen.";
    if (import.skippedLots == 1)
        text += " 1 Position ohne Kursverlauf wurde nicht übernommen.";
    else if (import.skippedLots > 1)
        text += " " + std::to_string(import.skippedLots) +
                " Positionen ohne Kursverlauf wurden nicht übernommen.";
    if (import.unknownBookings == 1)
        text += " 1 Kontobuchung mit unbekanntem Buchungsschlüssel wurde nicht übernommen.";
    else if (import.unknownBookings > 1)
        text += " " + std::to_string(import.unknownBookings) +
                " Kontobuchungen mit unbekanntem Buchungsschlüssel wurden nicht übernommen.";
    return text;
}

}  // namespace pf
