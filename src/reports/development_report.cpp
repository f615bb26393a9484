#include "reports/development_report.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/currency.h"
#include "model/document.h"
#include "model/security.h"
#include "reports/development_rows.h"
#include "reports/report_format.h"

namespace pf {

namespace {

constexpr Colour kVerticalTextColour = Rgb(225, 225, 225);

// What one column of the table shows.
struct ColumnPlan {
    DevelopmentItem item;
    int position = -1;  // index into DevelopmentRows::positions for a position's column
};

struct Titles {
    const char* first;
    std::string second;
};

Titles TitlesOf(DevelopmentItem item, const std::string& depot, const std::string& account,
                const std::string& assets) {
    const std::string inD = "in " + depot;
    const std::string inK = "in " + account;
    const std::string inV = "in " + assets;
    const std::string inPercent = "in %";
    switch (item) {
        case kDevPositionPrice:
            return {"Kurs", ""};
        case kDevPositionGainPercent:
            return {"G/V in %", ""};
        case kDevInvested:
            return {"Inv. Kap.", inD};
        case kDevDepotValue:
            return {"Depotwert", inD};
        case kDevDepotGain:
            return {"G/V", inD};
        case kDevDepotGainPercent:
            return {"G/V", inPercent};
        case kDevDepotChange:
            return {"Änd. gg. Anf.", inD};
        case kDevDepotChangePercent:
            return {"Änd. gg. Anf.", inPercent};
        case kDevBalance:
            return {"Kontostand", inK};
        case kDevLiquidityPercent:
            return {"Liq.", "Quote"};
        case kDevPaidIn:
            return {"Eing. Kap.", inV};
        case kDevAssetsValue:
            return {"Vermögen", inV};
        case kDevAssetsGain:
            return {"G/V", inV};
        case kDevAssetsGainPercent:
            return {"G/V", inPercent};
        case kDevAssetsChange:
            return {"Änd. gg. Anf.", inV};
        case kDevAssetsChangePercent:
            return {"Änd. gg. Anf.", inPercent};
        case kDevAssetsDayChange:
            return {"gg.VT", inV};
        case kDevAssetsDayChangePercent:
            return {"gg.VT", inPercent};
        default:
            return {"", ""};
    }
}

// The amount (first) or percentage (second) of a group item on one day.
struct DayValue {
    std::optional<double> amount;
    std::optional<double> percent;
};

DayValue ValueOf(const DevelopmentDay& d, DevelopmentItem item) {
    switch (item) {
        case kDevInvested:
            return {d.invested, {}};
        case kDevDepotValue:
            return {d.depotValue, {}};
        case kDevDepotGain:
            return {d.depotGain, {}};
        case kDevDepotGainPercent:
            return {{}, d.depotGainPercent};
        case kDevDepotChange:
            return {d.depotChange, {}};
        case kDevDepotChangePercent:
            return {{}, d.depotChangePercent};
        case kDevBalance:
            return {d.balance, {}};
        case kDevLiquidityPercent:
            return {{}, d.liquidityPercent};
        case kDevPaidIn:
            return {d.paidIn, {}};
        case kDevAssetsValue:
            return {d.assets, {}};
        case kDevAssetsGain:
            return {d.assetsGain, {}};
        case kDevAssetsGainPercent:
            return {{}, d.assetsGainPercent};
        case kDevAssetsChange:
            return {d.assetsChange, {}};
        case kDevAssetsChangePercent:
            return {{}, d.assetsChangePercent};
        case kDevAssetsDayChange:
            return {d.assetsDayChange, {}};
        case kDevAssetsDayChangePercent:
            return {{}, d.assetsDayChangePercent};
        default:
            return {};
    }
}

std::string SymbolOf(const CFolari2Doc& doc, int32_t currencyId) {
    const CFL2Waehrung* currency = doc.FindCurrency(currencyId);
    return currency != nullptr ? currency->symbol : std::string();
}

}  // namespace

std::unique_ptr<DevelopmentTable> BuildDevelopmentTableReport(const CFolari2Doc& doc,
                                                              CQRNDatum from, CQRNDatum to) {
    const DocumentOptions& o = doc.options;
    const ListsAppearance& lists = o.lists;
    const DevelopmentReportOptions& options = o.development;
    const uint32_t mask = static_cast<uint32_t>(options.itemMask);
    const DevelopmentRows rows = ComputeDevelopmentRows(doc, from, to);
    const int priceDecimals = std::clamp(lists.priceDecimals, 0, 15);
    const int percentDecimals = std::clamp(lists.percentDecimals, 0, 15);

    // The columns, group by group: [first, end) of each group in `plan`.
    std::vector<ColumnPlan> plan{{kDevPositions, -1}};  // column 0: the date
    struct Group {
        const char* title;
        int first;
        int end;
    };
    std::vector<Group> groups;
    std::vector<int> positionFirst(rows.positions.size(), -1);
    if (DevelopmentItemShown(mask, kDevPositions)) {
        const std::vector<DevelopmentItem> items = ShownDevelopmentItems(mask, kDevPositions);
        const int first = static_cast<int>(plan.size());
        if (!items.empty()) {
            for (size_t p = 0; p < rows.positions.size(); ++p) {
                positionFirst[p] = static_cast<int>(plan.size());
                for (DevelopmentItem item : items) plan.push_back({item, static_cast<int>(p)});
            }
        }
        if (static_cast<int>(plan.size()) > first)
            groups.push_back({"Wertpapierpositionen", first, static_cast<int>(plan.size())});
    }
    const std::pair<DevelopmentItem, const char*> groupTitles[] = {
        {kDevDepot, "Depot"}, {kDevAccount, "Konto"}, {kDevAssets, "Vermögen"}};
    for (const auto& [group, title] : groupTitles) {
        if (!DevelopmentItemShown(mask, group)) continue;
        const int first = static_cast<int>(plan.size());
        for (DevelopmentItem item : ShownDevelopmentItems(mask, group)) plan.push_back({item});
        if (static_cast<int>(plan.size()) > first)
            groups.push_back({title, first, static_cast<int>(plan.size())});
    }
    const int columnCount = static_cast<int>(plan.size());
    const size_t perPosition = ShownDevelopmentItems(mask, kDevPositions).size();

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
    for (int c = 1; c < columnCount; ++c) {
        if (plan[c].item == kDevPositionText) continue;
        table->SetColumnAlignment(c, kAlignRight);
        if (options.equalWidths != 0) table->SetColumnEqualWidth(c, true);
    }
    // A position's columns, and each of the three groups, stay on one printed page where
    // they fit.
    for (size_t p = 0; p < rows.positions.size(); ++p)
        if (positionFirst[p] >= 0)
            table->SetColumnGroup(positionFirst[p], static_cast<int>(perPosition));
    for (const Group& g : groups)
        if (plan[g.first].position < 0) table->SetColumnGroup(g.first, g.end - g.first);

    RowStyle titleStyle;
    titleStyle.colourA = titleStyle.colourB = kTitleRowColour;
    titleStyle.font = titleFont;
    table->SetCell(table->AddRow(titleStyle), 0,
                   "Depotentwicklung von " + from.FormatLong() + " bis " + to.FormatLong(),
                   columnCount, kAlignLeft);

    // Three header lines framed as one block, so "Datum" stands over both title lines.
    RowStyle headerStyle;
    headerStyle.colourA = headerStyle.colourB = kColumnTitleRowColour;
    headerStyle.font = titleFont;
    headerStyle.repeatOnEachPage = lists.repeatColumnTitles != 0;
    RowStyle groupStyle = headerStyle;
    groupStyle.spacingBefore = lists.outerMargin;
    groupStyle.frameDown = 2;
    const int groupRow = table->AddRow(groupStyle);
    RowStyle firstTitleStyle = headerStyle;
    firstTitleStyle.frameUp = 1;
    firstTitleStyle.frameDown = 1;
    const int firstTitleRow = table->AddRow(firstTitleStyle);
    RowStyle secondTitleStyle = headerStyle;
    secondTitleStyle.frameUp = 2;
    const int secondTitleRow = table->AddRow(secondTitleStyle);
    table->SetCell(groupRow, 0, "Datum", 1, kAlignLeft);
    for (const Group& g : groups)
        table->SetCell(groupRow, g.first, g.title, g.end - g.first, kAlignCenter);

    const std::string depot = SymbolOf(doc, options.depotCurrencyId);
    const std::string account = SymbolOf(doc, options.accountCurrencyId);
    const std::string assets = SymbolOf(doc, options.assetsCurrencyId);
    for (size_t p = 0; p < rows.positions.size(); ++p) {
        if (positionFirst[p] < 0) continue;
        const CFL2Wertpapier* security = doc.FindSecurity(rows.positions[p].securityId);
        table->SetCell(firstTitleRow, positionFirst[p], security != nullptr ? security->wkn : "",
                       static_cast<int>(perPosition), kAlignCenter);
    }
    for (int c = 1; c < columnCount; ++c) {
        const Titles titles = TitlesOf(plan[c].item, depot, account, assets);
        if (plan[c].position < 0) table->SetCell(firstTitleRow, c, titles.first);
        table->SetCell(secondTitleRow, c, plan[c].position < 0 ? titles.second : titles.first);
    }

    auto percentText = [&](double p) {
        return FormatNumber(p, percentDecimals, percentDecimals, false, o) + "%";
    };
    // The day rows first, then their cells column by column: a position fills only the
    // rows of its held days, and every row still receives its cells from left to right.
    int firstDayRow = -1;
    int dayRows = 0;
    for (size_t i = 0; i < rows.days.size(); ++i) {
        const DevelopmentDay& day = rows.days[i];
        const bool odd = i % 2 == 0;  // the first data row counts as row 1
        RowStyle style;
        style.colourA = style.colourB = odd ? kOddRowGrey : kEvenRowGrey;
        style.spacingBefore = i == 0 ? lists.outerMargin : 0;
        style.user[kUserDate] = static_cast<int>(day.date.DayNumber());
        const int row = table->AddRow(style);
        if (row < 0) break;
        if (firstDayRow < 0) firstDayRow = row;
        ++dayRows;
        table->SetCell(row, 0, day.date.FormatLong());
    }
    if (firstDayRow < 0) return table;

    // Position cells, row by row over the columns held on that day (kept in column order).
    // A price or percentage text depends only on its value, values mostly repeat from one
    // day to the next (weekends, holidays), and a security's lots show the same price on a
    // day: so each column (percentages) and each security (prices) keeps its last text. A
    // table of thousands of lots has millions of such cells.
    struct LastText {
        double value = std::numeric_limits<double>::quiet_NaN();
        std::string text;
    };
    struct PositionCells {
        int column;
        const DevelopmentPosition* position;
        bool price;
        int first;  // day indexes
        int last;
        LastText* lastText;
    };
    std::vector<PositionCells> starts;
    std::unordered_map<int32_t, LastText> lastPrice;  // by security
    std::vector<LastText> lastPercent;                // by column
    lastPercent.resize(static_cast<size_t>(columnCount));
    int c = 1;
    for (; c < columnCount && plan[c].position >= 0; ++c) {
        const DevelopmentPosition& p = rows.positions[plan[c].position];
        const int first = static_cast<int>(p.heldFrom.DayNumber() - from.DayNumber());
        const int last =
            std::min(static_cast<int>(p.heldUntil.DayNumber() - from.DayNumber()), dayRows - 1);
        if (plan[c].item == kDevPositionText) {
            table->SetVerticalText(c, firstDayRow + first, firstDayRow + last, p.text, verticalFont,
                                   kVerticalTextColour, kVerticalTextColour, p.securityId);
            continue;
        }
        const bool price = plan[c].item == kDevPositionPrice;
        starts.push_back({c, &p, price, first, last,
                          price ? &lastPrice[p.securityId] : &lastPercent[static_cast<size_t>(c)]});
    }
    const int firstGroupColumn = c;
    std::stable_sort(
        starts.begin(), starts.end(),
        [](const PositionCells& a, const PositionCells& b) { return a.first < b.first; });
    // Texts of about 8 bytes ("1.234,56", "-12,34%") in every held day of a position
    // column and in every day of a group column.
    size_t cellCount = static_cast<size_t>(columnCount - firstGroupColumn) * dayRows;
    for (const PositionCells& p : starts) cellCount += static_cast<size_t>(p.last - p.first + 1);
    table->ReserveText(cellCount * 8);
    std::vector<const PositionCells*> active;
    size_t nextStart = 0;
    for (int i = 0; i < dayRows; ++i) {
        std::erase_if(active, [i](const PositionCells* p) { return p->last < i; });
        for (; nextStart < starts.size() && starts[nextStart].first <= i; ++nextStart) {
            const PositionCells* added = &starts[nextStart];
            active.insert(std::upper_bound(active.begin(), active.end(), added,
                                           [](const PositionCells* a, const PositionCells* b) {
                                               return a->column < b->column;
                                           }),
                          added);
        }
        const int row = firstDayRow + i;
        for (const PositionCells* cells : active) {
            const DevelopmentPosition& p = *cells->position;
            const size_t k = static_cast<size_t>(i - cells->first);
            LastText& known = *cells->lastText;
            if (cells->price) {
                if (k < p.price.size() && p.price[k]) {
                    const double value = *p.price[k];
                    if (!(value == known.value)) {
                        known.value = value;
                        known.text = FormatNumber(value, priceDecimals, priceDecimals, false, o);
                    }
                    table->SetCell(row, cells->column, known.text);
                }
            } else if (k < p.gainPercent.size() && p.gainPercent[k]) {
                const double percent = *p.gainPercent[k];
                if (!(percent == known.value)) {
                    known.value = percent;
                    known.text = percentText(RoundTo(percent, percentDecimals));
                }
                table->SetCell(row, cells->column, known.text);
            }
            table->SetCellUser(row, cells->column, p.securityId);
        }
        const DevelopmentDay& day = rows.days[static_cast<size_t>(i)];
        for (c = firstGroupColumn; c < columnCount; ++c) {
            const DayValue value = ValueOf(day, plan[c].item);
            if (value.amount) {
                table->SetCell(row, c, FormatNumber(*value.amount, 2, 2, false, o));
            } else if (value.percent) {
                table->SetCell(row, c, percentText(*value.percent));
            }
        }
    }
    return table;
}

std::unique_ptr<ReportObject> BuildDevelopmentTable(const CFolari2Doc& doc,
                                                    const ViewState& state) {
    return BuildDevelopmentTableReport(doc, state.periodFrom, state.periodTo);
}

}  // namespace pf
