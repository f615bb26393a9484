#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "charts/chart_builders.h"
#include "cli/cli_commands_list.h"
#include "cli/cli_drawing_output.h"
#include "model/document.h"
#include "platform/file_io.h"
#include "shell/initial_period.h"

namespace pf::cli {

namespace {

// What the chart and diagram commands share: the output format and file, the period and
// the size of the drawing.
struct DrawingRequest {
    Format format = Format::Png;
    std::optional<std::string> output;
    CQRNDatum from;
    CQRNDatum to;
};

// The format from --format, else from the output file's ending. Returns 0 or the exit
// code after a message.
int ReadRequest(const Context& c, const std::string& command, DrawingRequest& r) {
    r.output = c.args.Option("-o");
    if (const auto name = c.args.Option("--format")) {
        if (!ParseFormat(*name, r.format) || r.format == Format::Text) {
            c.err << "Unbekanntes Format " << *name << " (tsv, pdf oder png).\n";
            return 2;
        }
    } else if (r.output) {
        std::string lower = *r.output;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
        const auto endsWith = [&](const char* ending) {
            const std::string e = ending;
            return lower.size() >= e.size() &&
                   lower.compare(lower.size() - e.size(), e.size(), e) == 0;
        };
        if (endsWith(".pdf"))
            r.format = Format::Pdf;
        else if (endsWith(".tsv") || endsWith(".txt"))
            r.format = Format::Tsv;
        else
            r.format = Format::Png;
    } else {
        c.err << command << " braucht -o AUSGABE (oder --format tsv für die Standardausgabe).\n";
        return 2;
    }
    if (r.format != Format::Tsv && !r.output) {
        c.err << "Für --format " << (r.format == Format::Pdf ? "pdf" : "png")
              << " bitte mit -o eine Ausgabedatei angeben.\n";
        return 2;
    }
    std::optional<CQRNDatum> from;
    std::optional<CQRNDatum> to;
    if (!DateOption(c, "--from", from) || !DateOption(c, "--to", to)) return 1;
    const DisplayPeriod period = CommandLinePeriod(from, to, Today(c.clock));
    r.from = period.from;
    r.to = period.to;
    if (r.to < r.from) {
        c.err << "--to liegt vor --from.\n";
        return 1;
    }
    return 0;
}

// A whole number option within [low, high]; returns 0, or 2 after a message.
int NumberOption(const Context& c, const std::string& name, int low, int high,
                 std::optional<int>& out) {
    const auto text = c.args.Option(name);
    if (!text) return 0;
    int value = 0;
    std::istringstream in(*text);
    if (!(in >> value) || !in.eof() || value < low || value > high) {
        c.err << name << " muss eine ganze Zahl von " << low << " bis " << high << " sein.\n";
        return 2;
    }
    out = value;
    return 0;
}

// --width and --height in pixels of the PNG (at 96 dpi) set the drawing's size: the image
// is the drawing plus its border on each side.
int ApplySize(const Context& c, CFolari2Doc& doc) {
    std::optional<int> width;
    std::optional<int> height;
    if (int rc = NumberOption(c, "--width", 16, 20000, width)) return rc;
    if (int rc = NumberOption(c, "--height", 16, 20000, height)) return rc;
    DiagramsAppearance& look = doc.options.diagramsAppearance;
    const double factor = doc.options.screenScaleFactor > 0 ? doc.options.screenScaleFactor : 1.0;
    const auto logical = [&](int pixels) {
        const int border = 2 * static_cast<int>(look.border * factor + 0.5);
        const int units = static_cast<int>(std::lround(pixels * 254.0 / kScreenDpi));
        return std::max(1, static_cast<int>((units - border) / factor));
    };
    if (width) look.width = logical(*width);
    if (height) look.height = logical(*height);
    return 0;
}

int Emit(const Context& c, PlotObject& drawing, const DrawingRequest& r) {
    if (r.format == Format::Tsv) {
        std::string text;
        WithScreenCanvas(kScreenDpi, [&](Canvas& canvas) {
            text = drawing.DataText(drawing.Arrange(canvas, false, {0, 0}));
        });
        if (!r.output) {
            c.out << text;
            return 0;
        }
        std::string error;
        if (!WriteFileAtomically(*r.output, text, error)) {
            c.err << error << "\n" << *r.output << "\n";
            return 1;
        }
        return 0;
    }
    std::string error;
    const bool written = r.format == Format::Png ? WritePng(drawing, *r.output, error)
                                                 : WritePdf(drawing, *r.output, error);
    if (!written) {
        c.err << error << "\n" << *r.output << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int Chart(const Context& c) {
    const auto wkn = Required(c, "chart", "--security");
    if (!wkn) return 2;
    DrawingRequest request;
    if (int rc = ReadRequest(c, "chart", request)) return rc;
    std::optional<int> splitMode;
    if (int rc = NumberOption(c, "--split-mode", 0, 3, splitMode)) return rc;
    auto loaded = Load(c.args.positional[0], c);
    if (!loaded) return 1;
    CFolari2Doc& doc = loaded->doc;
    const auto found = std::find_if(doc.securities.begin(), doc.securities.end(),
                                    [&](const CFL2Wertpapier& s) { return s.wkn == *wkn; });
    if (found == doc.securities.end()) {
        c.err << "Kein Wertpapier mit der WKN " << *wkn << ".\n";
        return 1;
    }
    if (int rc = ApplySize(c, doc)) return rc;
    const auto chart =
        BuildSecurityChart(doc, found->id, request.from, request.to, splitMode.value_or(-1));
    chart->SetTitle("Charts");
    return Emit(c, *chart, request);
}

int Diagram(const Context& c) {
    const std::string& kind = c.args.positional[0];
    const bool positions = kind == "positions";
    if (!positions && kind != "development") {
        c.err << "Unbekanntes Diagramm " << kind << " (development oder positions).\n";
        return 2;
    }
    std::optional<int> measure;
    if (int rc = NumberOption(c, "--measure", 0, positions ? 4 : 14, measure)) return rc;
    std::vector<int32_t> chosen;
    if (const auto list = c.args.Option("--positions")) {
        if (!positions) {
            c.err << "--positions gilt nur für das Diagramm positions.\n";
            return 2;
        }
        std::istringstream in(*list);
        std::string item;
        while (std::getline(in, item, ',')) {
            std::istringstream number(item);
            int32_t n = 0;
            if (!(number >> n) || !number.eof()) {
                c.err << "--positions erwartet Positionsnummern, durch Kommas getrennt.\n";
                return 2;
            }
            chosen.push_back(n);
        }
    }
    DrawingRequest request;
    if (int rc = ReadRequest(c, "diagram", request)) return rc;
    auto loaded = Load(c.args.positional[1], c);
    if (!loaded) return 1;
    CFolari2Doc& doc = loaded->doc;
    if (int rc = ApplySize(c, doc)) return rc;
    std::unique_ptr<pf::Diagram> diagram =
        positions
            ? BuildPositionsDiagram(doc, request.from, request.to, measure.value_or(0), chosen)
            : BuildDevelopmentDiagram(doc, request.from, request.to, measure.value_or(0));
    diagram->SetTitle(positions ? "Diagramm - Wertpapierpos." : "Diagramm - Depotentwicklung");
    return Emit(c, *diagram, request);
}

}  // namespace pf::cli
