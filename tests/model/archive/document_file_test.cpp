// Saving goes through a temporary file beside the target, so that a failed save never
// harms the file that was there before.

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "model/archive/archive_test_util.h"

namespace pf::testing {
namespace {

namespace fs = std::filesystem;

class SaveFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("pf_save_" + std::to_string(::getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        doc_.NewDocument({}, Day(1, 2, 2024));
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    size_t FilesInFolder() {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }
    ReadSettings Settings() {
        ReadSettings s;
        s.today = Day(1, 2, 2024);
        return s;
    }

    fs::path folder_;
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
        LoadDocumentFile(folder_, Settings());  // a folder is no file
        FAIL();
    } catch (const ArchiveError& e) {
        EXPECT_EQ(e.Kind(), ArchiveErrorKind::FileError);
    }
}

}  // namespace
}  // namespace pf::testing
