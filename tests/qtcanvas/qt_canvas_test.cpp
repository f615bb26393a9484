#include "qtcanvas/qt_canvas.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>

#include "qtcanvas/qt_output.h"
#include "qtcanvas/qt_string.h"

// Fontconfig keeps a cache it never frees; LeakSanitizer in the sanitizer build would count
// it as a leak of this program. Read only when the program runs under LeakSanitizer.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace pf {
namespace {

namespace fs = std::filesystem;

// Set before main: the test runner also starts this program just to list the tests, and no
// run may look for a display.
[[maybe_unused]] const bool kOffscreen = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return true;
}();

constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kGreen = Rgb(0, 160, 0);
constexpr Colour kGrey = Rgb(128, 128, 128);

QRgb ToQRgb(Colour c) { return qRgb(RedOf(c), GreenOf(c), BlueOf(c)); }

// The extent of all pixels that are not white.
struct Ink {
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
    bool Any() const { return maxX >= 0; }
};
Ink InkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) {
                ink.minX = std::min(ink.minX, x);
                ink.maxX = std::max(ink.maxX, x);
                ink.minY = std::min(ink.minY, y);
                ink.maxY = std::max(ink.maxY, y);
            }
    return ink;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class QtCanvasTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureGuiApplication(); }

    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("pf_qtcanvas_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // A white image of widthPx × heightPx at `dpi`, drawn on through a QtCanvas.
    static QImage Draw(int widthPx, int heightPx, int dpi,
                       const std::function<void(QtCanvas&)>& draw) {
        QImage image(widthPx, heightPx, QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
        image.fill(Qt::white);
        QPainter painter(&image);
        QtCanvas canvas(painter);
        draw(canvas);
        return image;
    }

    fs::path folder_;
};

TEST_F(QtCanvasTest, PngMapsTenthsOfMillimetresWithYUpward) {
    // A rectangle 5..15 mm from the left and 2..8 mm below the top of a 30 × 20 mm image.
    struct Case {
        int dpi;
        int width, height;             // image in pixels
        int left, top, right, bottom;  // expected pixels, right and bottom exclusive
    };
    const Case cases[] = {
        {254, 300, 200, 50, 20, 150, 80},  // one logical unit per pixel
        {127, 150, 100, 25, 10, 75, 40},
        {508, 600, 400, 100, 40, 300, 160},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        const fs::path path = folder_ / ("rect" + std::to_string(c.dpi) + ".png");
        std::string error;
        ASSERT_TRUE(RenderPng(
            path.string(), 300, 200, c.dpi,
            [](Canvas& canvas) {
                canvas.FillRect({50, -20, 150, -80}, kRed);
                // Above the top edge: y > 0 lies outside the drawing.
                canvas.FillRect({0, 100, 300, 1}, kBlue);
            },
            error))
            << error;
        QImage image;
        ASSERT_TRUE(image.load(QString::fromStdString(path.string())));
        EXPECT_EQ(image.width(), c.width);
        EXPECT_EQ(image.height(), c.height);
        EXPECT_EQ(std::lround(image.dotsPerMeterX() * 0.0254), c.dpi);

        const QRgb red = ToQRgb(kRed), white = qRgb(255, 255, 255);
        EXPECT_EQ(image.pixel(c.left, c.top), red);
        EXPECT_EQ(image.pixel(c.right - 1, c.bottom - 1), red);
        EXPECT_EQ(image.pixel((c.left + c.right) / 2, (c.top + c.bottom) / 2), red);
        EXPECT_EQ(image.pixel(c.left - 1, c.top), white);
        EXPECT_EQ(image.pixel(c.right, c.top), white);
        EXPECT_EQ(image.pixel(c.left, c.top - 1), white);
        EXPECT_EQ(image.pixel(c.left, c.bottom), white);
        EXPECT_EQ(image.pixel(c.left, 0), white);  // nothing of the blue rectangle
    }
}

TEST_F(QtCanvasTest, FrameRectDrawsOnlyTheThinOutline) {
    const QImage image = Draw(100, 100, 254, [](QtCanvas& canvas) {
        canvas.FrameRect({20, -20, 80, -60}, kGrey);
        canvas.FrameRect({90, -90, 90, -90}, kGrey);  // empty: still one pixel
        canvas.FillRect({95, -10, 95, -50}, kGrey);   // no width: still one column
    });
    const QRgb grey = ToQRgb(kGrey), white = qRgb(255, 255, 255);
    EXPECT_EQ(image.pixel(20, 20), grey);
    EXPECT_EQ(image.pixel(79, 59), grey);
    EXPECT_EQ(image.pixel(50, 20), grey);
    EXPECT_EQ(image.pixel(50, 21), white);
    EXPECT_EQ(image.pixel(50, 40), white);
    EXPECT_EQ(image.pixel(80, 40), white);
    EXPECT_EQ(image.pixel(90, 90), grey);
    EXPECT_EQ(image.pixel(95, 30), grey);
    EXPECT_EQ(image.pixel(96, 30), white);
}

TEST_F(QtCanvasTest, TextWidthInLogicalUnits) {
    Draw(10, 10, 254, [](QtCanvas& canvas) {
        canvas.SetFont("Arial", 50);
        const int one = canvas.TextWidth("M");
        const int four = canvas.TextWidth("MMMM");
        EXPECT_GT(one, 0);
        EXPECT_NEAR(four, 4 * one, 4);
        // Liberation Sans (Arial's metrics): cell height 1.117 em, "M" 0.833 em, so 50 units
        // of cell height make "MMMM" about 149 units wide.
        EXPECT_NEAR(four, 149, 6);
        EXPECT_EQ(canvas.TextWidth(""), 0);

        canvas.SetFont("Arial", 100);
        EXPECT_NEAR(canvas.TextWidth("MMMM"), 2 * four, 8);
    });

    // The same logical width on a screen, an image and a PDF resolution.
    const std::string text = "Depotbestand am 05.03.2011 - Zürich";
    std::optional<int> reference;
    for (const int dpi : {96, 254, 600}) {
        SCOPED_TRACE(dpi);
        Draw(10, 10, dpi, [&](QtCanvas& canvas) {
            EXPECT_EQ(canvas.PixelsPerInchX(), dpi);
            EXPECT_EQ(canvas.PixelsPerInchY(), dpi);
            canvas.SetFont("Arial", 50);
            const int width = canvas.TextWidth(text);
            if (!reference) reference = width;
            EXPECT_NEAR(width, *reference, *reference * 0.05);
        });
    }
}

// Number texts may be measured by adding their characters' advances; the result must be
// the full measurement of the text in every case, whatever the face, size and resolution.
TEST_F(QtCanvasTest, NumberTextsMeasureAsWholeTexts) {
    std::vector<std::string> texts = {"0",     "1",       "11",           "111,11%", "-0,01",
                                      "+1,5%", " 7 ",     "1.234.567,89", "%%%",     "-.-",
                                      "1,1",   "17,17 %", "9.999.999,99", "4,44",    "+0"};
    uint64_t seed = 7;
    const std::string characters = "0123456789.,-+% ";
    for (int i = 0; i < 300; ++i) {
        std::string text;
        const int length = 1 + static_cast<int>(seed % 14);
        for (int k = 0; k < length; ++k) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            text += characters[(seed >> 33) % characters.size()];
        }
        texts.push_back(text);
    }
    for (const int dpi : {96, 120, 254, 600}) {
        for (const char* face : {"Arial", "Liberation Sans", "Times New Roman", "Courier New"}) {
            for (const int height : {28, 35, 42, 50, 63, 100}) {
                SCOPED_TRACE(::testing::Message() << face << " " << height << " at " << dpi);
                QImage image(10, 10, QImage::Format_RGB32);
                image.setDotsPerMeterX(static_cast<int>(std::lround(dpi / 0.0254)));
                image.setDotsPerMeterY(static_cast<int>(std::lround(dpi / 0.0254)));
                QPainter painter(&image);
                QtCanvas canvas(painter);
                canvas.SetFont(face, height);
                const QFontMetricsF metrics(painter.font(), &image);
                for (const std::string& text : texts) {
                    // Logical units are 0.1 mm: dpi / 254 pixels each.
                    const double full = metrics.horizontalAdvance(QString::fromStdString(text));
                    const int expected =
                        static_cast<int>(std::lround(full / (image.logicalDpiX() / 254.0)));
                    ASSERT_EQ(canvas.TextWidth(text), expected) << "\"" << text << "\"";
                }
            }
        }
    }
}

TEST_F(QtCanvasTest, TextTopAtBoxTopAndFitsItsHeight) {
    // A box much taller than the font: ink shows where the line itself lies. "Hg" has a cap
    // and a descender; with a cell of 50 units both stay within rows 10..59.
    const QImage image = Draw(300, 200, 254, [](QtCanvas& canvas) {
        canvas.SetFont("Arial", 50);
        canvas.DrawText("Hg", {10, -10, 290, -190}, TextAlign::Left);
    });
    const Ink ink = InkOf(image);
    ASSERT_TRUE(ink.Any());
    EXPECT_GE(ink.minY, 10);
    EXPECT_LE(ink.minY, 25);  // the cap starts below the cell's top by the internal leading
    EXPECT_GE(ink.maxY, 52);  // the descender reaches near the cell's bottom
    EXPECT_LE(ink.maxY, 60);
}

TEST_F(QtCanvasTest, TextAlignment) {
    struct Case {
        TextAlign align;
        int expectedX;  // left ink, right ink or middle of the ink
    };
    const Case cases[] = {
        {TextAlign::Left, 100}, {TextAlign::Right, 199}, {TextAlign::Center, 150}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.align));
        const QImage image = Draw(300, 100, 254, [&](QtCanvas& canvas) {
            canvas.SetFont("Arial", 50);
            canvas.DrawText("HH", {100, -10, 200, -60}, c.align);
        });
        const Ink ink = InkOf(image);
        ASSERT_TRUE(ink.Any());
        const int x = c.align == TextAlign::Left    ? ink.minX
                      : c.align == TextAlign::Right ? ink.maxX
                                                    : (ink.minX + ink.maxX) / 2;
        EXPECT_NEAR(x, c.expectedX, 5);  // side bearing of "H"
    }
}

TEST_F(QtCanvasTest, ClippingCutsDrawing) {
    const QRgb red = ToQRgb(kRed), white = qRgb(255, 255, 255);
    const QImage image = Draw(300, 200, 254, [](QtCanvas& canvas) {
        canvas.SetClip({50, -50, 100, -100});
        canvas.FillRect({0, 0, 300, -200}, kRed);
        canvas.ClearClip();
        canvas.FillRect({200, -150, 210, -160}, kRed);
    });
    EXPECT_EQ(image.pixel(50, 50), red);
    EXPECT_EQ(image.pixel(99, 99), red);
    EXPECT_EQ(image.pixel(49, 75), white);
    EXPECT_EQ(image.pixel(100, 75), white);
    EXPECT_EQ(image.pixel(75, 49), white);
    EXPECT_EQ(image.pixel(75, 100), white);
    EXPECT_EQ(image.pixel(205, 155), red);  // after ClearClip

    // Text is cut at its own box, and at a clip that is narrower still; the clip outlives
    // the text.
    struct Case {
        std::optional<Rect> clip;
        int limitX;  // no ink from this column on
    };
    const Case cases[] = {{std::nullopt, 60}, {Rect{0, 0, 40, -200}, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.limitX);
        const QImage text = Draw(300, 200, 254, [&](QtCanvas& canvas) {
            if (c.clip) canvas.SetClip(*c.clip);
            canvas.SetFont("Arial", 50);
            canvas.DrawText("MMMMMMMMMM", {10, -10, 60, -60}, TextAlign::Left);
            canvas.FillRect({0, -100, 300, -110}, kRed);
        });
        const Ink ink = InkOf(text.copy(0, 0, 300, 90));
        ASSERT_TRUE(ink.Any());
        EXPECT_LT(ink.maxX, c.limitX);
        EXPECT_GE(ink.maxX, c.limitX - 5);
        EXPECT_EQ(text.pixel(c.limitX - 1, 105), red);
        EXPECT_EQ(text.pixel(c.limitX + 5, 105), c.clip ? white : red);
    }
}

TEST_F(QtCanvasTest, PolylineAndPolygon) {
    const QRgb white = qRgb(255, 255, 255);
    const QImage image = Draw(300, 200, 254, [](QtCanvas& canvas) {
        canvas.Polygon({{50, -20}, {150, -20}, {100, -120}}, kBlue, kBlack);
        canvas.Polyline({{20, -180}, {280, -180}}, kGreen, 10);
        canvas.Polyline({{20, -195}, {280, -195}}, kGreen, 0);
        canvas.Polyline({{250, -20}}, kRed, 10);  // a single point draws nothing
        canvas.Polygon({}, kRed, kRed);
    });
    EXPECT_EQ(image.pixel(100, 50), ToQRgb(kBlue));
    EXPECT_EQ(image.pixel(100, 130), white);
    EXPECT_EQ(image.pixel(150, 177), ToQRgb(kGreen));
    EXPECT_EQ(image.pixel(150, 183), ToQRgb(kGreen));
    EXPECT_EQ(image.pixel(150, 172), white);
    EXPECT_EQ(image.pixel(150, 188), white);
    EXPECT_NE(image.pixel(150, 195), white);  // the thinnest line is still visible
    EXPECT_EQ(image.pixel(250, 20), white);
}

TEST_F(QtCanvasTest, ImagesHaveNoPageMetrics) {
    Draw(10, 10, 300, [](QtCanvas& canvas) { EXPECT_EQ(canvas.Page().physicalWidth, 0); });
}

TEST_F(QtCanvasTest, PdfWithTwoA4Pages) {
    const fs::path path = folder_ / "report.pdf";
    std::string error;
    PdfDocument pdf;
    ASSERT_TRUE(pdf.Open(path.string(), error)) << error;
    EXPECT_FALSE(fs::exists(path));  // written as a whole by Finish
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        if (page > 1) {
            ASSERT_TRUE(pdf.NewPage(error)) << error;
        }
        Canvas& canvas = pdf.Page();
        const PageMetrics m = canvas.Page();
        EXPECT_EQ(m.physicalWidth, 2100);
        EXPECT_EQ(m.physicalHeight, 2970);
        EXPECT_EQ(m.physicalOffsetX, 0);
        EXPECT_EQ(m.physicalOffsetY, 0);
        EXPECT_EQ(m.printableWidth, 2100);
        EXPECT_EQ(m.printableHeight, 2970);
        EXPECT_EQ(canvas.PixelsPerInchX(), 600);
        canvas.SetFont("Arial", 50);
        canvas.FrameRect({150, -150, 1950, -2820}, kBlack);
        canvas.DrawText("Seite " + std::to_string(page), {150, -150, 1950, -200},
                        TextAlign::Center);
    }
    ASSERT_TRUE(pdf.Finish(error)) << error;
    EXPECT_FALSE(pdf.IsOpen());
    EXPECT_FALSE(pdf.Finish(error));
    EXPECT_THROW(pdf.Page(), std::logic_error);

    const QString bytes = QString::fromLatin1(QByteArray::fromStdString(ReadFile(path)));
    EXPECT_TRUE(bytes.startsWith(QStringLiteral("%PDF")));
    EXPECT_EQ(bytes.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 2);
}

TEST_F(QtCanvasTest, PdfPaperOptionsAndUnfinishedDocument) {
    const fs::path path = folder_ / "landscape.pdf";
    {
        std::string error;
        PdfDocument pdf;
        PdfDocument::Options options;
        options.paperWidth = 2970;
        options.paperHeight = 2100;
        options.dpi = 300;
        options.title = "Depotbestand";
        ASSERT_TRUE(pdf.Open(path.string(), options, error)) << error;
        const PageMetrics m = pdf.Page().Page();
        EXPECT_EQ(m.physicalWidth, 2970);
        EXPECT_EQ(m.physicalHeight, 2100);
        EXPECT_EQ(pdf.Page().PixelsPerInchX(), 300);
        EXPECT_FALSE(pdf.Open(path.string(), error));  // already open
        EXPECT_FALSE(error.empty());
    }  // the destructor finishes the file
    EXPECT_EQ(ReadFile(path).substr(0, 4), "%PDF");
}

TEST_F(QtCanvasTest, OutputErrorsAreReportedAndWriteNothing) {
    const auto draw = [](Canvas& canvas) { canvas.FillRect({0, 0, 10, -10}, kRed); };
    const std::string missing = (folder_ / "fehlt" / "bild.png").string();
    const std::string good = (folder_ / "bild.png").string();
    struct Case {
        const char* what;
        std::string path;
        int width, height, dpi;
        const char* message;  // part of the German message
    };
    const Case cases[] = {
        {"missing folder", missing, 100, 100, 254, "existiert nicht"},
        {"folder as file", folder_.string(), 100, 100, 254, "ist ein Ordner"},
        {"empty name", "", 100, 100, 254, "Kein Dateiname"},
        {"zero width", good, 0, 100, 254, "Ungültige Bildgröße"},
        {"negative height", good, 100, -1, 254, "Ungültige Bildgröße"},
        {"resolution too low", good, 100, 100, 5, "Ungültige Bildgröße"},
        {"too many pixels", good, 100000, 100000, 2400, "zu groß"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string error;
        EXPECT_FALSE(RenderPng(c.path, c.width, c.height, c.dpi, draw, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    EXPECT_FALSE(fs::exists(good));

    std::string error;
    PdfDocument pdf;
    EXPECT_FALSE(pdf.Open((folder_ / "fehlt" / "x.pdf").string(), error));
    EXPECT_NE(error.find("existiert nicht"), std::string::npos) << error;
    PdfDocument::Options tiny;
    tiny.paperWidth = 0;
    EXPECT_FALSE(pdf.Open((folder_ / "x.pdf").string(), tiny, error));
    EXPECT_NE(error.find("Papierformat"), std::string::npos) << error;
    EXPECT_FALSE(pdf.IsOpen());
    EXPECT_FALSE(pdf.NewPage(error));
    EXPECT_FALSE(fs::exists(folder_ / "x.pdf"));
}

TEST_F(QtCanvasTest, PrinterOffsetsFollowTheMargins) {
    // The desktop program prints through QPrinter; a PDF printer stands in for a real one.
    struct Case {
        bool fullPage;
        PageMetrics expected;
    };
    const Case cases[] = {
        {false, {2100, 2970, 100, 150, 1800, 2570}},
        {true, {2100, 2970, 0, 0, 2100, 2970}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fullPage);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(ToQString((folder_ / "printer.pdf").string()));
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(10, 15, 20, 25), QPageLayout::Millimeter));
        printer.setFullPage(c.fullPage);
        QPainter painter(&printer);
        QtCanvas canvas(painter);
        const PageMetrics m = canvas.Page();
        EXPECT_EQ(m.physicalWidth, c.expected.physicalWidth);
        EXPECT_EQ(m.physicalHeight, c.expected.physicalHeight);
        EXPECT_EQ(m.physicalOffsetX, c.expected.physicalOffsetX);
        EXPECT_EQ(m.physicalOffsetY, c.expected.physicalOffsetY);
        EXPECT_EQ(m.printableWidth, c.expected.printableWidth);
        EXPECT_EQ(m.printableHeight, c.expected.printableHeight);
        EXPECT_EQ(canvas.PixelsPerInchX(), printer.resolution());
    }
}

TEST(QtStringTest, Utf8RoundTrip) {
    const std::string text = "Kursgewinn € äöüß – 日本";
    EXPECT_EQ(ToQString(text).size(), 22);
    EXPECT_EQ(FromQString(ToQString(text)), text);
    EXPECT_EQ(FromQString(ToQString(std::string("a\0b", 3))), std::string("a\0b", 3));
}

}  // namespace
}  // namespace pf
