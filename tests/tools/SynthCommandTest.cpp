// The kettledrum command as the build runs it: exit status and messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string output;
};

Outcome run(const std::string& arguments) {
    Outcome outcome;
    const std::string command = std::string("\"") + KETTLEDRUM_EXE + "\" " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        outcome.output += buffer;
    const int status = pclose(pipe);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

class Command : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ =
            fs::path(testing::TempDir()) /
            ("kettledrum_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& text) const {
        const fs::path path = folder_ / name;
        std::ofstream(path) << text;
        return path.string();
    }

    fs::path folder_;
};

TEST_F(Command, BadSourceNamesFileAndLineAndWritesNothing) {
    const std::string source =
        write("bad.mus", "tempo 100\ninstrument a\n  wave saw\nend\npattern P\n  b C4w\nend\n");
    const std::string output = (folder_ / "bad.mp3").string();
    const Outcome outcome = run("\"" + source + "\" \"" + output + "\"");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find(source + ":6: unknown instrument 'b'"), std::string::npos)
        << outcome.output;
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(Command, TooLoudEffectIsRefused) {
    const std::string source = write("loud.sfx", "gain 12\nwave square\nhold 0.1\n");
    const Outcome outcome = run("\"" + source + "\" \"" + (folder_ / "loud.mp3").string() + "\"");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find("too loud"), std::string::npos) << outcome.output;
}

TEST_F(Command, GoodSourceWritesMp3IntoNewFolders) {
    const std::string source = write("blip.sfx", "gain -12\nwave square\npitch C6\nhold 0.05\n");
    const fs::path output = folder_ / "deep" / "er" / "blip.mp3";
    const Outcome outcome = run("--report \"" + source + "\" \"" + output.string() + "\"");
    EXPECT_EQ(outcome.status, 0) << outcome.output;
    EXPECT_GT(fs::file_size(output), 100u);
    EXPECT_NE(outcome.output.find("peak"), std::string::npos);
    EXPECT_FALSE(fs::exists(output.string() + ".part"));
}

TEST_F(Command, MisuseIsAnsweredWithUsage) {
    EXPECT_EQ(run("").status, 2);
    EXPECT_EQ(run("--loud a.sfx b.mp3").status, 2);
    EXPECT_EQ(run("\"" + write("notes.txt", "tempo 90\n") + "\" out.mp3").status, 2);
    EXPECT_EQ(run("\"" + (folder_ / "missing.sfx").string() + "\" out.mp3").status, 2);
}

}  // namespace
