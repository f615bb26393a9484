#include "charts/diagram.h"

#include <algorithm>
#include <cmath>

namespace pf {

bool Diagram::Setup(std::string title, std::string unit, CQRNDatum start, CQRNDatum end,
                    const PlotLook& look, int lineWidth, Colour lineColour, int decimalsLimit) {
    if (!SetupPlot(std::move(title), std::move(unit), start, end, look, decimalsLimit))
        return false;
    values_.assign(static_cast<size_t>(DaysInclusive(start, end)), 0.0);
    lineWidth_ = std::clamp(lineWidth, 0, kMaxLineWidth);
    lineColour_ = lineColour;
    return true;
}

void Diagram::SetValue(CQRNDatum date, double value) {
    if (!IsReady() || date < Start() || End() < date || !std::isfinite(value)) return;
    values_[date.DayNumber() - Start().DayNumber()] = value;
}

bool Diagram::ValueRange(double& low, double& high) const {
    if (values_.empty()) return false;
    const auto [lo, hi] = std::minmax_element(values_.begin(), values_.end());
    low = *lo;
    high = *hi;
    return true;
}

void Diagram::DrawData(Canvas& canvas, const PlotGeometry& g) const {
    const uint32_t start = Start().DayNumber();
    const uint32_t end = End().DayNumber();
    std::vector<Point> line;
    line.reserve(values_.size());
    for (size_t i = 0; i < values_.size(); ++i)
        line.push_back({DayX(g.plot, start, end, int64_t{start} + static_cast<int64_t>(i)),
                        ValueY(g.plot, g.axis, values_[i])});
    canvas.Polyline(line, lineColour_,
                    g.printer ? lineWidth_ : ScreenSize(lineWidth_, g.sizeFactor));
}

void Diagram::AppendData(std::string& out) const {
    out += "Datum\tWert\n";
    for (size_t i = 0; i < values_.size(); ++i)
        out += CQRNDatum(Start().DayNumber() + static_cast<uint32_t>(i)).FormatLong() + "\t" +
               DataNumber(values_[i]) + "\n";
}

}  // namespace pf
