// The lock file of an open document: its text, when it is stale, and taking and releasing it.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/file_lock.h"
#include "support/temp_folder.h"

namespace pf::testing {
namespace {

namespace fs = std::filesystem;

LockOwner Erika() { return {"erika", "rechner2", 4711, "portfolaris", "11.12.2026 10:15"}; }

TEST(LockFile, TextIsReadBackAndForeignTextIsNoLock) {
    const std::string text = FormatLockFile(Erika());
    EXPECT_EQ(text,
              "Portfolaris-Sperre\n"
              "Benutzer: erika\n"
              "Rechner: rechner2\n"
              "Prozess: 4711\n"
              "Programm: portfolaris\n"
              "Seit: 11.12.2026 10:15\n");
    EXPECT_EQ(ParseLockFile(text), Erika());

    // A line break in a value cannot make a line of its own.
    LockOwner odd = Erika();
    odd.user = "eri\nProzess: 1";
    const std::optional<LockOwner> back = ParseLockFile(FormatLockFile(odd));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->user, "eri Prozess: 1");
    EXPECT_EQ(back->pid, 4711);

    // Windows line ends and unknown keys are read over.
    EXPECT_EQ(ParseLockFile("Portfolaris-Sperre\r\nProzess: 12\r\nNeu: x\r\n")->pid, 12);

    for (const char* foreign :
         {"", "Benutzer: erika\nProzess: 12\n", "Portfolaris-Sperre\n",
          "Portfolaris-Sperre\nProzess: zwölf\n", "Portfolaris-Sperre\nProzess: -3\n",
          "Portfolaris-Sperre\nProzess: 99999999999999999999\n"}) {
        SCOPED_TRACE(foreign);
        EXPECT_FALSE(ParseLockFile(foreign));
    }
}

TEST(LockFile, ThisProcessIsNamedWithItsTime) {
    const LockOwner me = ThisProcessAsOwner(0);
    EXPECT_EQ(me.pid, ::getpid());
    EXPECT_EQ(me.host, ThisHost());
    EXPECT_FALSE(me.program.empty());
    EXPECT_EQ(me.since.size(), std::string("01.01.1970 00:00").size());
}

TEST(LockFile, StaleOnlyForAGoneProcessOrAnotherProgramOnThisHost) {
    const std::string host = ThisHost();
    const LockOwner me = ThisProcessAsOwner(0);

    // A process that certainly ended: a child, killed and reaped.
    const pid_t child = ::fork();
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    // A child that has ended but is not reaped yet: a zombie until waitpid below.
    const pid_t zombie = ::fork();
    if (zombie == 0) ::_exit(0);
    siginfo_t info{};
    ::waitid(P_PID, static_cast<id_t>(zombie), &info, WEXITED | WNOWAIT);

    struct Case {
        const char* name;
        std::string host;
        long pid;
        std::string program;
        bool stale;
    };
    const Case cases[] = {
        {"dieser Prozess", host, me.pid, me.program, false},
        {"beendeter Prozess", host, child, me.program, true},
        {"beendet, nicht abgeholt", host, zombie, me.program, true},
        {"Nummer neu vergeben", host, me.pid, "anderes", true},
        {"anderer Rechner, beendeter Prozess", "rechner2", child, me.program, false},
        {"ohne Programmnamen", host, me.pid, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LockOwner owner = me;
        owner.host = c.host;
        owner.pid = c.pid;
        owner.program = c.program;
        EXPECT_EQ(IsStaleLock(owner, host), c.stale);
    }
    ::waitpid(zombie, nullptr, 0);
}

class LockFolder : public ::testing::Test {
  protected:
    TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    fs::path file_ = folder_ / "depot.fl2";
    fs::path lockPath_ = folder_ / "depot.fl2.lock";
};

TEST_F(LockFolder, TakenOnceHeldAgainstASecondAndRemovedOnRelease) {
    const LockOwner me = ThisProcessAsOwner(0);
    LockAttempt first = DocumentLock::Acquire(file_, me);
    ASSERT_EQ(first.outcome, LockOutcome::Acquired) << first.error;
    EXPECT_EQ(first.lock->Path(), lockPath_);
    EXPECT_EQ(TempFolder::Contents(lockPath_), FormatLockFile(me));
    EXPECT_EQ(folder_.Entries(), 1u);  // no temporary file beside it

    // A second window of this program is a second writer as well.
    const LockAttempt second = DocumentLock::Acquire(file_, me);
    EXPECT_EQ(second.outcome, LockOutcome::HeldByOther);
    EXPECT_EQ(second.holder, me);

    first.lock.reset();
    EXPECT_FALSE(fs::exists(lockPath_));
    EXPECT_EQ(DocumentLock::Acquire(file_, me).outcome, LockOutcome::Acquired);
}

TEST_F(LockFolder, ReleaseLeavesALockThatSomeoneElseTookOver) {
    LockAttempt mine = DocumentLock::Acquire(file_, ThisProcessAsOwner(0));
    ASSERT_TRUE(mine.lock);
    std::ofstream(lockPath_, std::ios::trunc) << FormatLockFile(Erika());
    mine.lock->Release();
    EXPECT_EQ(TempFolder::Contents(lockPath_), FormatLockFile(Erika()));
}

TEST_F(LockFolder, AnUnreadableLockIsHeldBySomeoneUnknown) {
    std::ofstream(lockPath_) << "kaputt";
    const LockAttempt attempt = DocumentLock::Acquire(file_, ThisProcessAsOwner(0));
    EXPECT_EQ(attempt.outcome, LockOutcome::HeldByOther);
    EXPECT_EQ(attempt.holder, LockOwner{});
    EXPECT_EQ(TempFolder::Contents(lockPath_), "kaputt");
}

TEST_F(LockFolder, LinksToOneFileShareItsLock) {
    fs::create_symlink("depot.fl2", folder_ / "verweis.fl2");
    EXPECT_EQ(LockPathOf(folder_ / "verweis.fl2"), lockPath_);
    const LockAttempt held = DocumentLock::Acquire(file_, ThisProcessAsOwner(0));
    ASSERT_TRUE(held.lock);
    EXPECT_EQ(DocumentLock::Acquire(folder_ / "verweis.fl2", ThisProcessAsOwner(0)).outcome,
              LockOutcome::HeldByOther);
}

TEST_F(LockFolder, TheLockOfAKilledProcessIsRecognisedAsStale) {
    // The child takes the lock as its own process, tells the parent and waits to be killed.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        LockAttempt taken = DocumentLock::Acquire(file_, ThisProcessAsOwner(0));
        const char state = taken.lock ? 'y' : 'n';
        if (::write(ready[1], &state, 1) != 1) ::_exit(2);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(state, 'y');

    const LockOwner me = ThisProcessAsOwner(0);
    const LockAttempt whileAlive = DocumentLock::Acquire(file_, me);
    EXPECT_EQ(whileAlive.outcome, LockOutcome::HeldByOther);
    EXPECT_EQ(whileAlive.holder.pid, child);

    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(fs::exists(lockPath_));  // nobody removed it
    const LockAttempt afterwards = DocumentLock::Acquire(file_, me);
    ASSERT_EQ(afterwards.outcome, LockOutcome::Acquired);
    EXPECT_EQ(TempFolder::Contents(lockPath_), FormatLockFile(me));
}

}  // namespace
}  // namespace pf::testing
