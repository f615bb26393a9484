#include "charts/plot_object.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "reports/report_format.h"

namespace pf {

namespace {

constexpr int32_t kMaxPlotSize = 100000;
constexpr Colour kScreenBackground = Rgb(240, 240, 240);
constexpr Colour kScreenLight = Rgb(192, 192, 192);
constexpr Colour kScreenDark = Rgb(128, 128, 128);

// A raised frame on the screen (light edges top and left, dark bottom and right), a black
// frame on paper.
void DrawFrame(Canvas& canvas, const Rect& r, bool printer) {
    if (printer) {
        canvas.FrameRect(r, kBlack);
        return;
    }
    canvas.Polyline({{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}}, kScreenLight, 0);
    canvas.Polyline({{r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}}, kScreenDark, 0);
}

DateLabelWidths MeasureDateLabels(Canvas& canvas) {
    DateLabelWidths w;
    for (unsigned d = 1; d <= 31; ++d)
        w.dayNumber = std::max(w.dayNumber, canvas.TextWidth(std::to_string(d)));
    for (unsigned m = 0; m < 12; ++m) {
        w.monthName = std::max(w.monthName, canvas.TextWidth(MonthAbbreviation(m)));
        w.monthInitial = std::max(w.monthInitial, canvas.TextWidth(MonthInitial(m)));
    }
    for (unsigned q = 0; q < 4; ++q)
        w.quarterName = std::max(w.quarterName, canvas.TextWidth(QuarterName(q)));
    return w;
}

void DrawBand(Canvas& canvas, const PlotGeometry& g, const Rect& band,
              const std::vector<DateCell>& cells, uint32_t startDay, uint32_t endDay) {
    const Colour pen = g.printer ? kBlack : kScreenDark;
    for (const DateCell& cell : cells) {
        const int left = DayCellX(g.plot, startDay, endDay, cell.firstDay);
        const int right = DayCellX(g.plot, startDay, endDay, int64_t{cell.lastDay} + 1);
        const Rect box{left, band.top, right, band.bottom};
        canvas.FrameRect(box, pen);
        const Rect text{left, band.top - g.margin, right, band.bottom};
        const bool fits = canvas.TextWidth(cell.label) + 2 * g.margin <= right - left;
        if (fits)
            canvas.DrawText(cell.label, text, TextAlign::Center);
        else
            canvas.DrawText(cell.label, Rect{left + g.margin, text.top, right, text.bottom},
                            TextAlign::Left);
    }
}

}  // namespace

PlotLook PlotLookOf(const DocumentOptions& options) {
    const DiagramsAppearance& a = options.diagramsAppearance;
    PlotLook look;
    look.face = a.face;
    // A damaged file must not make sizes that overflow once scaled: 10 m is plenty.
    const auto size = [](int32_t v, int low) { return std::clamp<int32_t>(v, low, kMaxPlotSize); };
    look.width = size(a.width, 0);
    look.height = size(a.height, 0);
    look.border = size(a.border, 0);
    look.innerMargin = size(a.innerMargin, 0);
    look.labelFontHeight = size(a.labelFontHeight, 1);
    look.titleFontHeight = size(a.titleFontHeight, 1);
    look.decimalSeparator = options.decimalSeparator;
    look.thousandsSeparator = options.thousandsSeparator;
    look.screenScale = options.screenScaleFactor;
    return look;
}

int ScreenSize(int value, double factor) { return static_cast<int>(value * factor + 0.5); }

bool PlotObject::SetupPlot(std::string title, std::string subtitle, CQRNDatum start, CQRNDatum end,
                           const PlotLook& look, int decimalsLimit) {
    if (ready_ || !(start < end)) return false;
    SetTitle(title);
    heading_ = std::move(title);
    subtitle_ = std::move(subtitle);
    start_ = start;
    end_ = end;
    look_ = look;
    decimalsLimit_ = std::clamp(decimalsLimit, 0, 7);
    ready_ = true;
    return true;
}

std::string PlotObject::FormatValue(double value, int decimals) const {
    DocumentOptions format;
    format.decimalSeparator = look_.decimalSeparator;
    format.thousandsSeparator = look_.thousandsSeparator;
    return FormatNumber(value, decimals, decimals, false, format);
}

PlotGeometry PlotObject::Arrange(Canvas& canvas, bool printer, Point origin) const {
    const double factor = printer ? 1.0 : look_.screenScale;
    const auto size = [&](int v) { return printer ? v : ScreenSize(v, factor); };
    PlotGeometry g;
    g.printer = printer;
    g.sizeFactor = factor;
    g.border = size(look_.border);
    g.margin = size(look_.innerMargin);
    g.labelHeight = std::max(1, size(look_.labelFontHeight));
    g.titleHeight = std::max(1, size(look_.titleFontHeight));
    const int width = size(look_.width);
    const int height = size(look_.height);
    g.outer = {origin.x, origin.y, origin.x + width + 2 * g.border,
               origin.y - height - 2 * g.border};
    g.chart = {origin.x + g.border, origin.y - g.border, origin.x + g.border + width,
               origin.y - g.border - height};
    g.titleBox = {g.chart.left, g.chart.top, g.chart.right,
                  g.chart.top - g.titleHeight - 2 * g.margin};

    double low = 0.0;
    double high = 0.0;
    if (!ValueRange(low, high)) low = high = 0.0;
    const int slots = ValueLabelSlots(height, g.titleHeight, g.labelHeight);
    g.axis = RoundValueAxis(low, high, slots, decimalsLimit_);
    g.axis.decimals = GridDecimals(g.axis, decimalsLimit_);

    canvas.SetFont(look_.face, g.labelHeight);
    int widest = 0;
    for (double v : GridValues(g.axis))
        widest = std::max(widest, canvas.TextWidth(FormatValue(v, g.axis.decimals)));
    g.labelWidth = widest + 2 * g.margin;

    const int bandHeight = g.labelHeight + 2 * g.margin;
    g.plot.left = g.chart.left + g.labelWidth;
    g.plot.right = std::max(g.plot.left + 1, g.chart.right - 2 * g.margin);
    g.plot.bottom = g.chart.bottom + 2 * bandHeight;
    // Room for half a label above the highest grid line.
    g.plot.top = std::max(g.plot.bottom + 1, g.titleBox.bottom - g.margin - g.labelHeight / 2);
    g.fineBand = {g.plot.left, g.plot.bottom, g.plot.right, g.plot.bottom - bandHeight};
    g.coarseBand = {g.plot.left, g.fineBand.bottom, g.plot.right, g.fineBand.bottom - bandHeight};
    g.dateMode = ChooseDateAxisMode(g.plot.right - g.plot.left, 2 * g.margin, start_, end_,
                                    MeasureDateLabels(canvas));
    return g;
}

ReportSize PlotObject::Layout(Canvas&) {
    const int border = ScreenSize(look_.border, look_.screenScale);
    return {ScreenSize(look_.width, look_.screenScale) + 2 * border,
            ScreenSize(look_.height, look_.screenScale) + 2 * border};
}

void PlotObject::DrawScreen(Canvas& screen, const Rect&) {
    if (!ready_) return;
    Draw(screen, Arrange(screen, false, {0, 0}));
}

void PlotObject::PrintPage(Canvas& printer, int page) {
    if (!ready_ || page != 1) return;
    const PageMetrics m = printer.Page();
    Draw(printer,
         Arrange(printer, true,
                 {look_.printLeft - m.physicalOffsetX, m.physicalOffsetY - look_.printTop}));
}

void PlotObject::Draw(Canvas& canvas, const PlotGeometry& g) const {
    const bool printer = g.printer;
    canvas.SetTextColour(kBlack);
    canvas.FillRect(g.outer, printer ? kWhite : kScreenBackground);
    DrawFrame(canvas, g.titleBox, printer);
    const Rect plotRect{g.plot.left, g.plot.top, g.plot.right, g.plot.bottom};
    DrawFrame(canvas, plotRect, printer);

    // The subtitle (currency or unit) at the left above the value labels, the title centred
    // in its area, or, where that would run into the subtitle, right after it and cut at the
    // area's end.
    canvas.SetFont(look_.face, g.labelHeight);
    const int subtitleRoom = subtitle_.empty() ? 0 : canvas.TextWidth(subtitle_) + 2 * g.margin;
    canvas.SetFont(look_.face, g.titleHeight);
    const int titleWidth = canvas.TextWidth(heading_);
    const int boxWidth = g.titleBox.right - g.titleBox.left;
    const bool centred = titleWidth + 2 * (subtitleRoom + g.margin) <= boxWidth;
    canvas.DrawText(heading_,
                    Rect{g.titleBox.left + g.margin + (centred ? 0 : subtitleRoom),
                         g.titleBox.top - g.margin, g.titleBox.right - g.margin, g.titleBox.bottom},
                    centred ? TextAlign::Center : TextAlign::Left);
    canvas.SetFont(look_.face, g.labelHeight);
    canvas.DrawText(subtitle_,
                    Rect{g.titleBox.left + g.margin, g.titleBox.bottom + g.margin + g.labelHeight,
                         g.titleBox.right, g.titleBox.bottom},
                    TextAlign::Left);

    const uint32_t startDay = start_.DayNumber();
    const uint32_t endDay = end_.DayNumber();
    DrawBand(canvas, g, g.fineBand, FineDateCells(g.dateMode, start_, end_), startDay, endDay);
    DrawBand(canvas, g, g.coarseBand, CoarseDateCells(g.dateMode, start_, end_), startDay, endDay);

    const std::vector<double> grid = GridValues(g.axis);
    for (size_t k = 0; k < grid.size(); ++k) {
        const double v = grid[k];
        const bool isMax = v >= g.axis.max - g.axis.step / 2;
        const int y = ValueY(g.plot, g.axis, v);
        if (k > 0 && !isMax)
            canvas.Polyline({{g.plot.left, y}, {g.plot.right, y}}, printer ? kBlack : kScreenLight,
                            0);
        if (!isMax)
            canvas.DrawText(FormatValue(v, g.axis.decimals),
                            Rect{g.chart.left, y + g.labelHeight / 2, g.plot.left - g.margin,
                                 y - g.labelHeight + g.labelHeight / 2},
                            TextAlign::Right);
    }

    canvas.SetClip(plotRect);
    DrawData(canvas, g);
    canvas.ClearClip();
    canvas.SetTextColour(kBlack);
}

std::string DataNumber(double value) {
    if (!std::isfinite(value)) return "";
    char text[64];
    std::snprintf(text, sizeof text, "%.7f", value);
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

std::string PlotObject::DataText(const PlotGeometry& g) const {
    static constexpr const char* kModeNames[] = {"Tage", "Monate", "Monatsinitialen", "Quartale",
                                                 "Jahre"};
    std::string out;
    out += "# Titel\t" + heading_ + "\n";
    out += "# Einheit\t" + subtitle_ + "\n";
    out += "# Zeitraum\t" + start_.FormatLong() + "\t" + end_.FormatLong() + "\n";
    out += "# Wertachse\tMinimum\t" + DataNumber(g.axis.min) + "\tMaximum\t" +
           DataNumber(g.axis.max) + "\tSchritt\t" + DataNumber(g.axis.step) + "\tDezimalstellen\t" +
           std::to_string(g.axis.decimals) + "\n";
    const int mode = std::clamp(g.dateMode, 0, 4);
    out += "# Datumsachse\t" + std::to_string(mode) + "\t" + kModeNames[mode] + "\n";
    AppendData(out);
    return out;
}

}  // namespace pf
