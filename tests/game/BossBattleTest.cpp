// The boss battle and the stage result on the play screen: the introduction (camera pan, the gauge
// filling in 45 frames with its sound, the name card), the HP watch, the defeat that sweeps the other
// creatures and their shots, the stage-end scene once per save, and the result's two choices with the
// stage's own score.
#include <algorithm>

#include "engine/audio/AudioEngine.h"
#include "game/play/BossBattle.h"
#include "game/play/BossBattleInterface.h"
#include "game/play/ResultPanel.h"
#include "tests/support/Files.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

constexpr int GATE_TOAD = 100;

class BossBattleTest : public PlayFixture {
protected:
    // The tests' boss part, with the Gate Toad on it (made here while the map has no creatures).
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1, 4), nullptr);
        runFrames(3);
        ASSERT_NE(map(), nullptr);
        boss_ = map()->getBoss();
        if (!boss_) boss_ = spawn(GATE_TOAD, "enemy", engine::Vec2(300.0f, 0.0f));
        ASSERT_NE(boss_.get(), nullptr);
        boss_->setIsBoss(true);
    }

    CharacterSprite* spawn(int id, const std::string& kind, const engine::Vec2& offset) {
        CharacterSprite* character = CharacterSprite::create(id, 0, kind, 0);
        if (!character) return nullptr;
        character->setPosition(map()->getStartPosition() + offset);
        map()->getCharacterLayer()->addChild(character);
        map()->addCharacter(character, true);
        return character;
    }

    BossBattleInterface* overlay() const { return scene()->getBossBattleInterface(); }

    // Runs until the battle has begun (the name card has gone); false after `limit` frames.
    bool runUntilBattle(int limit = 600) {
        for (int i = 0; i < limit; ++i) {
            runFrames(1);
            if (controller()->isBossBattle() && controller()->isActive()) return true;
        }
        return false;
    }
    bool runUntilResultReady(int limit = 900) {
        for (int i = 0; i < limit; ++i) {
            runFrames(1);
            if (controller()->isResultShown() && controller()->isActive()) return true;
        }
        return false;
    }
    // The boss falls and the result panel comes up.
    void defeatBossAndWaitForResult() {
        ASSERT_TRUE(runUntilBattle());
        boss_->die();
        ASSERT_TRUE(runUntilResultReady());
    }

    static long long tickOf(const std::string& path) {
        for (const auto& entry : engine::AudioEngine::getLog())
            if (entry.operation == "play2d" && entry.path == path) return entry.tick;
        return -1;
    }

    engine::WeakRef<CharacterSprite> boss_;
};

}  // namespace

TEST_F(BossBattleTest, TheIntroductionPansFillsTheGaugeInFortyFiveFramesAndNamesTheBoss) {
    for (int i = 0; i < 120 && overlay()->getPhase() != "intro"; ++i)
        runFrames(1);
    ASSERT_EQ(overlay()->getPhase(), "intro");
    EXPECT_FALSE(controller()->isActive());
    EXPECT_TRUE(scene()->isStaging()) << "the camera stops following the player";
    EXPECT_TRUE(player()->isFrozen());
    EXPECT_TRUE(map()->isActionLocked());
    int panFrames = 0;
    while (!overlay()->getBossGauge() && panFrames < 100) {
        runFrames(1);
        ++panFrames;
    }
    EXPECT_EQ(panFrames, 30) << "the camera pans for 0.5 s, then the gauge comes";
    EXPECT_NEAR(scene()->getCameraTarget()->getPositionX(), boss_->getPositionX(), 1.0f);
    EXPECT_NEAR(scene()->getCameraTarget()->getPositionY(), boss_->getPositionY(), 8.0f);

    ASSERT_EQ(overlay()->getPhase(), "gauge");
    Gauge* gauge = overlay()->getBossGauge();
    const long long soundTick = tickOf(BossBattleInterface::GAUGE_SOUND);
    EXPECT_GE(soundTick, 0) << "the fill sound is in the audio log";
    const float maximum = static_cast<float>(boss_->getMaxHp());
    EXPECT_FLOAT_EQ(gauge->getMaximum(), maximum);
    int frames = 1;  // the frame the gauge came in filled its first step
    while (gauge->getValue() < maximum && frames < 100) {
        runFrames(1);
        ++frames;
    }
    EXPECT_EQ(frames, 45) << "the bar fills in 45 frames";
    EXPECT_EQ(gauge->getFramesLeft(), 0);

    ASSERT_TRUE(runUntilBattle());
    EXPECT_FALSE(scene()->isStaging());
    EXPECT_FALSE(player()->isFrozen());
    EXPECT_FALSE(map()->isActionLocked());
    EXPECT_GE(tickOf(BossBattleInterface::NAME_SOUND), soundTick);

    // The HP watch: every normal frame the gauge shows the boss's HP at once.
    boss_->setHp(boss_->getMaxHp() / 3);
    runFrames(1);
    EXPECT_FLOAT_EQ(overlay()->getBossGauge()->getValue(), static_cast<float>(boss_->getMaxHp() / 3));
}

TEST_F(BossBattleTest, TheDefeatSweepsCreaturesAndTheirShotsButNotAGroupBossBody) {
    CharacterSprite* creature = spawn(1, "enemy", engine::Vec2(120.0f, 0.0f));
    CharacterSprite* shot = spawn(1, "enemyBullet", engine::Vec2(160.0f, 40.0f));
    CharacterSprite* groupBoss = spawn(1, "groupBoss", engine::Vec2(200.0f, 0.0f));
    ASSERT_TRUE(creature && shot && groupBoss);
    ASSERT_TRUE(runUntilBattle());
    player()->setHp(37);
    boss_->die();
    runFrames(1);
    EXPECT_FALSE(controller()->isActive());
    EXPECT_TRUE(controller()->isBossDefeatHandled());
    EXPECT_TRUE(creature->isDefeated());
    EXPECT_TRUE(shot->isDefeated());
    EXPECT_FALSE(groupBoss->isDefeated()) << "a group boss's own body stays";
    EXPECT_FALSE(player()->isDefeated());

    // A second later the music stops and the banner flickers in.
    runFrames(58);
    EXPECT_EQ(overlay()->getPhase(), "battle") << "the banner waits a second";
    runFrames(3);
    EXPECT_EQ(overlay()->getPhase(), "defeated");
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), "");
    EXPECT_GE(tickOf(BossBattleInterface::DEFEAT_SOUND), 0);
}

TEST_F(BossBattleTest, TheResultShowsTheStagesOwnGainAndOkOnTheFirstChoiceBooksItAndGoesToTheHub) {
    // The stage started with 4000 points earned in all; it earned 1000 plus the boss's own reward, and
    // 2000 were spent in the shop long ago. The panel shows the stage's gain (not total − to spend).
    DataManager* data = DataManager::getInstance();
    data->setTotalScore(4000);
    data->markStageStart();
    data->setScore(2000);
    data->addScore(1000);
    ASSERT_EQ(data->getScore(), 3000);
    ASSERT_EQ(data->getTotalScore(), 5000);
    defeatBossAndWaitForResult();
    const int bossReward = data->getTotalScore() - 5000;
    EXPECT_GT(bossReward, 0) << "the boss pays its score as it falls";
    const int gain = 1000 + bossReward;
    EXPECT_EQ(controller()->getStageEndScript(), "scenario/sed_0001.bks");
    EXPECT_TRUE(player()->isPaused()) << "the stage rests under the result";
    EXPECT_EQ(overlay()->getSelection(), ResultPanel::BACK_TO_MENU);
    ASSERT_NE(overlay()->getResultBackdrop(), nullptr);
    EXPECT_EQ(overlay()->getResultBackdrop()->getOpacity(), BossBattleInterface::RESULT_BACKDROP_OPACITY);
    ResultPanel* panel = overlay()->getResultPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->getStageScore()->getString(), std::to_string(gain));
    EXPECT_EQ(panel->getTotalScore()->getString(), std::to_string(5000 + bossReward));

    press(playtest::OK, 1);
    EXPECT_EQ(data->getStageScore(1), gain) << "the best is the stage's gain, not the lifetime total";
    EXPECT_EQ(data->getProgress(), 1);
    const std::string saved = testsupport::readFile(data->getSaveFilePath());
    EXPECT_NE(saved.find("progress:1\n"), std::string::npos) << "the raised progress is saved";
    EXPECT_NE(saved.find("stagescore:1@" + std::to_string(gain) + ","), std::string::npos);
    runFrames(70);
    EXPECT_EQ(SceneManager::getInstance()->getCurrentSceneId(), static_cast<int>(SceneId::WORLD_MAP));

    // Once the scene has been read in this save it never starts again: the result comes at once.
    data->markRead("scenario/sed_0001.bks");
    EXPECT_FALSE(PlayController::create()->startScenario(BossBattle::stageEndScript(1), -1, nullptr, true));
}

TEST_F(BossBattleTest, TheNextDistrictChoiceStartsStageTwoWithTheUnlockSaved) {
    DataManager* data = DataManager::getInstance();
    defeatBossAndWaitForResult();
    // RIGHT toggles once, and the 0.05 s lock keeps a held arrow from toggling every frame.
    sendKey(playtest::RIGHT, true);
    runFrames(2);
    EXPECT_EQ(overlay()->getSelection(), ResultPanel::NEXT_STAGE);
    EXPECT_FALSE(controller()->isActive());
    sendKey(playtest::RIGHT, false);
    runFrames(4);
    EXPECT_TRUE(controller()->isActive());
    player()->setHp(12);
    press(playtest::OK, 1);
    EXPECT_EQ(player()->getHp(), player()->getMaxHp()) << "the next stage starts with Quorin rested";
    EXPECT_EQ(data->getCurrentStage(), 2);
    EXPECT_FALSE(data->getRetryFromBoss());
    EXPECT_NE(testsupport::readFile(data->getSaveFilePath()).find("progress:1\n"), std::string::npos);
    runFrames(70);
    EXPECT_EQ(SceneManager::getInstance()->getCurrentSceneId(), static_cast<int>(SceneId::PLAY));
}

TEST_F(BossBattleTest, ABossThatLeavesTheMapCountsAsDefeated) {
    ASSERT_TRUE(runUntilBattle());
    // The controller holds the boss weakly: a boss removed from the map is simply gone.
    engine::RefPtr<CharacterSprite> keep(boss_.get());
    boss_->removeFromParent();
    keep.reset();
    runFrames(2);
    EXPECT_EQ(controller()->getBoss(), nullptr);
    EXPECT_TRUE(controller()->isBossDefeatHandled());
    EXPECT_FALSE(controller()->isActive());
}

TEST_F(BossBattleTest, AGameOverInTheBossBattleRetriesFromTheBoss) {
    DataManager* data = DataManager::getInstance();
    ASSERT_TRUE(runUntilBattle());
    controller()->showGameOver();
    runFrames(61);
    ASSERT_TRUE(controller()->isActive());
    press(playtest::OK, 1);
    EXPECT_TRUE(data->getRetryFromBoss());
    runFrames(70);
    EXPECT_EQ(data->getCurrentPart(), 4) << "the boss part";
    EXPECT_FALSE(data->getRetryFromBoss()) << "used up by the start";
}

TEST(BossNameTest, TheNameSplitsIntoThreeLinesOfCharacters) {
    auto lines = BossBattleInterface::splitNameLines("GATE,TOAD");
    EXPECT_EQ(lines[0], "GATE");
    EXPECT_EQ(lines[1], "TOAD");
    EXPECT_EQ(lines[2], "");
    lines = BossBattleInterface::splitNameLines("A,B,C,D");
    EXPECT_EQ(lines[2], "C") << "only the first three parts are used";
    EXPECT_EQ(BossBattleInterface::splitNameLines("ONE")[0], "ONE");

    EXPECT_EQ(BossBattleInterface::splitCharacters("門番"), (std::vector<std::string>{"門", "番"}));
    EXPECT_EQ(BossBattleInterface::splitCharacters("aé"), (std::vector<std::string>{"a", "é"}));
    // A character cut short at the end stays as it is, never read past the text.
    EXPECT_EQ(BossBattleInterface::splitCharacters(std::string("a\xE9\x96")),
              (std::vector<std::string>{"a", "\xE9\x96"}));
    EXPECT_EQ(BossBattleInterface::bannerFile("en"), "images/ui/ui_boss_defeat_en.png");
    EXPECT_EQ(BossBattleInterface::bannerFile("ja"), "images/ui/ui_boss_defeat_ja.png");
}
