#pragma once

#include <optional>
#include <string>

#include "engine/message.h"
#include "model/archive/document_file.h"
#include "model/document.h"
#include "platform/file_lock.h"

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
    // Why the file could not be read; nothing for a lack of memory.
    std::optional<ArchiveErrorKind> errorKind;
};

// Opens a portfolio file. A read error gives the framework's message ("Unerwartetes
// Dateiformat." or "Fehler beim Öffnen des Dokuments.") with the detail on a second line.
// A first-generation file is converted.
OpenOutcome OpenPortfolioFile(const std::string& path, const ReadSettings& settings);

// Opens a first-generation file for import: the document's path becomes the same path with
// ".flk" replaced by ".fl2" and its title the file title followed by " (importiert)".
OpenOutcome ImportPortfolioFile(const std::string& path, const ReadSettings& settings);

// Writes the document; on success the document is no longer modified. On failure the old
// file is untouched, the document stays modified and the message says why. With
// `keepBackup` the replaced file stays as "NAME.fl2.bak" (the profile's choice,
// KeepBackupOnSave).
MaybeMessage SaveDocument(CFolari2Doc& doc, const std::string& path, bool keepBackup = false);

// --- One writer per file ---

// What the lock of a file means for opening it.
struct LockCheck {
    // Taken: the document opens for writing and holds it until it is closed.
    std::optional<DocumentLock> lock;
    // Someone else holds the file: ForeignLockQuestion; Yes opens it read-only, No not at all.
    MaybeMessage question;
};
// Takes the lock of `path` for `me`. Where no lock file can be written (a read-only folder
// or medium) the file opens for writing without one: a save there fails with its own
// message anyway.
LockCheck CheckDocumentLock(const std::string& path, const LockOwner& me);

// "Die Datei „depot.fl2“ wird seit 11.12.2026 10:15 von „erika“ auf „rechner2“ bearbeitet.
// Soll sie schreibgeschützt geöffnet werden?" (parts of an unreadable lock left out), titled
// kAppTitle.
Message ForeignLockQuestion(const std::string& path, const LockOwner& holder);
// Refusal of saving over a file that someone else holds (Save As onto it).
Message ForeignLockSaveRefusal(const std::string& path, const LockOwner& holder);
// The lock a save to `target` needs before it writes.
struct SaveLock {
    // The save must not happen: someone else holds `target` (ForeignLockSaveRefusal).
    MaybeMessage refusal;
    // The lock of `target`, newly taken: the document holds it once the save succeeded (and
    // gives up the lock of its former file); dropped after a failed save.
    std::optional<DocumentLock> lock;
    // `target` is the file the document holds already: its lock stays.
    bool heldAlready = false;
};
// Nothing to take when `held` (the document's own lock, nullptr for none) already is the
// lock of `target`; where no lock file can be written the save goes ahead without one.
SaveLock LockForSave(const std::string& target, const DocumentLock* held, const LockOwner& me);
// The title of a document opened read-only: "depot (schreibgeschützt)".
std::string ReadOnlyTitle(const std::string& title);
// Refusal when a document opened read-only from `original` would be saved to `target` and
// both name the same file (links followed); nothing when `target` is another file.
MaybeMessage ReadOnlySaveRefusal(const std::string& original, const std::string& target);

// --- The backup generation ---

// After opening `path` failed: the question whether to open its backup instead, asked when
// the file is damaged (not for a wrong or cancelled password, nor when the file cannot be
// read at all) and a backup exists: "Die Datei „depot.fl2“ ist beschädigt ... Soll die
// Sicherungskopie vom 11.12.2026 10:15 geöffnet werden?" (the backup's modification time).
MaybeMessage BackupQuestion(const std::string& path, const OpenOutcome& failed);
// Opens the backup of `path` as the document of `path`: saving writes the original file,
// and the document counts as modified, since the file on the disk is still the damaged one.
OpenOutcome OpenBackupOf(const std::string& path, const ReadSettings& settings);

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
