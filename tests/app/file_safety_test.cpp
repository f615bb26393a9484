// The main window with the lock of an open file and the backup generation: a file another
// instance holds opens read-only and is not saved over, a damaged file offers its backup,
// and the check box "Sicherungskopie beim Speichern anlegen" decides whether saving keeps one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/dialogs/options_dialog.h"
#include "app/document_handle.h"
#include "app/main_window.h"
#include "app/message_box.h"
#include "model/archive/document_file.h"
#include "platform/file_lock.h"
#include "platform/settings_store.h"
#include "qtcanvas/qt_string.h"
#include "support/full_document.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

std::vector<Message> shown;
int answer = QMessageBox::Yes;
int Record(const Message& m, int) {
    shown.push_back(m);
    return m.IsQuestion() ? answer : QMessageBox::Ok;
}

class FileSafetyWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        shown.clear();
        answer = QMessageBox::Yes;
        SetMessageBoxHandler(&Record);
        Write("eins", false);
    }
    void TearDown() override {
        for (auto* w : {&first_, &second_}) {
            if (!*w) continue;
            for (DocumentHandle* d : (*w)->Documents()) d->SetModified(false);
            w->reset();
        }
        SetMessageBoxHandler(nullptr);
    }

    // A small portfolio whose holder names the generation it was saved as.
    void Write(const std::string& holder, bool keepBackup) {
        CFolari2Doc doc;
        doc.NewDocument({}, testing::Day(10, 12, 2026));
        doc.depot.holderName = holder;
        SaveDocumentFile(doc, path_, keepBackup);
    }

    std::unique_ptr<MainWindow> Start() {
        MainWindowSetup setup;
        setup.settings = &settings_;
        setup.programFolder = folder_.Path().string();
        setup.today = testing::Day(10, 12, 2026);
        auto window = std::make_unique<MainWindow>(setup);
        window->SetSavePathChooser([this](const QString&) { return savePath_; });
        return window;
    }

    static std::string Lock(const fs::path& file) {
        return TempFolder::Contents(file.string() + ".lock");
    }

    TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    fs::path path_ = folder_ / "depot.fl2";
    QString file_ = ToQString(path_.string());
    MemorySettingsStore settings_;
    QString savePath_;
    std::unique_ptr<MainWindow> first_;
    std::unique_ptr<MainWindow> second_;
};

TEST_F(FileSafetyWindow, ASecondOpenIsReadOnlyAndNeverWritesOverTheOriginal) {
    first_ = Start();
    DocumentHandle* writer = first_->OpenFile(file_);
    ASSERT_NE(writer, nullptr);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(writer->Title(), QStringLiteral("depot"));
    ASSERT_TRUE(fs::exists(path_.string() + ".lock"));
    const std::string held = Lock(path_);
    const std::string original = TempFolder::Contents(path_);

    // A second instance is told who holds the file; No opens nothing.
    const LockOwner me = ThisProcessAsOwner(0);
    second_ = Start();
    answer = QMessageBox::No;
    EXPECT_EQ(second_->OpenFile(file_), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].IsQuestion());
    EXPECT_EQ(shown[0].title, "Portfolaris");
    EXPECT_TRUE(shown[0].text.starts_with("Die Datei „depot.fl2“ wird seit ")) << shown[0].text;
    EXPECT_TRUE(shown[0].text.ends_with(" von „" + me.user + "“ auf „" + me.host +
                                        "“ bearbeitet. Soll sie schreibgeschützt geöffnet werden?"))
        << shown[0].text;
    EXPECT_TRUE(second_->Documents().isEmpty());

    // Yes opens it read-only.
    answer = QMessageBox::Yes;
    shown.clear();
    DocumentHandle* reader = second_->OpenFile(file_);
    ASSERT_NE(reader, nullptr);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(reader->ReadOnly());
    EXPECT_EQ(reader->Title(), QStringLiteral("depot (schreibgeschützt)"));
    EXPECT_TRUE(second_->windowTitle().contains(QStringLiteral("depot (schreibgeschützt)")))
        << FromQString(second_->windowTitle());
    EXPECT_EQ(reader->Doc().depot.holderName, "eins");

    // Save is refused with the reason and offers Save As; cancelled there, nothing is written.
    reader->Doc().Edit([](CFolari2Doc& d) { d.depot.holderName = "geändert"; });
    shown.clear();
    savePath_.clear();
    EXPECT_FALSE(second_->SaveDocument(reader));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "Die Datei „depot.fl2“ ist schreibgeschützt geöffnet und kann nicht über sich "
              "selbst gespeichert werden. Bitte wählen Sie einen anderen Dateinamen.");
    // Save As onto the original, here through a link, is refused the same way.
    fs::create_symlink("depot.fl2", folder_ / "verweis.fl2");
    shown.clear();
    EXPECT_FALSE(second_->SaveDocumentTo(reader, ToQString((folder_ / "verweis.fl2").string())));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("schreibgeschützt geöffnet"), std::string::npos);
    EXPECT_EQ(TempFolder::Contents(path_), original);
    EXPECT_EQ(Lock(path_), held);
    EXPECT_TRUE(reader->IsModified());

    // Save As to another file is allowed: the document then holds that file, for writing.
    const fs::path copy = folder_ / "kopie.fl2";
    savePath_ = ToQString(copy.string());
    shown.clear();
    EXPECT_TRUE(second_->SaveDocument(reader));
    EXPECT_EQ(shown.size(), 1u);  // the refusal before the Save As dialog
    EXPECT_FALSE(reader->ReadOnly());
    EXPECT_EQ(reader->Title(), QStringLiteral("kopie"));
    ASSERT_NE(reader->Lock(), nullptr);
    const std::optional<LockOwner> holder = ParseLockFile(Lock(copy));
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->pid, ::getpid());
    EXPECT_EQ(LoadDocumentFile(copy, {}).doc.depot.holderName, "geändert");
    EXPECT_EQ(TempFolder::Contents(path_), original);

    // Now the first instance may not write over the copy either.
    shown.clear();
    writer->Changed();
    EXPECT_FALSE(first_->SaveDocumentTo(writer, savePath_));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.ends_with("bearbeitet. Sie kann daher nicht überschrieben werden."))
        << shown[0].text;
    EXPECT_EQ(LoadDocumentFile(copy, {}).doc.depot.holderName, "geändert");

    // Save As elsewhere moves the first instance's lock along: the original is free again.
    const fs::path moved = folder_ / "drei.fl2";
    ASSERT_TRUE(first_->SaveDocumentTo(writer, ToQString(moved.string())));
    EXPECT_FALSE(fs::exists(path_.string() + ".lock"));
    EXPECT_TRUE(fs::exists(moved.string() + ".lock"));

    // Closing releases each lock at once.
    EXPECT_TRUE(second_->CloseDocument(reader));
    EXPECT_FALSE(fs::exists(copy.string() + ".lock"));
    EXPECT_TRUE(first_->CloseDocument(writer));
    EXPECT_FALSE(fs::exists(moved.string() + ".lock"));
}

TEST_F(FileSafetyWindow, ADamagedFileAsksForItsBackup) {
    Write("zwei", true);  // "eins" becomes the backup
    const std::string whole = TempFolder::Contents(path_);
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << whole.substr(0, whole.size() - 40);
    first_ = Start();

    answer = QMessageBox::No;
    EXPECT_EQ(first_->OpenFile(file_), nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].IsQuestion());
    EXPECT_TRUE(
        shown[0].text.starts_with("Die Datei „depot.fl2“ ist beschädigt:\n\n"
                                  "Unerwartetes Dateiformat."))
        << shown[0].text;
    EXPECT_FALSE(fs::exists(path_.string() + ".lock"));

    answer = QMessageBox::Yes;
    shown.clear();
    DocumentHandle* d = first_->OpenFile(file_);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_EQ(d->Doc().depot.holderName, "eins");
    EXPECT_EQ(d->Path(), file_);
    EXPECT_EQ(d->Title(), QStringLiteral("depot"));
    EXPECT_TRUE(d->IsModified());  // the file on the disk is still the damaged one
    ASSERT_TRUE(first_->SaveDocument(d));
    EXPECT_EQ(LoadDocumentFile(path_, {}).doc.depot.holderName, "eins");

    // Quitting the program frees the file.
    EXPECT_TRUE(fs::exists(path_.string() + ".lock"));
    EXPECT_TRUE(first_->close());
    EXPECT_FALSE(fs::exists(path_.string() + ".lock"));
}

// Opens "Optionen..." on the page "Allgemein", checks that the box shows `expected`, sets it
// to `wanted` and presses OK.
void SetBackupBox(MainWindow& window, bool expected, bool wanted) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("keepBackup"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(dialog->Pages()->tabText(dialog->Pages()->indexOf(box->parentWidget())),
                  QStringLiteral("Allgemein"));
        EXPECT_EQ(box->text(), QStringLiteral("S&icherungskopie beim Speichern anlegen"));
        EXPECT_EQ(box->isChecked(), expected);
        box->setChecked(wanted);
        seen = true;
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    window.FindAction(QStringLiteral("actionOptions"))->trigger();
    EXPECT_TRUE(seen);
}

TEST_F(FileSafetyWindow, TheBackupBoxIsAProfileSettingThatSavingFollows) {
    first_ = Start();
    DocumentHandle* d = first_->OpenFile(file_);
    ASSERT_NE(d, nullptr);
    const fs::path backup = path_.string() + ".bak";

    // On by default: the save keeps the file it replaces, byte for byte.
    std::string before = TempFolder::Contents(path_);
    d->Changed();
    ASSERT_TRUE(first_->SaveDocument(d));
    EXPECT_EQ(TempFolder::Contents(backup), before);

    // Off: the profile holds 0, and the next save leaves the backup alone.
    SetBackupBox(*first_, true, false);
    EXPECT_EQ(settings_.GetInt("Settings", "SaveBackup"), 0);
    const std::string kept = TempFolder::Contents(backup);
    d->Changed();
    ASSERT_TRUE(first_->SaveDocument(d));
    EXPECT_EQ(TempFolder::Contents(backup), kept);
    // A file saved for the first time gets none either way.
    savePath_ = ToQString((folder_ / "neu.fl2").string());
    ASSERT_TRUE(first_->SaveDocumentAs(d));
    ASSERT_TRUE(first_->SaveDocument(d));
    EXPECT_FALSE(fs::exists(folder_ / "neu.fl2.bak"));

    // The box comes back from the profile, in a window started anew as well; on again.
    first_.reset();
    first_ = Start();
    d = first_->OpenFile(file_);
    ASSERT_NE(d, nullptr);
    SetBackupBox(*first_, false, true);
    EXPECT_EQ(settings_.GetInt("Settings", "SaveBackup"), 1);
    before = TempFolder::Contents(path_);
    d->Changed();
    ASSERT_TRUE(first_->SaveDocument(d));
    EXPECT_EQ(TempFolder::Contents(backup), before);
}

}  // namespace
}  // namespace pf
