#include "reports/quotes_table_report.h"

#include <algorithm>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "model/currency.h"
#include "model/document.h"
#include "model/security.h"
#include "reports/report_format.h"

namespace pf {

namespace {

// Day rows alternate with their position from 0: even rows take the first colour, odd rows
// the second.
constexpr Colour kEvenDayA = Rgb(248, 248, 248);
constexpr Colour kOddDayA = Rgb(240, 240, 240);
constexpr Colour kEvenDayB = Rgb(255, 200, 200);
constexpr Colour kOddDayB = Rgb(255, 175, 175);
// Price cells in "Farbe": by the security's position in the list, then by row parity.
constexpr Colour kEvenSecurityEvenDayB = Rgb(255, 201, 248);
constexpr Colour kEvenSecurityOddDayB = Rgb(255, 175, 245);
constexpr Colour kOddSecurityEvenDayB = Rgb(213, 201, 255);
constexpr Colour kOddSecurityOddDayB = Rgb(193, 175, 255);
// The vertical titles.
constexpr Colour kTitleColumnA = Rgb(225, 225, 225);
constexpr Colour kEvenTitleColumnB = Rgb(255, 151, 242);
constexpr Colour kOddTitleColumnB = Rgb(174, 151, 255);

// A key folded for a comparison without regard to case: ASCII letters and the Latin-1
// capitals of UTF-8 (U+00C0..U+00DE without the multiplication sign, "Ä" to "ä") become
// small letters; all other bytes stay.
std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (size_t i = 0; i < folded.size(); ++i) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        if (byte >= 'A' && byte <= 'Z') {
            folded[i] = static_cast<char>(byte + ('a' - 'A'));
        } else if (byte == 0xC3 && i + 1 < folded.size()) {
            const auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97)
                folded[i + 1] = static_cast<char>(next + 0x20);
            ++i;
        }
    }
    return folded;
}

const std::string& SortKeyOf(const CFL2Wertpapier& s, int32_t key) {
    switch (key) {
        case kQuotesByWkn:
            return s.wkn;
        case kQuotesByIsin:
            return s.isin;
        default:
            return s.name;
    }
}

bool HasQuoteIn(const CFL2Wertpapier& s, CQRNDatum from, CQRNDatum to) {
    const QuoteHistory::Position at = s.quotes.FindQuote(from);
    return at.index < s.quotes.size() && s.quotes[at.index].date <= to;
}

}  // namespace

CQRNDatum SplitViewingDate(int32_t splitHandling, CQRNDatum to) {
    switch (splitHandling) {
        case kSplitsNotAdjusted:
            return CQRNDatum(0);
        case kSplitsFullyAdjusted:
            return CQRNDatum(DayNumberOf(1, 1, 2100));
        default:
            return to;
    }
}

std::vector<const CFL2Wertpapier*> QuotesTableSecurities(const CFolari2Doc& doc, CQRNDatum from,
                                                         CQRNDatum to) {
    const QuotesTableOptions& options = doc.options.quotes;
    struct Keyed {
        std::string key;
        const CFL2Wertpapier* security;
    };
    std::vector<Keyed> list;
    for (const CFL2Wertpapier& s : doc.securities) {
        if (options.filter == kQuotesOfSecuritiesWithQuotes && !HasQuoteIn(s, from, to)) continue;
        if (options.filter == kQuotesOfChosenSecurities && s.aux1 != 1) continue;
        list.push_back({FoldCase(SortKeyOf(s, options.sortKey)), &s});
    }
    // Inserting each security before the first listed one with a greater key is a stable
    // sort by key.
    std::stable_sort(list.begin(), list.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<const CFL2Wertpapier*> securities;
    securities.reserve(list.size());
    for (const Keyed& k : list) securities.push_back(k.security);
    return securities;
}

std::string QuotesColumnTitle(const CFolari2Doc& doc, const CFL2Wertpapier& security) {
    const CFL2Waehrung* currency = doc.FindCurrency(security.quoteCurrencyId);
    std::string title = doc.options.quotes.titleTemplate;
    title = ReplacePlaceholder(title, "<BEZEICHNUNG>", security.name);
    title = ReplacePlaceholder(title, "<WKN>", security.wkn);
    title = ReplacePlaceholder(title, "<KUERZEL>", security.isin);
    title = ReplacePlaceholder(title, "<ISIN>", security.isin);
    title = ReplacePlaceholder(title, "<KURSWAEHRUNG>",
                               currency != nullptr ? currency->symbol : std::string());
    return title;
}

std::unique_ptr<DevelopmentTable> BuildQuotesTableReport(const CFolari2Doc& doc, CQRNDatum from,
                                                         CQRNDatum to) {
    const DocumentOptions& o = doc.options;
    const ListsAppearance& lists = o.lists;
    const QuotesTableOptions& options = o.quotes;
    const std::vector<const CFL2Wertpapier*> securities = QuotesTableSecurities(doc, from, to);
    const int n = static_cast<int>(securities.size());
    const int columnCount = 2 * n + 1;
    const int decimals = std::clamp(lists.priceDecimals, 0, 15);

    auto table = std::make_unique<DevelopmentTable>();
    // "Feldabstand" is the distance from the edge and between the columns.
    table->Init(lists.face, lists.normalFontHeight, columnCount, lists.outerMargin,
                lists.outerMargin, lists.outerMargin, o.screenScaleFactor);
    table->SetAppearance({.screenStyle = lists.screenStyle,
                          .printStyle = lists.printStyle,
                          .marginLeft = lists.marginLeft,
                          .marginTop = lists.marginTop,
                          .marginRight = lists.marginRight,
                          .marginBottom = lists.marginBottom});
    table->SetRepeatDateColumn(lists.dateColumnEveryPage != 0);
    table->SetVerticalRepeat(
        lists.repeatVerticalTexts != 0 ? std::max(1, lists.verticalTextDistance) : 0);
    const int titleFont = table->AddFont(lists.columnTitleFontHeight);
    const int verticalFont = table->AddFont(lists.verticalFontHeight);
    for (int k = 0; k < n; ++k) {
        table->SetColumnAlignment(2 * k + 1, kAlignRight);
        // A price column and its title column stay on one printed page.
        table->SetColumnGroup(2 * k + 1, 2);
        if (options.equalWidths != 0) table->SetColumnEqualWidth(2 * k + 1, true);
    }

    RowStyle titleStyle;
    titleStyle.colourA = titleStyle.colourB = kTitleRowColour;
    titleStyle.font = titleFont;
    table->SetCell(table->AddRow(titleStyle), 0,
                   "Kurse von " + from.FormatLong() + " bis " + to.FormatLong(), columnCount,
                   kAlignLeft);
    RowStyle headerStyle;
    headerStyle.colourA = headerStyle.colourB = kColumnTitleRowColour;
    headerStyle.font = titleFont;
    headerStyle.spacingBefore = lists.outerMargin;
    headerStyle.repeatOnEachPage = lists.repeatColumnTitles != 0;
    table->SetCell(table->AddRow(headerStyle), 0, "Datum");

    const CQRNDatum viewDate = SplitViewingDate(options.splitHandling, to);
    const bool asStored = options.splitHandling == kSplitsAsStored;
    int firstDayRow = -1;
    int lastDayRow = -1;
    int position = 0;
    // The last price text of each security: quotes often repeat from one day to the next,
    // and a table of 20 years has hundreds of thousands of price cells.
    struct LastText {
        double value = std::numeric_limits<double>::quiet_NaN();
        std::string text;
    };
    std::vector<LastText> lastPrice(static_cast<size_t>(n));
    for (uint32_t day = from.DayNumber(); from <= to && day <= to.DayNumber(); ++day, ++position) {
        const CQRNDatum date(day);
        const bool even = position % 2 == 0;
        RowStyle style;
        style.colourA = even ? kEvenDayA : kOddDayA;
        style.colourB = even ? kEvenDayB : kOddDayB;
        style.spacingBefore = position == 0 ? lists.outerMargin : 0;
        style.user[kUserDate] = static_cast<int>(day);
        const int row = table->AddRow(style);
        if (row < 0) break;
        if (firstDayRow < 0) firstDayRow = row;
        lastDayRow = row;
        table->SetCell(row, 0, date.FormatLong());
        for (int k = 0; k < n; ++k) {
            const CFL2Wertpapier& s = *securities[k];
            const int column = 2 * k + 1;
            double price = 0.0;
            const int found =
                asStored ? s.quotes.QuoteOn(date, price) : s.ExactPriceAt(date, viewDate, price);
            if (found == 1) {
                LastText& known = lastPrice[static_cast<size_t>(k)];
                if (!(price == known.value)) {
                    known.value = price;
                    known.text = FormatNumber(price, decimals, decimals, false, o);
                }
                table->SetCell(row, column, known.text);
            }
            const bool evenSecurity = k % 2 == 0;
            table->SetCellColours(row, column, style.colourA,
                                  evenSecurity
                                      ? (even ? kEvenSecurityEvenDayB : kEvenSecurityOddDayB)
                                      : (even ? kOddSecurityEvenDayB : kOddSecurityOddDayB));
            table->SetCellUser(row, column, s.id);
        }
        if (day == UINT32_MAX) break;
    }
    if (firstDayRow >= 0) {
        for (int k = 0; k < n; ++k)
            table->SetVerticalText(2 * k + 2, firstDayRow, lastDayRow,
                                   QuotesColumnTitle(doc, *securities[k]), verticalFont,
                                   kTitleColumnA, k % 2 == 0 ? kEvenTitleColumnB : kOddTitleColumnB,
                                   securities[k]->id);
    }
    return table;
}

std::unique_ptr<ReportObject> BuildQuotesTable(const CFolari2Doc& doc, const ViewState& state) {
    return BuildQuotesTableReport(doc, state.periodFrom, state.periodTo);
}

}  // namespace pf
