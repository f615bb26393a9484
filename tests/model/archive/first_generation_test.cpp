// Opening first-generation files: the conversion into a current portfolio, and damaged or
// hostile files, which must end in a clean ArchiveError.

#include <gtest/gtest.h>

#include "model/archive/archive_test_util.h"
#include "model/archive/byte_builder.h"
#include "model/archive/first_generation_writer.h"

namespace pf::testing {
namespace {

constexpr int32_t kEur = 0;
constexpr int32_t kDm = 1;

// The ids the seeding gives the kinds (Kapitaleinlage 0, Kapitalentnahme 1, ...).
constexpr int32_t kKindCapitalIn = 0;
constexpr int32_t kKindCapitalOut = 1;
constexpr int32_t kKindDividend = 2;
constexpr int32_t kKindTaxes = 9;

FlkTrade Trade(CQRNDatum date, int32_t price, int32_t costs, int32_t priceInMark,
               int32_t accountInMark, std::string text) {
    return {date, price, costs, priceInMark, accountInMark, std::move(text)};
}

FlkBooking Booking(int32_t code, int32_t mark, int32_t euro, CQRNDatum date,
                   std::string text = "") {
    return {0, code, mark, euro, std::move(text), date};
}

// A portfolio started on 01.07.1998 with 5000.00 DM and switched to the euro on 01.01.2002.
FlkFile SampleFile() {
    FlkFile f;
    f.depotNumber = "D-4711";
    f.bankCode = "50010060";
    f.holderName = "Erika M\xFCller";  // "ü" in Windows-1252
    f.holderAddress = "Hauptstr. 1\r\n60311 Frankfurt";
    f.accountNumber = "123456";
    f.startDate = Day(1, 7, 1998);
    f.switchDate = Day(1, 1, 2002);
    f.switchedToEuro = 1;
    f.startBalance = 500000;
    f.holdingsTitle = "Bestand <DATUM>";
    f.chartTitle = "Kurs <BEZ> - <BEZ>";
    f.holdingsCommissions = 0;
    f.holdingsMerge = 1;
    f.percentDecimals = 3;
    f.maxPriceDecimals = 4;

    FlkLot alpha{"Alpha AG", "100100", 2, 5'000'000, {}, 2, {}};
    alpha.purchase = Trade(Day(15, 6, 1998), 10000, 1000, 1, 1, "Kauf Alpha");
    alpha.sale = Trade(Day(15, 3, 2002), 12000, 500, 1, 0, "Verkauf Alpha");
    FlkLot beta{"Beta AG", "200200", 10, 0, {}, 0, {}};
    beta.purchase = Trade(Day(10, 1, 1999), 4000, 1500, 0, 1, "Kauf Beta");
    // The sale of an unsold lot means nothing, not even its date.
    beta.sale = Trade(CQRNDatum(0), 0, 0, 0, 0, "");
    FlkLot gamma{"Gamma AG", "300300", 1, 0, {}, 0, {}};
    gamma.purchase = Trade(Day(1, 2, 1999), 100, 0, 1, 1, "");

    f.objects = {
        FlkHistory{"Alpha AG", "100100", {{12345, Day(2, 7, 1998)}, {13000, Day(1, 3, 2002)}}},
        alpha,
        Booking(26, 1000, 511, Day(1, 6, 1998), "Steuer"),
        FlkHistory{"Beta AG", "200200", {{5000, Day(10, 1, 1999)}}},
        beta,
        gamma,
        Booking(11, 2000, 1023, Day(20, 5, 1999), "Dividende"),
        Booking(31, 19558, 10000, Day(5, 1, 2002), "Einlage"),
        Booking(5, 777, 397, Day(6, 1, 2002)),  // a purchase's booking: not a movement
        Booking(99, 100, 51, Day(7, 1, 2002)),  // unknown code
        Booking(32, 3912, 2000, Day(1, 1, 2002), "Entnahme"),
    };
    return f;
}

CFL2Transaktion Movement(int32_t id, CQRNDatum date, int32_t kind, int32_t outflow, int32_t capital,
                         double amount, int32_t currency, std::string text) {
    CFL2Transaktion t;
    t.id = id;
    t.type = TransactionType::AccountMovement;
    t.date = date;
    t.otherId = kind;
    t.kindOutflow = outflow;
    t.kindCapital = capital;
    t.amount = amount;
    t.currency2 = currency;
    t.text = std::move(text);
    return t;
}

ArchiveErrorKind KindOfFailure(const std::string& bytes, const std::string& password = "") {
    try {
        Read(bytes, password);
    } catch (const ArchiveError& e) {
        return e.Kind();
    }
    ADD_FAILURE() << "the file was read";
    return ArchiveErrorKind::FileError;
}

TEST(FirstGeneration, WholeFileIsConvertedFieldByField) {
    const ReadResult r = Read(WriteFlk(SampleFile()));
    const CFolari2Doc& doc = r.doc;
    ASSERT_TRUE(r.firstGeneration);
    EXPECT_EQ(r.firstGeneration->skippedLots, 1);      // Gamma AG has no quote history
    EXPECT_EQ(r.firstGeneration->unknownBookings, 1);  // code 99; code 5 is not counted
    EXPECT_EQ(r.unreadBytes, 0u);
    EXPECT_TRUE(doc.IsModified());

    EXPECT_EQ(doc.depot.depotNumber, "D-4711");
    EXPECT_EQ(doc.depot.bankCode, "50010060");
    EXPECT_EQ(doc.depot.holderName, "Erika Müller");
    EXPECT_EQ(doc.depot.holderAddress, "Hauptstr. 1\r\n60311 Frankfurt");
    EXPECT_EQ(doc.depot.accountNumber, "123456");
    EXPECT_EQ(doc.options.holdings.title, "Bestand <DATUM>");
    EXPECT_EQ(doc.options.chart.title, "Kurs <BEZEICHNUNG> - <BEZEICHNUNG>");
    EXPECT_EQ(doc.options.holdings.includeCommissions, 0);
    EXPECT_EQ(doc.options.holdings.mergePositions, 1);
    EXPECT_EQ(doc.options.tables.percentDecimals, 3);
    EXPECT_EQ(doc.options.tables.maxPriceDecimals, 4);

    // Euro (base) and Deutsche Mark at 1.95583 per euro, and the fourteen kinds.
    ASSERT_EQ(doc.currencies.size(), 2u);
    EXPECT_EQ(doc.currencies[0].symbol, "EUR");
    EXPECT_EQ(doc.currencies[0].id, kEur);
    EXPECT_EQ(doc.currencies[1].symbol, "DM");
    EXPECT_EQ(doc.currencies[1].name, "Deutsche Mark");
    EXPECT_EQ(doc.currencies[1].id, kDm);
    EXPECT_EQ(doc.currencies[1].isFixed, 1);
    EXPECT_EQ(doc.currencies[1].fixedRate1, 1.95583);
    EXPECT_EQ(doc.currencies[1].fixedRate2, 1.0);
    ASSERT_EQ(doc.accountMovementKinds.size(), 14u);
    EXPECT_EQ(doc.accountMovementKinds[kKindTaxes].name, "Steuern");

    // Switched after the start date: marks first, the euro from the switch date.
    EXPECT_EQ(doc.initialAccountCurrencyId, kDm);
    ASSERT_EQ(doc.accountCurrencyChanges.size(), 1u);
    EXPECT_EQ(doc.accountCurrencyChanges[0], (CFL2KtoWUmst{kEur, Day(1, 1, 2002)}));

    ASSERT_EQ(doc.securities.size(), 2u);
    const CFL2Wertpapier& alpha = doc.securities[0];
    EXPECT_EQ(alpha.name, "Alpha AG");
    EXPECT_EQ(alpha.wkn, "100100");
    EXPECT_EQ(alpha.id, 0);
    EXPECT_EQ(alpha.quoteCurrencyId, kEur);
    EXPECT_EQ(alpha.creationKind, 2);
    ASSERT_EQ(alpha.quotes.size(), 2u);
    EXPECT_EQ(alpha.quotes[0], (CFL2Kurs{Day(2, 7, 1998), 123.45}));  // 12345 hundredths
    EXPECT_EQ(alpha.quotes[1], (CFL2Kurs{Day(1, 3, 2002), 130.0}));
    EXPECT_EQ(doc.securities[1].name, "Beta AG");
    EXPECT_EQ(doc.securities[1].id, 1);
    EXPECT_EQ(doc.nextSecurityId, 2);

    // Ids in the order of conversion: the lots with their sales, then the movements, then
    // the opening deposit. Positions: Alpha 0, its sale's piece 1, Beta 2.
    CFL2Transaktion alphaBuy;
    alphaBuy.id = 0;
    alphaBuy.type = TransactionType::Buy;
    alphaBuy.securityId = 0;
    alphaBuy.positionNo = 0;
    alphaBuy.date = Day(15, 6, 1998);
    alphaBuy.quantity = 25'000'000;  // 2 whole + 5,000,000 ten-millionths
    alphaBuy.price = 100.0;
    alphaBuy.marketValue1 = 250.0;  // 2.5 * 100.00
    alphaBuy.commission2 = 10.0;
    alphaBuy.currency1 = kDm;
    alphaBuy.currency2 = kDm;
    alphaBuy.amount = 260.0;  // 250.00 + 10.00, both in DM
    alphaBuy.text = "Kauf Alpha";

    CFL2Transaktion alphaSell;
    alphaSell.id = 1;
    alphaSell.type = TransactionType::Sell;
    alphaSell.securityId = 0;
    alphaSell.date = Day(15, 3, 2002);
    alphaSell.quantity = 25'000'000;
    alphaSell.price = 120.0;
    alphaSell.marketValue1 = 300.0;  // 2.5 * 120.00 DM
    alphaSell.commission2 = 5.0;
    alphaSell.currency1 = kDm;
    alphaSell.currency2 = kEur;
    alphaSell.rateBase = 1.95583;
    alphaSell.rateQuote = 1.0;
    alphaSell.amount = 148.39;  // 300 / 1.95583 = 153.3876 -> 153.39, minus 5.00 costs
    alphaSell.text = "Verkauf Alpha";
    alphaSell.allocations = {{1, 0, 25'000'000}};

    CFL2Transaktion betaBuy;
    betaBuy.id = 2;
    betaBuy.type = TransactionType::Buy;
    betaBuy.securityId = 1;
    betaBuy.positionNo = 2;
    betaBuy.date = Day(10, 1, 1999);
    betaBuy.quantity = 100'000'000;
    betaBuy.price = 40.0;
    betaBuy.marketValue1 = 400.0;
    betaBuy.commission2 = 15.0;
    betaBuy.currency1 = kEur;
    betaBuy.currency2 = kDm;
    betaBuy.rateBase = 1.0;
    betaBuy.rateQuote = 1.95583;
    betaBuy.amount = 797.33;  // 400 * 1.95583 = 782.332 -> 782.33, plus 15.00 DM costs
    betaBuy.text = "Kauf Beta";

    // Bookings before the start date (the tax of 01.06.1998 and the Alpha purchase) are
    // taken back out of the starting balance: 5000.00 + 10.00 + 260.00 = 5270.00 DM, on the
    // day before the earliest date (01.06.1998).
    const std::vector<CFL2Transaktion> expected = {
        Movement(7, Day(31, 5, 1998), kKindCapitalIn, 0, 1, 5270.0, kDm, ""),
        Movement(3, Day(1, 6, 1998), kKindTaxes, 1, 0, 10.0, kDm, "Steuer"),
        alphaBuy,
        betaBuy,
        Movement(4, Day(20, 5, 1999), kKindDividend, 0, 0, 20.0, kDm, "Dividende"),
        // On the switch date and later: the euro amount.
        Movement(6, Day(1, 1, 2002), kKindCapitalOut, 1, 1, 20.0, kEur, "Entnahme"),
        Movement(5, Day(5, 1, 2002), kKindCapitalIn, 0, 1, 100.0, kEur, "Einlage"),
        alphaSell,
    };
    ASSERT_EQ(doc.transactions.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(doc.transactions[i] == expected[i]) << "id " << doc.transactions[i].id;
    }
    EXPECT_EQ(doc.nextTransactionId, 8);
    EXPECT_EQ(doc.nextPositionNo, 3);
    EXPECT_TRUE(doc.stopTargets.empty());

    EXPECT_EQ(FirstGenerationImportMessage(*r.firstGeneration),
              "Die Datei wurde aus einer Portfolaris1-Datei übernommen. 1 Position ohne "
              "Kursverlauf wurde nicht übernommen. 1 Kontobuchung mit unbekanntem "
              "Buchungsschlüssel wurde nicht übernommen.");

    // The result is an ordinary document: saved and read again, it is the same.
    const ReadResult again = Read(WriteDocument(doc));
    EXPECT_FALSE(again.firstGeneration);
    EXPECT_TRUE(again.doc.transactions == doc.transactions);
    EXPECT_TRUE(again.doc.securities == doc.securities);
}

TEST(FirstGeneration, TaxBookingBecomesAnOutflowOfTenEuroOrMark) {
    // Code 26 with 1000 hundredths: a "Steuern" movement that takes 10.00 from the account.
    FlkFile f;
    f.startDate = Day(1, 1, 2003);
    f.switchDate = Day(1, 1, 2002);
    f.switchedToEuro = 1;
    f.objects = {Booking(26, 1956, 1000, Day(3, 1, 2003))};
    const CFolari2Doc doc = Read(WriteFlk(f)).doc;
    // The opening deposit would be 0: there is none.
    ASSERT_EQ(doc.transactions.size(), 1u);
    const CFL2Transaktion& t = doc.transactions[0];
    const CFL2KontoVorgang* kind = doc.FindAccountMovementKind(t.otherId);
    ASSERT_NE(kind, nullptr);
    EXPECT_EQ(kind->name, "Steuern");
    EXPECT_EQ(t.kindOutflow, 1);
    EXPECT_EQ(t.amount, 10.0);
    EXPECT_EQ(t.currency2, kEur);
}

TEST(FirstGeneration, AccountCurrencyFollowsTheSwitchToTheEuro) {
    struct Case {
        const char* name;
        int32_t switched;
        CQRNDatum switchDate;
        int32_t initial;
        std::vector<CFL2KtoWUmst> changes;
    };
    const CQRNDatum start = Day(1, 7, 2000);
    const Case cases[] = {
        {"after the start", 1, Day(1, 1, 2002), kDm, {{kEur, Day(1, 1, 2002)}}},
        {"on the start", 1, start, kEur, {}},
        {"before the start", 1, Day(1, 1, 1999), kEur, {}},
        // A never-switched account keeps marks; its switch date means nothing.
        {"never", 0, CQRNDatum(0), kDm, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FlkFile f;
        f.startDate = start;
        f.switchedToEuro = c.switched;
        f.switchDate = c.switchDate;
        f.startBalance = 100;
        const CFolari2Doc doc = Read(WriteFlk(f)).doc;
        EXPECT_EQ(doc.initialAccountCurrencyId, c.initial);
        EXPECT_EQ(doc.accountCurrencyChanges, c.changes);
        // The opening deposit of 1.00 lies in the currency the account starts with.
        ASSERT_EQ(doc.transactions.size(), 1u);
        EXPECT_EQ(doc.transactions[0].currency2, c.initial);
        EXPECT_EQ(doc.transactions[0].date, Day(30, 6, 2000));
        EXPECT_EQ(doc.transactions[0].amount, 1.0);
    }
}

TEST(FirstGeneration, OpeningDepositConvertsEarlierMarkBookingsIntoEuro) {
    // Account in euro from the start (switched before it); a tax of 19.56 DM booked before
    // both: 19.56 / 1.95583 = 10.0009 -> 10.00 EUR, so the deposit is 1000.00 + 10.00.
    FlkFile f;
    f.startDate = Day(1, 1, 2002);
    f.switchDate = Day(1, 1, 2001);
    f.switchedToEuro = 1;
    f.startBalance = 100000;
    f.objects = {Booking(26, 1956, 1000, Day(15, 12, 2000)),
                 // On the start date itself: already part of the old starting balance's day.
                 Booking(21, 1000, 500, Day(1, 1, 2002))};
    const CFolari2Doc doc = Read(WriteFlk(f)).doc;
    ASSERT_EQ(doc.transactions.size(), 3u);
    const CFL2Transaktion& opening = doc.transactions[0];
    EXPECT_EQ(opening.date, Day(14, 12, 2000));
    EXPECT_EQ(opening.otherId, kKindCapitalIn);
    EXPECT_EQ(opening.currency2, kEur);
    EXPECT_EQ(opening.amount, 1010.0);
    EXPECT_EQ(doc.transactions[1].currency2, kDm);  // before the switch date
    EXPECT_EQ(doc.transactions[1].amount, 19.56);
    EXPECT_EQ(doc.transactions[2].amount, 5.0);
}

TEST(FirstGeneration, OpeningDepositCannotLeaveTheCalendar) {
    // Started on 02.01.1970, the first valid day: the day before does not exist, so the
    // deposit stays on that day (it sorts after the day's buys, before its sales).
    FlkFile f;
    f.startDate = Day(2, 1, 1970);
    f.startBalance = 1234;
    const CFolari2Doc doc = Read(WriteFlk(f)).doc;
    ASSERT_EQ(doc.transactions.size(), 1u);
    EXPECT_EQ(doc.transactions[0].date, Day(2, 1, 1970));
    EXPECT_EQ(doc.transactions[0].amount, 12.34);
}

TEST(FirstGeneration, LotsWithoutQuoteHistoryAreSkippedAndCounted) {
    // A lot needs a history with its name AND WKN.
    FlkFile f;
    f.startDate = Day(1, 1, 2000);
    FlkLot lot{"Alpha AG", "100100", 1, 0, {}, 0, {}};
    lot.purchase = Trade(Day(3, 1, 2000), 1000, 0, 0, 0, "");
    FlkLot otherWkn = lot;
    otherWkn.wkn = "999999";
    FlkLot otherName = lot;
    otherName.name = "Alpha";
    f.objects = {FlkHistory{"Alpha AG", "100100", {}}, otherWkn, lot, otherName};
    const ReadResult r = Read(WriteFlk(f));
    EXPECT_EQ(r.firstGeneration->skippedLots, 2);
    ASSERT_EQ(r.doc.transactions.size(), 1u);
    EXPECT_EQ(r.doc.transactions[0].positionNo, 0);
    EXPECT_EQ(FirstGenerationImportMessage(*r.firstGeneration),
              "Die Datei wurde aus einer Portfolaris1-Datei übernommen. 2 Positionen ohne "
              "Kursverlauf wurden nicht übernommen.");
    EXPECT_EQ(FirstGenerationImportMessage({}), "");
}

TEST(FirstGeneration, HistoriesThatShareANameOrWknStayDistinctSecurities) {
    FlkFile f;
    f.startDate = Day(1, 1, 2000);
    f.objects = {
        FlkHistory{"Alpha", "1", {{100, Day(3, 1, 2000)}}},
        FlkHistory{"Alpha", "2", {}},
        FlkHistory{"", "", {}},
        // The same name and WKN again: the same security, later quotes win.
        FlkHistory{"Alpha", "1", {{200, Day(3, 1, 2000)}, {150, Day(2, 1, 2000)}}},
    };
    const CFolari2Doc doc = Read(WriteFlk(f)).doc;
    ASSERT_EQ(doc.securities.size(), 3u);
    EXPECT_EQ(doc.securities[0].name, "Alpha");
    EXPECT_EQ(doc.securities[1].name, "Alpha (2)");
    EXPECT_EQ(doc.securities[1].wkn, "2");
    EXPECT_EQ(doc.securities[2].name, "Wertpapier");
    EXPECT_EQ(doc.securities[2].wkn, "WKN");
    ASSERT_EQ(doc.securities[0].quotes.size(), 2u);
    EXPECT_EQ(doc.securities[0].quotes[0], (CFL2Kurs{Day(2, 1, 2000), 1.5}));
    EXPECT_EQ(doc.securities[0].quotes[1], (CFL2Kurs{Day(3, 1, 2000), 2.0}));
}

TEST(FirstGeneration, OldOptionsOutsideTheirRangeKeepTheDefaults) {
    FlkFile f;
    f.startDate = Day(1, 1, 2000);
    f.holdingsCommissions = 2;
    f.holdingsMerge = -1;
    f.percentDecimals = 8;
    f.maxPriceDecimals = 1;
    const DocumentOptions defaults = DefaultOptions(Day(15, 6, 2022));
    const CFolari2Doc doc = Read(WriteFlk(f)).doc;
    EXPECT_EQ(doc.options.holdings.includeCommissions, defaults.holdings.includeCommissions);
    EXPECT_EQ(doc.options.holdings.mergePositions, defaults.holdings.mergePositions);
    EXPECT_EQ(doc.options.tables.percentDecimals, defaults.tables.percentDecimals);
    EXPECT_EQ(doc.options.tables.maxPriceDecimals, defaults.tables.maxPriceDecimals);
}

TEST(FirstGeneration, ProtectedFileAsksForThePasswordAndKeepsIt) {
    FlkFile f = SampleFile();
    f.protectionActive = 1;
    f.password = "Geheim";
    const std::string bytes = WriteFlk(f);
    const ReadResult r = Read(bytes, "Geheim");
    EXPECT_EQ(r.doc.password, (CQRNKennwort{"Geheim", 1}));
    EXPECT_EQ(r.doc.transactions.size(), 8u);
    EXPECT_EQ(KindOfFailure(bytes, "geheim"), ArchiveErrorKind::WrongPassword);
    EXPECT_EQ(KindOfFailure(bytes, ""), ArchiveErrorKind::WrongPassword);  // cancelled
}

TEST(FirstGeneration, AnyHeaderBeginningLikeTheFirstGenerationIsConverted) {
    FlkFile f;
    f.header = "PortfolarisDatei.1.07 und mehr";
    f.startDate = Day(1, 1, 2000);
    f.trailing = "xyz";
    const ReadResult r = Read(WriteFlk(f));
    EXPECT_TRUE(r.firstGeneration);
    EXPECT_EQ(r.unreadBytes, 3u);
}

TEST(FirstGeneration, FileTruncatedAtEveryOffsetFails) {
    FlkFile f = SampleFile();
    f.protectionActive = 1;
    f.password = "pw";
    const std::string bytes = WriteFlk(f);
    ASSERT_NO_THROW(Read(bytes, "pw"));
    for (size_t length = 0; length < bytes.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_EQ(KindOfFailure(bytes.substr(0, length), "pw"), ArchiveErrorKind::EndOfFile);
    }
}

// The file of SampleFile without objects, followed by `list` in place of its object list.
std::string WithObjectList(const std::string& list) {
    FlkFile f = SampleFile();
    f.objects.clear();
    std::string bytes = WriteFlk(f);
    bytes.resize(bytes.size() - 2);  // the count 0
    return bytes + list;
}

std::string LotBytes(int32_t whole, int32_t fraction, uint32_t purchaseDay, int32_t state,
                     uint32_t saleDay) {
    ByteBuilder b;
    b.Count(1).ObjectTag("CQRNAktie", 1);
    b.S("A").S("1").I(whole).I(fraction);
    b.U32(purchaseDay).I(100).I(0).I(0).I(0).S("");
    b.I(state);
    b.U32(saleDay).I(100).I(0).I(0).I(0).S("");
    return b.out;
}

TEST(FirstGeneration, HostileValuesFailCleanly) {
    const uint32_t day = Day(1, 1, 2000).DayNumber();
    struct Case {
        const char* name;
        std::string list;
        ArchiveErrorKind kind;
    };
    std::vector<Case> cases;
    cases.push_back({"huge object count", ByteBuilder().U16(0xFFFF).U32(0xFFFFFFFF).out,
                     ArchiveErrorKind::EndOfFile});
    {
        ByteBuilder b;
        b.Count(1).ObjectTag("CQRNKursverlauf", 1);
        b.S("A").S("1").U16(0xFFFF).U32(0x7FFFFFFF);
        cases.push_back({"huge quote count", b.out, ArchiveErrorKind::EndOfFile});
    }
    {
        ByteBuilder b;
        b.Count(1).ObjectTag("CQRNKursverlauf", 1);
        b.B(0xFF).U16(0xFFFF).U32(0xFFFFFFF0);
        cases.push_back({"huge string", b.out, ArchiveErrorKind::EndOfFile});
    }
    cases.push_back({"reference to nothing", ByteBuilder().Count(1).BackReference(5).out,
                     ArchiveErrorKind::BadIndex});
    {
        ByteBuilder b;
        b.Count(1).ObjectTag("CQRNKursverlauf", 1);
        // The history's quote list refers to the history itself, which is no quote.
        b.S("A").S("1").Count(1).BackReference(2);
        cases.push_back({"reference to the enclosing object", b.out, ArchiveErrorKind::BadClass});
    }
    {
        ByteBuilder b;
        b.Count(1).ObjectTag("CFL2Transaktion", 2);
        cases.push_back({"current class", b.out, ArchiveErrorKind::BadClass});
    }
    {
        ByteBuilder b;
        b.Count(1).ObjectTag("CQRNKurs", 1);
        b.I(100).U32(day);
        cases.push_back({"quote outside a history", b.out, ArchiveErrorKind::BadClass});
    }
    cases.push_back({"unknown class",
                     ByteBuilder().Count(1).U16(0xFFFF).U16(1).U16(7).out + "CQRNFoo",
                     ArchiveErrorKind::BadClass});
    cases.push_back({"null object", ByteBuilder().Count(1).U16(0).out, ArchiveErrorKind::BadClass});
    {
        ByteBuilder b;
        b.Count(1).ObjectTag("CQRNKontoTransaktion", 2);
        b.I(0).I(26).I(100).I(51).S("").U32(day);
        cases.push_back({"schema 2", b.out, ArchiveErrorKind::BadSchema});
    }
    cases.push_back({"fraction of a whole piece", LotBytes(1, 10'000'000, day, 0, 0),
                     ArchiveErrorKind::BadValue});
    cases.push_back({"negative fraction", LotBytes(1, -1, day, 0, 0), ArchiveErrorKind::BadValue});
    cases.push_back({"negative pieces", LotBytes(-1, 0, day, 0, 0), ArchiveErrorKind::BadValue});
    cases.push_back({"no pieces", LotBytes(0, 0, day, 0, 0), ArchiveErrorKind::BadValue});
    cases.push_back({"purchase date 0", LotBytes(1, 0, 0, 0, 0), ArchiveErrorKind::BadValue});
    cases.push_back(
        {"purchase after 2038", LotBytes(1, 0, 24855, 0, 0), ArchiveErrorKind::BadValue});
    cases.push_back(
        {"sale date out of range", LotBytes(1, 0, day, 2, 0xFFFFFFFF), ArchiveErrorKind::BadValue});
    cases.push_back(
        {"sale before purchase", LotBytes(1, 0, day, 2, day - 1), ArchiveErrorKind::BadValue});
    {
        ByteBuilder b;
        b.Count(1).ObjectTag("CQRNKursverlauf", 1);
        b.S("A").S("1").Count(1).ObjectTag("CQRNKurs", 1);
        b.I(100).U32(0);
        cases.push_back({"quote date 0", b.out, ArchiveErrorKind::BadValue});
    }
    {
        ByteBuilder b;
        b.Count(1).ObjectTag("CQRNKontoTransaktion", 1);
        b.I(0).I(26).I(100).I(51).S("").U32(99999);
        cases.push_back({"booking date out of range", b.out, ArchiveErrorKind::BadValue});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(KindOfFailure(WithObjectList(c.list)), c.kind);
    }

    // A start date out of range, and a switch date out of range when the account switched.
    FlkFile f;
    f.startDate = CQRNDatum(0);
    EXPECT_EQ(KindOfFailure(WriteFlk(f)), ArchiveErrorKind::BadValue);
    f.startDate = Day(1, 1, 2000);
    f.switchedToEuro = 1;
    f.switchDate = CQRNDatum(30000);
    EXPECT_EQ(KindOfFailure(WriteFlk(f)), ArchiveErrorKind::BadValue);
    EXPECT_STREQ(OpenErrorMessage(ArchiveErrorKind::BadValue), "Unerwartetes Dateiformat.");
}

TEST(FirstGeneration, BackReferencesCopyEarlierObjectsWithinTheirBudget) {
    // The second element refers back to the history (class 1, object 2): a copy of it,
    // which names the same security.
    ByteBuilder b;
    b.Count(3).ObjectTag("CQRNKursverlauf", 1);
    b.S("A").S("1").Count(1).ObjectTag("CQRNKurs", 1);
    b.I(250).U32(Day(3, 1, 2000).DayNumber());
    b.BackReference(2);
    b.BackReference(2);
    const CFolari2Doc doc = Read(WithObjectList(b.out)).doc;
    ASSERT_EQ(doc.securities.size(), 1u);
    EXPECT_EQ(doc.securities[0].quotes.size(), 1u);

    // Many references to one large object are refused before they cost more than the file.
    ByteBuilder big;
    const uint32_t quotes = 2000;
    const uint32_t references = 2000;
    big.Count(1 + references).ObjectTag("CQRNKursverlauf", 1);
    big.S("A").S("1").Count(quotes);
    for (uint32_t i = 0; i < quotes; ++i) big.ObjectTag("CQRNKurs", 1), big.I(1).U32(1 + i);
    for (uint32_t i = 0; i < references; ++i) big.BackReference(2);
    EXPECT_EQ(KindOfFailure(WithObjectList(big.out)), ArchiveErrorKind::BadIndex);
}

}  // namespace
}  // namespace pf::testing
