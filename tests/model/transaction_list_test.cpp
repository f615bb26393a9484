#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/transaction.h"
#include "support/full_document.h"

namespace pf {
namespace {

using testing::Day;

CFL2Transaktion Tx(int32_t id, TransactionType type, CQRNDatum date, std::string text = {}) {
    CFL2Transaktion t;
    t.id = id;
    t.type = type;
    t.date = date;
    t.text = std::move(text);
    return t;
}

// The insertion rule written out literally: before the first transaction that sorts after
// the new one by date, then type, then id; at the end if there is none.
void InsertByScan(std::vector<CFL2Transaktion>& list, const CFL2Transaktion& t) {
    auto it = list.begin();
    for (; it != list.end(); ++it) {
        const bool later =
            it->date > t.date ||
            (it->date == t.date && static_cast<int32_t>(t.type) < static_cast<int32_t>(it->type)) ||
            (it->date == t.date && it->type == t.type && t.id < it->id);
        if (later) break;
    }
    list.insert(it, t);
}

std::vector<std::string> Texts(const std::vector<CFL2Transaktion>& list) {
    std::vector<std::string> texts;
    for (const CFL2Transaktion& t : list) texts.push_back(t.text);
    return texts;
}

TEST(Transaction, TypeLabels) {
    struct Case {
        int32_t value;
        const char* label;
    };
    const Case cases[] = {
        {10, "Aktiensplit"}, {15, "Umtausch"}, {20, "Kauf"},     {50, "Kontobewegung"},
        {100, "Verkauf"},    {0, "Umtausch"},  {30, "Umtausch"}, {-1, "Umtausch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_STREQ(TransactionTypeLabel(static_cast<TransactionType>(c.value)), c.label);
    }
}

TEST(Transaction, SortsByDateThenTypeThenId) {
    const CQRNDatum d1 = Day(1, 6, 2010), d2 = Day(2, 6, 2010);
    using T = TransactionType;
    struct Case {
        const char* what;
        CFL2Transaktion a, b;
        bool before;
    };
    const Case cases[] = {
        {"earlier date wins over type and id", Tx(9, T::Sell, d1), Tx(1, T::Split, d2), true},
        {"later date", Tx(1, T::Split, d2), Tx(9, T::Sell, d1), false},
        {"buy before sell on one day", Tx(9, T::Buy, d1), Tx(1, T::Sell, d1), true},
        {"split before exchange", Tx(2, T::Split, d1), Tx(1, T::Exchange, d1), true},
        {"exchange before buy", Tx(2, T::Exchange, d1), Tx(1, T::Buy, d1), true},
        {"buy before movement", Tx(2, T::Buy, d1), Tx(1, T::AccountMovement, d1), true},
        {"movement before sell", Tx(2, T::AccountMovement, d1), Tx(1, T::Sell, d1), true},
        {"same type: lower id", Tx(3, T::Buy, d1), Tx(5, T::Buy, d1), true},
        {"same type: higher id", Tx(5, T::Buy, d1), Tx(3, T::Buy, d1), false},
        {"equal keys", Tx(5, T::Buy, d1), Tx(5, T::Buy, d1), false},
        {"unknown type by value", Tx(1, static_cast<T>(30), d1), Tx(1, T::AccountMovement, d1),
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SortsBefore(c.a, c.b), c.before);
    }
}

TEST(Document, InsertTransactionSortedPlacesBuyBeforeSellAndKeepsIdOrder) {
    CFolari2Doc doc;
    const CQRNDatum d = Day(1, 6, 2010);
    doc.InsertTransactionSorted(Tx(1, TransactionType::Sell, d, "sell"), false);
    doc.InsertTransactionSorted(Tx(2, TransactionType::Buy, d, "buy 2"), false);
    doc.InsertTransactionSorted(Tx(7, TransactionType::Buy, Day(31, 5, 2010), "earlier"), false);
    doc.InsertTransactionSorted(Tx(5, TransactionType::Buy, d, "buy 5"), false);
    doc.InsertTransactionSorted(Tx(3, TransactionType::Buy, d, "buy 3"), false);
    doc.InsertTransactionSorted(Tx(4, TransactionType::Split, d, "split"), false);
    doc.InsertTransactionSorted(Tx(6, TransactionType::AccountMovement, Day(2, 6, 2010), "later"),
                                false);
    EXPECT_EQ(
        Texts(doc.transactions),
        (std::vector<std::string>{"earlier", "split", "buy 2", "buy 3", "buy 5", "sell", "later"}));
    EXPECT_TRUE(doc.IsModified());
}

// Random transactions on a few days, with every type, an unknown type and repeated ids,
// land where the literal insertion rule puts them; a transaction that sorts equal to one
// already in the list goes after it.
TEST(Document, InsertTransactionSortedFollowsTheRuleForRandomInput) {
    const int32_t types[] = {10, 15, 20, 30, 50, 100};
    std::mt19937 rng(20100601);
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        CFolari2Doc doc;
        std::vector<CFL2Transaktion> expected;
        for (int i = 0; i < 60; ++i) {
            const CFL2Transaktion t =
                Tx(static_cast<int32_t>(rng() % 8), static_cast<TransactionType>(types[rng() % 6]),
                   CQRNDatum(14000 + rng() % 4), "#" + std::to_string(i));
            doc.InsertTransactionSorted(t, false);
            InsertByScan(expected, t);
        }
        ASSERT_EQ(Texts(doc.transactions), Texts(expected));
    }
}

TEST(Document, ResortTransactions) {
    const CQRNDatum d1 = Day(1, 6, 2010), d2 = Day(2, 6, 2010);
    using T = TransactionType;
    CFolari2Doc doc;
    doc.transactions = {Tx(1, T::Buy, d1, "a"), Tx(2, T::Sell, d1, "b"), Tx(3, T::Buy, d2, "c")};
    EXPECT_FALSE(doc.ResortTransactions());
    EXPECT_EQ(Texts(doc.transactions), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_FALSE(doc.IsModified());

    // As read from a damaged file: out of order, with a repeated id whose entries must keep
    // their relative order.
    doc.transactions = {Tx(3, T::Buy, d2, "c"), Tx(2, T::Sell, d1, "b"), Tx(5, T::Buy, d1, "x1"),
                        Tx(1, T::Buy, d1, "a"), Tx(5, T::Buy, d1, "x2"), Tx(0, T::Split, d2, "s")};
    std::vector<CFL2Transaktion> expected;
    for (const CFL2Transaktion& t : doc.transactions) InsertByScan(expected, t);
    EXPECT_TRUE(doc.ResortTransactions());
    EXPECT_EQ(Texts(doc.transactions), Texts(expected));
    EXPECT_EQ(Texts(doc.transactions), (std::vector<std::string>{"a", "x1", "x2", "b", "s", "c"}));
    EXPECT_TRUE(doc.IsModified());

    // Inserting with the resort flag repairs a list that was out of order.
    doc.transactions = {Tx(3, T::Buy, d2, "c"), Tx(1, T::Buy, d1, "a")};
    doc.SetModified(false);
    doc.InsertTransactionSorted(Tx(2, T::Sell, d1, "b"), true);
    EXPECT_EQ(Texts(doc.transactions), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(doc.IsModified());
}

TEST(Document, RebuildSplitListsFollowsTheSplitTransactions) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 1, 2010));
    CFL2Wertpapier s;
    s.name = "Alpha";
    s.wkn = "111";
    const int32_t alpha = doc.AddSecurity(s).id;
    s.name = "Beta";
    s.wkn = "222";
    const int32_t beta = doc.AddSecurity(s).id;

    auto split = [](int32_t id, int32_t security, CQRNDatum date, int32_t permanent, double ratio) {
        CFL2Transaktion t = Tx(id, TransactionType::Split, date);
        t.securityId = security;
        t.linkFlag = permanent;
        t.splitRatio = ratio;
        return t;
    };
    doc.InsertTransactionSorted(split(1, alpha, Day(1, 7, 2011), 0, 2.0), false);
    doc.InsertTransactionSorted(split(2, alpha, Day(1, 7, 2010), 1, 10.0), false);
    doc.InsertTransactionSorted(split(3, beta, Day(1, 8, 2010), 0, 0.5), false);
    doc.InsertTransactionSorted(split(4, 99, Day(1, 8, 2010), 0, 3.0), false);  // unknown
    CFL2Transaktion buy = Tx(5, TransactionType::Buy, Day(1, 3, 2010));
    buy.securityId = alpha;
    buy.splitRatio = 4.0;
    doc.InsertTransactionSorted(buy, false);

    doc.FindSecurity(alpha)->AddSplit(Day(1, 1, 2000), 0, 7.0);  // stale entry
    for (int pass = 0; pass < 2; ++pass) {
        SCOPED_TRACE(pass);
        doc.RebuildSplitLists();
        EXPECT_EQ(
            doc.FindSecurity(alpha)->splits,
            (std::vector<CFL2SplitInfo>{{Day(1, 7, 2010), 1, 10.0}, {Day(1, 7, 2011), 0, 2.0}}));
        EXPECT_EQ(doc.FindSecurity(beta)->splits,
                  (std::vector<CFL2SplitInfo>{{Day(1, 8, 2010), 0, 0.5}}));
    }
}

}  // namespace
}  // namespace pf
