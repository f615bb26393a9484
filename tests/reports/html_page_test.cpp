#include "reports/html_page.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/engine_test_util.h"
#include "engine/stop_target.h"
#include "model/text_codec.h"
#include "position_report_test_util.h"
#include "reports/holdings_report.h"
#include "samples/demo_portfolios.h"

namespace pf::testing {
namespace {

constexpr const char* kImages = "file:///opt/pf/";

// The expected page as written in the test (UTF-8, "\n") turned into the bytes the page
// has: Windows-1252 with "\r\n" line ends.
std::string PageBytes(const std::string& text) {
    std::string crlf;
    for (char c : text) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    const auto bytes = Utf8ToWindows1252(crlf);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or("");
}

// The head with the default font sizes "12pt;10pt;8pt;8pt".
const std::string kHead = R"P(<html>
<head>
<title>Depotbestand</title>
<meta http-equiv="Content-Type" content="text/html; charset=iso-8859-1">
<style type="text/css">
td { padding-left: 3px; padding-right: 3px; padding-top: 1px; padding-bottom: 1px; border-color: rgb(255,255,255); border-style: solid; border-width: 2px; }
table { border-spacing: 2px; border: 1px solid rgb(255,255,255); }
.sehrgrossfett { font-family: Arial, Helvetica, sans-serif; font-size: 12pt; font-weight: bold; }
.grossfett { font-family: Arial, Helvetica, sans-serif; font-size: 10pt; font-weight: bold; }
.normal { font-family: Arial, Helvetica, sans-serif; font-size: 8pt; }
.small { font-family: Arial, Helvetica, sans-serif; font-size: 8pt; }
</style>
</head>
<body>
)P";

// The header of the default columns: target/stop and potential/risk, no dividends, the
// report currency Euro; 11 columns.
const std::string kDefaultHeader = R"P(<table>
<tr class="small">
<td colspan="2">Wertpapier<br>WKN, Typ</td>
<td align="right">Stück<br>Kaufdatum</td>
<td></td>
<td colspan="3" align="center">aktueller Kurs/Diff.</td>
<td align="right">Ziel<br>Stopp</td>
<td align="right">Potential (Euro)<br>Risiko (Euro)</td>
<td colspan="2" align="right">Wert (Euro)<br>G/V (Euro/%)</td>
</tr>
<tr><td colspan="11"><img src="file:///opt/pf/blline.gif" width="100%" height="2"></td></tr>
)P";

const std::string kEnd =
    R"P(<tr><td colspan="11"><img src="file:///opt/pf/blline.gif" width="100%" height="2"></td></tr>
</table>
</body>
</html>
)P";

class HtmlPageTest : public ::testing::Test {
  protected:
    HtmlPageTest() {
        b.doc.depot.depotNumber = "D-17";
        b.doc.depot.holderName = "Erika Muster";
    }
    std::string Page() const { return BuildHoldingsHtmlPage(b.doc, date, kImages); }

    DocBuilder b;
    CQRNDatum date = Day(30, 6, 2021);
    CQRNDatum dayBefore = Day(29, 6, 2021);
};

TEST_F(HtmlPageTest, EmptyPortfolioHasTitleHeaderRulesAndAnEmptySum) {
    // Nothing held: value and G/V 0,00, no percentages without a cost basis; the count text
    // takes its general form with zeros.
    const std::string expected = kHead + R"P(<table>
<tr><td class="sehrgrossfett">Depotbestand am 30.06.2021 - D-17 - Erika Muster</td></tr>
</table>
)P" + kDefaultHeader + R"P(<tr>
<td class="grossfett" colspan="2">Summe</td>
<td class="normal" align="right">0 verschiedene Wertpapiere in 0 Einzelpositionen</td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td class="normal" align="right">0,00</td>
<td class="normal" align="right">0,00</td>
</tr>
<tr>
<td colspan="2"></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td class="normal" align="right">-</td>
</tr>
)P" + kEnd;
    EXPECT_EQ(Page(), PageBytes(expected));
}

// Five securities bought in March/April 2021, valued on 30.06.2021 against the quotes of
// 29.06.2021, with the default thresholds (band 0..0 %, strong fall -1 %, strong rise +1 %),
// percentages with 1 decimal, positions merged, sorted by purchase date.
TEST_F(HtmlPageTest, SmallPortfolioPageAsWrittenByHand) {
    b.doc.options.holdings.mergePositions = 1;

    // Alpha: 10 at 50,00 + 5,00 commission; 60,00 -> 63,00: q = 1,05 > 1,01, strong rise,
    // +5,0 %. Value 630,00, cost 505,00: G/V +125,00, 125 / 505 = 24,75 % -> +24,8%.
    const int32_t alpha = b.Security("Alpha");
    b.doc.FindSecurity(alpha)->type = "Aktie";
    b.Buy(Day(1, 3, 2021), alpha, 10, 50.0, 5.0);
    b.Quote(alpha, dayBefore, 60.0);
    b.Quote(alpha, date, 63.0);

    // Beta: 20 at 30,00, stop 35,00 (not reached); 40,00 -> 39,80: q = 0,995, below the band
    // but not below 0,99, a fall of -0,5 %. Value 796,00, G/V +196,00, 196 / 600 = 32,67 %.
    // Risk = RoundTo(796 × 35 / 39,8, 2) - 796 = 700,00 - 796,00 = -96,00.
    const int32_t beta = b.Security("Beta");
    SetStop(b.doc, b.Buy(Day(2, 3, 2021), beta, 20, 30.0).positionNo, 35.0);
    b.Quote(beta, dayBefore, 40.0);
    b.Quote(beta, date, 39.8);

    // Gamma: 5 at 100,00 + 2,50, target 120,00 (not reached); 110,00 -> 110,00: unchanged,
    // 0,0 %. Value 550,00, cost 502,50: G/V +47,50, 47,5 / 502,5 = 9,45 % -> +9,5%.
    // Potential = RoundTo(550 × 120 / 110, 2) - 550 = 600,00 - 550,00 = +50,00.
    const int32_t gamma = b.Security("Gamma");
    SetTarget(b.doc, b.Buy(Day(3, 3, 2021), gamma, 5, 100.0, 2.5).positionNo, 120.0);
    b.Quote(gamma, dayBefore, 110.0);
    b.Quote(gamma, date, 110.0);

    // Delta: 10 at 80,00, stop 70,00 reached; 72,00 -> 70,00: q = 0,9722 < 0,99, strong fall,
    // -2,78 % -> -2,8%. Value 700,00: G/V -100,00, -12,5%. Risk = 700 × 70 / 70 - 700 = 0,00.
    const int32_t delta = b.Security("Delta");
    SetStop(b.doc, b.Buy(Day(4, 3, 2021), delta, 10, 80.0).positionNo, 70.0);
    b.Quote(delta, dayBefore, 72.0);
    b.Quote(delta, date, 70.0);

    // Epsilon: 4 at 25,00 and 6 at 30,00 merged into one row of 10 pieces without a buy
    // date; target 32,00 on the second lot, reached; 32,00 -> 32,30: q = 1,009375, a rise
    // below 1,01, +0,94 % -> +0,9%. Value 323,00, cost 100 + 180 = 280: G/V +43,00,
    // 43 / 280 = 15,36 % -> +15,4%. Potential = RoundTo(323 × 32 / 32,3, 2) - 323 = -3,00.
    const int32_t epsilon = b.Security("Epsilon");
    b.Buy(Day(5, 3, 2021), epsilon, 4, 25.0);
    SetTarget(b.doc, b.Buy(Day(6, 4, 2021), epsilon, 6, 30.0).positionNo, 32.0);
    b.Quote(epsilon, dayBefore, 32.0);
    b.Quote(epsilon, date, 32.3);

    // Sum: value 630 + 796 + 550 + 700 + 323 = 2.999,00; cost 505 + 600 + 502,5 + 800 + 280
    // = 2.687,50; G/V +311,50, 311,5 / 2687,5 = 11,59 % -> +11,6%. 5 securities, 6 lots.
    const std::string rule =
        R"P(<tr><td colspan="11"><img src="file:///opt/pf/grline.gif" width="100%" height="1"></td></tr>
)P";
    const std::string expected = kHead + R"P(<table>
<tr><td class="sehrgrossfett">Depotbestand am 30.06.2021 - D-17 - Erika Muster</td></tr>
</table>
)P" + kDefaultHeader + R"P(<tr>
<td class="grossfett" colspan="2">Alpha</td>
<td class="normal" align="right">10 St.</td>
<td class="grossfett"></td>
<td class="small" rowspan="2" align="right"><span class="grossfett">63,00</span><br>Euro</td>
<td rowspan="2" align="center" valign="middle"><img src="file:///opt/pf/ar1.gif" width="19" height="19"></td>
<td class="normal" rowspan="2" align="right" style="border-color: rgb(0,190,0)">+5,0%</td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">630,00</td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+125,00</td>
</tr>
<tr>
<td class="normal" colspan="2">WAlpha, Aktie</td>
<td class="normal" align="right">01.03.2021</td>
<td></td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">-</td>
<td></td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+24,8%</td>
</tr>
)P" + rule + R"P(<tr>
<td class="grossfett" colspan="2">Beta</td>
<td class="normal" align="right">20 St.</td>
<td class="grossfett"></td>
<td class="small" rowspan="2" align="right"><span class="grossfett">39,80</span><br>Euro</td>
<td rowspan="2" align="center" valign="middle"><img src="file:///opt/pf/ar4.gif" width="19" height="19"></td>
<td class="normal" rowspan="2" align="right" style="border-color: rgb(190,0,0)">-0,5%</td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">796,00</td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+196,00</td>
</tr>
<tr>
<td class="normal" colspan="2">WBeta</td>
<td class="normal" align="right">02.03.2021</td>
<td></td>
<td class="normal" align="right">35,00</td>
<td class="normal" align="right">-96,00</td>
<td></td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+32,7%</td>
</tr>
)P" + rule + R"P(<tr>
<td class="grossfett" colspan="2">Gamma</td>
<td class="normal" align="right">5 St.</td>
<td class="grossfett"></td>
<td class="small" rowspan="2" align="right"><span class="grossfett">110,00</span><br>Euro</td>
<td rowspan="2" align="center" valign="middle"><img src="file:///opt/pf/ar3.gif" width="19" height="19"></td>
<td class="normal" rowspan="2" align="right">0,0%</td>
<td class="normal" align="right">120,00</td>
<td class="normal" align="right">+50,00</td>
<td class="normal" align="right">550,00</td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+47,50</td>
</tr>
<tr>
<td class="normal" colspan="2">WGamma</td>
<td class="normal" align="right">03.03.2021</td>
<td></td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">-</td>
<td></td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+9,5%</td>
</tr>
)P" + rule + R"P(<tr>
<td class="grossfett" colspan="2">Delta</td>
<td class="normal" align="right">10 St.</td>
<td class="grossfett"></td>
<td class="small" rowspan="2" align="right"><span class="grossfett">70,00</span><br>Euro</td>
<td rowspan="2" align="center" valign="middle"><img src="file:///opt/pf/ar5.gif" width="19" height="19"></td>
<td class="normal" rowspan="2" align="right" style="border-color: rgb(190,0,0)">-2,8%</td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">700,00</td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-100,00</td>
</tr>
<tr>
<td class="normal" colspan="2">WDelta</td>
<td class="normal" align="right">04.03.2021</td>
<td></td>
<td class="normal" align="right" style="background-color: rgb(190,0,0); color: rgb(255,255,255)">70,00</td>
<td class="normal" align="right">0,00</td>
<td></td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-12,5%</td>
</tr>
)P" + rule + R"P(<tr>
<td class="grossfett" colspan="2">Epsilon</td>
<td class="normal" align="right">10 St.</td>
<td class="grossfett"></td>
<td class="small" rowspan="2" align="right"><span class="grossfett">32,30</span><br>Euro</td>
<td rowspan="2" align="center" valign="middle"><img src="file:///opt/pf/ar2.gif" width="19" height="19"></td>
<td class="normal" rowspan="2" align="right" style="border-color: rgb(0,190,0)">+0,9%</td>
<td class="normal" align="right" style="background-color: rgb(0,190,0); color: rgb(255,255,255)">32,00</td>
<td class="normal" align="right">-3,00</td>
<td class="normal" align="right">323,00</td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+43,00</td>
</tr>
<tr>
<td class="normal" colspan="2">WEpsilon</td>
<td class="normal" align="right">-</td>
<td></td>
<td class="normal" align="right">-</td>
<td class="normal" align="right">-</td>
<td></td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+15,4%</td>
</tr>
<tr>
<td class="grossfett" colspan="2">Summe</td>
<td class="normal" align="right">5 verschiedene Wertpapiere in 6 Einzelpositionen</td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td class="normal" align="right">2.999,00</td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+311,50</td>
</tr>
<tr>
<td colspan="2"></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td class="normal" align="right" style="border-color: rgb(0,190,0)">+11,6%</td>
</tr>
)P" + kEnd;
    EXPECT_EQ(Page(), PageBytes(expected));
}

// One fund with every optional column but target/stop and potential/risk, the buy price
// beside the pieces and WKN with the second identifier. Its only quote is from 28.06.2021,
// so there is no trend on 30.06.2021: no arrow, "-" as change.
TEST_F(HtmlPageTest, OptionalColumnsAndAPositionWithoutTrend) {
    HtmlPageOptions& html = b.doc.options.htmlPage;
    html.securityData = kHtmlWknIsin;
    html.buyPriceBesidePieces = 1;
    html.targetStopColumn = 0;
    html.potentialRiskColumn = 0;
    html.dividendColumns = 1;

    // 8 at 12,50 + 1,00: purchase value 100,00, cost 101,00; a dividend of 4,00. Value
    // 8 × 11,00 = 88,00: G/V -13,00, -13 / 101 = -12,87 % -> -12,9%; dividends 4 / 101 =
    // 3,96 % -> 4,0%; incl. dividends -9,00, -9 / 101 = -8,91 % -> -8,9%.
    const int32_t zeta = b.Security("Zeta");
    b.doc.FindSecurity(zeta)->isin = "DE0001";
    const int32_t lot = b.Buy(Day(1, 3, 2021), zeta, 8, 12.5, 1.0).positionNo;
    b.Movement(Day(1, 5, 2021), "Dividenden-Gutschrift", 4.0, zeta, kIncome, {{lot, 8}});
    b.Quote(zeta, Day(28, 6, 2021), 11.0);

    const std::string expected = R"P(<table>
<tr class="small">
<td colspan="2">Wertpapier<br>WKN, ISIN/Kürzel</td>
<td align="right">Stück/KK (Euro)<br>Kaufdatum</td>
<td></td>
<td colspan="3" align="center">aktueller Kurs/Diff.</td>
<td colspan="2" align="right">Wert (Euro)<br>G/V (Euro/%)</td>
<td colspan="2" align="right">Dividende (Euro)<br>G/V inkl. Div. (Euro/%)</td>
</tr>
<tr><td colspan="11"><img src="file:///opt/pf/blline.gif" width="100%" height="2"></td></tr>
<tr>
<td class="grossfett" colspan="2">Zeta</td>
<td class="normal" align="right">8 St. zu 12,50</td>
<td class="grossfett"></td>
<td class="small" rowspan="2" align="right"><span class="grossfett">11,00</span><br>Euro</td>
<td rowspan="2" align="center" valign="middle"></td>
<td class="normal" rowspan="2" align="right">-</td>
<td class="normal" align="right">88,00</td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-13,00</td>
<td class="normal" align="right">4,00</td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-9,00</td>
</tr>
<tr>
<td class="normal" colspan="2">WZeta, DE0001</td>
<td class="normal" align="right">01.03.2021</td>
<td></td>
<td></td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-12,9%</td>
<td class="normal" align="right">4,0%</td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-8,9%</td>
</tr>
<tr>
<td class="grossfett" colspan="2">Summe</td>
<td class="normal" align="right">1 Wertpapier in 1 Einzelposition</td>
<td></td>
<td></td>
<td></td>
<td></td>
<td class="normal" align="right">88,00</td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-13,00</td>
<td class="normal" align="right">4,00</td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-9,00</td>
</tr>
<tr>
<td colspan="2"></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td></td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-12,9%</td>
<td class="normal" align="right">4,0%</td>
<td class="normal" align="right" style="border-color: rgb(190,0,0)">-8,9%</td>
</tr>
)P" + kEnd;
    const std::string page = Page();
    const std::string bytes = PageBytes(expected);
    ASSERT_GE(page.size(), bytes.size());
    EXPECT_EQ(page.substr(page.size() - bytes.size()), bytes);
}

TEST_F(HtmlPageTest, SecurityDataUnderTheName) {
    const int32_t s = b.Security("Eta");
    CFL2Wertpapier& security = *b.doc.FindSecurity(s);
    security.isin = "DE0002";
    security.type = "Anleihe";
    b.Buy(Day(1, 3, 2021), s, 1, 10.0);
    b.doc.options.isinLabel = "Kürzel";
    struct Case {
        int32_t choice;
        std::string header, data;
    };
    const Case cases[] = {
        {kHtmlWknType, "Wertpapier<br>WKN, Typ", "WEta, Anleihe"},
        {kHtmlWknIsin, "Wertpapier<br>WKN, Kürzel", "WEta, DE0002"},
        {kHtmlIsinType, "Wertpapier<br>Kürzel, Typ", "DE0002, Anleihe"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        b.doc.options.htmlPage.securityData = c.choice;
        const std::string page = Page();
        EXPECT_NE(page.find(PageBytes("<td colspan=\"2\">" + c.header + "</td>\n")),
                  std::string::npos);
        EXPECT_NE(page.find(PageBytes("<td class=\"normal\" colspan=\"2\">" + c.data + "</td>\n")),
                  std::string::npos);
    }
    // Without any of the two texts the cell shows "-", with one of them just that one.
    security.wkn.clear();
    b.doc.options.htmlPage.securityData = kHtmlWknType;
    EXPECT_NE(Page().find("<td class=\"normal\" colspan=\"2\">Anleihe</td>"), std::string::npos);
    security.type.clear();
    EXPECT_NE(Page().find("<td class=\"normal\" colspan=\"2\">-</td>"), std::string::npos);
}

// A merged row counts its lots; distinct securities are counted once.
TEST_F(HtmlPageTest, CountTextOfTheSum) {
    const int32_t a = b.Security("A");
    b.Buy(Day(1, 3, 2021), a, 1, 10.0);
    const auto countOf = [&](bool merge) {
        b.doc.options.holdings.mergePositions = merge ? 1 : 0;
        const std::string page = Page();
        const std::string before = "<td class=\"normal\" align=\"right\">";
        const size_t sum = page.find("Summe");
        const size_t start = page.find(before, sum) + before.size();
        return page.substr(start, page.find("</td>", start) - start);
    };
    EXPECT_EQ(countOf(false), "1 Wertpapier in 1 Einzelposition");
    b.Buy(Day(2, 3, 2021), a, 1, 10.0);
    EXPECT_EQ(countOf(false), "1 Wertpapier in 2 Einzelpositionen");
    EXPECT_EQ(countOf(true), "1 Wertpapier in 2 Einzelpositionen");
    b.Buy(Day(3, 3, 2021), b.Security("B"), 1, 10.0);
    EXPECT_EQ(countOf(true), "2 verschiedene Wertpapiere in 3 Einzelpositionen");
}

// The previous quote is split-adjusted to the report date like the current price: 100,00
// on 29.06. before a 2:1 split on 30.06. counts as 50,00, so 51,00 is a rise of 2 % (ar1),
// not a fall to 0,51.
TEST_F(HtmlPageTest, PreviousQuoteIsSplitAdjusted) {
    const int32_t s = b.Security("Theta");
    b.Buy(Day(1, 3, 2021), s, 10, 90.0);
    b.Split(date, s, 2, 1);
    b.Quote(s, dayBefore, 100.0);
    b.Quote(s, date, 51.0);
    const std::string page = Page();
    EXPECT_NE(page.find("ar1.gif"), std::string::npos);
    EXPECT_NE(page.find("style=\"border-color: rgb(0,190,0)\">+2,0%</td>"), std::string::npos);
}

TEST(HtmlTrendArrow, ThresholdRules) {
    const InternetQuoteOptions defaults;  // band 0..0, strong fall -1, strong rise +1
    InternetQuoteOptions emptyBand;       // lower limit above the upper one
    emptyBand.trendFall = 2.0;
    emptyBand.trendRise = 1.0;
    InternetQuoteOptions wideBand;  // the band reaches beyond both strong limits
    wideBand.trendFall = -2.0;
    wideBand.trendRise = 2.0;
    struct Case {
        const char* what;
        const InternetQuoteOptions& t;
        double current, previous;
        int arrow;
    };
    const Case cases[] = {
        {"strong rise", defaults, 101.5, 100.0, 1},
        {"rise at the strong limit", defaults, 101.0, 100.0, 2},
        {"rise", defaults, 100.5, 100.0, 2},
        {"unchanged", defaults, 100.0, 100.0, 3},
        {"fall", defaults, 99.5, 100.0, 4},
        {"fall at the strong limit", defaults, 99.0, 100.0, 4},
        {"strong fall", defaults, 98.0, 100.0, 5},
        {"no previous quote", defaults, 100.0, 0.0, 0},
        {"negative previous quote", defaults, 100.0, -1.0, 0},
        {"no current price", defaults, 0.0, 100.0, 0},
        // Empty band 1,02..1,01: above 1,01 is a rise, everything else a fall.
        {"empty band, above", emptyBand, 101.5, 100.0, 1},
        {"empty band, between the limits", emptyBand, 100.5, 100.0, 4},
        {"empty band, unchanged price", emptyBand, 100.0, 100.0, 4},
        {"empty band, strong fall", emptyBand, 98.0, 100.0, 5},
        // Band 0,98..1,02 is tested before the strong limits.
        {"wide band, +1,5 %", wideBand, 101.5, 100.0, 3},
        {"wide band, -1,5 %", wideBand, 98.5, 100.0, 3},
        {"wide band, above", wideBand, 103.0, 100.0, 1},
        {"wide band, below", wideBand, 97.0, 100.0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(HtmlTrendArrow(c.current, c.previous, c.t), c.arrow);
    }
}

TEST(HtmlFontSizes, MissingOrUnsafeEntriesAreTenPoint) {
    struct Case {
        const char* setting;
        std::array<std::string, 4> sizes;
    };
    const Case cases[] = {
        {"12pt;10pt;8pt;8pt", {"12pt", "10pt", "8pt", "8pt"}},
        {"14pt", {"14pt", "10pt", "10pt", "10pt"}},
        {"", {"10pt", "10pt", "10pt", "10pt"}},
        {"9pt;;7pt", {"9pt", "10pt", "7pt", "10pt"}},
        {"1pt;}</style><script>", {"1pt", "10pt", "10pt", "10pt"}},
        {" 11pt ;\t120% ;0.8em;x y", {"11pt", "120%", "0.8em", "10pt"}},
        {"1;2;3;4;5", {"1", "2", "3", "4"}},
        {"12pt; ;8pt:red;8pt", {"12pt", "10pt", "10pt", "8pt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        EXPECT_EQ(HtmlFontSizes(c.setting), c.sizes);
    }
}

TEST_F(HtmlPageTest, HostileFontSizesStayInsideTheStyleBlock) {
    b.doc.options.htmlPage.fontSizes = "1pt;}</style><script>alert(1)</script>";
    const std::string page = Page();
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find(".sehrgrossfett { font-family: Arial, Helvetica, sans-serif; font-size: "
                        "1pt; font-weight: bold; }\r\n.grossfett { font-family: Arial, Helvetica, "
                        "sans-serif; font-size: 10pt; font-weight: bold; }"),
              std::string::npos);
}

TEST(FolderFileUrl, PercentEncodesEverythingButUnreservedBytes) {
    struct Case {
        const char* folder;
        const char* url;
    };
    const Case cases[] = {
        {"/opt/pf data", "file:///opt/pf%20data/"},
        {"/opt/pf data/", "file:///opt/pf%20data/"},
        {"/home/jürgen/Bilder", "file:///home/j%C3%BCrgen/Bilder/"},  // ü = C3 BC
        {"/tmp/a#b%c?d", "file:///tmp/a%23b%25c%3Fd/"},
        {"/a~b-c_d.e/\"<&>'", "file:///a~b-c_d.e/%22%3C%26%3E%27/"},
        {"/", "file:///"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(FolderFileUrl(c.folder), c.url);
    }
}

TEST(HtmlEscape, TheFiveCharacters) {
    EXPECT_EQ(HtmlEscape(""), "");
    EXPECT_EQ(HtmlEscape("<a href=\"x\">'&'</a>"),
              "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");
    EXPECT_EQ(HtmlEscape("&amp;"), "&amp;amp;");  // escaped once more, not taken as an entity
    EXPECT_EQ(HtmlEscape("Müller"), "Müller");
}

// Texts of the document are escaped; the page is Windows-1252, and a character outside it
// becomes a numeric reference instead of being dropped.
TEST_F(HtmlPageTest, DocumentTextsAreEscapedAndEncoded) {
    b.doc.depot.depotNumber = "€-Depot";        // € is 0x80 in Windows-1252
    b.doc.depot.holderName = "Müller & Söhne";  // ü 0xFC, ö 0xF6
    b.doc.options.isinLabel = "ISIN<>";
    b.doc.options.htmlPage.securityData = kHtmlWknIsin;
    b.Buy(Day(1, 3, 2021), b.Security("<script>alert(\"x\") & 'y'</script>", "W1"), 1, 10.0);
    const int32_t arrow = b.Security("Kurs→Ziel", "W2");  // → U+2192 = 8594
    b.doc.FindSecurity(arrow)->isin = "Ł";                // U+0141 = 321
    b.Buy(Day(2, 3, 2021), arrow, 1, 10.0);
    b.Buy(Day(3, 3, 2021),
          b.Security("A\xFF"
                     "B",
                     "W3"),
          1, 10.0);  // not UTF-8

    const std::string page = Page();
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_NE(page.find("<td class=\"sehrgrossfett\">Depotbestand am 30.06.2021 - \x80-Depot - "
                        "M\xFCller &amp; S\xF6hne</td>"),
              std::string::npos);
    EXPECT_NE(page.find("<td class=\"grossfett\" colspan=\"2\">&lt;script&gt;alert(&quot;x&quot;) "
                        "&amp; &#39;y&#39;&lt;/script&gt;</td>"),
              std::string::npos);
    EXPECT_NE(page.find("Wertpapier<br>WKN, ISIN&lt;&gt;</td>"), std::string::npos);
    EXPECT_NE(page.find(">Kurs&#8594;Ziel</td>"), std::string::npos);
    EXPECT_NE(page.find(">W2, &#321;</td>"), std::string::npos);
    EXPECT_NE(page.find(">A&#65533;B</td>"), std::string::npos);
    EXPECT_NE(page.find("St\xFC"
                        "ck"),
              std::string::npos);
    // Nothing of the UTF-8 forms is left: no lead byte of ü, €, → or Ł.
    for (const char lead : {'\xC3', '\xE2', '\xC5'}) EXPECT_EQ(page.find(lead), std::string::npos);
}

// The page shows the rows of the holdings report in its order, with its values: the first
// demonstration portfolio (shares in euros and dollars, a split, an exchange, sales).
TEST(HtmlPageDemoTest, SamePositionsAndValuesAsTheHoldingsReport) {
    CFolari2Doc doc = MakeDemoPortfolio(1);
    doc.options.holdings.mergePositions = 1;
    const CQRNDatum date = Day(1, 7, 2022);
    const std::string page = BuildHoldingsHtmlPage(doc, date, kImages);
    const auto table = BuildHoldingsReport(doc, date);
    const int valueColumn = ColumnOf(doc.options.holdings.columnMask, 22);
    const int totalRow = RowWith(*table, 0, "Summe");
    ASSERT_GT(totalRow, 4);  // at least two positions

    size_t at = 0;
    for (int r = 3; r <= totalRow; ++r) {
        std::string name = table->CellText(r, 0);
        while (!name.empty() && name.back() == '*') name.pop_back();  // stop/target markers
        SCOPED_TRACE(name);
        const auto cell = [](const std::string& attributes, const std::string& text) {
            return "<td " + attributes + ">" + *Utf8ToWindows1252(HtmlEscape(text)) + "</td>";
        };
        at = page.find(cell("class=\"grossfett\" colspan=\"2\"", name), at);
        ASSERT_NE(at, std::string::npos);
        at = page.find(cell("class=\"normal\" align=\"right\"", table->CellText(r, valueColumn)),
                       at);
        ASSERT_NE(at, std::string::npos);
    }
    // One grey rule between each two positions.
    size_t rules = 0;
    for (size_t p = page.find("grline.gif"); p != std::string::npos;
         p = page.find("grline.gif", p + 1))
        ++rules;
    EXPECT_EQ(rules, static_cast<size_t>(totalRow - 4));
}

}  // namespace
}  // namespace pf::testing
