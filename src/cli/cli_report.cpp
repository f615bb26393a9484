#include <algorithm>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_commands_list.h"
#include "cli/cli_drawing_output.h"
#include "reports/report_object.h"
#include "shell/initial_period.h"
#include "shell/view_catalogue.h"

namespace pf::cli {

namespace {

// The report options of the command line: each stands for a control of the view's dialog
// bar, so a view takes exactly the options its window has.
struct ViewOption {
    const char* name;
    bool (*takes)(const ViewEntry& view);
};
constexpr ViewOption kViewOptions[] = {
    {"--date", [](const ViewEntry& v) { return v.oneDate; }},
    {"--from", [](const ViewEntry& v) { return !v.oneDate; }},
    {"--to", [](const ViewEntry& v) { return !v.oneDate; }},
    {"--filter", [](const ViewEntry& v) { return ControlsForView(v.id).filterSwitch; }},
    {"--simulate", [](const ViewEntry& v) { return ControlsForView(v.id).simulatedSale; }},
};

// "a", "a und b", "a, b und c" (`last` joins the last two).
std::string JoinNames(const std::vector<std::string>& names, const char* last) {
    std::string text;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += i + 1 == names.size() ? std::string(" ") + last + " " : ", ";
        text += names[i];
    }
    return text;
}

std::vector<std::string> CliViewNames() {
    std::vector<std::string> names;
    for (const ViewEntry& view : ViewCatalogue())
        if (*view.cliName != '\0') names.push_back(view.cliName);
    return names;
}

// The refusal of options that `view` does not take when one of them was given, e.g.
// "--date gilt nur für holdings; realized nimmt --from und --to.", else nothing.
std::optional<std::string> RefusedOptions(const ViewEntry& view, const Arguments& args) {
    std::vector<std::string> refused;
    bool given = false;
    for (const ViewOption& option : kViewOptions) {
        if (option.takes(view)) continue;
        refused.push_back(option.name);
        given = given || args.Option(option.name) || args.Flag(option.name);
    }
    if (!given) return std::nullopt;
    std::vector<std::string> owners;
    for (const ViewEntry& other : ViewCatalogue()) {
        if (*other.cliName == '\0') continue;
        const bool takesOne =
            std::any_of(std::begin(kViewOptions), std::end(kViewOptions),
                        [&](const ViewOption& o) { return !o.takes(view) && o.takes(other); });
        if (takesOne) owners.push_back(other.cliName);
    }
    std::string text = JoinNames(refused, "und") + (refused.size() == 1 ? " gilt" : " gelten") +
                       " nur für " + JoinNames(owners, "und");
    if (!view.oneDate) text += std::string("; ") + view.cliName + " nimmt --from und --to";
    return text + ".";
}

}  // namespace

int Report(const Context& c) {
    const std::string& viewName = c.args.positional[0];
    const ViewEntry* view = FindViewByCliName(viewName);
    if (view == nullptr) {
        c.err << "Unbekannte Ansicht " << viewName << " (" << JoinNames(CliViewNames(), "oder")
              << ").\n";
        return 2;
    }
    Format format = Format::Text;
    if (const auto name = c.args.Option("--format"); name && !ParseFormat(*name, format)) {
        c.err << "Unbekanntes Format " << *name << " (text, tsv, pdf oder png).\n";
        return 2;
    }
    const std::optional<std::string> output = c.args.Option("-o");
    if ((format == Format::Pdf || format == Format::Png) && !output) {
        c.err << "Für --format " << (format == Format::Pdf ? "pdf" : "png")
              << " bitte mit -o eine Ausgabedatei angeben.\n";
        return 2;
    }
    if (const std::optional<std::string> refusal = RefusedOptions(*view, c.args)) {
        c.err << *refusal << "\n";
        return 2;
    }

    std::optional<CQRNDatum> date;
    std::optional<CQRNDatum> from;
    std::optional<CQRNDatum> to;
    if (!DateOption(c, "--date", date) || !DateOption(c, "--from", from) ||
        !DateOption(c, "--to", to))
        return 1;
    const CQRNDatum today = Today(c.clock);
    const DisplayPeriod period = CommandLinePeriod(from, to, today);
    ViewState state;
    state.reportDate = date.value_or(today);
    state.periodFrom = period.from;
    state.periodTo = period.to;
    state.securityFilter = c.args.Flag("--filter");
    state.simulateSales = c.args.Flag("--simulate");
    if (!view->oneDate && state.periodTo < state.periodFrom) {
        c.err << "--to liegt vor --from.\n";
        return 1;
    }

    const auto loaded = Load(c.args.positional[1], c);
    if (!loaded) return 1;
    const std::unique_ptr<ReportObject> report = BuildReport(loaded->doc, view->id, state);
    if (!report) {
        c.err << "Der Bericht konnte nicht erstellt werden.\n";
        return 1;
    }

    if (format == Format::Text || format == Format::Tsv) {
        if (!report->HasText()) {
            c.err << view->title << " hat keine Textausgabe; bitte --format pdf oder png.\n";
            return 2;
        }
        const int mode = format == Format::Tsv ? kTabSeparated : kFixedWidths;
        if (!output) {
            c.out << report->Text(mode, "\n");
            return 0;
        }
        if (!WriteReportTextFile(*report, mode, *output)) {
            c.err << "Datei kann nicht geöffnet werden\n" << *output << "\n";
            return 1;
        }
        return 0;
    }

    std::string error;
    const bool written = format == Format::Png ? WritePng(*report, *output, error)
                                               : WritePdf(*report, *output, error);
    if (!written) {
        c.err << error << "\n" << *output << "\n";
        return 1;
    }
    return 0;
}

}  // namespace pf::cli
