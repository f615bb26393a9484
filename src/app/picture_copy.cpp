#include "app/picture_copy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <cmath>

#include "qtcanvas/qt_canvas.h"

namespace pf {

namespace {

constexpr int kMaxSide = 16000;

void SetResolution(QImage& image, int dpi) {
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

}  // namespace

QImage ReportPicture(ReportObject& report, int dpi) {
    if (dpi <= 0) return {};
    ReportSize size;
    {
        // Measured with the fonts of the target resolution, so nothing is cut off.
        QImage probe(1, 1, QImage::Format_RGB32);
        SetResolution(probe, dpi);
        QPainter painter(&probe);
        QtCanvas canvas(painter);
        size = report.Layout(canvas);
    }
    const long long width = std::llround(size.width * (dpi / 254.0));
    const long long height = std::llround(size.height * (dpi / 254.0));
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return {};
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) return {};
    SetResolution(image, dpi);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtCanvas canvas(painter);
    report.Layout(canvas);
    report.DrawScreen(canvas, Rect{0, 0, size.width, -size.height});
    return image;
}

bool CopyReportPicture(ReportObject& report, int dpi) {
    const QImage image = ReportPicture(report, dpi);
    if (image.isNull()) return false;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    clipboard->setImage(image);
    return true;
}

}  // namespace pf
