#include "model/archive/old_file_builder.h"

#include <functional>
#include <sstream>
#include <utility>
#include <vector>

#include "model/archive/byte_builder.h"
#include "support/full_document.h"

namespace pf::testing {

namespace {

// When an element is present in a file of a given version.
struct Gate {
    enum Kind { Always, After, AtLeast } kind;
    uint32_t version;
    bool Present(uint32_t v) const {
        return kind == Always || (kind == After ? v > version : v >= version);
    }
};
constexpr Gate kAlways{Gate::Always, 0};
constexpr Gate After(uint32_t v) { return {Gate::After, v}; }
constexpr Gate AtLeast(uint32_t v) { return {Gate::AtLeast, v}; }

// The settings block and trailer as a table: each row is a gate and a list of tokens.
// A token is a type (I, S, D, B, IL integer list, SL string list), an optional "*n" repeat
// and an optional ":name" for a named field or a value that a rule refers to.
struct Row {
    Gate gate;
    const char* tokens;
};

const Row kSettingsBlock[] = {
    {kAlways, "S:holder S:address S:bank S:account S:depot"},
    {AtLeast(20101004), "I:initialAccount"},
    {kAlways, "I:gWidth I:gHeight I:gBorder"},
    {After(20101002), "I:gMargin"},
    {kAlways, "I:gLabelFont I:gTitleFont"},
    {After(20101003), "I:splitDecimals"},
    {After(20101007), "I:periodFrom I:periodTo"},
    {After(20701001), "I:cSplits"},
    {After(20701002), "I:cMarkers"},
    {After(20201003), "S:year1 S:year2"},
    {kAlways,
     "S:holdingsTitle I:holdingsSortKey I:holdingsSortDescending I:holdingsCommissions "
     "I:holdingsMerge I:holdingsBrackets I:holdingsCurrency I:holdingsAnnualisation "
     "I:holdingsExtraInfo I:aMarginLeft I:aMarginTop I:aMarginRight I:aMarginBottom "
     "I:aCommissions I:aDividends I:aMerge I:aCurrency I:mask1"},
    {kAlways,
     "S:realizedTitle I:realizedSortKey I:realizedSortDescending I:realizedCommissions "
     "I:realizedMerge I:realizedCurrency I:mask2"},
    {kAlways, "S:quotesTitle I:c1On I:c1Period I:c1Width I:c1Colour I:flagSource I"},
    {AtLeast(20101010), "I:flag"},
    {After(20101002),
     "I:aFont I:aOuterMargin S:aFace I:aTextSpacing I:aColumnWidth I:aFirstColumnWidth "
     "I:aSortKey I:aSortDescending"},
    {After(20101004),
     "I:txMask S:txTitle I:screenStyle I:printStyle S:face I:outerMargin I:columnGap "
     "I:columnMargin "
     "I:titleFont I:columnTitleFont I:rowFont I:repeatTitle I:repeatColumnTitles "
     "I:marginLeft I:marginTop I:marginRight I:marginBottom I:percentDecimals "
     "I:maxPriceDecimals I:colourWithDividends I:txSort1 I:txSort2 I:txSort3 I:txDescending "
     "I:txCurrency I:cLineWidth I:cLineColour S:mvTitle I:mvMask I:mvEndOfDay I:mvCurrency "
     "I:c2On I:c2Period I:c2Width I:c2Colour"},
    {After(20101005),
     "I:gvMaskLow I:gvMaskHigh S:gvTitle1 I:gvTitle1Large I:gvTitle2Large S:gvTitle2 "
     "I:gvCurrency I:gvGroup I:gvCostsInPrice I:gvSecurityInTexts I:rColumnGap I:rOuterMargin "
     "I:rTitle1Font I:rTitle2Font I:rLargeFont I:rSmallFont S:rFace I:rMarginLeft I:rMarginTop "
     "I:rMarginRight I:rMarginBottom I:aStopTarget S:pTitle1 I:pCurrency I:pCosts"},
    {After(20101006),
     "I:lScreenStyle I:lPrintStyle S:lFace I:lOuterMargin I:lNormalFont I:lColumnTitleFont "
     "I:lVerticalFont I:lDateColumn I:lMarginLeft I:lMarginTop I:lMarginRight I:lMarginBottom "
     "I:lRepeatColumnTitles I:lPriceDecimals I:lPercentDecimals I:lRepeatVertical S:dText "
     "I:lVerticalDistance I:dMask I:dDepotCurrency I:dAccountCurrency I:dAssetsCurrency "
     "I:dSortKey I:dColumnPerLot I:dEqualWidths I:dCommissions I:dCorrectAccount "
     "I:dCorrectAssets I:dRelativeToEnd I:qFilter I:qSortKey I:qEqualWidths I:qSplits"},
    {After(20201001),
     "S:pTitle2 I:pShowPeriods I:pMonthEnd I:retCurrency I:retWithoutTaxes I:retShowPayments "
     "I:retNegative I:retOrder I:c3On I:c3Period I:c3Width I:c3Colour I:cMarkerWidth "
     "S:retTitle1 S:retTitle2 I:dgLineWidth I:dgLineColour I:inheritSource"},
    {AtLeast(30501002), "S:dgTitle S:pgTitle I:inherits I:pgLineWidth I:pgLineColour I:dgCurrency"},
    {After(20201003),
     "I:sMask S:sTitle I:sSort1 I:sSort2 I:sSort3 I:sDescending I:sLastPrice I:sOnlyInDepot"},
    {After(20201004), "I:aPriceDecimals I:aPercentDecimals"},
    {After(20301001),
     "B:decimal B:thousands I:fShowPurchases I:fShowSales I:fTradesSelected I:fTradesTextActive "
     "I:fTradesTextMatch I:fTradesAmountActive I:fShowMovements I:fMovementsSelected "
     "I:fMovementsKinds I:fMovementsTextActive S:fTradesText I:fTradesCurrency D:fTradesFrom "
     "D:fTradesTo I:fMovementsTextMatch I:fMovementsAmountActive I:fShowSplits "
     "I:fShowExchanges I:fCorporateSelected S:fMovementsText I:fMovementsCurrency "
     "D:fMovementsFrom D:fMovementsTo I:fCorporateTextActive I:fCorporateTextMatch I*2 "
     "S:fCorporateText S"},
    {After(30401000),
     "I:realizedTaxSums I:realizedAnnualisation I:realizedExtraInfo I:cBuy I:cSell"},
    {After(30001000), "I:dgCommissions S:chartTitle I:oneBefore31501001 I"},
    {After(30001001), "I"},
    {After(20301001), "IL:selectedSecurities IL:movementKinds"},
    {After(30101000), "SL S:isinLabel"},
};

const Row kTrailer[] = {
    {After(30501000), "D:scale"},
    {After(30701000), "I:dgCorrectAccount I:dgCorrectAssets I:dgRelativeToEnd I*2"},
    {After(30801000), "I*2"},
    {After(30901000), "I*2"},
    {After(31001000), "IL:extras"},
    {AtLeast(31201001), "I"},
    {After(31401000),
     "IL:extras S:htmlFonts S:htmlFile I:htmlData I:htmlBuyPrice I:htmlTargetStop I:htmlPotential "
     "I:htmlDividends"},
    {After(31601000), "I:htmlUserFile S:gFace"},
    {After(31701000), "D:trendStrongRise D:trendRise D:trendStrongFall D:trendFall"},
    {After(31801000), "I:fastFetch I"},
    {After(31901000), "S:caption1 S:caption2 I"},
    {After(32001000), "I:remember"},
};

struct Token {
    std::string type;
    int repeat = 1;
    std::string name;
};

std::vector<Token> Tokens(const char* text) {
    std::vector<Token> tokens;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        Token t;
        const size_t colon = word.find(':');
        if (colon != std::string::npos) {
            t.name = word.substr(colon + 1);
            word = word.substr(0, colon);
        }
        const size_t star = word.find('*');
        if (star != std::string::npos) {
            t.repeat = std::stoi(word.substr(star + 1));
            word = word.substr(0, star);
        }
        t.type = word;
        tokens.push_back(t);
    }
    return tokens;
}

class LayoutWriter {
  public:
    LayoutWriter(ByteBuilder& out, CFolari2Doc& expected, uint32_t version, OptionSlots& slots)
        : out_(out), doc_(expected), version_(version), slots_(slots) {}

    // `part` is false for a part the version lacks as a whole; its slots exist all the same.
    void Write(const Row* rows, size_t count, bool part) {
        for (size_t r = 0; r < count; ++r) {
            const bool present = part && rows[r].gate.Present(version_);
            for (const Token& t : Tokens(rows[r].tokens))
                for (int i = 0; i < t.repeat; ++i) Element(t, present);
        }
    }

  private:
    void Element(const Token& t, bool present) {
        OptionSlots& slots = slots_;
        DocumentOptions& o = doc_.options;
        if (t.type == "I") {
            int32_t value = ++counter_ * 3;  // every unnamed integer differs from its neighbours
            if (t.name == "initialAccount") value = 3;
            if (t.name == "splitDecimals") value = 5;
            if (t.name == "periodFrom") value = kFromStartOfMonth;
            if (t.name == "periodTo") value = kToFixedDay;
            if (t.name == "mask1") value = static_cast<int32_t>(0xF0000035u);
            if (t.name == "mask2") value = static_cast<int32_t>(0x800000F3u);
            if (t.name == "remember") value = 1;
            if (t.name == "fastFetch") value = 0;               // the default is 1
            if (ReportOption(t.name)) value = 7000 + counter_;  // no option has such a default
            if (present) out_.I(value);
            if (t.name == "initialAccount") {
                if (present) doc_.initialAccountCurrencyId = value;
            } else if (t.name == "splitDecimals") {
                if (present) o.splitRoundingDecimals = value;
            } else if (t.name == "periodFrom") {
                if (present) o.periodFromChoice = value;
            } else if (t.name == "periodTo") {
                if (present) o.periodToChoice = value;
            } else if (t.name == "remember") {
                if (present) o.rememberTransactionDate = value;
            } else if (t.name == "fastFetch") {
                if (present) o.internetQuotes.fastFetch = value;
            } else if (t.name == "mask1" || t.name == "mask2") {
                if (present)
                    ExpectMask(t.name == "mask1" ? o.holdings.columnMask : o.realized.columnMask,
                               value, t.name == "mask1" ? 0x30u : 0xF0u);
            } else if (t.name == "gvMaskLow" || t.name == "gvMaskHigh") {
                if (present) {
                    const int shift = t.name == "gvMaskLow" ? 0 : 32;
                    uint64_t& mask = o.gainLoss.itemMask;
                    mask = (mask & ~(uint64_t{0xFFFFFFFFu} << shift)) |
                           (uint64_t{static_cast<uint32_t>(value)} << shift);
                }
            } else if (int32_t* option = ReportOption(t.name)) {
                if (present) *option = value;
                if (t.name == "cMarkers" && version_ < 30001003) *option = 0;
            } else {
                int32_t slot = present ? value : 0;
                if (t.name == "oneBefore31501001" && version_ < 31501001) slot = 1;
                if (t.name == "flagSource") flagSource_ = slot;
                if (t.name == "inheritSource") inheritSource_ = slot;
                if (t.name == "flag") slot = present ? (slot > 1 ? 1 : slot) : (flagSource_ != 0);
                if (t.name == "inherits" && !present) slot = inheritSource_;
                slots.ints.push_back(slot);
            }
        } else if (t.type == "S") {
            const std::string value = "T" + std::to_string(++counter_) + "\xE4";  // ends in ä
            if (present) out_.S(value);
            std::string* named = nullptr;
            if (t.name == "holder") named = &doc_.depot.holderName;
            if (t.name == "address") named = &doc_.depot.holderAddress;
            if (t.name == "bank") named = &doc_.depot.bankCode;
            if (t.name == "account") named = &doc_.depot.accountNumber;
            if (t.name == "depot") named = &doc_.depot.depotNumber;
            if (t.name == "year1") named = &o.earningsYear1;
            if (t.name == "year2") named = &o.earningsYear2;
            if (t.name == "caption1") named = &o.ownCategoryCaption1;
            if (t.name == "caption2") named = &o.ownCategoryCaption2;
            if (t.name == "holdingsTitle") named = &o.holdings.title;
            if (t.name == "realizedTitle") named = &o.realized.title;
            if (t.name == "face") named = &o.tables.face;
            if (t.name == "txTitle") named = &o.transactions.title;
            if (t.name == "mvTitle") named = &o.movements.title;
            if (t.name == "gvTitle1") named = &o.gainLoss.title1;
            if (t.name == "gvTitle2") named = &o.gainLoss.title2;
            if (t.name == "rFace") named = &o.reports.face;
            if (t.name == "pTitle1") named = &o.performance.title1;
            if (t.name == "pTitle2") named = &o.performance.title2;
            if (t.name == "retTitle1") named = &o.returns.title1;
            if (t.name == "retTitle2") named = &o.returns.title2;
            if (t.name == "isinLabel") named = &o.isinLabel;
            if (t.name == "quotesTitle") named = &o.quotes.titleTemplate;
            if (t.name == "aFace") named = &o.analysis.face;
            if (t.name == "lFace") named = &o.lists.face;
            if (t.name == "dText") named = &o.development.positionText;
            if (t.name == "sTitle") named = &o.securitiesList.title;
            if (t.name == "dgTitle") named = &o.diagrams.developmentTitle;
            if (t.name == "pgTitle") named = &o.diagrams.positionsTitle;
            if (t.name == "chartTitle") named = &o.chart.title;
            if (t.name == "gFace") named = &o.diagramsAppearance.face;
            if (t.name == "htmlFonts") named = &o.htmlPage.fontSizes;
            if (t.name == "htmlFile") named = &o.htmlPage.userFileName;
            if (t.name == "fTradesText") named = &o.transactionFilter.tradesText.text;
            if (t.name == "fMovementsText") named = &o.transactionFilter.movementsText.text;
            if (t.name == "fCorporateText") named = &o.transactionFilter.corporateText.text;
            const std::string utf8 = "T" + std::to_string(counter_) + "ä";
            if (named) {
                if (present) *named = utf8;
            } else {
                slots.strings.push_back(present ? utf8 : "");
            }
        } else if (t.type == "D") {
            const double value = t.name == "scale" ? 1.75 : ++counter_ + 0.25;
            if (present) out_.D(value);
            TransactionFilter& f = o.transactionFilter;
            double* named = nullptr;
            if (t.name == "fTradesFrom") named = &f.tradesAmount.from;
            if (t.name == "fTradesTo") named = &f.tradesAmount.to;
            if (t.name == "fMovementsFrom") named = &f.movementsAmount.from;
            if (t.name == "fMovementsTo") named = &f.movementsAmount.to;
            InternetQuoteOptions& internet = o.internetQuotes;
            if (t.name == "trendStrongRise") named = &internet.trendStrongRise;
            if (t.name == "trendRise") named = &internet.trendRise;
            if (t.name == "trendStrongFall") named = &internet.trendStrongFall;
            if (t.name == "trendFall") named = &internet.trendFall;
            if (t.name == "scale") {
                if (present) {
                    o.screenScaleFactor = value;
                    o.scaleNotYetDetermined = false;
                }
            } else if (named) {
                if (present) *named = value;
            } else {
                slots.doubles.push_back(present ? value : 0.0);
            }
        } else if (t.type == "B") {
            const char value = t.name == "decimal" ? '.' : '\'';
            if (present) out_.B(static_cast<uint8_t>(value));
            if (present)
                (t.name == "decimal" ? o.decimalSeparator : o.thousandsSeparator) =
                    std::string(1, value);
        } else if (t.type == "IL") {
            const std::vector<int32_t> value = {++counter_, -counter_};
            if (present) out_.IntList(value);
            if (t.name == "selectedSecurities") {
                if (present) o.selectedSecurityIds = value;
            } else if (t.name == "movementKinds") {
                if (present) o.transactionFilter.movementKindIds = value;
            } else {
                slots.intLists.push_back(present ? value : std::vector<int32_t>{});
            }
            // Versions between 31001000 and 32101001 follow each trailer list with two string
            // lists and three integers that carry nothing.
            if (present && t.name == "extras" && version_ > 31001000 && version_ < 32101001)
                out_.StrList({"weg", "damit"}).StrList({}).I(7).I(8).I(9);
        } else if (t.type == "SL") {
            const std::vector<std::string> value = {"L" + std::to_string(++counter_), ""};
            if (present) out_.StrList(value);
            slots.stringLists.push_back(present ? value : std::vector<std::string>{});
        }
    }

    // The integer report options, by token name; nullptr for any other name.
    int32_t* ReportOption(const std::string& name) {
        DocumentOptions& o = doc_.options;
        HoldingsReportOptions& h = o.holdings;
        RealizedReportOptions& r = o.realized;
        TableAppearance& t = o.tables;
        TransactionFilter& f = o.transactionFilter;
        TransactionsReportOptions& tx = o.transactions;
        MovementsReportOptions& mv = o.movements;
        GainLossReportOptions& gv = o.gainLoss;
        ReportsAppearance& rp = o.reports;
        PerformanceReportOptions& p = o.performance;
        ReturnsReportOptions& ret = o.returns;
        ListsAppearance& l = o.lists;
        DevelopmentReportOptions& d = o.development;
        QuotesTableOptions& q = o.quotes;
        AnalysisOptions& a = o.analysis;
        SecuritiesListOptions& sl = o.securitiesList;
        DiagramsAppearance& g = o.diagramsAppearance;
        ChartOptions& c = o.chart;
        DiagramOptions& dg = o.diagrams;
        const std::pair<const char*, int32_t*> options[] = {
            {"gWidth", &g.width},
            {"htmlData", &o.htmlPage.securityData},
            {"htmlBuyPrice", &o.htmlPage.buyPriceBesidePieces},
            {"htmlTargetStop", &o.htmlPage.targetStopColumn},
            {"htmlPotential", &o.htmlPage.potentialRiskColumn},
            {"htmlDividends", &o.htmlPage.dividendColumns},
            {"htmlUserFile", &o.htmlPage.userFile},
            {"gHeight", &g.height},
            {"gBorder", &g.border},
            {"gMargin", &g.innerMargin},
            {"gLabelFont", &g.labelFontHeight},
            {"gTitleFont", &g.titleFontHeight},
            {"cSplits", &c.splitHandling},
            {"cMarkers", &c.markers},
            {"cLineWidth", &c.lineWidth},
            {"cLineColour", &c.lineColour},
            {"c1On", &c.averages[0].enabled},
            {"c1Period", &c.averages[0].period},
            {"c1Width", &c.averages[0].width},
            {"c1Colour", &c.averages[0].colour},
            {"c2On", &c.averages[1].enabled},
            {"c2Period", &c.averages[1].period},
            {"c2Width", &c.averages[1].width},
            {"c2Colour", &c.averages[1].colour},
            {"c3On", &c.averages[2].enabled},
            {"c3Period", &c.averages[2].period},
            {"c3Width", &c.averages[2].width},
            {"c3Colour", &c.averages[2].colour},
            {"cMarkerWidth", &c.markerWidth},
            {"cBuy", &c.buyColour},
            {"cSell", &c.sellColour},
            {"dgLineWidth", &dg.developmentLineWidth},
            {"dgLineColour", &dg.developmentLineColour},
            {"pgLineWidth", &dg.positionsLineWidth},
            {"pgLineColour", &dg.positionsLineColour},
            {"dgCurrency", &dg.currencyId},
            {"dgCommissions", &dg.includeCommissions},
            {"dgCorrectAccount", &dg.correctAccount},
            {"dgCorrectAssets", &dg.correctAssets},
            {"dgRelativeToEnd", &dg.correctionRelativeToEnd},
            {"aMarginLeft", &a.marginLeft},
            {"aMarginTop", &a.marginTop},
            {"aMarginRight", &a.marginRight},
            {"aMarginBottom", &a.marginBottom},
            {"aCommissions", &a.includeCommissions},
            {"aDividends", &a.includeDividends},
            {"aMerge", &a.mergePositions},
            {"aCurrency", &a.currencyId},
            {"aFont", &a.fontHeight},
            {"aOuterMargin", &a.outerMargin},
            {"aTextSpacing", &a.textSpacing},
            {"aColumnWidth", &a.columnWidth},
            {"aFirstColumnWidth", &a.firstColumnWidth},
            {"aSortKey", &a.sortKey},
            {"aSortDescending", &a.sortDescending},
            {"aStopTarget", &a.stopTarget},
            {"aPriceDecimals", &a.priceDecimals},
            {"aPercentDecimals", &a.percentDecimals},
            {"lScreenStyle", &l.screenStyle},
            {"lPrintStyle", &l.printStyle},
            {"lOuterMargin", &l.outerMargin},
            {"lNormalFont", &l.normalFontHeight},
            {"lColumnTitleFont", &l.columnTitleFontHeight},
            {"lVerticalFont", &l.verticalFontHeight},
            {"lDateColumn", &l.dateColumnEveryPage},
            {"lMarginLeft", &l.marginLeft},
            {"lMarginTop", &l.marginTop},
            {"lMarginRight", &l.marginRight},
            {"lMarginBottom", &l.marginBottom},
            {"lRepeatColumnTitles", &l.repeatColumnTitles},
            {"lPriceDecimals", &l.priceDecimals},
            {"lPercentDecimals", &l.percentDecimals},
            {"lRepeatVertical", &l.repeatVerticalTexts},
            {"lVerticalDistance", &l.verticalTextDistance},
            {"dMask", &d.itemMask},
            {"dDepotCurrency", &d.depotCurrencyId},
            {"dAccountCurrency", &d.accountCurrencyId},
            {"dAssetsCurrency", &d.assetsCurrencyId},
            {"dSortKey", &d.sortKey},
            {"dColumnPerLot", &d.columnPerLot},
            {"dEqualWidths", &d.equalWidths},
            {"dCommissions", &d.includeCommissions},
            {"dCorrectAccount", &d.correctAccount},
            {"dCorrectAssets", &d.correctAssets},
            {"dRelativeToEnd", &d.correctionRelativeToEnd},
            {"qFilter", &q.filter},
            {"qSortKey", &q.sortKey},
            {"qEqualWidths", &q.equalWidths},
            {"qSplits", &q.splitHandling},
            {"sMask", &sl.columnMask},
            {"sSort1", &sl.sortKeys[0]},
            {"sSort2", &sl.sortKeys[1]},
            {"sSort3", &sl.sortKeys[2]},
            {"sDescending", &sl.sortDescending},
            {"sLastPrice", &sl.useLastPrice},
            {"sOnlyInDepot", &sl.onlyInDepot},
            {"txMask", &tx.columnMask},
            {"txSort1", &tx.sortKeys[0]},
            {"txSort2", &tx.sortKeys[1]},
            {"txSort3", &tx.sortKeys[2]},
            {"txDescending", &tx.sortDescending},
            {"txCurrency", &tx.currencyId},
            {"mvMask", &mv.columnMask},
            {"mvEndOfDay", &mv.endOfDayBalance},
            {"mvCurrency", &mv.currencyId},
            {"gvTitle1Large", &gv.title1Large},
            {"gvTitle2Large", &gv.title2Large},
            {"gvCurrency", &gv.currencyId},
            {"gvGroup", &gv.groupByTaxCategory},
            {"gvCostsInPrice", &gv.purchaseCostsInPrice},
            {"gvSecurityInTexts", &gv.securityInTexts},
            {"rColumnGap", &rp.columnGap},
            {"rOuterMargin", &rp.outerMargin},
            {"rTitle1Font", &rp.title1FontHeight},
            {"rTitle2Font", &rp.title2FontHeight},
            {"rLargeFont", &rp.largeFontHeight},
            {"rSmallFont", &rp.smallFontHeight},
            {"rMarginLeft", &rp.marginLeft},
            {"rMarginTop", &rp.marginTop},
            {"rMarginRight", &rp.marginRight},
            {"rMarginBottom", &rp.marginBottom},
            {"pCurrency", &p.currencyId},
            {"pCosts", &p.purchaseCostsInCapital},
            {"pShowPeriods", &p.showPeriods},
            {"pMonthEnd", &p.periodsEndAtMonthEnd},
            {"retCurrency", &ret.currencyId},
            {"retWithoutTaxes", &ret.withoutTaxes},
            {"retShowPayments", &ret.showPayments},
            {"retNegative", &ret.paymentsInNegative},
            {"retOrder", &ret.order},
            {"holdingsSortKey", &h.sortKey},
            {"holdingsSortDescending", &h.sortDescending},
            {"holdingsCommissions", &h.includeCommissions},
            {"holdingsMerge", &h.mergePositions},
            {"holdingsBrackets", &h.bracketOldQuotes},
            {"holdingsCurrency", &h.currencyId},
            {"holdingsAnnualisation", &h.annualisation},
            {"holdingsExtraInfo", &h.extraInfo},
            {"realizedSortKey", &r.sortKey},
            {"realizedSortDescending", &r.sortDescending},
            {"realizedCommissions", &r.includeCommissions},
            {"realizedMerge", &r.mergePositions},
            {"realizedCurrency", &r.currencyId},
            {"realizedTaxSums", &r.taxSums},
            {"realizedAnnualisation", &r.annualisation},
            {"realizedExtraInfo", &r.extraInfo},
            {"screenStyle", &t.screenStyle},
            {"printStyle", &t.printStyle},
            {"outerMargin", &t.outerMargin},
            {"columnGap", &t.columnGap},
            {"columnMargin", &t.columnMargin},
            {"titleFont", &t.titleFontHeight},
            {"columnTitleFont", &t.columnTitleFontHeight},
            {"rowFont", &t.rowFontHeight},
            {"repeatTitle", &t.repeatTitle},
            {"repeatColumnTitles", &t.repeatColumnTitles},
            {"marginLeft", &t.marginLeft},
            {"marginTop", &t.marginTop},
            {"marginRight", &t.marginRight},
            {"marginBottom", &t.marginBottom},
            {"percentDecimals", &t.percentDecimals},
            {"maxPriceDecimals", &t.maxPriceDecimals},
            {"colourWithDividends", &t.colourWithDividends},
            {"fShowPurchases", &f.showPurchases},
            {"fShowSales", &f.showSales},
            {"fTradesSelected", &f.tradesOnlySelected},
            {"fTradesTextActive", &f.tradesText.active},
            {"fTradesTextMatch", &f.tradesText.match},
            {"fTradesAmountActive", &f.tradesAmount.active},
            {"fTradesCurrency", &f.tradesAmount.currencyId},
            {"fShowMovements", &f.showMovements},
            {"fMovementsSelected", &f.movementsOnlySelected},
            {"fMovementsKinds", &f.movementsOnlySelectedKinds},
            {"fMovementsTextActive", &f.movementsText.active},
            {"fMovementsTextMatch", &f.movementsText.match},
            {"fMovementsAmountActive", &f.movementsAmount.active},
            {"fMovementsCurrency", &f.movementsAmount.currencyId},
            {"fShowSplits", &f.showSplits},
            {"fShowExchanges", &f.showExchanges},
            {"fCorporateSelected", &f.corporateOnlySelected},
            {"fCorporateTextActive", &f.corporateText.active},
            {"fCorporateTextMatch", &f.corporateText.match},
        };
        for (const auto& [optionName, field] : options)
            if (name == optionName) return field;
        return nullptr;
    }

    void ExpectMask(int32_t& expected, int32_t stored, uint32_t movedBits) {
        uint32_t m = static_cast<uint32_t>(stored);
        if (version_ < 20101009) m = (m & 0x0FFFFFFFu) | ((m & 0xF0000000u) >> 1);
        if (version_ < 30901001) m = (m & ~movedBits) | ((m & movedBits) << 1);
        expected = static_cast<int32_t>(m);
    }

    ByteBuilder& out_;
    CFolari2Doc& doc_;
    uint32_t version_;
    OptionSlots& slots_;
    int32_t counter_ = 0;
    int32_t flagSource_ = 0;
    int32_t inheritSource_ = 0;
};

void WriteCollections(ByteBuilder& out, CFolari2Doc& expected, uint32_t version, int securitySchema,
                      int currencySchema) {
    // Account movement kinds (stored as allowsSecurityLink, isOutflow, isCapital, name, id).
    out.Count(1);
    out.ObjectTag("CFL2KontoVorgang", 1);
    out.I(1).I(1).I(0).S("Geb\xFChren").I(4);
    expected.accountMovementKinds = {{"Gebühren", 4, 1, 1, 0}};

    // Transactions of schema 1: the split counts as applied to the stored quotes.
    out.Count(2);
    for (const TransactionType type : {TransactionType::Split, TransactionType::Buy}) {
        out.ObjectTag("CFL2Transaktion", 1);
        CFL2Transaktion t;
        t.id = type == TransactionType::Split ? 1 : 2;
        t.type = type;
        t.securityId = 0;
        t.positionNo = 5;
        t.currency2 = 0;
        t.amount = 100.5;
        t.text = "";
        t.price = 20.25;
        t.marketValue1 = 100.0;
        t.commission1 = 0.5;
        t.currency1 = 0;
        t.rateBase = 1.0;
        t.rateQuote = 1.0;
        t.commission2 = 0.0;
        t.otherId = -1;
        t.kindOutflow = 0;
        t.kindCapital = 0;
        t.linkFlag = 0;
        t.allocKind = 0;
        t.splitRatio = 2.0;
        t.quantity = 5 * kPiece;
        t.oldPieces = kPiece;
        t.newPieces = 2 * kPiece;
        t.date = Day(1, 3, 2001);
        out.I(t.id)
            .I(static_cast<int32_t>(t.type))
            .I(t.securityId)
            .I(t.positionNo)
            .I(t.currency2)
            .D(t.amount)
            .S(t.text)
            .D(t.price)
            .D(t.marketValue1)
            .D(t.commission1)
            .I(t.currency1)
            .D(t.rateBase)
            .D(t.rateQuote)
            .D(t.commission2)
            .I(t.otherId)
            .I(t.kindOutflow)
            .I(t.kindCapital)
            .I(t.linkFlag)
            .I(t.allocKind)
            .D(t.splitRatio)
            .U64(t.quantity)
            .U64(t.oldPieces)
            .U64(t.newPieces)
            .U32(t.date.DayNumber());
        out.Count(0);
        if (type == TransactionType::Split) t.linkFlag = 1;
        expected.transactions.push_back(t);
    }

    // Currencies: a schema 1 record has no quote format, reference currency or rates.
    out.Count(1);
    out.ObjectTag("CFL2Waehrung", static_cast<uint16_t>(currencySchema));
    CFL2Waehrung dm;
    dm.fixedRate1 = 1.95583;
    dm.fixedRate2 = 1.0;
    dm.isFixed = 1;
    dm.name = "Deutsche Mark";
    dm.symbol = "DM";
    dm.id = 0;
    out.D(dm.fixedRate1).D(dm.fixedRate2).I(dm.isFixed).S(dm.name).S(dm.symbol).I(dm.id);
    if (currencySchema >= 2) {
        dm.quoteFormat = 1;
        dm.referenceCurrencyId = 3;
        dm.rates.SetQuote(Day(4, 1, 1999), 2.5);
        out.I(dm.quoteFormat).I(dm.referenceCurrencyId).Count(1);
        out.ObjectTag("CFL2Kurs", 1);
        out.D(2.5).U32(Day(4, 1, 1999).DayNumber());
    }
    expected.currencies = {dm};

    // One security with the fields of its schema; later fields keep their defaults.
    out.Count(1);
    out.ObjectTag("CFL2Wertpapier", static_cast<uint16_t>(securitySchema));
    CFL2Wertpapier s;
    s.name = "Alte Aktie";
    s.isin = "DE0000000001";
    s.wkn = "100000";
    s.id = 0;
    s.quoteCurrencyId = 0;
    s.vtplusImport = 1;
    s.vtplusControlText = "a";
    s.vtplusQuotePosition = "b";
    s.vtplusPage = "c";
    s.vtplusControlText2 = "d";
    s.vtplusSubpage = "e";
    s.vtplusDecimalSeparator = 1;
    s.aux1 = 2;
    s.aux2 = "f";
    s.creationKind = 2;
    s.aux3 = 3;
    out.S(s.name)
        .S(s.isin)
        .S(s.wkn)
        .I(s.id)
        .I(s.quoteCurrencyId)
        .I(s.vtplusImport)
        .S(s.vtplusControlText)
        .S(s.vtplusQuotePosition)
        .S(s.vtplusPage)
        .S(s.vtplusControlText2)
        .S(s.vtplusSubpage)
        .I(s.vtplusDecimalSeparator)
        .I(s.aux1)
        .S(s.aux2)
        .I(s.creationKind)
        .I(s.aux3);
    if (securitySchema >= 5) out.I(s.aux5 = 5);
    if (securitySchema >= 6) out.I(s.aux4 = 4);
    if (securitySchema >= 7) {
        s.type = "Aktie";
        s.sector = "Bau";
        s.country = "DE";
        s.index = "SDAX";
        s.earnings1 = 1.5;
        s.earnings2 = 2.5;
        s.dividend = 0.25;
        s.cashFlow = 3.0;
        s.figuresSet = 5;
        out.S(s.type)
            .S(s.sector)
            .S(s.country)
            .S(s.index)
            .D(s.earnings1)
            .D(s.earnings2)
            .D(s.dividend)
            .D(s.cashFlow)
            .I(s.figuresSet);
    }
    if (securitySchema >= 8) out.I(s.noManualQuotes = 1).I(s.noChart = 1);
    if (securitySchema >= 9) {
        s.internetImport = 1;
        s.internetUrl = "http://127.0.0.1/";
        s.internetTextBeforeQuote = "Kurs:";
        s.internetDecimalSeparator = 1;
        out.I(s.internetImport)
            .S(s.internetUrl)
            .S(s.internetTextBeforeQuote)
            .I(s.internetDecimalSeparator);
    }
    if (securitySchema >= 10) out.I(s.halfIncomeProcedure = 1);
    if (securitySchema >= 11) {
        s.category1 = "g";
        s.category2 = "h";
        s.remarks = "i";
        out.S(s.category1).S(s.category2).S(s.remarks);
    }
    out.Count(2);
    for (unsigned d : {2u, 3u}) {
        out.ObjectTag("CFL2Kurs", 1);
        out.D(10.0 * d).U32(Day(d, 1, 2001).DayNumber());
        s.quotes.SetQuote(Day(d, 1, 2001), 10.0 * d);
    }
    // The split transaction of the file, applied permanently.
    s.AddSplit(Day(1, 3, 2001), 1, 2.0);
    expected.securities = {s};

    if (version > 20101003) {
        out.Count(1);
        out.ObjectTag("CFL2KtoWUmst", 1);
        out.I(0).U32(Day(1, 1, 2002).DayNumber());
        expected.accountCurrencyChanges = {{0, Day(1, 1, 2002)}};
    }
    if (version > 20101006) {
        out.Count(1);
        out.ObjectTag("CFL2SpekFristUmst", 1);
        out.I(12).I(6).U32(Day(1, 1, 1999).DayNumber());  // value2, value1, date
        expected.speculationPeriodChanges = {{Day(1, 1, 1999), 6, 12}};
    }
    if (version > 30001000) {
        out.Count(1);
        out.ObjectTag("CFL2StoppZielKurs", 1);
        out.I(5).D(15.5).D(40.0);
        expected.stopTargets = {{5, 15.5, 40.0}};
    }
    if (version > 31501000) {
        out.Count(1);
        out.ObjectTag("CFL2StPflKateg", 1);
        out.S("Alles").S("A").I(1).I(0).I(1).I(0).I(2).I(3).I(2).I(1);
        out.U32(Day(2, 1, 1970).DayNumber()).U32(Day(18, 1, 2038).DayNumber());
        out.U32(Day(1, 1, 2009).DayNumber()).U32(Day(1, 1, 2009).DayNumber());
        CFL2StPflKateg c;
        c.name = "Alles";
        c.abbreviation = "A";
        c.useSalePeriod = 1;
        c.useHoldingTime = 1;
        c.holdingTimeComparison = 2;
        c.holdingTimeValue = 3;
        c.holdingTimeUnit = 2;
        c.halfIncomeOption = 1;
        c.salePeriodFrom = Day(2, 1, 1970);
        c.salePeriodTo = Day(18, 1, 2038);
        c.purchasePeriodFrom = c.purchasePeriodTo = Day(1, 1, 2009);
        expected.taxCategories = {c};
    }
}

}  // namespace

namespace {

OldFile BuildFile(uint32_t version,
                  const std::function<void(ByteBuilder&, CFolari2Doc&)>& collections) {
    OldFile file;
    ByteBuilder out;
    CFolari2Doc& expected = file.expected;
    expected.options = DefaultOptions(Day(kOldFileToday[0], kOldFileToday[1], kOldFileToday[2]));

    out.S("Portfolaris2Datei").U32(version);
    // An unprotected password record with no characters.
    out.I(0).U32(417).U32(540918362);
    if (version > 20101007) {
        out.U32(Day(1, 2, 2003).DayNumber()).U32(Day(28, 2, 2003).DayNumber());
        expected.options.periodFromDate = Day(1, 2, 2003);
        expected.options.periodToDate = Day(28, 2, 2003);
    }
    out.I(14).I(6).I(3).I(4).I(1);
    expected.nextKindId = 14;
    expected.nextPositionNo = 6;
    expected.nextTransactionId = 3;
    expected.nextCurrencyId = 4;
    expected.nextSecurityId = 1;

    LayoutWriter block(out, expected, version, expected.options.settingsSlots);
    block.Write(kSettingsBlock, std::size(kSettingsBlock), version > 20101001);
    collections(out, expected);
    LayoutWriter trailer(out, expected, version, expected.options.trailerSlots);
    trailer.Write(kTrailer, std::size(kTrailer), true);
    file.bytes = std::move(out.out);
    return file;
}

}  // namespace

OldFile BuildOldFile(uint32_t version, int securitySchema, int currencySchema) {
    return BuildFile(version, [&](ByteBuilder& out, CFolari2Doc& expected) {
        WriteCollections(out, expected, version, securitySchema, currencySchema);
    });
}

OldFile BuildFileWithCollections(const std::function<void(ByteBuilder&)>& collections) {
    return BuildFile(32101001, [&](ByteBuilder& out, CFolari2Doc&) { collections(out); });
}

}  // namespace pf::testing
