#pragma once

#include <vector>

#include "charts/plot_object.h"

namespace pf {

// One value per day from the start to the end date drawn as one line: the development and
// positions diagrams. Days without a value count as 0.
class Diagram final : public PlotObject {
  public:
    // `decimalsLimit`: 2 for money, 3 for percentages (smallest axis step and most label
    // decimals). Refuses when already set up or when start is not before end.
    bool Setup(std::string title, std::string unit, CQRNDatum start, CQRNDatum end,
               const PlotLook& look, int lineWidth, Colour lineColour, int decimalsLimit);
    // Ignored before setup and for a date outside the range.
    void SetValue(CQRNDatum date, double value);
    // Index = day − start day.
    const std::vector<double>& Values() const { return values_; }

  protected:
    bool ValueRange(double& low, double& high) const override;
    void DrawData(Canvas& canvas, const PlotGeometry& g) const override;
    void AppendData(std::string& out) const override;

  private:
    std::vector<double> values_;
    int lineWidth_ = 0;
    Colour lineColour_ = kBlack;
};

}  // namespace pf
