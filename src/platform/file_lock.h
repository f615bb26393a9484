#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pf {

// Who holds a document open: the content of its lock file.
struct LockOwner {
    std::string user;     // login name
    std::string host;     // host name
    long pid = 0;         // process id on `host`
    std::string program;  // the process's name (/proc/PID/comm), to tell a reused id
    std::string since;    // local time the lock was taken, "TT.MM.JJJJ HH:MM"

    bool operator==(const LockOwner&) const = default;
};

// The lock file of a document: "NAME.fl2.lock" beside the file the path stands for (links
// followed, so two links to one file share one lock).
std::filesystem::path LockPathOf(const std::filesystem::path& document);

// The lock file's text, UTF-8, one "Key: value" line each after a first line that marks the
// file:
//     Portfolaris-Sperre
//     Benutzer: erika
//     Rechner: rechner2
//     Prozess: 4711
//     Programm: portfolaris
//     Seit: 11.12.2026 10:15
// Line breaks and other control characters in a value become spaces.
std::string FormatLockFile(const LockOwner& owner);
// Nothing for a text that is not a lock file (no first line, no process id); unknown keys
// are passed over.
std::optional<LockOwner> ParseLockFile(std::string_view text);

// This process as the holder of a lock taken at `now`.
LockOwner ThisProcessAsOwner(std::time_t now);
// This machine's host name.
std::string ThisHost();

// Whether a lock was left behind by a program that no longer runs: it names this host and
// a process that does not exist or has ended (a zombie), or a process of another program
// (the id was reused).
// A lock of another host is never stale: its process cannot be looked at.
bool IsStaleLock(const LockOwner& owner, const std::string& thisHost);

enum class LockOutcome {
    Acquired,     // the attempt's `lock` holds the new lock
    HeldByOther,  // `holder` says who holds it (empty fields for an unreadable lock)
    Unavailable,  // no lock can be written there (a read-only folder): `error`
};

struct LockAttempt;

// The lock of an open document, held while the object lives: the destructor removes the
// lock file, unless it no longer holds what this object wrote.
class DocumentLock {
  public:
    // Takes the lock of `document` for `me`. A stale lock is replaced; a lock that names
    // this very process counts as held by another (another window of this program).
    static LockAttempt Acquire(const std::filesystem::path& document, const LockOwner& me);

    DocumentLock(DocumentLock&& other) noexcept;
    DocumentLock& operator=(DocumentLock&& other) noexcept;
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;
    ~DocumentLock();

    const std::filesystem::path& Path() const { return path_; }
    // Removes the lock file now (what the destructor does).
    void Release();

  private:
    DocumentLock(std::filesystem::path path, std::string content)
        : path_(std::move(path)), content_(std::move(content)) {}

    std::filesystem::path path_;  // empty once released
    std::string content_;
};

struct LockAttempt {
    LockOutcome outcome = LockOutcome::Unavailable;
    std::optional<DocumentLock> lock;
    LockOwner holder;
    std::string error;
};

}  // namespace pf
