// The command-line program writes files the way the desktop program does: not over a file
// someone holds open, and keeping the replaced file's permissions.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_commands.h"
#include "platform/clock.h"
#include "platform/file_lock.h"
#include "support/temp_folder.h"

namespace pf {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

class CliFileSafety : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(Run({"sample", source_}), 0) << err_.str();
        ASSERT_EQ(Run({"new", target_}), 0) << err_.str();
    }
    int Run(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        // 10 December 2026, noon UTC.
        const FixedClock clock(1796904000);
        return RunCli(args, out_, err_, clock);
    }

    TempFolder folder_{::testing::UnitTest::GetInstance()->current_test_info()->name()};
    std::string source_ = (folder_ / "quelle.fl2").string();
    std::string target_ = (folder_ / "depot.fl2").string();
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(CliFileSafety, AFileHeldOpenIsNotWrittenOver) {
    // Erika has it open on another computer.
    const std::string lock =
        "Portfolaris-Sperre\nBenutzer: erika\nRechner: rechner2\nProzess: 4711\n"
        "Programm: portfolaris\nSeit: 10.12.2026 09:30\n";
    std::ofstream(target_ + ".lock") << lock;
    const std::string before = TempFolder::Contents(target_);

    EXPECT_EQ(Run({"resave", source_, target_}), 1);
    EXPECT_EQ(err_.str(),
              "Die Datei „depot.fl2“ wird seit 10.12.2026 09:30 von „erika“ auf „rechner2“ "
              "bearbeitet. Sie kann daher nicht überschrieben werden.\n");
    EXPECT_EQ(TempFolder::Contents(target_), before);
    EXPECT_EQ(TempFolder::Contents(target_ + ".lock"), lock);

    // Once she has closed it the file is written, and no lock stays behind.
    fs::remove(target_ + ".lock");
    ASSERT_EQ(Run({"resave", source_, target_}), 0) << err_.str();
    EXPECT_EQ(TempFolder::Contents(target_), TempFolder::Contents(source_));
    EXPECT_FALSE(fs::exists(target_ + ".lock"));
}

TEST_F(CliFileSafety, ReplacingKeepsThePermissions) {
    ASSERT_EQ(::chmod(target_.c_str(), 0640), 0);
    ASSERT_EQ(Run({"resave", source_, target_}), 0) << err_.str();
    struct stat info {};
    ASSERT_EQ(::stat(target_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(TempFolder::Contents(target_), TempFolder::Contents(source_));
}

}  // namespace
}  // namespace pf
