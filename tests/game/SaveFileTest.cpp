// The save file: the new-game file, writing and reading back every value, tolerant reading of damaged
// files, names the format cannot hold, and failed writes.
#include <random>

#include <gtest/gtest.h>

#include "game/character/PlayerCharacter.h"
#include "game/data/ProgressJson.h"
#include "game/data/SaveFileCodec.h"
#include "tests/support/DataFixture.h"

using namespace vastomer;

namespace {

const char* const NEW_GAME =
    "progress:0\n"
    "tutorialflags:0,0,0,0,0,0,0\n"
    "stagescore:1@0,2@0,3@0\n"
    "situations:\n"
    "weapon:0,10,\n"
    "wear:0,\n"
    "equipped:0,10,0\n"
    "cmp:0\n"
    "clp:0\n"
    "score:0:0\n"
    "userVar:\n"
    "read:\n"
    "nc:en\n";

// A new game over stages 1 to 3, then `text` read over it (every weapon and wear below 20 exists).
ProgressState readOverNewGame(const std::string& text, std::string* language = nullptr,
                              Diagnostics* diagnostics = nullptr) {
    ProgressState state;
    state.reset({1, 2, 3});
    SaveFileCodec::Checks checks;
    checks.weaponExists = [](int id) { return id >= 0 && id < 20; };
    checks.wearExists = [](int id) { return id >= 0 && id < 9; };
    std::string code;
    SaveFileCodec::read(text, state, checks, code, "save", diagnostics);
    if (language) *language = code;
    return state;
}

ProgressState fullState() {
    ProgressState s;
    s.reset({1, 2, 3});
    s.progress = 2;
    s.tutorialFlags = {true, false, true, false, false, true, true};
    s.stageBestScores = {{1, 4200}, {2, 0}, {3, 7}};
    s.situations = {{1, true}, {5, false}, {101, true}};
    s.addWeapon(3);
    s.addWeapon(12);
    s.addWear(4);
    s.addWear(1);
    s.equippedWeapon1 = 3;
    s.equippedWeapon2 = 12;
    s.equippedWear = 4;
    s.sp = 300;
    s.lp = 275;
    s.score = 1500;
    s.totalScore = 9000;
    s.userVars = {{"met_aoi", 1}, {"cats", -2}};
    s.readScripts = {"scenario/opening.bks", "scenario/wop_0001_01.bks"};
    return s;
}

}  // namespace

class SaveFileTest : public DataFixture {};

TEST_F(SaveFileTest, FirstStartWritesTheNewGameFileByteForByte) {
    writeFixtureTables();
    DataManager* data = start("en");
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->getIsNewGame());
    EXPECT_EQ(saveText(), NEW_GAME);
    EXPECT_EQ(data->getCurrentStage(), 0);
    EXPECT_EQ(data->getCurrentPart(), 0);
    EXPECT_EQ(data->getPreviousPart(), -1);
    EXPECT_EQ(data->getDifficulty(), 1);
    // The player is made with the data: its HP is the run's HP.
    ASSERT_NE(data->getPlayerCharacter(), nullptr);
    EXPECT_EQ(data->getHp(), data->getPlayerCharacter()->getMaxHp());
}

TEST_F(SaveFileTest, EveryFieldSurvivesWritingAndReadingBack) {
    ProgressState written = fullState();
    std::string text = SaveFileCodec::write(written, "ja");
    // Owned lists end with a comma, the others do not.
    EXPECT_NE(text.find("weapon:0,10,3,12,\n"), std::string::npos);
    EXPECT_NE(text.find("stagescore:1@4200,2@0,3@7\n"), std::string::npos);
    EXPECT_NE(text.find("situations:1@1,5@0,101@1\n"), std::string::npos);

    std::string language;
    ProgressState read = readOverNewGame(text, &language);
    EXPECT_EQ(language, "ja");
    EXPECT_EQ(ProgressJson::toJson(read, language), ProgressJson::toJson(written, "ja"));
    EXPECT_EQ(SaveFileCodec::write(read, language), text);
}

TEST_F(SaveFileTest, EmptyReadListIsFollowedByTheLanguage) {
    ProgressState state = fullState();
    state.readScripts.clear();
    std::string text = SaveFileCodec::write(state, "en");
    EXPECT_NE(text.find("read:\nnc:en\n"), std::string::npos);
    std::string language;
    ProgressState read = readOverNewGame(text, &language);
    EXPECT_TRUE(read.readScripts.empty());
    EXPECT_EQ(language, "en");
}

TEST_F(SaveFileTest, ProgressLivesThroughARestart) {
    writeFixtureTables();
    DataManager* data = start("en");
    data->setProgress(1);
    data->addWeapon(11);
    data->setEquippedWeapon2(11);
    data->setTutorialFlag(6, true);
    data->setSituationUnlocked(5);
    ASSERT_TRUE(data->setUserVar("door_open", 3));
    ASSERT_TRUE(data->markRead("scenario/hint_0001.bks"));
    data->addScore(1200);
    data->setSp(45);
    data->setLp(120);
    ASSERT_TRUE(data->saveProgress());
    StringsManager::getInstance()->setLanguage("ja");
    ASSERT_TRUE(data->saveProgress());
    nlohmann::json before = data->getProgressJson();

    resetSingletons();
    data = start("en");
    EXPECT_FALSE(data->getIsNewGame());
    EXPECT_EQ(StringsManager::getInstance()->getLanguage(), "ja");  // the saved language wins
    nlohmann::json after = data->getProgressJson();
    for (const char* field : {"progress", "tutorialFlags", "stageBestScores", "situations", "score",
                              "totalScore", "equippedWeapon1", "equippedWeapon2", "equippedWear",
                              "ownedWeapons", "ownedWear", "sp", "lp", "userVars", "readScripts", "language"})
        EXPECT_EQ(after[field], before[field]) << field;
    EXPECT_EQ(after["ownedWeapons"], nlohmann::json({0, 10, 11}));
}

TEST_F(SaveFileTest, EachBadItemIsDroppedAndTheRestKept) {
    Diagnostics diagnostics;
    ProgressState s = readOverNewGame(
        "progress:2\n"
        "stagescore:1@500,2,3@x,4@99999999999,5@7,@9\n"
        "situations:3@1,4@0,5,6@2\n"
        "weapon:0,10,11,zz,99999999999,11,\n"
        "wear:0,2,,5x,\n"
        "equipped:11,12\n"
        "cmp:-5\n"
        "clp:900\n"
        "score:5\n"
        "userVar:a;1,b,c;x, d ;4,e;99999999999,f:g;1\n"
        "read:one,two\n",
        nullptr, &diagnostics);
    EXPECT_EQ(s.progress, 2);
    EXPECT_EQ(s.stageBestScores, (std::map<int, int>{{1, 500}, {5, 7}}));
    EXPECT_EQ(s.situations, (std::map<int, bool>{{3, true}, {4, false}, {6, true}}));
    EXPECT_EQ(s.ownedWeapons, (std::vector<int>{0, 10, 11}));
    EXPECT_EQ(s.ownedWear, (std::vector<int>{0, 2, 5}));  // "5x" reads as 5, as the game always did
    EXPECT_EQ(s.equippedWeapon1, 0);                      // too few values: the line is dropped
    EXPECT_EQ(s.equippedWeapon2, 10);
    EXPECT_EQ(s.sp, 0);
    EXPECT_EQ(s.lp, ProgressState::kLpMax);
    EXPECT_EQ(s.score, 0);  // one value on "score:": dropped
    EXPECT_EQ(s.totalScore, 0);
    EXPECT_EQ(s.userVars, (std::map<std::string, int>{{"a", 1}, {"d", 4}}));
    EXPECT_EQ(s.readScripts, (std::set<std::string>{"one", "two"}));
    EXPECT_GE(diagnostics.size(), 12u);
    for (const Diagnostic& entry : diagnostics.entries())
        EXPECT_GT(entry.line, 0) << entry.message;
}

TEST_F(SaveFileTest, OddButReadableValues) {
    ProgressState s = readOverNewGame(
        "tutorialflags:1,2\n"  // only the flags given change; anything but "0" is true
        "progress:abc\n"       // not a number: 0
        "equipped:3,77,4\n"    // weapon 77 does not exist: the second slot falls back to 10
        "score: -8 : 12 \n"
        "nc: en \n"
        "garbage line\n"
        "\n");
    EXPECT_TRUE(s.tutorialFlags[0]);
    EXPECT_TRUE(s.tutorialFlags[1]);
    EXPECT_FALSE(s.tutorialFlags[2]);
    EXPECT_EQ(s.progress, 0);
    EXPECT_EQ(s.equippedWeapon1, 3);
    EXPECT_EQ(s.equippedWeapon2, 10);
    EXPECT_EQ(s.equippedWear, 4);
    EXPECT_EQ(s.score, 0);
    EXPECT_EQ(s.totalScore, 12);

    ProgressState bigProgress = readOverNewGame("progress:99999999999\n");
    EXPECT_EQ(bigProgress.progress, 0);  // dropped: the value before stays
}

TEST_F(SaveFileTest, MissingAndEmptyStageScoreLines) {
    EXPECT_EQ(readOverNewGame("progress:1\n").stageBestScores, (std::map<int, int>{{1, 0}, {2, 0}, {3, 0}}));
    EXPECT_TRUE(readOverNewGame("stagescore:\n").stageBestScores.empty());
}

TEST_F(SaveFileTest, TruncatedFilesKeepEveryWholeLine) {
    std::string text = SaveFileCodec::write(fullState(), "ja");
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        std::string language;
        ProgressState s = readOverNewGame(text.substr(0, cut), &language);
        // Lines wholly before the cut are read as written.
        if (cut >= text.find("stagescore:") + std::string("stagescore:1@4200,2@0,3@7\n").size()) {
            EXPECT_EQ(s.stageBestScores.at(1), 4200);
        }
        if (cut == text.size()) {
            EXPECT_EQ(language, "ja");
        }
        EXPECT_LE(s.sp, ProgressState::kSpMax);
    }
}

TEST_F(SaveFileTest, BinaryJunkNeverBreaksReading) {
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> byte(0, 255);
    const char* keys[] = {"progress:", "stagescore:", "situations:", "weapon:", "equipped:",
                          "score:",    "userVar:",    "read:",       "nc:",     "tutorialflags:"};
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int line = 0; line < 12; ++line) {
            text += keys[static_cast<std::size_t>(byte(generator)) % 10];
            for (int i = byte(generator) % 40; i > 0; --i)
                text += static_cast<char>(byte(generator));
            text += '\n';
        }
        ProgressState s = readOverNewGame(text);
        EXPECT_GE(s.sp, 0);
        EXPECT_LE(s.lp, ProgressState::kLpMax);
        // Whatever was read can be written and read back the same.
        std::string again = SaveFileCodec::write(s, "en");
        EXPECT_EQ(SaveFileCodec::write(readOverNewGame(again), "en"), again);
        EXPECT_NO_THROW(ProgressJson::toJson(s, "en").dump());
    }
}

TEST_F(SaveFileTest, NamesTheFormatCannotHoldAreRefused) {
    writeFixtureTables();
    DataManager* data = start();
    for (const char* bad : {"", "a,b", "a;b", "a:b", "a@b", "a\nb", "a\rb", " lead", "trail\t"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(data->setUserVar(bad, 1));
    }
    for (const char* bad : {"", "x,y", "x:y", "x\n", "x;y", "x@y"})
        EXPECT_FALSE(data->markRead(bad)) << bad;
    EXPECT_TRUE(data->setUserVar("fine name", 2));
    EXPECT_TRUE(data->markRead(" spaced name "));
    EXPECT_TRUE(data->getProgressState().userVars.size() == 1);
    ASSERT_TRUE(data->saveProgress());
    EXPECT_NE(saveText().find("userVar:fine name;2\nread: spaced name \n"), std::string::npos);

    resetSingletons();
    data = start();
    EXPECT_EQ(data->getUserVar("fine name"), 2);
    EXPECT_TRUE(data->isRead(" spaced name "));
}

TEST_F(SaveFileTest, AFailedWriteKeepsThePreviousFileAndSaysSo) {
    writeFixtureTables();
    DataManager* data = start();
    std::string before = saveText();
    data->setProgress(2);
    for (auto fault : {engine::FileUtils::WriteFault::OPEN, engine::FileUtils::WriteFault::WRITE,
                       engine::FileUtils::WriteFault::SYNC, engine::FileUtils::WriteFault::RENAME}) {
        engine::FileUtils::getInstance()->setWriteFaultForTesting(fault);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(data->saveProgress());
        EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot write the save file"),
                  std::string::npos);
        EXPECT_EQ(saveText(), before);
    }
    engine::FileUtils::getInstance()->setWriteFaultForTesting(engine::FileUtils::WriteFault::NONE);
    EXPECT_TRUE(data->saveProgress());
    EXPECT_NE(saveText().find("progress:2\n"), std::string::npos);
}

TEST_F(SaveFileTest, AnExistingDamagedFileIsNotReplacedAtStartUp) {
    writeFixtureTables();
    writeSave("progress:1\nstagescore:1@300,junk\n\x01\x02\xff\n");
    DataManager* data = start();
    EXPECT_FALSE(data->getIsNewGame());
    EXPECT_EQ(data->getProgress(), 1);
    EXPECT_EQ(data->getStageScore(1), 300);
    EXPECT_EQ(data->getOwnedWeapons(), (std::vector<int>{0, 10}));
    EXPECT_EQ(saveText(), "progress:1\nstagescore:1@300,junk\n\x01\x02\xff\n");
}
