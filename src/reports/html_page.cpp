#include "reports/html_page.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/document.h"
#include "model/text_codec.h"
#include "reports/holdings_report.h"
#include "reports/report_format.h"

namespace pf {

namespace {

constexpr const char* kGreen = "rgb(0,190,0)";
constexpr const char* kRed = "rgb(190,0,0)";
constexpr const char* kDefaultFontSize = "10pt";

// The page is collected as UTF-8 lines and converted once at the end.
class Lines {
  public:
    void Add(std::string_view line) {
        text_ += line;
        text_ += "\r\n";
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

// One table cell; its attributes are written in this order, only when set.
struct Td {
    const char* cls = nullptr;
    int colspan = 1;
    int rowspan = 1;
    const char* align = nullptr;
    const char* valign = nullptr;
    std::string style = {};  // a default, so that cells may leave it out

    std::string operator()(std::string_view content) const {
        std::string s = "<td";
        if (cls != nullptr) s += std::string(" class=\"") + cls + "\"";
        if (colspan > 1) s += " colspan=\"" + std::to_string(colspan) + "\"";
        if (rowspan > 1) s += " rowspan=\"" + std::to_string(rowspan) + "\"";
        if (align != nullptr) s += std::string(" align=\"") + align + "\"";
        if (valign != nullptr) s += std::string(" valign=\"") + valign + "\"";
        if (!style.empty()) s += " style=\"" + style + "\"";
        s += ">";
        s += content;
        s += "</td>";
        return s;
    }
};

const Td kEmpty{};

// A right-aligned value cell of class normal, with an optional style.
std::string Value(std::string_view text, std::string style = {}) {
    return Td{.cls = "normal", .align = "right", .style = std::move(style)}(text);
}

// Green border for a gain, red for a loss, none for zero.
std::string SignBorder(double value) {
    if (value > 0.0) return std::string("border-color: ") + kGreen;
    if (value < 0.0) return std::string("border-color: ") + kRed;
    return {};
}

std::string Highlight(const char* colour) {
    return std::string("background-color: ") + colour + "; color: rgb(255,255,255)";
}

// Which optional columns the page has and how many columns that makes.
struct Layout {
    bool buyPrice = false;
    bool targetStop = false;
    bool potentialRisk = false;
    bool dividends = false;
    int securityData = kHtmlWknType;

    int Columns() const {
        // name (2), pieces, empty, price, arrow, change, value, G/V
        return 9 + (targetStop ? 1 : 0) + (potentialRisk ? 1 : 0) + (dividends ? 2 : 0);
    }
};

std::string SecurityDataHeader(const Layout& layout, const std::string& isinLabel) {
    switch (layout.securityData) {
        case kHtmlWknIsin:
            return "WKN, " + HtmlEscape(isinLabel);
        case kHtmlIsinType:
            return HtmlEscape(isinLabel) + ", Typ";
        default:
            return "WKN, Typ";
    }
}

// The two identifying texts joined by ", " (empty ones left out), or "-" when both are empty.
std::string SecurityDataText(const Layout& layout, const PositionRecord& r) {
    std::string first = r.wkn;
    std::string second = r.type;
    if (layout.securityData == kHtmlWknIsin) second = r.isin;
    if (layout.securityData == kHtmlIsinType) first = r.isin;
    std::string text = first;
    if (!text.empty() && !second.empty()) text += ", ";
    text += second;
    return text.empty() ? "-" : HtmlEscape(text);
}

std::string Rule(const Layout& layout, const std::string& images, const char* file, int height) {
    return "<tr>" +
           Td{.colspan = layout.Columns()}("<img src=\"" + images + file +
                                           "\" width=\"100%\" height=\"" + std::to_string(height) +
                                           "\">") +
           "</tr>";
}

// "1 Wertpapier in 1 Einzelposition", "1 Wertpapier in n Einzelpositionen", else "n
// verschiedene Wertpapiere in m Einzelpositionen" (also for an empty portfolio: 0 and 0).
std::string CountText(int securities, int lots) {
    if (securities == 1 && lots == 1) return "1 Wertpapier in 1 Einzelposition";
    if (securities == 1) return "1 Wertpapier in " + std::to_string(lots) + " Einzelpositionen";
    return std::to_string(securities) + " verschiedene Wertpapiere in " + std::to_string(lots) +
           " Einzelpositionen";
}

// The Windows-1252 bytes of the UTF-8 page; characters the code page lacks become numeric
// references, a malformed byte the reference of U+FFFD.
std::string ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        const Utf8Char d = DecodeUtf8At(utf8, i);
        if (d.length == 0) {
            out += "&#65533;";
            ++i;
            continue;
        }
        if (const auto byte = CodePointToWindows1252(d.cp))
            out += static_cast<char>(*byte);
        else
            out += "&#" + std::to_string(static_cast<uint32_t>(d.cp)) + ";";
        i += d.length;
    }
    return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsSafeSizeCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '%';
}

}  // namespace

std::string HtmlEscape(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string FolderFileUrl(const std::string& absoluteFolder) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string_view path = absoluteFolder;
    while (!path.empty() && path.front() == '/') path.remove_prefix(1);
    std::string url = "file:///";
    for (char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0x0F];
        }
    }
    if (url.back() != '/') url += '/';
    return url;
}

std::array<std::string, 4> HtmlFontSizes(std::string_view setting) {
    std::array<std::string, 4> sizes;
    sizes.fill(kDefaultFontSize);
    size_t start = 0;
    for (size_t n = 0; n < sizes.size() && start <= setting.size(); ++n) {
        size_t end = setting.find(';', start);
        if (end == std::string_view::npos) end = setting.size();
        std::string_view entry = setting.substr(start, end - start);
        while (!entry.empty() && IsBlank(entry.front())) entry.remove_prefix(1);
        while (!entry.empty() && IsBlank(entry.back())) entry.remove_suffix(1);
        if (!entry.empty() && std::all_of(entry.begin(), entry.end(), IsSafeSizeCharacter))
            sizes[n] = std::string(entry);
        start = end + 1;
    }
    return sizes;
}

int HtmlTrendArrow(double currentPrice, double previousQuote, const InternetQuoteOptions& t) {
    if (!(previousQuote > 0.0) || !(currentPrice > 0.0)) return 0;
    const double q = currentPrice / previousQuote;
    const double lower = 1.0 + t.trendFall / 100.0;
    const double upper = 1.0 + t.trendRise / 100.0;
    if (lower <= q && q <= upper) return 3;
    if (q > upper) return q > 1.0 + t.trendStrongRise / 100.0 ? 1 : 2;
    return q < 1.0 + t.trendStrongFall / 100.0 ? 5 : 4;
}

std::string BuildHoldingsHtmlPage(const CFolari2Doc& doc, CQRNDatum reportDate,
                                  const std::string& imageBaseUrl) {
    const DocumentOptions& o = doc.options;
    const HoldingsReportData data = ComputeHoldingsReport(doc, reportDate);
    const int percentDecimals = std::clamp(o.tables.percentDecimals, 0, 15);
    const std::string images = HtmlEscape(imageBaseUrl);
    const std::string currency = HtmlEscape(data.currencyName);

    Layout layout;
    layout.buyPrice = o.htmlPage.buyPriceBesidePieces != 0;
    layout.targetStop = o.htmlPage.targetStopColumn != 0;
    layout.potentialRisk = o.htmlPage.potentialRiskColumn != 0;
    layout.dividends = o.htmlPage.dividendColumns != 0;
    layout.securityData = o.htmlPage.securityData;

    // Stop and target prices are in the securities' quote currencies, like the current
    // prices; they share one number of decimals by the rule of the price columns.
    std::vector<double> limits;
    for (const PositionRecord& r : data.positions) {
        if (r.targetPrice > 0.0) limits.push_back(r.targetPrice);
        if (r.stopPrice > 0.0) limits.push_back(r.stopPrice);
    }
    const int limitDecimals = ColumnPriceDecimals(limits, o.tables.maxPriceDecimals);

    Lines page;
    const std::array<std::string, 4> sizes = HtmlFontSizes(o.htmlPage.fontSizes);
    const std::string font = "font-family: Arial, Helvetica, sans-serif; font-size: ";
    page.Add("<html>");
    page.Add("<head>");
    page.Add("<title>Depotbestand</title>");
    page.Add("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">");
    page.Add("<style type=\"text/css\">");
    page.Add(
        "td { padding-left: 3px; padding-right: 3px; padding-top: 1px; padding-bottom: 1px; "
        "border-color: rgb(255,255,255); border-style: solid; border-width: 2px; }");
    page.Add("table { border-spacing: 2px; border: 1px solid rgb(255,255,255); }");
    page.Add(".sehrgrossfett { " + font + sizes[0] + "; font-weight: bold; }");
    page.Add(".grossfett { " + font + sizes[1] + "; font-weight: bold; }");
    page.Add(".normal { " + font + sizes[2] + "; }");
    page.Add(".small { " + font + sizes[3] + "; }");
    page.Add("</style>");
    page.Add("</head>");
    page.Add("<body>");

    page.Add("<table>");
    page.Add("<tr>" + Td{.cls = "sehrgrossfett"}(HtmlEscape(HoldingsTitle(doc, reportDate))) +
             "</tr>");
    page.Add("</table>");

    // The header: both lines of a column in one cell.
    page.Add("<table>");
    page.Add("<tr class=\"small\">");
    page.Add(Td{.colspan = 2}("Wertpapier<br>" + SecurityDataHeader(layout, o.isinLabel)));
    page.Add(Td{.align = "right"}((layout.buyPrice ? "Stück/KK (" + currency + ")" : "Stück") +
                                  "<br>Kaufdatum"));
    page.Add(kEmpty(""));
    page.Add(Td{.colspan = 3, .align = "center"}("aktueller Kurs/Diff."));
    if (layout.targetStop) page.Add(Td{.align = "right"}("Ziel<br>Stopp"));
    if (layout.potentialRisk)
        page.Add(Td{.align = "right"}("Potential (" + currency + ")<br>Risiko (" + currency + ")"));
    page.Add(
        Td{.colspan = 2, .align = "right"}("Wert (" + currency + ")<br>G/V (" + currency + "/%)"));
    if (layout.dividends)
        page.Add(Td{.colspan = 2, .align = "right"}("Dividende (" + currency +
                                                    ")<br>G/V inkl. Div. (" + currency + "/%)"));
    page.Add("</tr>");
    page.Add(Rule(layout, images, kHtmlBlackRule, 2));

    const auto percent = [&](const PositionRecord& r, double value, bool plusSign) {
        return PercentText(r, value, percentDecimals, plusSign, o);
    };
    const auto percentBorder = [](const PositionRecord& r, double value) {
        return r.hasPercentages ? SignBorder(value) : std::string();
    };

    std::set<int32_t> securities;
    int lots = 0;
    for (size_t i = 0; i < data.positions.size(); ++i) {
        const PositionRecord& r = data.positions[i];
        securities.insert(r.securityId);
        lots += r.lotCount;
        if (i > 0) page.Add(Rule(layout, images, kHtmlGreyRule, 1));

        const bool hasPrice = r.currentPrice != 0.0;
        double previous = 0.0;
        const CFL2Wertpapier* security = doc.FindSecurity(r.securityId);
        if (security != nullptr && r.currentPriceFromReportDate && reportDate.DayNumber() > 0)
            previous = security->PriceAt(CQRNDatum(reportDate.DayNumber() - 1), reportDate);
        const int arrow = HtmlTrendArrow(r.currentPrice, previous, o.internetQuotes);
        std::string change = "-";
        std::string changeStyle;
        if (arrow == 3) {
            change = FormatNumber(0.0, percentDecimals, percentDecimals, true, o) + "%";
        } else if (arrow != 0) {
            const double q = r.currentPrice / previous;
            change = FormatNumber(RoundTo((q - 1.0) * 100.0, percentDecimals), percentDecimals,
                                  percentDecimals, true, o) +
                     "%";
            changeStyle = std::string("border-color: ") + (arrow <= 2 ? kGreen : kRed);
        }

        // Potential and risk: the value at the target or stop price, less the value now.
        const auto valueAt = [&](Price limit) -> std::string {
            if (limit <= 0.0 || !hasPrice) return "-";
            const Amount at = RoundTo(r.currentValue * limit / r.currentPrice, 2);
            return AmountText(RoundTo(at - r.currentValue, 2), o, true);
        };
        const auto limitText = [&](Price limit) -> std::string {
            return limit > 0.0 ? PriceText(limit, limitDecimals, o) : "-";
        };

        std::string pieces = FormatPieces(r.quantity, data.decimals.pieces, o) + " St.";
        if (layout.buyPrice)
            pieces += " zu " + PriceText(r.buyPriceReport, data.decimals.buyPriceReport, o);

        page.Add("<tr>");
        page.Add(Td{.cls = "grossfett", .colspan = 2}(HtmlEscape(r.name)));
        page.Add(Value(pieces));
        page.Add(Td{.cls = "grossfett"}(""));
        page.Add(Td{.cls = "small", .rowspan = 2, .align = "right"}(
            "<span class=\"grossfett\">" +
            (hasPrice ? PriceText(r.currentPrice, data.decimals.currentPrice, o) : "-") +
            "</span><br>" + HtmlEscape(r.quoteCurrencyName)));
        page.Add(Td{.rowspan = 2, .align = "center", .valign = "middle"}(
            arrow == 0 ? std::string()
                       : "<img src=\"" + images + "ar" + std::to_string(arrow) +
                             ".gif\" width=\"19\" height=\"19\">"));
        page.Add(Td{.cls = "normal", .rowspan = 2, .align = "right", .style = changeStyle}(change));
        if (layout.targetStop)
            page.Add(Value(limitText(r.targetPrice), r.targetReached ? Highlight(kGreen) : ""));
        if (layout.potentialRisk) page.Add(Value(valueAt(r.targetPrice)));
        page.Add(Value(AmountText(r.currentValue, o)));
        page.Add(Value(AmountText(r.gainLoss, o, true), SignBorder(r.gainLoss)));
        if (layout.dividends) {
            page.Add(Value(AmountText(r.dividends, o)));
            page.Add(Value(AmountText(r.gainLossWithDividends, o, true),
                           SignBorder(r.gainLossWithDividends)));
        }
        page.Add("</tr>");

        page.Add("<tr>");
        page.Add(Td{.cls = "normal", .colspan = 2}(SecurityDataText(layout, r)));
        page.Add(Value(r.merged ? "-" : r.purchaseDate.FormatLong()));
        page.Add(kEmpty(""));
        if (layout.targetStop)
            page.Add(Value(limitText(r.stopPrice), r.stopReached ? Highlight(kRed) : ""));
        if (layout.potentialRisk) page.Add(Value(valueAt(r.stopPrice)));
        page.Add(kEmpty(""));
        page.Add(Value(percent(r, r.gainLossPercent, true), percentBorder(r, r.gainLossPercent)));
        if (layout.dividends) {
            page.Add(Value(percent(r, r.dividendPercent, false)));
            page.Add(Value(percent(r, r.gainLossWithDividendsPercent, true),
                           percentBorder(r, r.gainLossWithDividendsPercent)));
        }
        page.Add("</tr>");
    }

    // The sum: amounts in the first row, percentages in the second, like a position.
    const PositionRecord& t = data.total;
    const int emptyBetween = 4 + (layout.targetStop ? 1 : 0) + (layout.potentialRisk ? 1 : 0);
    page.Add("<tr>");
    page.Add(Td{.cls = "grossfett", .colspan = 2}("Summe"));
    page.Add(Value(CountText(static_cast<int>(securities.size()), lots)));
    for (int c = 0; c < emptyBetween; ++c) page.Add(kEmpty(""));
    page.Add(Value(AmountText(t.currentValue, o)));
    page.Add(Value(AmountText(t.gainLoss, o, true), SignBorder(t.gainLoss)));
    if (layout.dividends) {
        page.Add(Value(AmountText(t.dividends, o)));
        page.Add(Value(AmountText(t.gainLossWithDividends, o, true),
                       SignBorder(t.gainLossWithDividends)));
    }
    page.Add("</tr>");
    page.Add("<tr>");
    page.Add(Td{.colspan = 2}(""));
    for (int c = 0; c < emptyBetween + 2; ++c) page.Add(kEmpty(""));
    page.Add(Value(percent(t, t.gainLossPercent, true), percentBorder(t, t.gainLossPercent)));
    if (layout.dividends) {
        page.Add(Value(percent(t, t.dividendPercent, false)));
        page.Add(Value(percent(t, t.gainLossWithDividendsPercent, true),
                       percentBorder(t, t.gainLossWithDividendsPercent)));
    }
    page.Add("</tr>");

    page.Add(Rule(layout, images, kHtmlBlackRule, 2));
    page.Add("</table>");
    page.Add("</body>");
    page.Add("</html>");
    return ToWindows1252(page.Text());
}

}  // namespace pf
