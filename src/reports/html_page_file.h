#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/document_options.h"

namespace pf {

// The name of the page when the user names no file of their own.
inline constexpr const char* kHtmlPageFileName = "depotbestand.htm";

// The folders the page may be written to, in the order they are tried after the user's own
// file. Empty entries are skipped.
struct HtmlPagePlaces {
    std::string programFolder;  // where the program's files (and the page's images) live
    std::string appDataFolder;  // the user's application data; created when missing
    std::string homeFolder;
};

// Writes the page's bytes to the first file that takes them: the user's file when
// "Benutzerdefinierter Dateiname" is on, else (or when that fails) kHtmlPageFileName in the
// program folder, the application-data folder and the home folder. Each file is written
// beside itself and renamed into place, so a failed write leaves an older page whole.
// Returns the path written, or nothing when no place took the page.
std::optional<std::string> WriteHtmlPageFile(std::string_view bytes, const HtmlPageOptions& options,
                                             const HtmlPagePlaces& places);

}  // namespace pf
