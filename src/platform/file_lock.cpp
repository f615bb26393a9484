#include "platform/file_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "platform/file_io.h"
#include "platform/file_system.h"

namespace pf {

namespace {

constexpr std::string_view kFirstLine = "Portfolaris-Sperre";

std::string OneLine(std::string value) {
    for (char& c : value)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
    return value;
}

std::string Trimmed(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return std::string(text);
}

// The start of /proc/PID/ENTRY (at most 511 bytes); empty when it cannot be read. /proc
// files report a size of 0, so this reads what comes rather than ReadWholeFile.
std::string ReadProcEntry(long pid, const char* entry) {
    const std::string path = "/proc/" + std::to_string(pid) + "/" + entry;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return {};
    char buffer[512];
    const ssize_t got = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    return got > 0 ? std::string(buffer, static_cast<size_t>(got)) : std::string();
}

// The name of process `pid` (/proc/PID/comm); empty when it cannot be read.
std::string ProgramOf(long pid) { return Trimmed(ReadProcEntry(pid, "comm")); }

// Writes `content` as a new file at `lock` in one step: a complete temporary file linked to
// the name, so no reader ever sees half a lock. Returns 0 or the errno of the failure
// (EEXIST: a lock is there).
int PlaceLockFile(const std::filesystem::path& lock, const std::string& content) {
    FileSystem& fs = SystemFileSystem();
    std::filesystem::path temp;
    const int fd = MakeTempBeside(fs, lock, ".", temp);
    if (fd < 0) return errno;
    bool ok = WriteAll(fs, fd, content);
    int err = ok ? 0 : errno;
    ok = ok && ::fchmod(fd, 0644) == 0;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        ok = ::link(temp.c_str(), lock.c_str()) == 0;
        err = ok ? 0 : errno;
        if (!ok && err != EEXIST) {
            // A file system without hard links: an exclusive create of the full text.
            const int direct = ::open(lock.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (direct < 0) {
                err = errno;
            } else {
                err = WriteAll(fs, direct, content) ? 0 : errno;
                if (::close(direct) != 0 && err == 0) err = errno;
                if (err != 0) ::unlink(lock.c_str());
            }
        }
    } else if (err == 0) {
        err = EIO;
    }
    ::unlink(temp.c_str());
    return err;
}

// Whether process `pid` has ended but was not yet reaped by its parent (a zombie, state "Z"
// or "X" in /proc/PID/stat): it holds nothing any more. Where no parent reaps, as under some
// container inits, a killed program stays a zombie for good.
bool HasEnded(long pid) {
    // "PID (NAME) STATE ...": the name may hold spaces and parentheses, so the last ")" counts.
    const std::string line = ReadProcEntry(pid, "stat");
    const size_t close = line.rfind(')');
    if (close == std::string::npos || close + 2 >= line.size()) return false;
    const char state = line[close + 2];
    return state == 'Z' || state == 'X';
}

}  // namespace

std::filesystem::path LockPathOf(const std::filesystem::path& document) {
    std::filesystem::path resolved;
    std::string ignored;
    if (!ResolveLinks(document, resolved, ignored)) resolved = document;
    resolved += ".lock";
    return resolved;
}

std::string FormatLockFile(const LockOwner& owner) {
    std::string text(kFirstLine);
    text += "\nBenutzer: " + OneLine(owner.user);
    text += "\nRechner: " + OneLine(owner.host);
    text += "\nProzess: " + std::to_string(owner.pid);
    text += "\nProgramm: " + OneLine(owner.program);
    text += "\nSeit: " + OneLine(owner.since);
    text += "\n";
    return text;
}

std::optional<LockOwner> ParseLockFile(std::string_view text) {
    LockOwner owner;
    bool first = true;
    bool hasPid = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (first) {
            if (Trimmed(line) != kFirstLine) return std::nullopt;
            first = false;
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string key = Trimmed(line.substr(0, colon));
        const std::string value = Trimmed(line.substr(colon + 1));
        if (key == "Benutzer") owner.user = value;
        if (key == "Rechner") owner.host = value;
        if (key == "Programm") owner.program = value;
        if (key == "Seit") owner.since = value;
        if (key == "Prozess") {
            char* stop = nullptr;
            errno = 0;
            const long pid = std::strtol(value.c_str(), &stop, 10);
            hasPid = !value.empty() && *stop == '\0' && errno == 0 && pid > 0;
            owner.pid = hasPid ? pid : 0;
        }
    }
    if (first || !hasPid) return std::nullopt;
    return owner;
}

std::string ThisHost() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return {};
    return name;
}

LockOwner ThisProcessAsOwner(std::time_t now) {
    LockOwner me;
    if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name)
        me.user = entry->pw_name;
    else if (const char* user = std::getenv("USER"))
        me.user = user;
    me.host = ThisHost();
    me.pid = static_cast<long>(::getpid());
    me.program = ProgramOf(me.pid);
    std::tm local{};
    ::localtime_r(&now, &local);
    char since[32] = {};
    std::strftime(since, sizeof since, "%d.%m.%Y %H:%M", &local);
    me.since = since;
    return me;
}

bool IsStaleLock(const LockOwner& owner, const std::string& thisHost) {
    if (owner.host.empty() || owner.host != thisHost || owner.pid <= 0) return false;
    if (::kill(static_cast<pid_t>(owner.pid), 0) != 0 && errno == ESRCH) return true;
    if (HasEnded(owner.pid)) return true;
    // The process runs (or belongs to another user): stale only when it is another program.
    const std::string program = ProgramOf(owner.pid);
    return !owner.program.empty() && !program.empty() && program != owner.program;
}

LockAttempt DocumentLock::Acquire(const std::filesystem::path& document, const LockOwner& me) {
    LockAttempt attempt;
    const std::filesystem::path lock = LockPathOf(document);
    const std::string content = FormatLockFile(me);
    // A second round after a stale lock was removed, or one that vanished while read.
    for (int round = 0; round < 3; ++round) {
        const int err = PlaceLockFile(lock, content);
        if (err == 0) {
            attempt.outcome = LockOutcome::Acquired;
            attempt.lock = DocumentLock(lock, content);
            return attempt;
        }
        if (err != EEXIST) {
            attempt.outcome = LockOutcome::Unavailable;
            attempt.error = "Sperrdatei " + lock.string() + ": " + std::strerror(err);
            return attempt;
        }
        std::string text;
        std::string error;
        if (!ReadWholeFile(lock, text, error)) {
            if (::access(lock.c_str(), F_OK) != 0) continue;  // released meanwhile
            attempt.outcome = LockOutcome::HeldByOther;
            return attempt;
        }
        const std::optional<LockOwner> holder = ParseLockFile(text);
        if (holder && IsStaleLock(*holder, me.host)) {
            ::unlink(lock.c_str());
            continue;
        }
        attempt.outcome = LockOutcome::HeldByOther;
        attempt.holder = holder.value_or(LockOwner{});
        return attempt;
    }
    attempt.outcome = LockOutcome::Unavailable;
    attempt.error = "Sperrdatei " + lock.string() + " kann nicht angelegt werden.";
    return attempt;
}

DocumentLock::DocumentLock(DocumentLock&& other) noexcept
    : path_(std::move(other.path_)), content_(std::move(other.content_)) {
    other.path_.clear();
}

DocumentLock& DocumentLock::operator=(DocumentLock&& other) noexcept {
    if (this != &other) {
        Release();
        path_ = std::move(other.path_);
        content_ = std::move(other.content_);
        other.path_.clear();
    }
    return *this;
}

DocumentLock::~DocumentLock() { Release(); }

void DocumentLock::Release() {
    if (path_.empty()) return;
    std::string text;
    std::string error;
    // Someone may have taken over a lock that looked stale to them: theirs stays.
    if (ReadWholeFile(path_, text, error) && text == content_) ::unlink(path_.c_str());
    path_.clear();
}

}  // namespace pf
