#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "charts/plot_object.h"

namespace pf {

// The quote history of one security over a date range: the price line, up to three simple
// moving averages with their legend "GD<period>", and the days of buys and sales marked.
class SecurityChart final : public PlotObject {
  public:
    struct ChartPoint {
        uint32_t day = 0;
        double value = 0.0;
    };
    enum MarkerKind : int { kBuy = 0, kSell = 1 };
    struct Marker {
        uint32_t day = 0;
        double value = 0.0;
        int kind = kBuy;
    };
    struct Average {
        bool enabled = false;
        int period = 100;
        int width = 0;
        Colour colour = Rgb(255, 0, 0);
    };

    // Refuses when already set up or when start is not before end.
    bool Setup(std::string title, std::string subtitle, CQRNDatum start, CQRNDatum end,
               const PlotLook& look, int lineWidth, Colour lineColour);
    // Points in ascending date order, as the quote history holds them.
    void AddPoint(CQRNDatum date, double value);
    void AddMarker(CQRNDatum date, double value, int kind);
    // Index 0 to 2; others are ignored. A period below 1 counts as 1.
    void SetAverage(int index, int period, Colour colour, int width);
    void SetMarkerStyle(int width, Colour buyColour, Colour sellColour);

    const std::vector<ChartPoint>& Points() const { return points_; }
    const std::vector<Marker>& Markers() const { return markers_; }
    const std::array<Average, 3>& Averages() const { return averages_; }
    // The moving average of `index` at each point: empty until the window is full.
    std::vector<std::optional<double>> AverageValues(int index) const;

  protected:
    bool ValueRange(double& low, double& high) const override;
    void DrawData(Canvas& canvas, const PlotGeometry& g) const override;
    void AppendData(std::string& out) const override;

  private:
    // Whether point i is drawn: within the range, or the neighbour just outside it that
    // carries the line to the plot's edge.
    bool Drawn(size_t i) const;
    void DrawMarkers(Canvas& canvas, const PlotGeometry& g) const;

    std::vector<ChartPoint> points_;
    std::vector<Marker> markers_;
    std::array<Average, 3> averages_;
    int lineWidth_ = 0;
    Colour lineColour_ = kBlack;
    int markerWidth_ = 0;
    Colour buyColour_ = Rgb(0, 240, 0);
    Colour sellColour_ = Rgb(240, 0, 0);
};

}  // namespace pf
