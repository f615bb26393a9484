// Saving must never harm the file that was there: whatever call fails, the old file (and the
// old backup) stay byte for byte, nothing is reported as saved, and no temporary file is
// left behind.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/file_faults.h"
#include "platform/file_io.h"
#include "support/temp_folder.h"

namespace pf::testing {
namespace {

namespace fs = std::filesystem;

const std::string kOld = "alter Inhalt\n";
const std::string kOlder = "noch älterer Inhalt\n";

// A new file each time: a backup may be a hard link to the file it was made from.
void Put(const fs::path& p, const std::string& bytes) {
    fs::remove(p);
    std::ofstream(p, std::ios::binary) << bytes;
}

std::string Get(const fs::path& p) { return TempFolder::Contents(p); }

// A new content large enough to need many blocks.
std::string NewContent() {
    std::string bytes;
    for (int i = 0; bytes.size() < 300000; ++i) bytes += "Zeile " + std::to_string(i) + "\n";
    return bytes;
}

class SafeSave : public ::testing::Test {
  protected:
    void SetUp() override {
        Put(file_, kOld);
        Put(backup_, kOlder);
    }

    TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    fs::path file_ = folder_ / "depot.fl2";
    fs::path backup_ = folder_ / "depot.fl2.bak";
};

TEST_F(SafeSave, EveryFailingCallLeavesTheOldFileAndTheOldBackup) {
    struct Route {
        const char* name;
        bool keepBackup;
        bool refuseLinks;  // the backup is then a copy, with writes of its own
    };
    const std::string bytes = NewContent();
    for (const Route route :
         {Route{"ohne Sicherung", false, false}, Route{"Sicherung als Link", true, false},
          Route{"Sicherung als Kopie", true, true}}) {
        // A clean run lists the calls of this route.
        Put(file_, kOld);
        Put(backup_, kOlder);
        FaultyFileSystem dry;
        dry.refuseLinks = route.refuseLinks;
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(file_, bytes, error, {route.keepBackup, &dry})) << error;
        EXPECT_EQ(Get(file_), bytes);
        EXPECT_EQ(Get(backup_), route.keepBackup ? kOld : kOlder);
        const std::vector<Call> calls = dry.calls;

        for (size_t at = 0; at < calls.size(); ++at) {
            if (calls[at] == Call::Fchown || calls[at] == Call::Unlink) continue;  // best effort
            // A full disk at each write, fsync and close; a refusal at each other call.
            const bool diskCall =
                calls[at] == Call::Write || calls[at] == Call::Fsync || calls[at] == Call::Close;
            if (route.refuseLinks && calls[at] == Call::Link) continue;  // falls back to a copy
            SCOPED_TRACE(std::string(route.name) + ": " + CallName(calls[at]) + " #" +
                         std::to_string(at));
            Put(file_, kOld);
            Put(backup_, kOlder);
            FaultyFileSystem faulty;
            faulty.refuseLinks = route.refuseLinks;
            faulty.failAt = at;
            faulty.failErrno = diskCall ? ENOSPC : EACCES;
            std::string message;
            const bool saved =
                WriteFileAtomically(file_, bytes, message, {route.keepBackup, &faulty});
            if (calls[at] == Call::Link) {
                // A refused link is no fault: the backup becomes a copy.
                EXPECT_TRUE(saved) << message;
                EXPECT_EQ(Get(file_), bytes);
                EXPECT_EQ(Get(backup_), kOld);
                continue;
            }
            EXPECT_FALSE(saved);
            EXPECT_FALSE(message.empty());
            EXPECT_EQ(Get(file_), kOld);
            // The backup is renamed into place just before the file itself, so a refused
            // last rename leaves the old file as both.
            const bool lastRename = at + 1 == calls.size();
            EXPECT_EQ(Get(backup_), route.keepBackup && lastRename ? kOld : kOlder);
            EXPECT_EQ(folder_.Entries(), 2u) << "a temporary file was left behind";
        }
    }
}

TEST_F(SafeSave, ShortAndInterruptedWritesStillWriteEverything) {
    FaultyFileSystem faulty;
    faulty.maxWrite = 4093;
    faulty.interruptOnce = true;
    const std::string bytes = NewContent();
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file_, bytes, error, {true, &faulty})) << error;
    EXPECT_EQ(Get(file_), bytes);
    EXPECT_EQ(Get(backup_), kOld);
}

TEST_F(SafeSave, BackupReplacesTheOlderOneAndIsMadeOnlyWhenAFileIsReplaced) {
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file_, "zwei", error, {true}));
    ASSERT_TRUE(WriteFileAtomically(file_, "drei", error, {true}));
    EXPECT_EQ(Get(file_), "drei");
    EXPECT_EQ(Get(backup_), "zwei");

    const fs::path fresh = folder_ / "neu.fl2";
    ASSERT_TRUE(WriteFileAtomically(fresh, "eins", error, {true}));
    EXPECT_FALSE(fs::exists(folder_ / "neu.fl2.bak"));
    EXPECT_EQ(folder_.Entries(), 3u);
}

TEST_F(SafeSave, ABackupThatIsTheFileItselfStaysWithoutLeftovers) {
    // A save killed between its two renames leaves file and backup as one file.
    fs::remove(backup_);
    fs::create_hard_link(file_, backup_);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file_, "neu", error, {true})) << error;
    EXPECT_EQ(Get(file_), "neu");
    EXPECT_EQ(Get(backup_), kOld);
    EXPECT_EQ(folder_.Entries(), 2u);
}

TEST_F(SafeSave, ReplacingKeepsPermissionsAndGroup) {
    // Root may give a file any group; another user only one of its own groups.
    gid_t group = 4242;
    if (::geteuid() != 0) {
        gid_t groups[64];
        const int n = ::getgroups(64, groups);
        group = static_cast<gid_t>(-1);
        for (int i = 0; i < n; ++i)
            if (groups[i] != ::getegid()) group = groups[i];
        if (group == static_cast<gid_t>(-1)) GTEST_SKIP() << "no second group to give the file";
    }
    ASSERT_EQ(::chown(file_.c_str(), static_cast<uid_t>(-1), group), 0);
    ASSERT_EQ(::chmod(file_.c_str(), 0640), 0);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(file_, "neu", error, {true})) << error;
    for (const fs::path& p : {file_, backup_}) {
        SCOPED_TRACE(p.string());
        struct stat info {};
        ASSERT_EQ(::stat(p.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0640u);
        EXPECT_EQ(info.st_gid, group);
    }
    EXPECT_EQ(Get(file_), "neu");
}

TEST_F(SafeSave, WritesThroughSymbolicLinksAndKeepsThem) {
    fs::create_directories(folder_ / "daten");
    const fs::path real = folder_ / "daten" / "echt.fl2";
    Put(real, kOld);
    struct Case {
        const char* name;
        fs::path linkTarget;
    };
    for (const Case& c : {Case{"absolut", real}, Case{"relativ", fs::path("daten/echt.fl2")}}) {
        SCOPED_TRACE(c.name);
        const fs::path link = folder_ / (std::string("link_") + c.name + ".fl2");
        fs::create_symlink(c.linkTarget, link);
        const std::string bytes = std::string("neu über ") + c.name;
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(link, bytes, error, {true})) << error;
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link), c.linkTarget);
        EXPECT_EQ(Get(real), bytes);
        // The backup lies beside the file the data is in.
        EXPECT_TRUE(fs::exists(folder_ / "daten" / "echt.fl2.bak"));
        EXPECT_FALSE(fs::exists(link.string() + ".bak"));
        EXPECT_EQ(BackupPathOf(link), folder_ / "daten" / "echt.fl2.bak");
    }

    // A link to a file that does not exist yet creates it; a loop of links saves nothing.
    fs::create_symlink("daten/spaeter.fl2", folder_ / "spaeter.fl2");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(folder_ / "spaeter.fl2", "erst", error));
    EXPECT_EQ(Get(folder_ / "daten" / "spaeter.fl2"), "erst");
    fs::create_symlink("kreis_b", folder_ / "kreis_a");
    fs::create_symlink("kreis_a", folder_ / "kreis_b");
    EXPECT_FALSE(WriteFileAtomically(folder_ / "kreis_a", "nie", error));
    EXPECT_NE(error.find("kreis_a"), std::string::npos);
}

// Runs `job` in a child process as a user without rights on the folder (root would be
// allowed everything); returns the child's exit code.
int AsUnprivilegedUser(const std::function<int()>& job) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(90);
        ::_exit(job());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 99;
}

TEST_F(SafeSave, ReadOnlyFolderRefusesAndKeepsTheOldFile) {
    // The folder and file belong to the unprivileged user, but the folder is read-only.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder_.Path().c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(file_.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(folder_.Path().c_str(), 0555), 0);
    const int code = AsUnprivilegedUser([&] {
        std::string error;
        if (WriteFileAtomically(file_, "neu", error, {true})) return 1;
        return error.find("Kann keine temporäre Datei anlegen") == std::string::npos ? 2 : 0;
    });
    ::chmod(folder_.Path().c_str(), 0755);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Get(file_), kOld);
    EXPECT_EQ(Get(backup_), kOlder);
    EXPECT_EQ(folder_.Entries(), 2u);
}

TEST_F(SafeSave, AWriteProtectedFileIsNotReplaced) {
    // The folder may be written, the file not: a rename alone would replace it all the same.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder_.Path().c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(file_.c_str(), 65534, 65534), 0);
    }
    ASSERT_EQ(::chmod(file_.c_str(), 0444), 0);
    const int code = AsUnprivilegedUser([&] {
        std::string error;
        if (WriteFileAtomically(file_, "neu", error, {true})) return 1;
        return error.find("Keine Schreibberechtigung") == std::string::npos ? 2 : 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(Get(file_), kOld);
    EXPECT_EQ(Get(backup_), kOlder);
    EXPECT_EQ(folder_.Entries(), 2u);
}

// A child process saves through a file system that reports each call over a pipe and waits
// for a go-ahead; the parent kills it with SIGKILL before call number `killAt`.
void SaveAndKillBefore(const fs::path& file, const std::string& bytes, size_t killAt) {
    int report[2];
    int go[2];
    ASSERT_EQ(::pipe(report), 0);
    ASSERT_EQ(::pipe(go), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(report[0]);
        ::close(go[1]);
        FaultyFileSystem watched;
        watched.before = [&](Call c) {
            const char tag = static_cast<char>('a' + static_cast<int>(c));
            char answer = 0;
            if (::write(report[1], &tag, 1) != 1 || ::read(go[0], &answer, 1) != 1) ::_exit(3);
        };
        std::string error;
        ::_exit(WriteFileAtomically(file, bytes, error, {true, &watched}) ? 0 : 1);
    }
    ::close(report[1]);
    ::close(go[0]);
    char tag = 0;
    size_t seen = 0;
    bool killed = false;
    while (::read(report[0], &tag, 1) == 1) {
        if (seen++ == killAt) {
            ::kill(child, SIGKILL);
            killed = true;
            break;
        }
        const char ok = 'g';
        ASSERT_EQ(::write(go[1], &ok, 1), 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(report[0]);
    ::close(go[1]);
    if (killed) {
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    } else {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
}

TEST_F(SafeSave, AProcessKilledDuringTheSaveLeavesAWholeFile) {
    const std::string bytes = NewContent();
    FaultyFileSystem dry;
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(folder_ / "probe.fl2", kOld, error));
    ASSERT_TRUE(WriteFileAtomically(folder_ / "probe.fl2", bytes, error, {true, &dry}));
    const size_t lastRename = dry.calls.size() - 1;
    ASSERT_EQ(dry.calls[lastRename], Call::Rename);

    for (size_t killAt = 0; killAt <= dry.calls.size(); ++killAt) {
        SCOPED_TRACE("getötet vor Aufruf " + std::to_string(killAt));
        Put(file_, kOld);
        Put(backup_, kOlder);
        SaveAndKillBefore(file_, bytes, killAt);
        if (killAt <= lastRename) {
            EXPECT_EQ(Get(file_), kOld);
            // Only the rename of the backup can have happened yet.
            const std::string backup = Get(backup_);
            EXPECT_TRUE(backup == kOlder || backup == kOld);
        } else {
            EXPECT_EQ(Get(file_), bytes);
            EXPECT_EQ(Get(backup_), kOld);
        }
    }
}

}  // namespace
}  // namespace pf::testing
