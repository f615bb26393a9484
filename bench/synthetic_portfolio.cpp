#include "synthetic_portfolio.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "model/rounding.h"
#include "platform/seeded_random.h"

namespace pf::bench {

namespace {

using Rng = SeededRandom;

// Day 0 (1 January 1970) was a Thursday.
bool IsWeekday(uint32_t day) { return (day + 3) % 7 < 5; }

// `count` consecutive weekdays ending on 30 December 2022 (a Friday), or starting on
// 2 January 1970 when that many do not fit before.
std::vector<CQRNDatum> WeekdayCalendar(size_t count) {
    const uint32_t lastDay = DayNumberOf(30, 12, 2022);
    size_t weekdaysUpToLast = 0;
    for (uint32_t d = CQRNDatum::kFirstValidDay; d <= lastDay; ++d)
        weekdaysUpToLast += IsWeekday(d);
    std::vector<CQRNDatum> days;
    days.reserve(count);
    if (count <= weekdaysUpToLast) {
        for (uint32_t d = lastDay; days.size() < count; --d)
            if (IsWeekday(d)) days.emplace_back(d);
        std::reverse(days.begin(), days.end());
    } else {
        for (uint32_t d = CQRNDatum::kFirstValidDay; days.size() < count; ++d)
            if (IsWeekday(d)) days.emplace_back(d);
    }
    return days;
}

struct SplitPlan {
    size_t dayIndex;
    size_t security;
    int32_t ratio;  // new pieces per old piece
};

struct Walk {
    double start;
    double drift;       // per day
    double volatility;  // per day
    double reversion;   // pull back towards `start` per day (for exchange rates)
    double floor;
    int decimals;
};

// A random walk, one quote per calendar day, rounded to `decimals`. On the day of a split
// the price drops by the split ratio.
void FillQuotes(std::vector<CFL2Kurs>& out, const std::vector<CQRNDatum>& calendar, Rng& rng,
                const Walk& walk, const std::vector<std::pair<size_t, int32_t>>& splits = {}) {
    out.reserve(out.size() + calendar.size());
    double price = walk.start;
    size_t nextSplit = 0;
    for (size_t k = 0; k < calendar.size(); ++k) {
        if (nextSplit < splits.size() && splits[nextSplit].first == k)
            price /= splits[nextSplit++].second;
        price *= 1.0 + walk.drift + walk.reversion * (walk.start / price - 1.0) +
                 walk.volatility * rng.Normal();
        price = std::max(price, walk.floor);
        out.push_back({calendar[k], RoundTo(price, walk.decimals)});
    }
}

// A share price: about 5 % a year upwards, cents.
Walk ShareWalk(double start, double volatility) { return {start, 0.0002, volatility, 0.0, 0.5, 2}; }

constexpr std::array<const char*, 20> kStems = {
    "Nordlicht", "Rheinauen", "Alpenblick", "Hanseatische",  "Süderelbe",
    "Ostwind",   "Mainufer",  "Elbtal",     "Schwarzwälder", "Bodensee",
    "Havelland", "Weserberg", "Taunus",     "Allgäuer",      "Lausitzer",
    "Moselland", "Spreewald", "Eifel",      "Frankenwald",   "Münsterland"};
constexpr std::array<const char*, 10> kSectors = {
    "Chemie",   "Maschinenbau", "Versicherung", "Energie",     "Brauerei",
    "Logistik", "Software",     "Immobilien",   "Textilwerke", "Pharma"};

char Base36(uint32_t v) { return "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[v % 36]; }

// ISIN check digit: letters become two digits (A = 10), then the Luhn sum with the
// rightmost digit doubled.
char IsinCheckDigit(const std::string& body) {
    std::string digits;
    for (const char c : body) {
        if (c >= '0' && c <= '9')
            digits += c;
        else
            digits += std::to_string(c - 'A' + 10);
    }
    int sum = 0;
    bool doubled = true;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it, doubled = !doubled) {
        int d = *it - '0';
        if (doubled) d = d * 2 > 9 ? d * 2 - 9 : d * 2;
        sum += d;
    }
    return static_cast<char>('0' + (10 - sum % 10) % 10);
}

CFL2Wertpapier SecurityPrototype(size_t i, int32_t quoteCurrencyId, bool inDollars) {
    CFL2Wertpapier s;
    const char* stem = kStems[i % kStems.size()];
    const char* sector = kSectors[(i / kStems.size()) % kSectors.size()];
    const bool fund = i % 10 == 9;
    const char* form = fund ? "Fonds" : inDollars ? "Corp." : i % 7 == 0 ? "SE" : "AG";
    s.name = std::string(stem) + " " + sector + " " + form;
    if (i >= kStems.size() * kSectors.size())
        s.name += " " + std::to_string(i / (kStems.size() * kSectors.size()) + 1);

    // Distinct for every i below 36^5, since 7919 is prime to 36.
    uint32_t code = static_cast<uint32_t>((i * 7919 + 12345) % 60466176);
    s.wkn = "A";
    std::string tail;
    for (int k = 0; k < 5; ++k, code /= 36) tail += Base36(code);
    s.wkn += std::string(tail.rbegin(), tail.rend());
    const std::string body = inDollars ? "US" + std::string("000") + s.wkn : "DE000" + s.wkn;
    s.isin = body + IsinCheckDigit(body);

    s.quoteCurrencyId = quoteCurrencyId;
    s.type = fund ? "Fonds" : "Aktie";
    s.sector = sector;
    s.country = inDollars ? "USA" : "Deutschland";
    s.index = inDollars ? "S&P 500" : i % 3 == 0 ? "DAX" : "MDAX";
    s.category1 = i % 2 == 0 ? "Dividendenwerte" : "Wachstum";
    s.category2 = inDollars ? "Nordamerika" : "Europa";
    if (i % 25 == 0) s.remarks = "Position wird über Sparplan aufgebaut; Stopp prüfen.";
    return s;
}

struct Lot {
    int32_t positionNo;
    Quantity remaining;
};

// Open lots of every security, oldest first, and the securities that have any.
class Holdings {
  public:
    explicit Holdings(size_t securities) : lots_(securities), openIndex_(securities, kNone) {}

    void Add(size_t security, Lot lot) {
        if (lots_[security].empty()) {
            openIndex_[security] = open_.size();
            open_.push_back(security);
        }
        lots_[security].push_back(lot);
    }
    std::vector<Lot>& LotsOf(size_t security) { return lots_[security]; }
    Quantity Total(size_t security) const {
        Quantity total = 0;
        for (const Lot& lot : lots_[security]) total += lot.remaining;
        return total;
    }
    // Drops lots sold completely; a security without lots leaves the open set.
    void Prune(size_t security) {
        auto& lots = lots_[security];
        std::erase_if(lots, [](const Lot& lot) { return lot.remaining == 0; });
        if (!lots.empty() || openIndex_[security] == kNone) return;
        const size_t at = openIndex_[security];
        open_[at] = open_.back();
        openIndex_[open_[at]] = at;
        open_.pop_back();
        openIndex_[security] = kNone;
    }
    const std::vector<size_t>& Open() const { return open_; }

  private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    std::vector<std::vector<Lot>> lots_;
    std::vector<size_t> open_;
    std::vector<size_t> openIndex_;
};

class TransactionGenerator {
  public:
    TransactionGenerator(CFolari2Doc& doc, const std::vector<CQRNDatum>& calendar, Rng& rng,
                         int32_t dollarId)
        : doc_(doc),
          calendar_(calendar),
          rng_(rng),
          dollar_(*doc.FindCurrency(dollarId)),
          holdings_(doc.securities.size()) {
        for (const CFL2KontoVorgang& k : doc.accountMovementKinds) kinds_.push_back(&k);
    }

    void Split(const SplitPlan& plan) {
        CFL2Transaktion t = Start(TransactionType::Split, plan.dayIndex);
        t.securityId = doc_.securities[plan.security].id;
        t.splitRatio = plan.ratio;
        t.oldPieces = kPiece;
        t.newPieces = plan.ratio * kPiece;
        t.text = "Aktiensplit 1:" + std::to_string(plan.ratio);
        for (Lot& lot : holdings_.LotsOf(plan.security)) lot.remaining *= plan.ratio;
        list_.push_back(std::move(t));
    }

    // `count` transactions on one day: buys, then account movements, then sells, which is
    // their order in the list, so that every allocation item sees the lots as the list
    // has them at that point.
    void Day(size_t dayIndex, size_t count) {
        size_t buys = 0;
        size_t movements = 0;
        for (size_t i = 0; i < count; ++i) {
            const double roll = rng_.Uniform();
            buys += roll < 0.42;
            movements += roll >= 0.67;
        }
        for (size_t i = 0; i < buys; ++i) Buy(dayIndex);
        for (size_t i = 0; i < movements; ++i) Movement(dayIndex);
        for (size_t i = buys + movements; i < count; ++i) {
            if (holdings_.Open().empty())
                Deposit(dayIndex, 100.0 * static_cast<double>(10 + rng_.Below(490)));
            else
                Sell(dayIndex);
        }
    }

    void Deposit(size_t dayIndex, double amount) {
        list_.push_back(Movement(dayIndex, Kind(0), amount));
    }

    // Stop and target prices for some of the lots still open at the end.
    void StopTargets(size_t count) {
        for (const size_t security : holdings_.Open()) {
            const double last = doc_.securities[security].quotes.Items().back().value;
            for (const Lot& lot : holdings_.LotsOf(security)) {
                if (doc_.stopTargets.size() >= count) return;
                doc_.stopTargets.push_back(
                    {lot.positionNo, RoundTo(last * 0.8, 2), RoundTo(last * 1.5, 2)});
            }
        }
    }

    std::vector<CFL2Transaktion> Take() { return std::move(list_); }

  private:
    CFL2Transaktion Start(TransactionType type, size_t dayIndex) {
        CFL2Transaktion t;
        t.id = doc_.nextTransactionId++;
        t.type = type;
        t.date = calendar_[dayIndex];
        t.currency2 = kBaseCurrencyId;
        t.currency1 = kBaseCurrencyId;
        return t;
    }

    // Security side: price, currency and the rate into the account currency.
    void Trade(CFL2Transaktion& t, size_t security, size_t dayIndex) {
        const CFL2Wertpapier& s = doc_.securities[security];
        t.securityId = s.id;
        t.price = s.quotes[dayIndex].value;
        t.currency1 = s.quoteCurrencyId;
        if (s.quoteCurrencyId == dollar_.id) t.rateBase = dollar_.rates[dayIndex].value;
        t.marketValue1 = RoundTo(t.price * static_cast<double>(t.quantity) / kPiece, 2);
    }

    void Buy(size_t dayIndex) {
        const size_t security = rng_.Below(doc_.securities.size());
        const double price = doc_.securities[security].quotes[dayIndex].value;
        CFL2Transaktion t = Start(TransactionType::Buy, dayIndex);
        const bool savingsPlan = rng_.Chance(0.15);
        if (savingsPlan) {
            const double budget = rng_.Between(25.0, 500.0);
            const auto thousandths = static_cast<Quantity>(budget / price * 1000.0 + 0.5);
            t.quantity = std::max<Quantity>(1, thousandths) * (kPiece / 1000);
            t.text = "Sparplan";
        } else {
            const double budget = rng_.Between(1000.0, 20000.0);
            t.quantity = std::max<Quantity>(1, static_cast<Quantity>(budget / price)) * kPiece;
            if (rng_.Chance(0.1)) t.text = "Nachkauf über Limit-Order";
        }
        Trade(t, security, dayIndex);
        t.commission1 = RoundTo(
            savingsPlan ? t.marketValue1 * 0.015 : std::max(9.90, t.marketValue1 * 0.0025), 2);
        t.amount = RoundTo((t.marketValue1 + t.commission1) * t.rateQuote / t.rateBase, 2);
        t.positionNo = doc_.nextPositionNo++;
        holdings_.Add(security, {t.positionNo, t.quantity});
        list_.push_back(std::move(t));
    }

    void Sell(size_t dayIndex) {
        const auto& open = holdings_.Open();
        const size_t security = open[rng_.Below(open.size())];
        const Quantity total = holdings_.Total(security);
        Quantity wanted = total;
        if (rng_.Chance(0.6)) {
            const auto part = static_cast<Quantity>(static_cast<double>(total) * rng_.Uniform());
            wanted = std::clamp<Quantity>(part / kPiece * kPiece, std::min(kPiece, total), total);
        }
        CFL2Transaktion t = Start(TransactionType::Sell, dayIndex);
        Quantity left = wanted;
        for (Lot& lot : holdings_.LotsOf(security)) {
            if (left == 0) break;
            const Quantity take = std::min(left, lot.remaining);
            t.allocations.push_back({-1, lot.positionNo, take});
            lot.remaining -= take;
            left -= take;
        }
        holdings_.Prune(security);
        t.quantity = wanted;
        Trade(t, security, dayIndex);
        t.commission1 =
            RoundTo(std::min(std::max(9.90, t.marketValue1 * 0.0025), t.marketValue1 * 0.5), 2);
        t.amount = RoundTo((t.marketValue1 - t.commission1) * t.rateQuote / t.rateBase, 2);
        list_.push_back(std::move(t));
    }

    CFL2Transaktion Movement(size_t dayIndex, const CFL2KontoVorgang& kind, double amount) {
        CFL2Transaktion t = Start(TransactionType::AccountMovement, dayIndex);
        t.otherId = kind.id;
        t.kindOutflow = kind.isOutflow;
        t.kindCapital = kind.isCapital;
        t.amount = RoundTo(amount, 2);
        return t;
    }

    // Books a movement to every open lot of `security`.
    void Link(CFL2Transaktion& t, size_t security, int32_t allocKind) {
        t.securityId = doc_.securities[security].id;
        t.linkFlag = 1;
        t.allocKind = allocKind;
        for (const Lot& lot : holdings_.LotsOf(security))
            t.allocations.push_back({-1, lot.positionNo, lot.remaining});
    }

    void Movement(size_t dayIndex) {
        // Kinds in seeding order: 0 deposit, 1 withdrawal, 2 dividend, 5 distribution,
        // 6 limit fees, 7 interest, 9 taxes, 13 custody fees.
        const auto& open = holdings_.Open();
        if (open.empty())
            return Deposit(dayIndex, 100.0 * static_cast<double>(10 + rng_.Below(490)));
        const size_t security = open[rng_.Below(open.size())];
        const double value = static_cast<double>(holdings_.Total(security)) / kPiece *
                             doc_.securities[security].quotes[dayIndex].value;
        const double roll = rng_.Uniform();
        CFL2Transaktion t;
        if (roll < 0.45) {
            const bool fund = doc_.securities[security].type == "Fonds";
            t = Movement(dayIndex, Kind(fund ? 5 : 2),
                         std::max(1.0, value * rng_.Between(0.01, 0.04)));
            t.text = (fund ? "Ausschüttung " : "Dividende ") +
                     std::to_string(calendar_[dayIndex].Year() - 1);
            Link(t, security, kIncome);
        } else if (roll < 0.57) {
            t = Movement(dayIndex, Kind(9), std::max(0.5, value * rng_.Between(0.002, 0.01)));
            t.text = "Kapitalertragsteuer und Solidaritätszuschlag";
            if (rng_.Chance(0.5)) Link(t, security, kIncome);
        } else if (roll < 0.62) {
            t = Movement(dayIndex, Kind(6), rng_.Between(2.5, 5.0));
            Link(t, security, kPurchaseCosts);
        } else if (roll < 0.77) {
            t = Movement(dayIndex, Kind(0), 100.0 * static_cast<double>(10 + rng_.Below(490)));
        } else if (roll < 0.82) {
            t = Movement(dayIndex, Kind(1), 100.0 * static_cast<double>(5 + rng_.Below(95)));
        } else if (roll < 0.92) {
            t = Movement(dayIndex, Kind(7), rng_.Between(1.0, 200.0));
        } else {
            t = Movement(dayIndex, Kind(13), rng_.Between(10.0, 60.0));
            t.text = "Depotgebühren " + std::to_string(calendar_[dayIndex].Year());
        }
        list_.push_back(std::move(t));
    }

    const CFL2KontoVorgang& Kind(size_t seedIndex) const { return *kinds_[seedIndex]; }

    CFolari2Doc& doc_;
    const std::vector<CQRNDatum>& calendar_;
    Rng& rng_;
    const CFL2Waehrung& dollar_;
    Holdings holdings_;
    std::vector<const CFL2KontoVorgang*> kinds_;
    std::vector<CFL2Transaktion> list_;
};

}  // namespace

std::vector<CFL2Kurs> SyntheticQuoteSeries(size_t count, CQRNDatum firstDay, uint64_t seed) {
    std::vector<CQRNDatum> calendar;
    calendar.reserve(count);
    for (uint32_t d = firstDay.DayNumber(); calendar.size() < count; ++d)
        if (IsWeekday(d)) calendar.emplace_back(d);
    Rng rng(seed);
    std::vector<CFL2Kurs> quotes;
    FillQuotes(quotes, calendar, rng, ShareWalk(50.0, 0.015));
    return quotes;
}

CFolari2Doc MakeSyntheticPortfolio(const SyntheticPortfolioSize& size) {
    Rng rng(size.seed);
    const size_t days = std::max<size_t>(size.quotesPerSecurity, 1);
    const std::vector<CQRNDatum> calendar = WeekdayCalendar(days);

    CFolari2Doc doc;
    NewDocumentChoices choices;
    choices.legacyCurrencyMask = 1;  // DM
    choices.depot = {"Gisela Förster", "Lindenstraße 12\r\n60325 Frankfurt am Main", "500 100 00",
                     "1234567890", "987654321"};
    doc.NewDocument(choices, calendar.back());

    const int32_t dollarId =
        doc.AddCurrency("USD", "US-Dollar", false, 1.0, 1.0, kBaseCurrencyId, kUnitsPerReference)
            .id;
    FillQuotes(doc.FindCurrency(dollarId)->rates.MutableItems(), calendar, rng,
               {1.10, 0.0, 0.004, 0.002, 0.5, 4});

    // A few splits on distinct securities, in the middle half of the period.
    std::vector<SplitPlan> splits;
    if (size.transactions >= 100 && size.securities > 0 && days >= 8) {
        const size_t count =
            std::min(size.securities, std::max<size_t>(1, size.transactions / 2000));
        constexpr int32_t kRatios[] = {2, 3, 4, 10};
        std::vector<size_t> order(size.securities);
        for (size_t i = 0; i < order.size(); ++i) order[i] = i;
        for (size_t i = 0; i < count; ++i) {
            std::swap(order[i], order[i + rng.Below(order.size() - i)]);
            splits.push_back({days / 4 + rng.Below(days / 2), order[i], kRatios[rng.Below(4)]});
        }
        std::sort(splits.begin(), splits.end(),
                  [](const SplitPlan& a, const SplitPlan& b) { return a.dayIndex < b.dayIndex; });
    }

    for (size_t i = 0; i < size.securities; ++i) {
        const bool inDollars = i % 8 == 7;
        const int32_t id =
            doc.AddSecurity(SecurityPrototype(i, inDollars ? dollarId : kBaseCurrencyId, inDollars))
                .id;
        std::vector<std::pair<size_t, int32_t>> ownSplits;
        for (const SplitPlan& p : splits)
            if (p.security == i) ownSplits.emplace_back(p.dayIndex, p.ratio);
        const double start = 5.0 + 295.0 * rng.Uniform() * rng.Uniform();
        FillQuotes(doc.FindSecurity(id)->quotes.MutableItems(), calendar, rng,
                   ShareWalk(start, rng.Between(0.008, 0.025)), ownSplits);
    }

    if (size.securities > 0 && size.transactions > 0) {
        TransactionGenerator generator(doc, calendar, rng, dollarId);
        generator.Deposit(0, 50000.0);
        const size_t regular = size.transactions - splits.size() - 1;
        const size_t firstDay = std::min<size_t>(10, days - 1);
        std::vector<size_t> dayIndexes(regular);
        for (size_t& d : dayIndexes) d = firstDay + rng.Below(days - firstDay);
        std::sort(dayIndexes.begin(), dayIndexes.end());
        // Splits come first on their day, as they do in the sorted list.
        size_t nextSplit = 0;
        for (size_t i = 0; i < dayIndexes.size();) {
            const size_t day = dayIndexes[i];
            size_t count = 0;
            while (i < dayIndexes.size() && dayIndexes[i] == day) ++i, ++count;
            while (nextSplit < splits.size() && splits[nextSplit].dayIndex <= day)
                generator.Split(splits[nextSplit++]);
            generator.Day(day, count);
        }
        while (nextSplit < splits.size()) generator.Split(splits[nextSplit++]);
        generator.StopTargets(50);
        // Generated day by day; within a day the list orders by type, then id.
        doc.transactions = generator.Take();
        doc.ResortTransactions();
        doc.RebuildSplitLists();
    }
    doc.SetModified(false);
    return doc;
}

size_t CountQuotes(const CFolari2Doc& doc) {
    size_t count = 0;
    for (const CFL2Wertpapier& s : doc.securities) count += s.quotes.size();
    for (const CFL2Waehrung& c : doc.currencies) count += c.rates.size();
    return count;
}

}  // namespace pf::bench
