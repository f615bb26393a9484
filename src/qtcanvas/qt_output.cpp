#include "qtcanvas/qt_output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <string_view>
#include <system_error>

#include "platform/file_io.h"
#include "qtcanvas/qt_canvas.h"
#include "qtcanvas/qt_string.h"

namespace pf {

namespace {

constexpr int kMinDpi = 10;
constexpr int kMaxDpi = 2400;
// Raster limits: Qt's raster engine works with 16-bit coordinates, and 64 megapixels
// (256 MB) are far beyond any page (A4 at 600 dpi is 35 megapixels).
constexpr long long kMaxSide = 32767;
constexpr long long kMaxPixels = 64LL * 1024 * 1024;
constexpr int kMinPaper = 10;  // 0.1 mm
constexpr int kMaxPaper = 50000;

std::string_view View(const QByteArray& bytes) {
    return std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// A target whose folder is missing or which names a folder cannot be written; saying so
// before drawing spares the caller a whole rendering.
bool CheckTarget(const std::string& path, std::string& error) {
    if (path.empty()) {
        error = "Kein Dateiname angegeben.";
        return false;
    }
    namespace fs = std::filesystem;
    const fs::path target(path);
    std::error_code ec;
    if (fs::is_directory(target, ec)) {
        error = "Kann nicht geschrieben werden: " + path + " ist ein Ordner.";
        return false;
    }
    const fs::path folder = target.parent_path();
    if (!folder.empty() && !fs::is_directory(folder, ec)) {
        error = "Kann nicht geschrieben werden: " + path + ": Der Ordner " + folder.string() +
                " existiert nicht.";
        return false;
    }
    return true;
}

}  // namespace

void PrepareRuntimeFolder() {
    // Without a desktop session (CI, a terminal as root) Qt warns on every start that it
    // has no runtime folder; a private one in /tmp is all it needs for headless drawing.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    const std::string folder = "/tmp/portfolaris-runtime-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST)
        qputenv("XDG_RUNTIME_DIR", QByteArray(folder.c_str()));
}

void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareRuntimeFolder();
    // QGuiApplication keeps references to argc and argv, so they live as long as it does:
    // until the process ends (destroying it during static destruction is not safe).
    static int argc = 1;
    static char name[] = "portfolaris";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

bool RenderPng(const std::string& path, int widthLogical, int heightLogical, int dpi,
               const std::function<void(Canvas&)>& draw, std::string& error) {
    if (widthLogical <= 0 || heightLogical <= 0 || dpi < kMinDpi || dpi > kMaxDpi) {
        error = "Ungültige Bildgröße: " + std::to_string(widthLogical) + " × " +
                std::to_string(heightLogical) + " (0,1 mm) bei " + std::to_string(dpi) + " dpi.";
        return false;
    }
    const long long width = std::max(1LL, std::llround(widthLogical * (dpi / 254.0)));
    const long long height = std::max(1LL, std::llround(heightLogical * (dpi / 254.0)));
    if (width > kMaxSide || height > kMaxSide || width * height > kMaxPixels) {
        error = "Das Bild wäre mit " + std::to_string(width) + " × " + std::to_string(height) +
                " Pixeln zu groß.";
        return false;
    }
    if (!CheckTarget(path, error)) return false;

    EnsureGuiApplication();
    QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
    if (image.isNull()) {
        error = "Nicht genug Speicher für ein Bild mit " + std::to_string(width) + " × " +
                std::to_string(height) + " Pixeln.";
        return false;
    }
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter);
        if (draw) draw(canvas);
    }

    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        error = "Das Bild kann nicht als PNG kodiert werden.";
        return false;
    }
    return WriteFileAtomically(path, View(bytes), error);
}

// Declared in this order so that the painter ends before the writer and the writer goes
// before the buffer it writes into.
struct PdfDocument::State {
    std::string path;
    QByteArray bytes;
    QBuffer buffer{&bytes};
    std::unique_ptr<QPdfWriter> writer;
    QPainter painter;
    std::unique_ptr<QtCanvas> canvas;
};

PdfDocument::PdfDocument() = default;

PdfDocument::~PdfDocument() {
    if (state_) {
        std::string ignored;
        Finish(ignored);
    }
}

bool PdfDocument::Open(const std::string& path, std::string& error) {
    return Open(path, Options{}, error);
}

bool PdfDocument::Open(const std::string& path, const Options& options, std::string& error) {
    if (state_) {
        error = "Es ist bereits ein PDF-Dokument geöffnet.";
        return false;
    }
    const auto inRange = [](int v) { return v >= kMinPaper && v <= kMaxPaper; };
    if (!inRange(options.paperWidth) || !inRange(options.paperHeight)) {
        error = "Ungültiges Papierformat: " + std::to_string(options.paperWidth) + " × " +
                std::to_string(options.paperHeight) + " (0,1 mm).";
        return false;
    }
    if (options.dpi < kMinDpi || options.dpi > kMaxDpi) {
        error = "Ungültige Auflösung: " + std::to_string(options.dpi) + " dpi.";
        return false;
    }
    if (!CheckTarget(path, error)) return false;

    EnsureGuiApplication();
    auto state = std::make_unique<State>();
    state->path = path;
    if (!state->buffer.open(QIODevice::WriteOnly)) {
        error = "Das PDF-Dokument kann nicht angelegt werden.";
        return false;
    }
    state->writer = std::make_unique<QPdfWriter>(&state->buffer);
    state->writer->setResolution(options.dpi);
    // Page sizes are given upright; a wider than high paper is an upright one turned.
    const bool landscape = options.paperWidth > options.paperHeight;
    const double shortSide = std::min(options.paperWidth, options.paperHeight) / 10.0;
    const double longSide = std::max(options.paperWidth, options.paperHeight) / 10.0;
    const QPageSize size(QSizeF(shortSide, longSide), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    state->writer->setPageLayout(
        QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                    QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    state->writer->setCreator(QStringLiteral("Portfolaris"));
    if (!options.title.empty()) state->writer->setTitle(ToQString(options.title));
    if (!state->painter.begin(state->writer.get())) {
        error = "Das PDF-Dokument kann nicht angelegt werden.";
        return false;
    }
    state->canvas = std::make_unique<QtCanvas>(state->painter);
    state_ = std::move(state);
    return true;
}

bool PdfDocument::IsOpen() const { return state_ != nullptr; }

Canvas& PdfDocument::Page() {
    if (!state_) throw std::logic_error("PdfDocument::Page: kein Dokument geöffnet");
    return *state_->canvas;
}

bool PdfDocument::NewPage(std::string& error) {
    if (!state_) {
        error = "Kein PDF-Dokument geöffnet.";
        return false;
    }
    if (!state_->writer->newPage()) {
        error = "Eine neue Seite des PDF-Dokuments kann nicht begonnen werden.";
        return false;
    }
    state_->canvas->ClearClip();
    return true;
}

bool PdfDocument::Finish(std::string& error) {
    if (!state_) {
        error = "Kein PDF-Dokument geöffnet.";
        return false;
    }
    const std::unique_ptr<State> state = std::move(state_);
    state->canvas.reset();
    if (!state->painter.end()) {
        error = "Das PDF-Dokument kann nicht abgeschlossen werden.";
        return false;
    }
    return WriteFileAtomically(state->path, View(state->bytes), error);
}

}  // namespace pf
