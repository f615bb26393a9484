// Opening and saving with the lock of an open file and the backup generation.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "model/archive/document_file.h"
#include "platform/settings_store.h"
#include "shell/document_session.h"
#include "shell/general_options_form.h"
#include "support/full_document.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

class FileSafety : public ::testing::Test {
  protected:
    void SetUp() override { settings_.today = testing::Day(11, 12, 2026); }

    // A small portfolio whose holder names the generation it was saved as.
    static CFolari2Doc Generation(const std::string& holder) {
        CFolari2Doc doc;
        doc.NewDocument({}, testing::Day(11, 12, 2026));
        doc.depot.holderName = holder;
        return doc;
    }

    TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string path_ = (folder_ / "depot.fl2").string();
    ReadSettings settings_;
};

TEST_F(FileSafety, AFileHeldByAnotherOffersToOpenItReadOnly) {
    struct Case {
        const char* name;
        std::string lockText;
        std::string question;
    };
    const Case cases[] = {
        {"vollständig",
         "Portfolaris-Sperre\nBenutzer: erika\nRechner: rechner2\nProzess: 4711\n"
         "Programm: portfolaris\nSeit: 11.12.2026 10:15\n",
         "Die Datei „depot.fl2“ wird seit 11.12.2026 10:15 von „erika“ auf „rechner2“ "
         "bearbeitet. Soll sie schreibgeschützt geöffnet werden?"},
        {"unlesbar", "???",
         "Die Datei „depot.fl2“ wird von einem anderen Benutzer bearbeitet. Soll sie "
         "schreibgeschützt geöffnet werden?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(path_ + ".lock", std::ios::trunc) << c.lockText;
        const LockCheck check = CheckDocumentLock(path_, ThisProcessAsOwner(0));
        EXPECT_FALSE(check.lock);
        ASSERT_TRUE(check.question);
        EXPECT_TRUE(check.question->IsQuestion());
        EXPECT_EQ(check.question->title, "Portfolaris");
        EXPECT_EQ(check.question->text, c.question);
        // Asking leaves the other's lock alone.
        EXPECT_EQ(TempFolder::Contents(path_ + ".lock"), c.lockText);
    }

    fs::remove(path_ + ".lock");
    std::optional<LockCheck> free = CheckDocumentLock(path_, ThisProcessAsOwner(0));
    EXPECT_FALSE(free->question);
    ASSERT_TRUE(free->lock);
    EXPECT_TRUE(fs::exists(path_ + ".lock"));
    free.reset();  // the document is closed
    EXPECT_FALSE(fs::exists(path_ + ".lock"));
}

TEST_F(FileSafety, TheLockOfAKilledInstanceIsTakenOverWithoutAQuestion) {
    // Another instance on this host held the file and was killed: its lock stays behind.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    const LockOwner me = ThisProcessAsOwner(0);
    LockOwner crashed = me;
    crashed.pid = child;
    std::ofstream(path_ + ".lock") << FormatLockFile(crashed);

    std::optional<LockCheck> check = CheckDocumentLock(path_, me);
    EXPECT_FALSE(check->question);
    ASSERT_TRUE(check->lock);
    EXPECT_EQ(TempFolder::Contents(path_ + ".lock"), FormatLockFile(me));
    check.reset();
    EXPECT_FALSE(fs::exists(path_ + ".lock"));
}

TEST_F(FileSafety, ASaveTakesTheLockOfItsTargetUnlessItHoldsItAlready) {
    const LockOwner me = ThisProcessAsOwner(0);
    std::optional<LockCheck> mine = CheckDocumentLock(path_, me);
    ASSERT_TRUE(mine->lock);

    // Saving to its own file, also through a link, takes nothing new.
    fs::create_symlink("depot.fl2", folder_ / "verweis.fl2");
    for (const std::string& target : {path_, (folder_ / "verweis.fl2").string()}) {
        SCOPED_TRACE(target);
        const SaveLock own = LockForSave(target, &*mine->lock, me);
        EXPECT_TRUE(own.heldAlready);
        EXPECT_FALSE(own.lock);
        EXPECT_FALSE(own.refusal);
    }

    // Another file: its lock is taken, and given up again if the save does not happen.
    const std::string other = (folder_ / "kopie.fl2").string();
    std::optional<SaveLock> taken = LockForSave(other, &*mine->lock, me);
    EXPECT_FALSE(taken->heldAlready);
    ASSERT_TRUE(taken->lock);
    EXPECT_EQ(TempFolder::Contents(other + ".lock"), FormatLockFile(me));
    taken.reset();
    EXPECT_FALSE(fs::exists(other + ".lock"));

    // A file someone else holds is refused, their lock untouched.
    const std::string theirs =
        "Portfolaris-Sperre\nBenutzer: erika\nRechner: rechner2\nProzess: 4711\n"
        "Programm: portfolaris\nSeit: 11.12.2026 10:15\n";
    std::ofstream(other + ".lock") << theirs;
    const SaveLock refused = LockForSave(other, &*mine->lock, me);
    EXPECT_FALSE(refused.lock);
    ASSERT_TRUE(refused.refusal);
    EXPECT_EQ(refused.refusal->text,
              "Die Datei „kopie.fl2“ wird seit 11.12.2026 10:15 von „erika“ auf „rechner2“ "
              "bearbeitet. Sie kann daher nicht überschrieben werden.");
    EXPECT_EQ(TempFolder::Contents(other + ".lock"), theirs);
}

TEST_F(FileSafety, AReadOnlyDocumentIsNotSavedOverItsOriginal) {
    CFolari2Doc doc = Generation("eins");
    ASSERT_FALSE(SaveDocument(doc, path_));
    fs::create_symlink("depot.fl2", folder_ / "verweis.fl2");
    const std::string refusal =
        "Die Datei „depot.fl2“ ist schreibgeschützt geöffnet und kann nicht über sich selbst "
        "gespeichert werden. Bitte wählen Sie einen anderen Dateinamen.";
    struct Case {
        const char* name;
        std::string target;
        bool refused;
    };
    const Case cases[] = {
        {"derselbe Pfad", path_, true},
        {"über einen Umweg", (folder_ / "." / "depot.fl2").string(), true},
        {"über einen Link", (folder_ / "verweis.fl2").string(), true},
        {"neue Datei", (folder_ / "kopie.fl2").string(), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MaybeMessage m = ReadOnlySaveRefusal(path_, c.target);
        ASSERT_EQ(m.has_value(), c.refused);
        if (m) {
            EXPECT_EQ(m->text, refusal);
        }
    }
    EXPECT_EQ(ReadOnlyTitle("depot"), "depot (schreibgeschützt)");
}

TEST_F(FileSafety, EachSaveKeepsThePreviousFileAsBackup) {
    const std::string backup = path_ + ".bak";
    std::string previous;
    for (const char* holder : {"eins", "zwei", "drei"}) {
        SCOPED_TRACE(holder);
        CFolari2Doc doc = Generation(holder);
        ASSERT_FALSE(SaveDocument(doc, path_, true));
        if (previous.empty()) {
            EXPECT_FALSE(fs::exists(backup)) << "nothing was replaced by the first save";
        } else {
            EXPECT_EQ(TempFolder::Contents(backup), previous);
        }
        previous = TempFolder::Contents(path_);
    }
    EXPECT_EQ(LoadDocumentFile(path_, settings_).doc.depot.holderName, "drei");
    EXPECT_EQ(LoadDocumentFile(backup, settings_).doc.depot.holderName, "zwei");

    // Without the setting the backup stays as it was, and a new file gets none.
    const std::string kept = TempFolder::Contents(backup);
    CFolari2Doc doc = Generation("vier");
    ASSERT_FALSE(SaveDocument(doc, path_, false));
    EXPECT_EQ(TempFolder::Contents(backup), kept);
    const std::string other = (folder_ / "anderes.fl2").string();
    ASSERT_FALSE(SaveDocument(doc, other, false));
    ASSERT_FALSE(SaveDocument(doc, other, false));
    EXPECT_FALSE(fs::exists(other + ".bak"));
    EXPECT_EQ(folder_.Entries(), 3u);
}

TEST_F(FileSafety, ADamagedFileOffersItsBackup) {
    for (const char* holder : {"eins", "zwei"}) {
        CFolari2Doc doc = Generation(holder);
        ASSERT_FALSE(SaveDocument(doc, path_, true));
    }
    // The backup was written at 10:15 local time on 11 December 2026.
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 11;
    local.tm_hour = 10;
    local.tm_min = 15;
    local.tm_isdst = -1;
    const timeval times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimes((path_ + ".bak").c_str(), times), 0);
    // Cut short: the data ends early.
    const std::string whole = TempFolder::Contents(path_);
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() / 2);

    const OpenOutcome failed = OpenPortfolioFile(path_, settings_);
    ASSERT_FALSE(failed.opened);
    const MaybeMessage question = BackupQuestion(path_, failed);
    ASSERT_TRUE(question);
    EXPECT_TRUE(question->IsQuestion());
    EXPECT_TRUE(question->text.starts_with("Die Datei „depot.fl2“ ist beschädigt:\n\n" +
                                           failed.error->text))
        << question->text;
    EXPECT_TRUE(question->text.ends_with(
        "\n\nSoll die Sicherungskopie vom 11.12.2026 10:15 geöffnet werden?"))
        << question->text;

    const OpenOutcome backup = OpenBackupOf(path_, settings_);
    ASSERT_TRUE(backup.opened);
    EXPECT_EQ(backup.opened->doc.depot.holderName, "eins");
    EXPECT_EQ(backup.opened->path, path_);
    EXPECT_EQ(backup.opened->title, "depot");
    EXPECT_TRUE(backup.opened->doc.IsModified());
}

TEST_F(FileSafety, NoBackupIsOfferedForAPasswordOrAMissingFileOrWithoutBackup) {
    CFolari2Doc doc = Generation("eins");
    doc.password.protectionActive = 1;
    doc.password.password = "geheim";
    ASSERT_FALSE(SaveDocument(doc, path_, true));
    ASSERT_FALSE(SaveDocument(doc, path_, true));
    ASSERT_TRUE(fs::exists(path_ + ".bak"));

    settings_.askPassword = [] { return std::optional<std::string>("falsch"); };
    EXPECT_FALSE(BackupQuestion(path_, OpenPortfolioFile(path_, settings_)));
    settings_.askPassword = [] { return std::optional<std::string>(); };
    EXPECT_FALSE(BackupQuestion(path_, OpenPortfolioFile(path_, settings_)));

    fs::rename(path_, folder_ / "weg.fl2");
    EXPECT_FALSE(BackupQuestion(path_, OpenPortfolioFile(path_, settings_)));

    fs::remove(path_ + ".bak");
    std::ofstream(path_) << "kaputt";
    const OpenOutcome damaged = OpenPortfolioFile(path_, settings_);
    ASSERT_FALSE(damaged.opened);
    EXPECT_FALSE(BackupQuestion(path_, damaged));
}

TEST(BackupSetting, IsOnUnlessTheProfileSaysOtherwise) {
    MemorySettingsStore profile;
    EXPECT_TRUE(KeepBackupOnSave(profile));
    GeneralOptionsForm form;
    form.LoadProfile(profile);
    EXPECT_TRUE(form.keepBackup);

    form.keepBackup = false;
    form.ApplyToProfile(profile);
    EXPECT_EQ(profile.GetInt("Settings", "SaveBackup"), 0);
    EXPECT_FALSE(KeepBackupOnSave(profile));
    GeneralOptionsForm again;
    again.LoadProfile(profile);
    EXPECT_FALSE(again.keepBackup);
}

}  // namespace
}  // namespace pf
