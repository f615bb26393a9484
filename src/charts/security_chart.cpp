#include "charts/security_chart.h"

#include <algorithm>
#include <cmath>

namespace pf {

namespace {

int LineWidth(int stored, const PlotGeometry& g) {
    return g.printer ? stored : ScreenSize(stored, g.sizeFactor);
}

}  // namespace

bool SecurityChart::Setup(std::string title, std::string subtitle, CQRNDatum start, CQRNDatum end,
                          const PlotLook& look, int lineWidth, Colour lineColour) {
    if (!SetupPlot(std::move(title), std::move(subtitle), start, end, look, 7)) return false;
    lineWidth_ = std::clamp(lineWidth, 0, kMaxLineWidth);
    lineColour_ = lineColour;
    return true;
}

void SecurityChart::AddPoint(CQRNDatum date, double value) {
    if (std::isfinite(value)) points_.push_back({date.DayNumber(), value});
}

void SecurityChart::AddMarker(CQRNDatum date, double value, int kind) {
    if (std::isfinite(value))
        markers_.push_back({date.DayNumber(), value, kind == kSell ? kSell : kBuy});
}

void SecurityChart::SetAverage(int index, int period, Colour colour, int width) {
    if (index < 0 || index > 2) return;
    averages_[static_cast<size_t>(index)] = {true, std::max(1, period),
                                             std::clamp(width, 0, kMaxLineWidth), colour};
}

void SecurityChart::SetMarkerStyle(int width, Colour buyColour, Colour sellColour) {
    markerWidth_ = std::clamp(width, 0, kMaxLineWidth);
    buyColour_ = buyColour;
    sellColour_ = sellColour;
}

std::vector<std::optional<double>> SecurityChart::AverageValues(int index) const {
    std::vector<std::optional<double>> result(points_.size());
    if (index < 0 || index > 2) return result;
    const size_t period = static_cast<size_t>(averages_[static_cast<size_t>(index)].period);
    // A running sum over the window: each step adds the new value and, once the window is
    // full, drops the one that falls out of it.
    double sum = 0.0;
    for (size_t i = 0; i < points_.size(); ++i) {
        sum += points_[i].value;
        if (i >= period) sum -= points_[i - period].value;
        if (i + 1 >= period) result[i] = sum / static_cast<double>(period);
    }
    return result;
}

bool SecurityChart::ValueRange(double& low, double& high) const {
    const uint32_t start = Start().DayNumber();
    const uint32_t end = End().DayNumber();
    bool any = false;
    for (const ChartPoint& p : points_) {
        if (p.day < start || p.day > end) continue;
        low = any ? std::min(low, p.value) : p.value;
        high = any ? std::max(high, p.value) : p.value;
        any = true;
    }
    return any;
}

bool SecurityChart::Drawn(size_t i) const {
    const uint32_t start = Start().DayNumber();
    const uint32_t end = End().DayNumber();
    const uint32_t day = points_[i].day;
    if (day >= start && day <= end) return true;
    if (day < start) return i + 1 < points_.size() && points_[i + 1].day >= start;
    return i > 0 && points_[i - 1].day <= end;
}

void SecurityChart::DrawData(Canvas& canvas, const PlotGeometry& g) const {
    const uint32_t start = Start().DayNumber();
    const uint32_t end = End().DayNumber();
    const auto at = [&](size_t i, double value) {
        return Point{DayX(g.plot, start, end, points_[i].day), ValueY(g.plot, g.axis, value)};
    };

    // Averages from the third down to the first, each with its legend left of the previous.
    canvas.SetFont(Look().face, g.labelHeight);
    int legendRight = g.plot.right - g.margin;
    for (int index = 2; index >= 0; --index) {
        const Average& a = averages_[static_cast<size_t>(index)];
        if (!a.enabled) continue;
        const std::vector<std::optional<double>> values = AverageValues(index);
        std::vector<Point> line;
        for (size_t i = 0; i < points_.size(); ++i)
            if (values[i] && Drawn(i)) line.push_back(at(i, *values[i]));
        canvas.Polyline(line, a.colour, LineWidth(a.width, g));

        const std::string legend = "GD" + std::to_string(a.period);
        const int width = canvas.TextWidth(legend);
        canvas.SetTextColour(a.colour);
        canvas.DrawText(legend,
                        Rect{legendRight - width, g.plot.top - g.margin, legendRight,
                             g.plot.top - g.margin - g.labelHeight},
                        TextAlign::Right);
        legendRight -= width + 2 * g.margin;
    }
    canvas.SetTextColour(kBlack);

    std::vector<Point> line;
    for (size_t i = 0; i < points_.size(); ++i)
        if (Drawn(i)) line.push_back(at(i, points_[i].value));
    canvas.Polyline(line, lineColour_, LineWidth(lineWidth_, g));

    DrawMarkers(canvas, g);
}

void SecurityChart::DrawMarkers(Canvas& canvas, const PlotGeometry& g) const {
    const uint32_t start = Start().DayNumber();
    const uint32_t end = End().DayNumber();
    const int s = std::max(1, g.labelHeight / 4);
    const int width = LineWidth(markerWidth_, g);
    for (const Marker& m : markers_) {
        if (m.day < start || m.day > end) continue;
        const int x = DayX(g.plot, start, end, m.day);
        const int y = ValueY(g.plot, g.axis, m.value);
        const bool sell = m.kind == kSell;
        const Colour colour = sell ? sellColour_ : buyColour_;
        // Sales hang from the top edge, buys stand on the bottom edge; the line stops s short
        // of the price, the tick marks the price itself.
        const int edge = sell ? g.plot.top : g.plot.bottom;
        const int inward = sell ? -s : s;
        canvas.Polygon({{x - s, edge}, {x + s, edge}, {x, edge + inward}}, colour, colour);
        canvas.Polyline({{x, edge}, {x, sell ? y + s : y - s}}, colour, width);
        canvas.Polyline({{x - s, y}, {x + s, y}}, colour, width);
    }
}

// "Datum, Kurs, GD<n> ×3" for the points of the period (an average without a value, or
// switched off, stays empty), then the markers of the period under "# Markierungen".
void SecurityChart::AppendData(std::string& out) const {
    out += "Datum\tKurs";
    for (const Average& a : averages_)
        out += a.enabled ? "\tGD" + std::to_string(a.period) : std::string("\t");
    out += "\n";
    std::array<std::vector<std::optional<double>>, 3> averages;
    for (int i = 0; i < 3; ++i)
        if (averages_[static_cast<size_t>(i)].enabled)
            averages[static_cast<size_t>(i)] = AverageValues(i);
    const uint32_t start = Start().DayNumber();
    const uint32_t end = End().DayNumber();
    for (size_t i = 0; i < points_.size(); ++i) {
        if (points_[i].day < start || points_[i].day > end) continue;
        out += CQRNDatum(points_[i].day).FormatLong() + "\t" + DataNumber(points_[i].value);
        for (const auto& values : averages) {
            out += "\t";
            if (i < values.size() && values[i]) out += DataNumber(*values[i]);
        }
        out += "\n";
    }
    out += "# Markierungen\nDatum\tKurs\tArt\n";
    for (const Marker& m : markers_) {
        if (m.day < start || m.day > end) continue;
        out += CQRNDatum(m.day).FormatLong() + "\t" + DataNumber(m.value) + "\t" +
               (m.kind == kSell ? "Verkauf" : "Kauf") + "\n";
    }
}

}  // namespace pf
