#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/archive/archive_error.h"
#include "model/archive/first_generation.h"
#include "model/document.h"

namespace pf {

inline constexpr uint32_t kCurrentFileVersion = 32101001;
inline constexpr std::string_view kFileHeader = "Portfolaris2Datei";
inline constexpr std::string_view kFirstGenerationHeader = "PortfolarisDatei.1.";

// Shown (titled "Datei öffnen") after a file of an older version was opened.
inline constexpr const char* kOlderVersionTitle = "Datei öffnen";
inline constexpr const char* kOlderVersionNotice =
    "Diese Datei wurde mit einer älteren Version von Portfolaris erstellt. Wenn Sie die Datei "
    "mit dieser Version speichern, kann sie in der älteren Version nicht mehr geöffnet werden!";

struct ReadSettings {
    // Today's date, for the defaults of options an older file does not hold.
    CQRNDatum today;
    // Asked when the file is protected; returns the password typed, or nothing on cancel.
    std::function<std::optional<std::string>()> askPassword;
};

struct ReadResult {
    CFolari2Doc doc;
    uint32_t version = 0;
    bool olderVersion = false;  // the caller shows kOlderVersionNotice
    size_t unreadBytes = 0;     // data after the last element this version knows
    // Set for a first-generation file (version 0), which was converted into `doc`; the
    // caller shows FirstGenerationImportMessage after the file opened.
    std::optional<FirstGenerationImport> firstGeneration;
};

// Whether a file's first string marks a first-generation file.
bool IsFirstGenerationHeader(std::string_view header);

// Reads a whole portfolio file; a first-generation file is converted. Throws ArchiveError;
// nothing of a failed read is kept.
ReadResult ReadDocument(std::span<const uint8_t> bytes, const ReadSettings& settings);
// The bytes of the current file version. Throws ArchiveError (Unstorable) for a text that
// the file cannot hold.
std::string WriteDocument(const CFolari2Doc& doc);

ReadResult LoadDocumentFile(const std::filesystem::path& path, const ReadSettings& settings);
// Writes a temporary file beside `path` and renames it over `path`, so a failed save leaves
// the previous file as it was; with `keepBackup` the replaced file stays as "NAME.fl2.bak"
// (WriteFileAtomically). Throws ArchiveError (FileError or Unstorable).
void SaveDocumentFile(const CFolari2Doc& doc, const std::filesystem::path& path,
                      bool keepBackup = false);

}  // namespace pf
