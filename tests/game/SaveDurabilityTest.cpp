// The save file and the settings store outlive a process killed in the middle of writing them, and a
// save that cannot be written is told to the player while the game goes on.
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <cstdlib>
#include <random>
#include <string>

#include "engine/platform/MessageBox.h"
#include "engine/platform/UserDefault.h"
#include "game/data/SaveFileCodec.h"
#include "tests/support/DataFixture.h"
#include "tests/support/ProgramRun.h"

namespace {

// Rounds of a writer killed at a random moment; the delays span many whole writes.
constexpr int KILL_ROUNDS = 300;
constexpr int MAX_DELAY_MICROSECONDS = 4000;

// What the kill rounds saw: how many, and how many kills left a half-written temporary file behind
// (the kill landed inside a write).
struct KillFigures {
    int rounds = 0;
    int insideAWrite = 0;
};

// Removes the temporaries a killed writer left next to `file` and says whether there were any.
bool removeLeftovers(const std::string& folder, const std::string& file) {
    bool found = false;
    for (const std::string& name : testsupport::listFolder(folder)) {
        if (name.rfind("." + file + ".tmp-", 0) != 0) continue;
        found = true;
        std::remove((folder + "/" + name).c_str());
    }
    return found;
}

// Starts `writeForever` in a child, kills it at random moments KILL_ROUNDS times, and after every
// kill has `check` look at the file on disk.
template <typename Writer, typename Check>
KillFigures killWhileWriting(const std::string& folder, const std::string& file, Writer writeForever,
                             Check check) {
    std::mt19937 random(20240607);
    std::uniform_int_distribution<int> delay(0, MAX_DELAY_MICROSECONDS);
    KillFigures figures;
    for (int round = 0; round < KILL_ROUNDS; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            writeForever();
            ::_exit(0);
        }
        EXPECT_GT(child, 0);
        if (child <= 0) break;
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++figures.rounds;
        if (removeLeftovers(folder, file)) ++figures.insideAWrite;
        if (!check(round)) break;
    }
    return figures;
}

class SaveKillTest : public DataFixture {};

TEST_F(SaveKillTest, AKilledWriterLeavesTheOldOrTheNewSaveNeverAMix) {
    writeFixtureTables();
    vastomer::DataManager* data = start();
    ASSERT_NE(data, nullptr);
    // Two saves of very different lengths: a cut or a mix of them can be neither.
    auto makeSmall = [data] {
        data->setProgress(1);
        for (int i = 0; i < 400; ++i)
            data->eraseUserVar("lantern " + std::to_string(i));
    };
    auto makeLarge = [data] {
        data->setProgress(2);
        for (int i = 0; i < 400; ++i)
            data->setUserVar("lantern " + std::to_string(i), i * 7919);
    };
    makeLarge();
    const std::string large = vastomer::SaveFileCodec::write(data->getProgressState(), "en");
    makeSmall();
    const std::string small = vastomer::SaveFileCodec::write(data->getProgressState(), "en");
    ASSERT_TRUE(data->saveProgress());
    ASSERT_EQ(saveText(), small);

    const KillFigures figures = killWhileWriting(
        saveDir_ / "vastomer", "r.quorin.sav",
        [&] {
            for (;;) {
                makeLarge();
                data->saveProgress();
                makeSmall();
                data->saveProgress();
            }
        },
        [&](int round) {
            const std::string text = saveText();
            EXPECT_TRUE(text == small || text == large)
                << "round " << round << ": " << text.size() << " bytes, neither save";
            return text == small || text == large;
        });
    EXPECT_EQ(figures.rounds, KILL_ROUNDS);
    // Enough kills must land inside a write, or the test proves little (how many depends on the
    // machine's load: about a quarter on a quiet machine, a fifth on a busy one).
    EXPECT_GT(figures.insideAWrite, KILL_ROUNDS / 10);
    RecordProperty("rounds", figures.rounds);
    RecordProperty("killsInsideAWrite", figures.insideAWrite);
    std::printf("save kill test: %d rounds, %d kills inside a write\n", figures.rounds, figures.insideAWrite);
}

TEST_F(SaveKillTest, AKilledWriterLeavesTheOldOrTheNewSettingsNeverAMix) {
    auto* settings = engine::UserDefault::getInstance();
    settings->reload();
    const std::string shortValue(16, 'a');
    const std::string longValue(40000, 'b');
    settings->setStringForKey("blob", shortValue);
    const std::string path = settings->getFilePath();

    const KillFigures figures = killWhileWriting(
        saveDir_.path(), "UserDefault.xml",
        [&] {
            for (;;) {
                settings->setStringForKey("blob", longValue);
                settings->setStringForKey("blob", shortValue);
            }
        },
        [&](int round) {
            const auto values = engine::UserDefault::readEntries(testsupport::readFile(path));
            const bool whole = values.size() == 1 && values.count("blob") &&
                               (values.at("blob") == shortValue || values.at("blob") == longValue);
            EXPECT_TRUE(whole) << "round " << round << ": the settings file holds neither version";
            return whole;
        });
    EXPECT_EQ(figures.rounds, KILL_ROUNDS);
    EXPECT_GT(figures.insideAWrite, KILL_ROUNDS / 10);
    RecordProperty("rounds", figures.rounds);
    RecordProperty("killsInsideAWrite", figures.insideAWrite);
    std::printf("settings kill test: %d rounds, %d kills inside a write\n", figures.rounds,
                figures.insideAWrite);
    settings->reload();
}

class SaveFailureTest : public DataFixture {};

TEST_F(SaveFailureTest, AFullDiskIsToldToThePlayerOnceAndTheGameGoesOn) {
    writeFixtureTables();
    vastomer::DataManager* data = start();
    engine::MessageBox::setHeadless(true);
    engine::MessageBox::clearShown();
    const std::string before = saveText();
    data->setProgress(2);
    engine::FileUtils::getInstance()->setWriteFaultForTesting(engine::FileUtils::WriteFault::WRITE);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(data->saveProgress());
    EXPECT_FALSE(data->saveProgress());
    testing::internal::GetCapturedStderr();
    ASSERT_EQ(engine::MessageBox::getShown().size(), 1u);
    EXPECT_EQ(engine::MessageBox::getShown()[0].title, vastomer::DataManager::SAVE_ERROR_TITLE);
    EXPECT_NE(engine::MessageBox::getShown()[0].message.find(savePath()), std::string::npos);
    EXPECT_EQ(saveText(), before);

    // Once a save works again, a later failure is told again.
    engine::FileUtils::getInstance()->setWriteFaultForTesting(engine::FileUtils::WriteFault::NONE);
    EXPECT_TRUE(data->saveProgress());
    engine::FileUtils::getInstance()->setWriteFaultForTesting(engine::FileUtils::WriteFault::RENAME);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(data->saveProgress());
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(engine::MessageBox::getShown().size(), 2u);
    engine::MessageBox::clearShown();
}

TEST(SaveFailureProgramTest, AnUnwritableDataFolderIsReportedAndTheGameRunsOn) {
    // A data folder below a plain file can never be made, whoever runs the game.
    testsupport::TempFolder scratch;
    testsupport::writeFile(scratch / "plain", "not a folder");
    const testsupport::ProgramRun run =
        testsupport::runProgram(testsupport::buildProgram("quorin"),
                                {"--headless", "--frames", "90", "--data-dir", scratch / "plain/data",
                                 "--dump-state", scratch / "state.json"});
    EXPECT_EQ(run.exitCode, 0) << run.describe();
    EXPECT_NE(run.err.find("SAVE ERROR: The game could not be saved"), std::string::npos) << run.err;
    EXPECT_NE(testsupport::readFile(scratch / "state.json").find("\"frame\""), std::string::npos);
}

}  // namespace
