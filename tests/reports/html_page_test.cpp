#include "reports/html_page.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/engine_test_util.h"
#include "engine/stop_target.h"
#include "model/text_codec.h"

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

}  // namespace
}  // namespace pf::testing
