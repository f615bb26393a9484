#pragma once

#include <optional>
#include <string>

#include "engine/message.h"
#include "model/archive/document_file.h"
#include "model/document.h"

namespace pf {

// The application's name: title of the framework's message boxes and of the main frame.
inline constexpr const char* kAppTitle = "Portfolaris";

// A document read from a file, with what the window shows of it.
struct OpenedDocument {
    CFolari2Doc doc;
    std::string path;           // where Save writes; an imported file gets its ".fl2" path here
    std::string title;          // window title of the document
    bool olderVersion = false;  // show kOlderVersionNotice
    bool imported = false;      // not entered in the recent-file list
    // For a converted first-generation file: what was not taken over (shown, titled
    // kAppTitle, after the document opened); empty when there is nothing to say.
    std::string importMessage;
};

// Either a document or the message why there is none. Nothing of a failed read is kept.
struct OpenOutcome {
    std::optional<OpenedDocument> opened;
    MaybeMessage error;
};

// Opens a portfolio file. A read error gives the framework's message ("Unerwartetes
// Dateiformat." or "Fehler beim Öffnen des Dokuments.") with the detail on a second line.
// A first-generation file is converted.
OpenOutcome OpenPortfolioFile(const std::string& path, const ReadSettings& settings);

// Opens a first-generation file for import: the document's path becomes the same path with
// ".flk" replaced by ".fl2" and its title the file title followed by " (importiert)".
OpenOutcome ImportPortfolioFile(const std::string& path, const ReadSettings& settings);

// Writes the document; on success the document is no longer modified. On failure the old
// file is untouched, the document stays modified and the message says why.
MaybeMessage SaveDocument(CFolari2Doc& doc, const std::string& path);

// The title of a document stored at `path`: the file name without its extension.
std::string DocumentTitleOf(const std::string& path);
std::string ImportedTitle(const std::string& path);
std::string ImportedSavePath(const std::string& path);
// "Demo1.fl2" for a file path (the name offered by Save As for a new document, too).
std::string WithPortfolioExtension(const std::string& pathOrTitle);

// Whether the file starts like a first-generation file (false when it cannot be read).
bool IsFirstGenerationFile(const std::string& path);

// The question asked before a modified document is closed.
std::string SaveQuestion(const std::string& title);

}  // namespace pf
