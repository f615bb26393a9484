// Saving goes through a temporary file beside the target, so that a failed save never
// harms the file that was there before.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "model/archive/archive_test_util.h"
#include "support/temp_folder.h"

namespace pf::testing {
namespace {

namespace fs = std::filesystem;

class SaveFile : public ::testing::Test {
  protected:
    void SetUp() override { doc_.NewDocument({}, Day(1, 2, 2024)); }

    std::string Contents(const fs::path& p) { return TempFolder::Contents(p); }
    size_t FilesInFolder() { return folder_.Entries(); }
    ReadSettings Settings() {
        ReadSettings s;
        s.today = Day(1, 2, 2024);
        return s;
    }

    TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    CFolari2Doc doc_;
};

TEST_F(SaveFile, SavesAndLoads) {
    const fs::path path = folder_ / "depot.fl2";
    SaveDocumentFile(doc_, path);
    EXPECT_EQ(Contents(path), WriteDocument(doc_));
    EXPECT_EQ(FilesInFolder(), 1u);
    const ReadResult r = LoadDocumentFile(path, Settings());
    EXPECT_EQ(r.doc.currencies.size(), 1u);
}

TEST_F(SaveFile, ReplacingKeepsThePermissionsOfTheOldFile) {
    const fs::path path = folder_ / "depot.fl2";
    SaveDocumentFile(doc_, path);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    doc_.depot.holderName = "Neu";
    SaveDocumentFile(doc_, path);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(LoadDocumentFile(path, Settings()).doc.depot.holderName, "Neu");
}

TEST_F(SaveFile, UnstorableTextLeavesTheOldFileAlone) {
    const fs::path path = folder_ / "depot.fl2";
    SaveDocumentFile(doc_, path);
    const std::string before = Contents(path);
    doc_.depot.holderName = "Ωmega";
    EXPECT_THROW(SaveDocumentFile(doc_, path), ArchiveError);
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(SaveFile, FailedRenameLeavesNoTemporaryFileBehind) {
    // The target is a folder that holds a file, so the rename over it must fail.
    const fs::path target = folder_ / "ordner.fl2";
    fs::create_directories(target);
    std::ofstream(target / "inhalt") << "x";
    try {
        SaveDocumentFile(doc_, target);
        FAIL() << "saved over a folder";
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Kind(), ArchiveErrorKind::FileError);
        EXPECT_STREQ(kSaveErrorMessage, "Fehler beim Speichern des Dokuments.");
    }
    EXPECT_EQ(FilesInFolder(), 1u);
    EXPECT_TRUE(fs::is_directory(target));
}

TEST_F(SaveFile, MissingFolderAndMissingFileAreFileErrors) {
    EXPECT_THROW(SaveDocumentFile(doc_, folder_ / "fehlt" / "depot.fl2"), ArchiveError);
    try {
        LoadDocumentFile(folder_ / "fehlt.fl2", Settings());
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Kind(), ArchiveErrorKind::FileError);
        EXPECT_STREQ(OpenErrorMessage(e.Kind()), "Fehler beim Öffnen des Dokuments.");
    }
    try {
        LoadDocumentFile(folder_.Path(), Settings());  // a folder is no file
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Kind(), ArchiveErrorKind::FileError);
    }
}

// A file is read into memory mapped for it; an empty file has nothing to map and must end
// like any file that stops too early, and a file cut short on disk likewise.
TEST_F(SaveFile, EmptyAndShortenedFilesEndEarly) {
    const fs::path path = folder_ / "depot.fl2";
    SaveDocumentFile(doc_, path);
    const std::string bytes = Contents(path);
    for (const size_t length : {size_t{0}, size_t{1}, bytes.size() / 2, bytes.size() - 1}) {
        SCOPED_TRACE(length);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, length);
        try {
            LoadDocumentFile(path, Settings());
            FAIL();
        } catch (const ArchiveError& e) {
            EXPECT_EQ(e.Kind(), ArchiveErrorKind::EndOfFile);
        }
    }
}

}  // namespace
}  // namespace pf::testing
