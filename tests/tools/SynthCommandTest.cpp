// The quorin-synth command as the build runs it: exit status and messages.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
    int status = -1;
    std::string output;  // standard output and standard error, one after the other
};

Outcome run(const std::vector<std::string>& arguments) {
    const testsupport::ProgramRun run =
        testsupport::runProgram(testsupport::buildProgram("quorin-synth"), arguments);
    return Outcome{run.exitCode, run.out + run.err};
}

class SynthCommandTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) const {
        testsupport::writeFile(folder_ / name, text);
        return folder_ / name;
    }

    testsupport::TempFolder folder_;
};

TEST_F(SynthCommandTest, BadSourceNamesFileAndLineAndWritesNothing) {
    const std::string source =
        write("bad.mus", "tempo 100\ninstrument a\n  wave saw\nend\npattern P\n  b C4w\nend\n");
    const std::string output = folder_ / "bad.mp3";
    const Outcome outcome = run({source, output});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find(source + ":6: unknown instrument 'b'"), std::string::npos)
        << outcome.output;
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(SynthCommandTest, TooLoudEffectIsRefused) {
    const std::string source = write("loud.sfx", "gain 12\nwave square\nhold 0.1\n");
    const Outcome outcome = run({source, folder_ / "loud.mp3"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.output.find("too loud"), std::string::npos) << outcome.output;
}

TEST_F(SynthCommandTest, GoodSourceWritesMp3IntoNewFolders) {
    const std::string source = write("blip.sfx", "gain -12\nwave square\npitch C6\nhold 0.05\n");
    const fs::path output = folder_ / "deep/er/blip.mp3";
    const Outcome outcome = run({"--report", source, output.string()});
    EXPECT_EQ(outcome.status, 0) << outcome.output;
    EXPECT_GT(fs::file_size(output), 100u);
    EXPECT_NE(outcome.output.find("peak"), std::string::npos);
    EXPECT_FALSE(fs::exists(output.string() + ".part"));
}

TEST_F(SynthCommandTest, MisuseIsAnsweredWithUsage) {
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"--loud", "a.sfx", "b.mp3"}).status, 2);
    EXPECT_EQ(run({write("notes.txt", "tempo 90\n"), folder_ / "out.mp3"}).status, 2);
    EXPECT_EQ(run({folder_ / "missing.sfx", folder_ / "out.mp3"}).status, 2);
}

}  // namespace
