#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "engine/holdings.h"
#include "model/document.h"
#include "support/full_document.h"

namespace pf::testing {

// A small document builder for engine tests: transactions are made by hand, as a file
// would hold them, and inserted in sorted order.
class DocBuilder {
public:
    explicit DocBuilder(uint32_t legacyMask = 1) {
        NewDocumentChoices choices;
        choices.legacyCurrencyMask = legacyMask;  // DM = currency 1 by default
        doc.NewDocument(choices, Day(1, 1, 2020));
    }

    int32_t Security(const std::string& name, int32_t quoteCurrency = 0) {
        CFL2Wertpapier s;
        s.name = name;
        s.wkn = "W" + name;
        s.quoteCurrencyId = quoteCurrency;
        return doc.AddSecurity(s).id;
    }

    // A purchase in one currency: amount = quantity × price + commission.
    CFL2Transaktion& Buy(CQRNDatum date, int32_t security, double pieces, double price,
                         double commission = 0.0, int32_t positionNo = -1) {
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
    CFL2Transaktion& Sell(CQRNDatum date, int32_t security, std::vector<Item> items,
                          double price, double commission = 0.0) {
        CFL2Transaktion t;
        t.type = TransactionType::Sell;
        t.date = date;
        t.securityId = security;
        for (const Item& i : items) {
            t.allocations.push_back(
                {i.newNumber >= 0 ? i.newNumber : doc.nextPositionNo++, i.source, Pieces(i.pieces)});
            t.quantity += Pieces(i.pieces);
        }
        t.price = price;
        t.marketValue1 = RoundTo(static_cast<double>(t.quantity) / kPiece * price, 2);
        t.commission2 = commission;
        t.amount = t.marketValue1 - commission;
        return Insert(t);
    }

    CFL2Transaktion& Movement(CQRNDatum date, const std::string& kindName, double amount,
                              int32_t security, AllocationKind kind,
                              std::vector<std::pair<int32_t, double>> lots, int32_t currency = 0) {
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

    CFL2Transaktion& Split(CQRNDatum date, int32_t security, double newPieces, double oldPieces,
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

    CFL2Transaktion& Exchange(CQRNDatum date, int32_t from, int32_t to, double oldPieces,
                              double newPieces, std::vector<Item> items, bool keepDate) {
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

    CFL2Transaktion& Insert(CFL2Transaktion t) {
        t.id = doc.nextTransactionId++;
        const int32_t id = t.id;
        doc.InsertTransactionSorted(std::move(t), true);
        doc.RebuildSplitLists();
        return *const_cast<CFL2Transaktion*>(doc.FindTransaction(id));
    }

    PositionList Lots(HoldingsQuery q = {}) const { return ComputeHoldings(doc, q); }

    static Quantity Pieces(double pieces) { return static_cast<Quantity>(std::llround(pieces * kPiece)); }

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
