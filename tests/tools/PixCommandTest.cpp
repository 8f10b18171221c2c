// The quorin-pix program as the build runs it: exit status, messages, written files.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

class PixCommandTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) {
        testsupport::writeFile(dir_ / name, text);
        return dir_ / name;
    }

    // Runs quorin-pix with the arguments; returns its exit status and keeps what it printed.
    int run(const std::vector<std::string>& args) {
        const testsupport::ProgramRun run =
            testsupport::runProgram(testsupport::buildProgram("quorin-pix"), args);
        output_ = run.out + run.err;
        return run.exitCode;
    }

    testsupport::TempFolder dir_;
    std::string output_;
};

const char* GOOD =
    "palette p\n  r #ff0000\nend\nuse p\n"
    "grid dot\n  r\nend\n"
    "piece helper 1x1\n  draw dot at 0,0\nend\n"
    "preview look 2x2\n  draw helper at 0,0\nend\n"
    "picture one 2x2 alias one_b\n  draw helper at 1,1\nend\n";

}  // namespace

TEST_F(PixCommandTest, RejectsUnknownLetterWithFileLineAndFailure) {
    const std::string src = write("bad.pix", "palette p\n  r #ff0000\nend\nuse p\ngrid g\n  rr\n  rx\nend\n");
    EXPECT_NE(run({"--out-dir", dir_ / "out", src}), 0);
    EXPECT_EQ(output_.rfind(src + ":7: unknown palette letter 'x'", 0), 0u) << output_;
    EXPECT_FALSE(fs::exists(dir_ / "out"));
}

TEST_F(PixCommandTest, RejectsRaggedGridWithFileLineAndFailure) {
    const std::string src =
        write("ragged.pix", "palette p\n  r #ff0000\nend\nuse p\ngrid g\n  rr\n  r\nend\n");
    EXPECT_NE(run({"--check", src}), 0);
    EXPECT_EQ(output_.rfind(src + ":7: ragged grid 'g'", 0), 0u) << output_;
}

TEST_F(PixCommandTest, WritesPicturesAliasesListAndDepfile) {
    write("colours.pix", "palette extra\n  b #0000ff\nend\n");
    const std::string src = write("good.pix", std::string("include colours.pix\n") + GOOD);
    const fs::path out = dir_ / "out";
    const fs::path list = dir_ / "good.list";
    ASSERT_EQ(run({"--out-dir", out.string(), "--list", list.string(), "--depfile", dir_ / "good.d", src}), 0)
        << output_;
    EXPECT_TRUE(fs::exists(out / "one.png"));
    EXPECT_TRUE(fs::exists(out / "one_b.png"));
    EXPECT_FALSE(fs::exists(out / "helper.png"));  // pieces are only drawn into others
    EXPECT_FALSE(fs::exists(out / "look.png"));    // previews only go on the contact sheet

    std::ifstream listIn(list);
    std::string first, second, third;
    std::getline(listIn, first);
    std::getline(listIn, second);
    EXPECT_EQ(first, (out / "one.png").string());
    EXPECT_EQ(second, (out / "one_b.png").string());
    EXPECT_FALSE(std::getline(listIn, third));

    const std::string dep = testsupport::readFile(dir_ / "good.d");
    EXPECT_EQ(dep.rfind(list.string() + ":", 0), 0u) << dep;
    EXPECT_NE(dep.find("colours.pix"), std::string::npos) << dep;
}

TEST_F(PixCommandTest, ContactSheetHoldsPicturesAndPreviews) {
    const std::string src = write("good.pix", GOOD);
    const fs::path sheet = dir_ / "sheet.png";
    ASSERT_EQ(run({"--contact-sheet", sheet.string(), src}), 0) << output_;
    EXPECT_GT(fs::file_size(sheet), 0u);
}

TEST_F(PixCommandTest, CommandLineMistakesExitWithTwo) {
    EXPECT_EQ(run({}), 2);
    EXPECT_EQ(run({"--frobnicate", "x.pix"}), 2);
    EXPECT_EQ(run({"--zoom", "0", "--check", "x.pix"}), 2);
    EXPECT_EQ(run({"x.pix"}), 2);  // nowhere to write
}

TEST_F(PixCommandTest, MissingSourceFails) {
    EXPECT_EQ(run({"--check", dir_ / "none.pix"}), 1);
    EXPECT_NE(output_.find("none.pix"), std::string::npos);
}
