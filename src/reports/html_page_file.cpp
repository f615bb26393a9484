#include "reports/html_page_file.h"

#include <filesystem>
#include <system_error>

#include "platform/file_io.h"

namespace pf {

namespace {

bool TryWrite(const std::filesystem::path& path, std::string_view bytes) {
    std::string error;
    return WriteFileAtomically(path, bytes, error);
}

}  // namespace

std::optional<std::string> WriteHtmlPageFile(std::string_view bytes, const HtmlPageOptions& options,
                                             const HtmlPagePlaces& places) {
    if (options.userFile != 0 && !options.userFileName.empty() &&
        TryWrite(options.userFileName, bytes))
        return options.userFileName;
    for (const std::string* folder :
         {&places.programFolder, &places.appDataFolder, &places.homeFolder}) {
        if (folder->empty()) continue;
        std::error_code ignored;
        // The application-data folder does not exist before the program first writes there.
        if (folder == &places.appDataFolder) std::filesystem::create_directories(*folder, ignored);
        const std::filesystem::path path = std::filesystem::path(*folder) / kHtmlPageFileName;
        if (TryWrite(path, bytes)) return path.string();
    }
    return std::nullopt;
}

}  // namespace pf
