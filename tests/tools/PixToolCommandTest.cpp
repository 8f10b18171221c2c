// The pixtool program as the build runs it: exit status, messages, written files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class PixToolCommand : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("pixtool_test_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path write(const std::string& name, const std::string& text) {
        const fs::path path = dir_ / name;
        std::ofstream(path) << text;
        return path;
    }

    // Runs pixtool with the arguments; returns its exit status and keeps what it printed.
    int run(const std::string& args) {
        const fs::path log = dir_ / "log.txt";
        const std::string cmd =
            std::string("\"") + PIXTOOL_EXE + "\" " + args + " > \"" + log.string() + "\" 2>&1";
        const int status = std::system(cmd.c_str());
        std::ifstream in(log);
        std::stringstream ss;
        ss << in.rdbuf();
        output_ = ss.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path dir_;
    std::string output_;
};

const char* kGood =
    "palette p\n  r #ff0000\nend\nuse p\n"
    "grid dot\n  r\nend\n"
    "piece helper 1x1\n  draw dot at 0,0\nend\n"
    "preview look 2x2\n  draw helper at 0,0\nend\n"
    "picture one 2x2 alias one_b\n  draw helper at 1,1\nend\n";

}  // namespace

TEST_F(PixToolCommand, RejectsUnknownLetterWithFileLineAndFailure) {
    const fs::path src = write("bad.pix", "palette p\n  r #ff0000\nend\nuse p\ngrid g\n  rr\n  rx\nend\n");
    EXPECT_NE(run("--out-dir \"" + (dir_ / "out").string() + "\" \"" + src.string() + "\""), 0);
    EXPECT_EQ(output_.rfind(src.string() + ":7: unknown palette letter 'x'", 0), 0u) << output_;
    EXPECT_FALSE(fs::exists(dir_ / "out"));
}

TEST_F(PixToolCommand, RejectsRaggedGridWithFileLineAndFailure) {
    const fs::path src = write("ragged.pix", "palette p\n  r #ff0000\nend\nuse p\ngrid g\n  rr\n  r\nend\n");
    EXPECT_NE(run("--check \"" + src.string() + "\""), 0);
    EXPECT_EQ(output_.rfind(src.string() + ":7: ragged grid 'g'", 0), 0u) << output_;
}

TEST_F(PixToolCommand, WritesPicturesAliasesListAndDepfile) {
    const fs::path inc = write("colours.pix", "palette extra\n  b #0000ff\nend\n");
    const fs::path src = write("good.pix", std::string("include colours.pix\n") + kGood);
    const fs::path out = dir_ / "out";
    const fs::path list = dir_ / "good.list";
    ASSERT_EQ(run("--out-dir \"" + out.string() + "\" --list \"" + list.string() + "\" --depfile \"" +
                  (dir_ / "good.d").string() + "\" \"" + src.string() + "\""),
              0)
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

    std::ifstream depIn(dir_ / "good.d");
    std::stringstream dep;
    dep << depIn.rdbuf();
    EXPECT_EQ(dep.str().rfind(list.string() + ":", 0), 0u) << dep.str();
    EXPECT_NE(dep.str().find("colours.pix"), std::string::npos) << dep.str();
}

TEST_F(PixToolCommand, ContactSheetHoldsPicturesAndPreviews) {
    const fs::path src = write("good.pix", kGood);
    const fs::path sheet = dir_ / "sheet.png";
    ASSERT_EQ(run("--contact-sheet \"" + sheet.string() + "\" \"" + src.string() + "\""), 0) << output_;
    EXPECT_GT(fs::file_size(sheet), 0u);
}

TEST_F(PixToolCommand, CommandLineMistakesExitWithTwo) {
    EXPECT_EQ(run(""), 2);
    EXPECT_EQ(run("--frobnicate x.pix"), 2);
    EXPECT_EQ(run("--zoom 0 --check x.pix"), 2);
    EXPECT_EQ(run("x.pix"), 2);  // nowhere to write
}

TEST_F(PixToolCommand, MissingSourceFails) {
    EXPECT_EQ(run("--check \"" + (dir_ / "none.pix").string() + "\""), 1);
    EXPECT_NE(output_.find("none.pix"), std::string::npos);
}
