#pragma once

// What the security chart and the diagrams share: the frame, the title area, the value axis
// with its grid and labels, the two date bands, the screen look (grey, raised frames, sizes
// times the screen factor) and the printer look (white, black, sizes as stored), one
// printed page. Subclasses supply the values and draw their lines into the plot.
#include <string>

#include "charts/chart_axes.h"
#include "model/date.h"
#include "model/document_options.h"
#include "reports/report_object.h"

namespace pf {

// Sizes (0.1 mm, as printed), fonts and number format of a chart or diagram.
struct PlotLook {
    std::string face = "Arial";
    int width = 1700;
    int height = 1000;
    int border = 50;
    int innerMargin = 10;
    int labelFontHeight = 35;
    int titleFontHeight = 50;
    std::string decimalSeparator = ",";
    std::string thousandsSeparator = ".";
    double screenScale = 1.0;
    // Where the printed chart's outer edge lies from the paper's top left corner.
    int printLeft = 150;
    int printTop = 150;
};

// Line widths beyond 10 cm come only from damaged files.
inline constexpr int kMaxLineWidth = 1000;

// The look of the document's charts ("DIAGRAMME >", its number format and screen factor).
PlotLook PlotLookOf(const DocumentOptions& options);

// A number of the data text: up to 7 decimals, trailing zeros dropped, a decimal point;
// empty for a value that is not finite.
std::string DataNumber(double value);

// A size as drawn on the screen: value × factor, rounded half up.
int ScreenSize(int value, double factor);

// Everything one drawing on one device is laid out by.
struct PlotGeometry {
    bool printer = false;
    // Sizes on this device.
    int border = 0;
    int margin = 0;
    int labelHeight = 0;
    int titleHeight = 0;
    Rect outer;     // the whole drawing with its border
    Rect chart;     // inside the border
    Rect titleBox;  // title area
    PlotArea plot;
    Rect fineBand;
    Rect coarseBand;
    ValueAxis axis;  // with its label decimals
    int labelWidth = 0;
    int dateMode = kDateAxisYears;
    // Scales the stored line widths to this device.
    double sizeFactor = 1.0;
};

class PlotObject : public ReportObject {
  public:
    ReportSize Layout(Canvas& screen) override;
    void DrawScreen(Canvas& screen, const Rect& visible) override;
    PageGrid Paginate(Canvas&) override { return {1, 1}; }
    int PageCount() const override { return 1; }
    void PrintPage(Canvas& printer, int page) override;
    HitResult HitTest(Point) const override { return {}; }

    // Whether setup succeeded: drawing does nothing before.
    bool IsReady() const { return ready_; }
    // The drawing's own title (Title() names the view it shows in) and its subtitle, the
    // currency or unit of the values.
    const std::string& Heading() const { return heading_; }
    const std::string& Subtitle() const { return subtitle_; }
    CQRNDatum Start() const { return start_; }
    CQRNDatum End() const { return end_; }
    const PlotLook& Look() const { return look_; }
    // Lays the drawing out for `canvas` as the screen (scaled) or the printer (as stored) sees
    // it, with the outer top left corner at `origin`.
    PlotGeometry Arrange(Canvas& canvas, bool printer, Point origin) const;

    // The number text of a value label, with `decimals` decimals and the document's format.
    std::string FormatValue(double value, int decimals) const;

    // The data of the drawing as tab-separated lines for scripts and spreadsheets: comment
    // lines ("# ") with the title, unit, period, the value axis and the date-axis mode of
    // `g`, then a header line and one line per day or point of the period (see AppendData).
    // Numbers with a decimal point and no grouping, dates as dd.mm.yyyy; "\n" line ends.
    std::string DataText(const PlotGeometry& g) const;

  protected:
    // Refuses (false) when already set up or when start is not before end.
    bool SetupPlot(std::string title, std::string subtitle, CQRNDatum start, CQRNDatum end,
                   const PlotLook& look, int decimalsLimit);
    // The smallest and largest value the axis must show; false when there is none.
    virtual bool ValueRange(double& low, double& high) const = 0;
    // Draws the lines into the plot; the plot is clipped.
    virtual void DrawData(Canvas& canvas, const PlotGeometry& g) const = 0;

    int DecimalsLimit() const { return decimalsLimit_; }
    // Appends the header line and the data lines of DataText.
    virtual void AppendData(std::string& out) const = 0;

  private:
    void Draw(Canvas& canvas, const PlotGeometry& g) const;

    bool ready_ = false;
    std::string heading_;
    std::string subtitle_;
    CQRNDatum start_;
    CQRNDatum end_;
    PlotLook look_;
    int decimalsLimit_ = 7;
};

}  // namespace pf
