#include "shell/document_session.h"

#include <sys/stat.h>

#include <cctype>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "platform/file_io.h"

namespace pf {

namespace {

Message OpenError(const ArchiveError& e) {
    std::string text = OpenErrorMessage(e.Kind());
    if (!e.Detail().empty()) text += "\n\n" + e.Detail();
    return {kAppTitle, text, MessageIcon::Exclamation, {}};
}

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// Whether two paths name one file (links followed); a path that does not exist yet is
// compared by its full form.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) return true;
    std::error_code first;
    std::error_code second;
    const std::filesystem::path fullA = std::filesystem::weakly_canonical(a, first);
    const std::filesystem::path fullB = std::filesystem::weakly_canonical(b, second);
    return !first && !second && fullA == fullB;
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
        outcome.errorKind = e.Kind();
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

MaybeMessage SaveDocument(CFolari2Doc& doc, const std::string& path, bool keepBackup) {
    try {
        SaveDocumentFile(doc, path, keepBackup);
    } catch (const ArchiveError& e) {
        std::string text = kSaveErrorMessage;
        if (!e.Detail().empty()) text += "\n\n" + e.Detail();
        return Message{kAppTitle, text, MessageIcon::Exclamation, {}};
    }
    doc.SetModified(false);
    return std::nullopt;
}

LockCheck CheckDocumentLock(const std::string& path, const LockOwner& me) {
    LockCheck check;
    LockAttempt attempt = DocumentLock::Acquire(path, me);
    if (attempt.outcome == LockOutcome::Acquired) check.lock = std::move(attempt.lock);
    if (attempt.outcome == LockOutcome::HeldByOther)
        check.question = ForeignLockQuestion(path, attempt.holder);
    return check;
}

namespace {

// "wird seit ... von „erika“ auf „rechner2“ bearbeitet", leaving out what the lock does not
// say.
std::string HeldBy(const std::string& path, const LockOwner& holder) {
    std::string text = "Die Datei „" + FileNameOf(path) + "“ wird";
    if (!holder.since.empty()) text += " seit " + holder.since;
    text += holder.user.empty() ? " von einem anderen Benutzer" : " von „" + holder.user + "“";
    if (!holder.host.empty()) text += " auf „" + holder.host + "“";
    return text + " bearbeitet.";
}

}  // namespace

Message ForeignLockQuestion(const std::string& path, const LockOwner& holder) {
    return Message::Question(kAppTitle,
                             HeldBy(path, holder) + " Soll sie schreibgeschützt geöffnet werden?");
}

Message ForeignLockSaveRefusal(const std::string& path, const LockOwner& holder) {
    return Message{kAppTitle,
                   HeldBy(path, holder) + " Sie kann daher nicht überschrieben werden.",
                   MessageIcon::Exclamation,
                   {}};
}

SaveLock LockForSave(const std::string& target, const DocumentLock* held, const LockOwner& me) {
    SaveLock result;
    if (held != nullptr && SameFile(LockPathOf(target), held->Path())) {
        result.heldAlready = true;
        return result;
    }
    LockAttempt attempt = DocumentLock::Acquire(target, me);
    if (attempt.outcome == LockOutcome::Acquired) result.lock = std::move(attempt.lock);
    if (attempt.outcome == LockOutcome::HeldByOther)
        result.refusal = ForeignLockSaveRefusal(target, attempt.holder);
    return result;
}

std::string ReadOnlyTitle(const std::string& title) { return title + " (schreibgeschützt)"; }

MaybeMessage ReadOnlySaveRefusal(const std::string& original, const std::string& target) {
    if (!SameFile(original, target)) return std::nullopt;
    return Message{kAppTitle,
                   "Die Datei „" + FileNameOf(original) +
                       "“ ist schreibgeschützt geöffnet und kann nicht über sich selbst "
                       "gespeichert werden. Bitte wählen Sie einen anderen Dateinamen.",
                   MessageIcon::Exclamation,
                   {}};
}

MaybeMessage BackupQuestion(const std::string& path, const OpenOutcome& failed) {
    if (failed.opened || !failed.errorKind ||
        *failed.errorKind == ArchiveErrorKind::WrongPassword ||
        *failed.errorKind == ArchiveErrorKind::FileError)
        return std::nullopt;
    struct stat info {};
    const std::filesystem::path backup = BackupPathOf(path);
    if (::stat(backup.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::tm local{};
    ::localtime_r(&info.st_mtime, &local);
    char when[32] = {};
    std::strftime(when, sizeof when, "%d.%m.%Y %H:%M", &local);
    std::string text = "Die Datei „" + FileNameOf(path) + "“ ist beschädigt";
    if (failed.error) text += ":\n\n" + failed.error->text;
    text += "\n\nSoll die Sicherungskopie vom " + std::string(when) + " geöffnet werden?";
    return Message::Question(kAppTitle, text);
}

OpenOutcome OpenBackupOf(const std::string& path, const ReadSettings& settings) {
    OpenOutcome outcome = OpenPortfolioFile(BackupPathOf(path).string(), settings);
    if (outcome.opened) {
        outcome.opened->path = path;
        outcome.opened->title = DocumentTitleOf(path);
        outcome.opened->doc.SetModified();
    }
    return outcome;
}

std::string SaveQuestion(const std::string& title) {
    return "Änderungen in „" + title + "“ speichern?";
}

}  // namespace pf
