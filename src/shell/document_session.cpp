#include "shell/document_session.h"

#include <cctype>
#include <filesystem>
#include <fstream>

namespace pf {

namespace {

Message OpenError(const ArchiveError& e) {
    std::string text = OpenErrorMessage(e.Kind());
    if (!e.Detail().empty()) text += "\n\n" + e.Detail();
    return {kAppTitle, text, MessageIcon::Exclamation, {}};
}

}  // namespace

std::string DocumentTitleOf(const std::string& path) {
    return std::filesystem::path(path).stem().string();
}

std::string ImportedTitle(const std::string& path) {
    return DocumentTitleOf(path) + " (importiert)";
}

std::string ImportedSavePath(const std::string& path) {
    std::filesystem::path p(path);
    std::string extension = p.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".flk") p.replace_extension(".fl2");
    return p.string();
}

std::string WithPortfolioExtension(const std::string& pathOrTitle) {
    std::filesystem::path p(pathOrTitle);
    if (p.extension() != ".fl2") p += ".fl2";
    return p.string();
}

bool IsFirstGenerationFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char prefix[1 + kFirstGenerationHeader.size()] = {};
    in.read(prefix, sizeof prefix);
    if (in.gcount() != static_cast<std::streamsize>(sizeof prefix)) return false;
    // The header is the file's first string: a one-byte length, then the characters.
    return static_cast<unsigned char>(prefix[0]) >= kFirstGenerationHeader.size() &&
           IsFirstGenerationHeader(std::string_view(prefix + 1, kFirstGenerationHeader.size()));
}

OpenOutcome OpenPortfolioFile(const std::string& path, const ReadSettings& settings) {
    OpenOutcome outcome;
    try {
        ReadResult read = LoadDocumentFile(path, settings);
        OpenedDocument opened;
        opened.doc = std::move(read.doc);
        opened.path = path;
        opened.title = DocumentTitleOf(path);
        opened.olderVersion = read.olderVersion;
        if (read.firstGeneration)
            opened.importMessage = FirstGenerationImportMessage(*read.firstGeneration);
        outcome.opened = std::move(opened);
    } catch (const ArchiveError& e) {
        outcome.error = OpenError(e);
    } catch (const std::bad_alloc&) {
        outcome.error =
            Message{kAppTitle, "Fehler beim Öffnen des Dokuments.", MessageIcon::Exclamation, {}};
    }
    return outcome;
}

OpenOutcome ImportPortfolioFile(const std::string& path, const ReadSettings& settings) {
    OpenOutcome outcome = OpenPortfolioFile(path, settings);
    if (outcome.opened) {
        outcome.opened->path = ImportedSavePath(path);
        outcome.opened->title = ImportedTitle(path);
        outcome.opened->imported = true;
        // An imported document exists only in memory until it is saved.
        outcome.opened->doc.SetModified();
    }
    return outcome;
}

MaybeMessage SaveDocument(CFolari2Doc& doc, const std::string& path) {
    try {
        SaveDocumentFile(doc, path);
    } catch (const ArchiveError& e) {
        std::string text = kSaveErrorMessage;
        if (!e.Detail().empty()) text += "\n\n" + e.Detail();
        return Message{kAppTitle, text, MessageIcon::Exclamation, {}};
    }
    doc.SetModified(false);
    return std::nullopt;
}

std::string SaveQuestion(const std::string& title) {
    return "Änderungen in „" + title + "“ speichern?";
}

}  // namespace pf
