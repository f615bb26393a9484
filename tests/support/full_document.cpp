#include "support/full_document.h"

#include <span>

#include "model/archive/document_file.h"

namespace pf::testing {

CQRNDatum Day(unsigned day, unsigned month, unsigned year) {
    CQRNDatum d;
    d.Set(day, month, year);
    return d;
}

namespace {

CFolari2Doc Normalised(const CFolari2Doc& doc) {
    const std::string bytes = WriteDocument(doc);
    ReadSettings settings;
    settings.today = Day(1, 6, 2020);
    settings.askPassword = [&]() { return std::optional<std::string>(doc.password.password); };
    return ReadDocument(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                        settings)
        .doc;
}

CFL2Transaktion MakeTransaction(int32_t id, TransactionType type, CQRNDatum date) {
    CFL2Transaktion t;
    t.id = id;
    t.type = type;
    t.securityId = 1;
    t.positionNo = 7 + id;
    t.currency2 = 1;
    t.amount = 1234.56 + id;
    t.text = "Transaktion Nr. " + std::to_string(id) + " – Größe";
    t.price = 12.3456789;
    t.marketValue1 = 1234.5;
    t.commission1 = 9.9;
    t.currency1 = 2;
    t.rateBase = 1.95583;
    t.rateQuote = 1.0;
    t.commission2 = 4.95;
    t.otherId = 3;
    t.kindOutflow = 1;
    t.kindCapital = 0;
    t.linkFlag = 1;
    t.allocKind = 2;
    t.splitRatio = 2.5;
    t.quantity = 15'000'000;
    t.oldPieces = 2 * kPiece;
    t.newPieces = 5 * kPiece;
    t.date = date;
    return t;
}

}  // namespace

CFolari2Doc MakeFullDocument() {
    CFolari2Doc doc;
    NewDocumentChoices choices;
    choices.legacyCurrencyMask = 0x7FF;
    choices.depot = {"Jürgen Weiß", "Königsallee 1\r\nD-40212 Düsseldorf", "300 500 00",
                     "0815 4711", "D-42"};
    choices.initialAccountCurrencySymbol = "DM";
    doc.NewDocument(choices, Day(15, 3, 2021));

    const int32_t usd = doc.AddCurrency("USD", "US-Dollar", false, 7.0, 8.0, 0, 1).id;
    CFL2Waehrung* dollar = doc.FindCurrency(usd);
    dollar->rates.SetQuote(Day(2, 1, 2020), 1.1234);
    dollar->rates.SetQuote(Day(3, 1, 2020), 1.1301);

    CFL2Wertpapier s;
    s.name = "Müller & Söhne AG";
    s.isin = "DE0001234567";
    s.wkn = "123456";
    s.quoteCurrencyId = usd;
    s.vtplusImport = 1;
    s.vtplusControlText = "Kontrolle";
    s.vtplusQuotePosition = "12/40";
    s.vtplusPage = "520";
    s.vtplusControlText2 = "Zweiter";
    s.vtplusSubpage = "3";
    s.vtplusDecimalSeparator = 1;
    s.aux1 = 11;
    s.aux2 = "aux";
    s.creationKind = 2;
    s.aux3 = 13;
    s.aux5 = 15;
    s.aux4 = 14;
    s.type = "Aktie";
    s.sector = "Maschinenbau";
    s.country = "Deutschland";
    s.index = "MDAX";
    s.earnings1 = 1.25;
    s.earnings2 = 1.5;
    s.dividend = 0.8;
    s.cashFlow = 2.75;
    s.figuresSet = 0xF;
    s.noManualQuotes = 1;
    s.noChart = 1;
    s.internetImport = 1;
    s.internetUrl = "http://127.0.0.1/kurs?wkn=123456";
    s.internetTextBeforeQuote = "Kurs:";
    s.internetDecimalSeparator = 1;
    s.halfIncomeProcedure = 1;
    s.category1 = "Wachstum";
    s.category2 = "Europa";
    s.remarks = std::string(300, 'r') + "\r\n" + std::string(70000, 'x');  // two long forms
    const int32_t securityId = doc.AddSecurity(s).id;
    CFL2Wertpapier plain;
    plain.name = "Zweites Papier";
    plain.wkn = "654321";
    doc.AddSecurity(plain);
    CFL2Wertpapier* stored = doc.FindSecurity(securityId);
    for (unsigned d = 1; d <= 28; ++d) stored->quotes.SetQuote(Day(d, 2, 2020), 10.0 + d / 8.0);

    doc.AddAccountMovementKind("Eigene Art €", true, true, true);

    CFL2Transaktion buy =
        MakeTransaction(doc.nextTransactionId++, TransactionType::Buy, Day(3, 2, 2020));
    CFL2Transaktion sell =
        MakeTransaction(doc.nextTransactionId++, TransactionType::Sell, Day(20, 2, 2020));
    sell.allocations = {{-1, 8, 10'000'000}, {-1, 9, 5'000'000}};
    CFL2Transaktion exchange =
        MakeTransaction(doc.nextTransactionId++, TransactionType::Exchange, Day(21, 2, 2020));
    exchange.allocations = {{40, 8, 12'345'678}};
    CFL2Transaktion split =
        MakeTransaction(doc.nextTransactionId++, TransactionType::Split, Day(22, 2, 2020));
    CFL2Transaktion movement = MakeTransaction(doc.nextTransactionId++,
                                               TransactionType::AccountMovement, Day(22, 2, 2020));
    CFL2Transaktion odd = MakeTransaction(doc.nextTransactionId++, static_cast<TransactionType>(77),
                                          Day(23, 2, 2020));
    for (CFL2Transaktion* t : {&buy, &sell, &exchange, &split, &movement, &odd})
        doc.InsertTransactionSorted(*t, true);
    doc.nextPositionNo = 41;

    doc.accountCurrencyChanges = {{0, Day(1, 1, 2002)}, {usd, Day(1, 7, 2015)}};
    doc.speculationPeriodChanges = {{Day(1, 1, 1999), 12, 1}, {Day(1, 1, 2009), -1, 7}};
    doc.stopTargets = {{8, 9.5, 20.25}, {9, 0.0, 31.0}};

    doc.password = {"Geheim-ß", 1};
    DocumentOptions& o = doc.options;
    o.decimalSeparator = ".";
    o.thousandsSeparator = "";
    o.splitRoundingDecimals = 4;
    o.periodFromChoice = kFromFixedDay;
    o.periodToChoice = kToFixedDay;
    o.periodFromDate = Day(1, 1, 2019);
    o.periodToDate = Day(31, 12, 2020);
    o.earningsYear1 = "2020";
    o.earningsYear2 = "2021";
    o.ownCategoryCaption1 = "Strategie";
    o.ownCategoryCaption2 = "Region";
    o.rememberTransactionDate = 1;
    o.internetQuotes = {0, 2.5, 0.25, -2.5, -0.5};
    o.htmlPage = {kHtmlIsinType, 1, 0, 0, 1, "14pt;11pt", 1, "/tmp/Übersicht.htm"};
    // Every report option away from its default, with texts beyond ASCII.
    TableAppearance& t = o.tables;
    t.screenStyle = 2;
    t.printStyle = 0;
    t.face = "Liberation Sans Ä";
    t.outerMargin = 12;
    t.columnGap = 31;
    t.columnMargin = 13;
    t.titleFontHeight = 71;
    t.columnTitleFontHeight = 41;
    t.rowFontHeight = 51;
    t.repeatTitle = 1;
    t.repeatColumnTitles = 0;
    t.marginLeft = 151;
    t.marginTop = 152;
    t.marginRight = 153;
    t.marginBottom = 154;
    t.percentDecimals = 3;
    t.maxPriceDecimals = 4;
    t.colourWithDividends = 1;
    HoldingsReportOptions& h = o.holdings;
    h.columnMask = static_cast<int32_t>(0xDEADBEEF);
    h.title = "Bestand <DATUM> für <INHABER> – ü";
    h.sortKey = 7;
    h.sortDescending = 1;
    h.includeCommissions = 0;
    h.mergePositions = 1;
    h.bracketOldQuotes = 1;
    h.currencyId = usd;
    h.annualisation = kContinuous;
    h.extraInfo = kOwnCategory2;
    RealizedReportOptions& r = o.realized;
    r.columnMask = 0x12345678;
    r.title = "Verkäufe <STARTDATUM> bis <ENDDATUM>";
    r.taxSums = 0;
    r.sortKey = 12;
    r.sortDescending = 1;
    r.includeCommissions = 0;
    r.mergePositions = 1;
    r.currencyId = usd;
    r.annualisation = kLinear;
    r.extraInfo = kCountry;
    TransactionsReportOptions& tx = o.transactions;
    tx.columnMask = 0x0F0F0F0F;
    tx.title = "Buchungen <STARTDATUM> – <ENDDATUM>";
    tx.sortKeys = {kTransactionsByType, kTransactionsByAmount, kTransactionsByText};
    tx.sortDescending = 1;
    tx.currencyId = usd;
    MovementsReportOptions& mv = o.movements;
    mv.columnMask = 0x00FF00FF;
    mv.title = "Konto <KONTONUMMER> ö";
    mv.endOfDayBalance = 1;
    mv.currencyId = usd;
    ReportsAppearance& rp = o.reports;
    rp.face = "DejaVu Serif Ü";
    rp.columnGap = 32;
    rp.outerMargin = 14;
    rp.title1FontHeight = 72;
    rp.title2FontHeight = 62;
    rp.largeFontHeight = 52;
    rp.smallFontHeight = 42;
    rp.marginLeft = 155;
    rp.marginTop = 156;
    rp.marginRight = 157;
    rp.marginBottom = 158;
    GainLossReportOptions& gv = o.gainLoss;
    gv.itemMask = 0x0000000500000401ull;  // items in both words
    gv.title1 = "G/V für <INHABER> ä";
    gv.title2 = "<STARTDATUM>";
    gv.title1Large = 0;
    gv.title2Large = 1;
    gv.currencyId = usd;
    gv.groupByTaxCategory = 0;
    gv.purchaseCostsInPrice = 1;
    gv.securityInTexts = 1;
    PerformanceReportOptions& pf = o.performance;
    pf.title1 = "Leistung ß";
    pf.title2 = "";
    pf.currencyId = usd;
    pf.purchaseCostsInCapital = 0;
    pf.showPeriods = 0;
    pf.periodsEndAtMonthEnd = 1;
    ReturnsReportOptions& ret = o.returns;
    ret.title1 = "Renditen ä";
    ret.title2 = "<ENDDATUM>";
    ret.currencyId = usd;
    ret.withoutTaxes = 1;
    ret.showPayments = 0;
    ret.paymentsInNegative = 1;
    ret.order = kReturnsByWkn;
    ListsAppearance& l = o.lists;
    l.screenStyle = 0;
    l.printStyle = 2;
    l.face = "Liberation Sans Ö";
    l.outerMargin = 12;
    l.normalFontHeight = 41;
    l.columnTitleFontHeight = 42;
    l.verticalFontHeight = 43;
    l.dateColumnEveryPage = 0;
    l.marginLeft = 161;
    l.marginTop = 162;
    l.marginRight = 163;
    l.marginBottom = 164;
    l.repeatColumnTitles = 0;
    l.priceDecimals = 4;
    l.percentDecimals = 3;
    l.repeatVerticalTexts = 0;
    l.verticalTextDistance = 77;
    DevelopmentReportOptions& dv = o.development;
    dv.itemMask = 0x3FFF0F11;
    dv.positionText = "<WKN> ü <STUECK>";
    dv.depotCurrencyId = usd;
    dv.accountCurrencyId = usd;
    dv.assetsCurrencyId = usd;
    dv.sortKey = kDevelopmentByPurchaseDate;
    dv.columnPerLot = 1;
    dv.equalWidths = 1;
    dv.includeCommissions = 0;
    dv.correctAccount = 1;
    dv.correctAssets = 1;
    dv.correctionRelativeToEnd = 1;
    QuotesTableOptions& qt = o.quotes;
    qt.filter = kQuotesOfChosenSecurities;
    qt.titleTemplate = "<WKN> ä";
    qt.sortKey = kQuotesByIsin;
    qt.equalWidths = 1;
    qt.splitHandling = kSplitsAsStored;
    AnalysisOptions& an = o.analysis;
    an.face = "DejaVu Sans ß";
    an.fontHeight = 44;
    an.outerMargin = 21;
    an.textSpacing = 11;
    an.columnWidth = 260;
    an.firstColumnWidth = 360;
    an.marginLeft = 171;
    an.marginTop = 172;
    an.marginRight = 173;
    an.marginBottom = 174;
    an.sortKey = 3;
    an.sortDescending = 1;
    an.includeCommissions = 0;
    an.includeDividends = 1;
    an.mergePositions = 1;
    an.priceDecimals = 5;
    an.percentDecimals = 2;
    an.currencyId = usd;
    an.stopTarget = 0;
    SecuritiesListOptions& sl = o.securitiesList;
    sl.columnMask = 0x7F00FF01;
    sl.title = "Papiere am <DATUM> ä";
    sl.sortKeys = {kSecuritiesByDrawdown, kSecuritiesByName, kSecuritiesByQuoteCount};
    sl.sortDescending = 1;
    sl.useLastPrice = 0;
    sl.onlyInDepot = 1;
    DiagramsAppearance& ga = o.diagramsAppearance;
    ga = {"Liberation Serif é", 1510, 920, 41, 12, 33, 47};
    ChartOptions& ch = o.chart;
    ch.title = "<WKN> Chart ö";
    ch.lineWidth = 4;
    ch.lineColour = StoredColour(1, 2, 3);
    ch.averages = {MovingAverageOptions{0, 21, 1, StoredColour(4, 5, 6)},
                   MovingAverageOptions{0, 55, 2, StoredColour(7, 8, 9)},
                   MovingAverageOptions{1, 233, 3, StoredColour(10, 11, 12)}};
    ch.markers = 0;
    ch.markerWidth = 5;
    ch.buyColour = StoredColour(13, 14, 15);
    ch.sellColour = StoredColour(16, 17, 18);
    ch.splitHandling = kSplitsFullyAdjusted;
    DiagramOptions& dg = o.diagrams;
    dg.developmentTitle = "<STANDARDTITEL> ü";
    dg.positionsTitle = "<BEZEICHNUNGEN> ä";
    dg.developmentLineWidth = 6;
    dg.developmentLineColour = StoredColour(19, 20, 21);
    dg.positionsLineWidth = 7;
    dg.positionsLineColour = StoredColour(22, 23, 24);
    dg.currencyId = usd;
    dg.includeCommissions = 0;
    dg.correctAccount = 1;
    dg.correctAssets = 1;
    dg.correctionRelativeToEnd = 1;
    o.isinLabel = "Kürzel";
    o.selectedSecurityIds = {securityId + 1, securityId};  // both securities, newer first
    o.screenScaleFactor = 1.25;
    o.scaleNotYetDetermined = false;

    // Learn the number of unnamed slots from a document read back, then give each its own
    // value.
    const DocumentOptions laidOut = Normalised(doc).options;
    o.settingsSlots = laidOut.settingsSlots;
    o.trailerSlots = laidOut.trailerSlots;
    int32_t next = 1000;
    for (OptionSlots* slots : {&o.settingsSlots, &o.trailerSlots}) {
        for (int32_t& v : slots->ints) v = next++;
        for (std::string& v : slots->strings) v = "Option " + std::to_string(next++) + " ä";
        for (double& v : slots->doubles) v = 0.5 + next++;
        for (auto& v : slots->intLists) v = {next++, -1, 70000};
        for (auto& v : slots->stringLists) v = {"Liste " + std::to_string(next++), "", "Öl"};
    }
    return Normalised(doc);
}

CFolari2Doc MakeDocumentWithQuotes(size_t quotes) {
    CFolari2Doc doc;
    doc.NewDocument({}, Day(1, 1, 2020));
    CFL2Wertpapier s;
    s.name = "Viele Kurse";
    s.wkn = "999999";
    const int32_t id = doc.AddSecurity(s).id;
    auto& items = doc.FindSecurity(id)->quotes.MutableItems();
    for (size_t i = 0; i < quotes; ++i)
        items.push_back({CQRNDatum(static_cast<uint32_t>(1 + i)), 1.0 + static_cast<double>(i)});
    return doc;
}

}  // namespace pf::testing
