#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engine/holdings.h"
#include "model/document.h"
#include "support/full_document.h"

namespace pf::testing {

// What a DocBuilder call made: the new transaction's id and the position numbers it handed
// out. It names the transaction by id, so it stays valid when later insertions move the
// list; `->` and the conversion reach the transaction in the document.
struct Made {
    CFolari2Doc* doc = nullptr;
    int32_t id = -1;
    int32_t positionNo = -1;  // a purchase's lot
    // Per allocation item, in item order: a sale's sold pieces; an exchange's new lots (n;
    // n + 1 is the exchanged-out piece). A movement's items keep the lots' own numbers.
    std::vector<int32_t> newNumbers;

    CFL2Transaktion& Get() const {
        const CFL2Transaktion* t = doc->FindTransaction(id);
        EXPECT_NE(t, nullptr) << "transaction " << id << " is gone";
        return *const_cast<CFL2Transaktion*>(t);
    }
    CFL2Transaktion* operator->() const { return &Get(); }
    operator CFL2Transaktion&() const { return Get(); }
};

// A small document builder for engine tests: transactions are made by hand, as a file
// would hold them, with ids and position numbers from the document's counters, and
// inserted in sorted order.
class DocBuilder {
  public:
    // A new document of 1.1.2020 with the euro and the legacy currencies of `legacyMask`
    // (DM = currency 1 by default), its account starting in `accountSymbol`.
    explicit DocBuilder(uint32_t legacyMask = 1, const std::string& accountSymbol = "EUR") {
        NewDocumentChoices choices;
        choices.legacyCurrencyMask = legacyMask;
        choices.initialAccountCurrencySymbol = accountSymbol;
        doc.NewDocument(choices, Day(1, 1, 2020));
    }

    // A security with the code "W" + name.
    int32_t Security(const std::string& name, int32_t quoteCurrency = 0) {
        return Security(name, "W" + name, quoteCurrency);
    }
    int32_t Security(const std::string& name, const std::string& wkn, int32_t quoteCurrency = 0) {
        CFL2Wertpapier s;
        s.name = name;
        s.wkn = wkn;
        s.quoteCurrencyId = quoteCurrency;
        const AddResult r = doc.AddSecurity(s);
        EXPECT_EQ(r.result, DocResult::Ok) << name;
        return r.id;
    }

    void Quote(int32_t security, CQRNDatum date, double value) {
        doc.FindSecurity(security)->quotes.SetQuote(date, value);
    }

    int32_t Kind(const std::string& name) const {
        const CFL2KontoVorgang* kind = doc.FindAccountMovementKindByName(name);
        EXPECT_NE(kind, nullptr) << name;
        return kind != nullptr ? kind->id : -1;
    }

    // A purchase in one currency: amount = market value + commission.
    Made Buy(CQRNDatum date, int32_t security, double pieces, double price, double commission = 0.0,
             int32_t positionNo = -1) {
        CFL2Transaktion t;
        t.type = TransactionType::Buy;
        t.date = date;
        t.securityId = security;
        t.positionNo = positionNo >= 0 ? positionNo : doc.nextPositionNo++;
        t.quantity = Pieces(pieces);
        t.price = price;
        t.marketValue1 = RoundTo(pieces * price, 2);
        t.commission2 = commission;
        t.amount = t.marketValue1 + commission;
        return Insert(t);
    }

    struct Item {
        int32_t source;
        double pieces;
        int32_t newNumber = -1;  // -1: a fresh number
    };
    // A sale: amount = market value - commission.
    Made Sell(CQRNDatum date, int32_t security, std::vector<Item> items, double price,
              double commission = 0.0) {
        CFL2Transaktion t;
        t.type = TransactionType::Sell;
        t.date = date;
        t.securityId = security;
        for (const Item& i : items) {
            t.allocations.push_back({i.newNumber >= 0 ? i.newNumber : doc.nextPositionNo++,
                                     i.source, Pieces(i.pieces)});
            t.quantity += Pieces(i.pieces);
        }
        t.price = price;
        t.marketValue1 = RoundTo(static_cast<double>(t.quantity) / kPiece * price, 2);
        t.commission2 = commission;
        t.amount = t.marketValue1 - commission;
        return Insert(t);
    }

    // An account movement of the kind `kindName`, linked to `security` unless it is -1, with
    // {position number, pieces} allocations.
    Made Movement(CQRNDatum date, const std::string& kindName, double amount, int32_t security,
                  AllocationKind kind, std::vector<std::pair<int32_t, double>> lots,
                  int32_t currency = 0) {
        const CFL2KontoVorgang* k = doc.FindAccountMovementKindByName(kindName);
        CFL2Transaktion t;
        t.type = TransactionType::AccountMovement;
        t.date = date;
        t.otherId = k->id;
        t.kindOutflow = k->isOutflow;
        t.kindCapital = k->isCapital;
        t.amount = amount;
        t.currency2 = currency;
        t.securityId = security;
        t.linkFlag = security >= 0 ? 1 : 0;
        t.allocKind = kind;
        for (const auto& [number, pieces] : lots) {
            t.allocations.push_back({number, number, Pieces(pieces)});
            t.quantity += Pieces(pieces);
        }
        return Insert(t);
    }
    // A movement without a security.
    Made Movement(CQRNDatum date, const std::string& kindName, double amount,
                  int32_t currency = 0) {
        return Movement(date, kindName, amount, -1, kPurchaseCosts, {}, currency);
    }

    Made Split(CQRNDatum date, int32_t security, double newPieces, double oldPieces,
               bool permanent = false) {
        CFL2Transaktion t;
        t.type = TransactionType::Split;
        t.date = date;
        t.securityId = security;
        t.newPieces = Pieces(newPieces);
        t.oldPieces = Pieces(oldPieces);
        t.splitRatio = newPieces / oldPieces;
        t.linkFlag = permanent ? 1 : 0;
        return Insert(t);
    }

    // Each item without a number of its own takes a fresh pair (n for the new lot, n + 1
    // for the exchanged-out piece).
    Made Exchange(CQRNDatum date, int32_t from, int32_t to, double oldPieces, double newPieces,
                  std::vector<Item> items, bool keepDate) {
        CFL2Transaktion t;
        t.type = TransactionType::Exchange;
        t.date = date;
        t.securityId = from;
        t.otherId = to;
        t.oldPieces = Pieces(oldPieces);
        t.newPieces = Pieces(newPieces);
        t.allocKind = keepDate ? 1 : 0;
        for (const Item& i : items) {
            const int32_t n = i.newNumber >= 0 ? i.newNumber : doc.nextPositionNo;
            if (i.newNumber < 0) doc.nextPositionNo += 2;
            t.allocations.push_back({n, i.source, Pieces(i.pieces)});
        }
        return Insert(t);
    }

    // Gives `t` the next id and inserts it as it stands.
    Made Insert(CFL2Transaktion t) {
        t.id = doc.nextTransactionId++;
        Made made{&doc, t.id, -1, {}};
        if (t.type == TransactionType::Buy) made.positionNo = t.positionNo;
        if (t.type == TransactionType::Sell || t.type == TransactionType::Exchange)
            for (const CFL2PosInfo& item : t.allocations)
                made.newNumbers.push_back(item.newPositionNo);
        doc.InsertTransactionSorted(std::move(t), true);
        doc.RebuildSplitLists();
        return made;
    }

    PositionList Lots(HoldingsQuery q = {}) const { return ComputeHoldings(doc, q); }
    // The lots still held after every transaction.
    PositionList OpenLots() const {
        HoldingsQuery q;
        q.openOnly = true;
        return ComputeHoldings(doc, q);
    }

    static Quantity Pieces(double pieces) {
        return static_cast<Quantity>(std::llround(pieces * kPiece));
    }

    CFolari2Doc doc;
};

// The lot with `number` (the first one), or a failure.
inline const CFL2DepotPos& LotNo(const PositionList& lots, int32_t number) {
    for (const CFL2DepotPos& lot : lots)
        if (lot.positionNo == number) return lot;
    ADD_FAILURE() << "no lot " << number;
    static const CFL2DepotPos none;
    return none;
}

// Amounts are compared to well below a cent: the remainders of the replay carry the usual
// binary residue of a subtraction.
#define EXPECT_AMOUNT(actual, expected) EXPECT_NEAR((actual), (expected), 1e-9)

}  // namespace pf::testing
