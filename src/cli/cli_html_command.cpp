// The command html: the holdings' HTML page of a file, written where -o says.
#include <filesystem>

#include "cli/cli_commands_list.h"
#include "platform/file_io.h"
#include "reports/html_page.h"

namespace pf::cli {

namespace {

// The folder of the page's images: beside this program in a build tree, or where an
// installation keeps them beside the demonstration portfolios.
std::string ImageFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return std::filesystem::current_path(error).string();
    const std::filesystem::path folder = program.parent_path();
    for (const std::filesystem::path& candidate :
         {folder, folder.parent_path() / "share" / "portfolaris"}) {
        if (std::filesystem::exists(candidate / "ar1.gif", error))
            return std::filesystem::weakly_canonical(candidate, error).string();
    }
    return folder.string();
}

}  // namespace

int Html(const Context& c) {
    const std::optional<std::string> out = Required(c, "html", "-o");
    if (!out) return 2;
    std::optional<CQRNDatum> date;
    if (!DateOption(c, "--date", date)) return 1;
    const std::optional<ReadResult> read = Load(c.args.positional[0], c);
    if (!read) return 1;
    const std::string folder = c.args.Option("--images").value_or(ImageFolder());
    const std::string page =
        BuildHoldingsHtmlPage(read->doc, date.value_or(Today(c.clock)), FolderFileUrl(folder));
    std::string error;
    if (!WriteFileAtomically(*out, page, error)) {
        c.err << "HTML-Datei kann nicht erzeugt werden!\n" << error << "\n";
        return 1;
    }
    return 0;
}

}  // namespace pf::cli
