// The scenario engine on a headless stage, each command through the play controller: what it does
// to the stage, the window, the sound and the save, what it waits for and what ends the wait, and
// the commands that must never hang a scene.
#include "engine/scene/Director.h"
#include "game/data/StringsManager.h"
#include "tests/support/StoryFixture.h"

using namespace vastomer;

namespace {

class ScenarioEngineTest : public StoryFixture {
protected:
    void SetUp() override {
        StoryFixture::SetUp();
        startPlaying();
    }
    bool waitingOn(const std::string& what) const {
        return engine() && engine()->getWaitDescription().find(what) != std::string::npos;
    }
    engine::Node* camera() const { return scene()->getCameraTarget(); }
};

const char* const TALK_SCENE =
    "TALK;START;LEFT\n"
    "TALK;SPEAKER;NAME;201\n"
    "TALK;SPEAKER;SPRITE;RIGHT;01:01\n"
    "TALK;WOP_0001_0001_02;RIGHT\n"
    "TALK;END\n";

}  // namespace

TEST_F(ScenarioEngineTest, AScriptWithoutABlockingCommandEndsInItsFirstFrame) {
    bool ended = false;
    engine::Vec2 cameraAtEnd;
    ASSERT_TRUE(
        play("VAR;SEEN;2\n"
             "VAR;SEEN;3;+\n"
             "VAR;FRESH;4;+\n"
             "SOUND;audio/se/cursor21.mp3;1.0\n"
             "CAM;100;60;0\n"
             "CAM;RELATIVE;10;-10;0\n"
             "FUNC;anything at all\n",
             [&] {
                 ended = true;
                 cameraAtEnd = camera()->getPosition();
             }));
    EXPECT_TRUE(scene()->isScenarioRunning());
    EXPECT_FALSE(scene()->getPlayInterface()->isVisible()) << "the HUD hides while a scene plays";
    EXPECT_TRUE(player()->isFrozen());
    runFrames(1);
    EXPECT_TRUE(ended);
    EXPECT_FALSE(scenarioRunning());
    EXPECT_EQ(cameraAtEnd, engine::Vec2(110, 50));
    DataManager* data = DataManager::getInstance();
    EXPECT_EQ(data->getUserVar("SEEN"), 5);
    EXPECT_EQ(data->getUserVar("FRESH"), 4) << "a variable that does not exist reads as 0";
    EXPECT_EQ(timesPlayed("audio/se/cursor21.mp3"), 1);
    EXPECT_TRUE(data->isRead(lastScript_));
    EXPECT_TRUE(scene()->getPlayInterface()->isVisible());
    EXPECT_FALSE(player()->isFrozen());
    EXPECT_TRUE(controller()->isActive());
}

TEST_F(ScenarioEngineTest, ATalkTypesOneCharacterAFrameThenOkShowsAllAndOkTurnsThePage) {
    ASSERT_TRUE(play(TALK_SCENE));
    runFrames(1);
    EXPECT_TRUE(waitingOn("window opening"));
    EXPECT_TRUE(window()->isOpen());
    ASSERT_TRUE(runUntil([&] { return waitingOn("typing"); }, 60));
    EXPECT_EQ(window()->getSpeakerName(), StringsManager::getInstance()->getCharacterName(201));
    EXPECT_EQ(window()->getPictureFile(false), "character/cf_01_01_01.png");
    EXPECT_FALSE(window()->isLeft()) << "the speaker stands on the right";
    EXPECT_EQ(window()->getTextKey(), "WOP_0001_0001_02");

    NCaption* caption = window()->getCaption();
    runFrames(1);
    const int before = caption->getShownCount();
    runFrames(1);
    EXPECT_EQ(caption->getShownCount(), before + 1);
    ASSERT_GT(caption->getTotalCount(), before + 3);

    tap(KEY_Z);
    EXPECT_EQ(caption->getShownCount(), caption->getTotalCount()) << "OK shows the rest at once";
    ASSERT_TRUE(runUntil([&] { return waitingOn("key OK"); }, 5));
    EXPECT_TRUE(window()->isNextCursorShown());
    EXPECT_EQ(timesPlayed(QuorinScenarioEngine::CURSOR_SOUND), 0);
    runFrames(10);
    EXPECT_TRUE(waitingOn("key OK")) << "the page waits for the player";

    tap(KEY_Z);
    EXPECT_EQ(timesPlayed(QuorinScenarioEngine::CURSOR_SOUND), 1);
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 60));
    EXPECT_FALSE(window()->isOpen());
}

TEST_F(ScenarioEngineTest, AnAutoTalkGoesOnOnceItsTextIsShown) {
    ASSERT_TRUE(play("TALK;START;LEFT\nTALK;WOP_0001_0001_01;LEFT;AUTO\nWAIT;KEY;OK\n"));
    ASSERT_TRUE(runUntil([&] { return waitingOn("key OK") && !engine()->isMessageWait(); }, 200));
    EXPECT_EQ(window()->getCaption()->getShownCount(), window()->getCaption()->getTotalCount());
    EXPECT_EQ(timesPlayed(QuorinScenarioEngine::CURSOR_SOUND), 0) << "no key was needed for the message";
}

TEST_F(ScenarioEngineTest, CameraMovesWaitForTheirEndAndJumpsDoNot) {
    ASSERT_TRUE(play("CAM;120;70;0.5\nCAM;CENTER;0\nWAIT;KEY;OK\nCAM;CHARA;PLAYER;0\n"));
    runFrames(1);
    EXPECT_TRUE(waitingOn("camera"));
    runFrames(15);
    const engine::Vec2 halfWay = camera()->getPosition();
    EXPECT_NE(halfWay, engine::Vec2(120, 70));
    ASSERT_TRUE(runUntil([&] { return waitingOn("key OK"); }, 30));
    // The map is 60 × 20 tiles of 16 pixels.
    EXPECT_EQ(camera()->getPosition(), engine::Vec2(480, 160));
    tap(KEY_Z);
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 5));
}

TEST_F(ScenarioEngineTest, CharactersAreMadeMovedHiddenAndRemovedByName) {
    ASSERT_TRUE(
        play("CHARA;GEN;0;PLAYER;300;120;true\n"
             "CHARA;GEN;201;AOI;300;120;true\n"
             "CHARA;VISIBLE;AOI;FALSE\n"
             "CHARA;SETZ;AOI;5\n"
             "CHARA;MOVE;AOI;40;0;0.5;WAIT\n"
             "WAIT;KEY;OK\n"
             "CHARA;REMOVE;AOI\n"));
    const engine::Vec2 start = player()->getPosition();
    runFrames(1);
    QuorinScenarioEngine* scenario = engine();
    CharacterSprite* aoi = scenario->findCharacter("AOI");
    ASSERT_NE(aoi, nullptr);
    EXPECT_EQ(aoi->getCharacterId(), 201);
    EXPECT_EQ(aoi->getParent(), map()->getCharacterLayer());
    EXPECT_EQ(player()->getPositionX(), start.x) << "the player was on the stage already";
    EXPECT_FALSE(aoi->isVisible());
    EXPECT_EQ(aoi->getGlobalZOrder(), 5.0f);
    EXPECT_TRUE(aoi->isActionLocked());
    EXPECT_TRUE(waitingOn("AOI moving"));
    ASSERT_TRUE(runUntil([&] { return waitingOn("key OK"); }, 40));
    EXPECT_EQ(aoi->getPosition(), engine::Vec2(340, 120));
    tap(KEY_Z);
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 5));
    EXPECT_EQ(map()->hasCharacterNamed("AOI"), false);
}

TEST_F(ScenarioEngineTest, AMadeCreatureIsWaitedForUntilItLands) {
    ASSERT_TRUE(play("CHARA;GEN;1;SPROUT;400;100;false\nCHARA;ANIME;SPROUT;WALK\nWAIT;0.5\n"));
    runFrames(1);
    EXPECT_TRUE(waitingOn("SPROUT landing"));
    ASSERT_TRUE(runUntil([&] { return !waitingOn("SPROUT landing"); }, 120));
    runFrames(2);
    CharacterSprite* sprout = nullptr;
    for (CharacterSprite* character : map()->getCharacters())
        if (character->getSpawnKind() == "SPROUT") sprout = character;
    ASSERT_NE(sprout, nullptr);
    EXPECT_TRUE(sprout->hasLanded());
    EXPECT_EQ(sprout->getAnimation()->getFileName(), "anime/0001_WALK_0.cma") << "the scene moves it";
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 60));
    EXPECT_FALSE(sprout->getAnimation()->isLocked()) << "the end of a scene releases the locks";
}

TEST_F(ScenarioEngineTest, TheWaitForACharacterEndsWhenTheCharacterIsGone) {
    ASSERT_TRUE(play("CHARA;GEN;1;SPROUT;400;200;false\n"));
    runFrames(1);
    ASSERT_TRUE(waitingOn("SPROUT landing"));
    CharacterSprite* sprout = engine()->getWaitCharacter();
    ASSERT_NE(sprout, nullptr);
    map()->removeCharacter(sprout);
    sprout->removeFromParent();
    runFrames(2);
    EXPECT_FALSE(scenarioRunning());
}

TEST_F(ScenarioEngineTest, ACharacterThatNeverLandsIsWaitedForNoLongerThanItsLimit) {
    // A Lantern Wisp flies: it never lands.
    ASSERT_TRUE(play("CHARA;GEN;2;WISP;400;100;false\n"));
    runFrames(QuorinScenarioEngine::LANDING_LIMIT_FRAMES - 10);
    EXPECT_TRUE(waitingOn("WISP landing"));
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 20));
}

TEST_F(ScenarioEngineTest, ANonBlockingMoveDoesNotEndALaterWait) {
    ASSERT_TRUE(
        play("CHARA;GEN;201;AOI;300;120;true\n"
             "CHARA;MOVE;AOI;40;0;0.1\n"
             "ANIME;GEN;anime/EFFECT_0001.cma;fx;100;100;2;true;BACK;LOOP\n"
             "ANIME;MOVE;fx;10;0;0.1\n"
             "WAIT;KEY;OK\n"));
    runFrames(1);
    ASSERT_TRUE(waitingOn("key OK"));
    runFrames(20);
    EXPECT_TRUE(waitingOn("key OK")) << "the moves ended, the wait did not";
    EXPECT_EQ(engine()->findCharacter("AOI")->getPosition(), engine::Vec2(340, 120));
    EXPECT_EQ(engine()->getAnimation("fx")->getPosition(), engine::Vec2(110, 100));
}

TEST_F(ScenarioEngineTest, ASpriteThatReplacesAnIdTakesTheOldOneAway) {
    ASSERT_TRUE(
        play("SPRITE;pic;images/ui/select_cursor_01.png;100;90;3;300;BACK;true\nWAIT;KEY;OK\n"
             "SPRITE;pic;images/ui/score_icon_01.png;20;30;1;255;CHARA;false\n"
             "SPRITE;stray;images/ui/score_icon_01.png;20;30;1;255;NOWHERE;false\n"
             "SPRITE;card;images/ui/score_icon_01.png;20;30;1;255;CONTENTS;false\n"
             "SPRITE;gone;images/ui/no_such_picture.png;20;30;1;255;BACK;false\n"
             "WAIT;KEY;OK\n"
             "SPRITE;CLEAR;card\n"));
    runFrames(1);
    engine::Sprite* first = engine()->getSprite("pic");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getParent(), map()->getBackLayer());
    EXPECT_EQ(first->getOpacity(), 300 & 0xFF);
    EXPECT_TRUE(first->isFlippedX());
    EXPECT_EQ(first->getLocalZOrder(), 3);
    engine::WeakRef<engine::Sprite> old(first);

    tap(KEY_Z);
    runFrames(1);
    engine::Sprite* second = engine()->getSprite("pic");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->getParent(), map()->getFrontLayer());
    EXPECT_FALSE(old) << "the old sprite left the stage with its entry";
    EXPECT_EQ(engine()->getSpriteIds(), (std::vector<std::string>{"card", "pic"}))
        << "an unknown layer and a missing picture keep nothing";
    EXPECT_EQ(engine()->getSprite("card")->getParent(), scene()->getContentLayer(3));
    tap(KEY_Z);
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 5));
}

TEST_F(ScenarioEngineTest, AnimationsWaitLoopOrPassThroughAndAnIdIsReused) {
    ASSERT_TRUE(
        play("ANIME;GEN;anime/EFFECT_0001.cma;hit;100;100;2;true;BACK;WAIT\n"
             "ANIME;GEN;anime/EFFECT_0002.cma;glow;PLAYER;0;20;3;false;CHARA;LOOP\n"
             "ANIME;GEN;anime/EFFECT_0003.cma;spark;100;100;2;true;OVER;THROUGH\n"
             "ANIME;GEN;anime/NO_SUCH.cma;none;100;100;2;true;BACK;WAIT\n"
             "ANIME;SETZ;glow;7\n"
             "WAIT;KEY;OK\n"
             "ANIME;GEN;anime/EFFECT_0004.cma;glow;10;10;3;true;BACK;LOOP\n"
             "WAIT;KEY;OK\n"
             "ANIME;CLEAR;glow\n"));
    runFrames(1);
    ASSERT_TRUE(waitingOn("animation hit"));
    CompositeAnimation* hit = engine()->getAnimation("hit");
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->getParent(), map()->getBackLayer());
    ASSERT_TRUE(runUntil([&] { return waitingOn("key OK"); }, 120)) << engine()->getWaitDescription();
    EXPECT_EQ(engine()->getAnimation("hit"), nullptr) << "a waited-for animation leaves at its end";
    EXPECT_EQ(engine()->getAnimation("none"), nullptr) << "a missing file neither waits nor stays";
    CompositeAnimation* glow = engine()->getAnimation("glow");
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(glow->getParent(), map()->getFrontLayer());
    EXPECT_EQ(glow->getPositionX(), player()->getPositionX());
    EXPECT_NEAR(glow->getPositionY(), player()->getPositionY() + 20, 1.0f);
    EXPECT_EQ(glow->getScaleX(), -1.0f);
    EXPECT_EQ(glow->getLocalZOrder(), 7);
    runFrames(60);
    EXPECT_EQ(engine()->getAnimation("spark"), nullptr) << "a pass-through animation leaves at its end";

    tap(KEY_Z);
    runFrames(1);
    EXPECT_EQ(engine()->getAnimation("glow"), glow) << "the id's node is used again, where it is";
    EXPECT_EQ(glow->getParent(), map()->getFrontLayer());
    EXPECT_EQ(glow->getPosition(), engine::Vec2(10, 10));
    EXPECT_EQ(glow->getFileName(), "anime/EFFECT_0004.cma");
    tap(KEY_Z);
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 5));
}

TEST_F(ScenarioEngineTest, WaitsThatNothingCouldEndEndAtOnce) {
    bool ended = false;
    ASSERT_TRUE(
        play("WAIT;0\nWAIT;-1\nWAIT;soon\nWAIT;KEY;SOMETIMES\n"
             "TALK;SPEAKER;SPRITE;LEFT;09:09\n"
             "CHARA;ANIME;PLAYER;anime/NO_SUCH.cma;WAIT\n"
             "CHARA;MOVE;NOBODY;10;0;1;WAIT\n",
             [&] { ended = true; }));
    runFrames(1);
    EXPECT_TRUE(ended);
}

TEST_F(ScenarioEngineTest, TimedAndKeyWaitsEndByTimeAndByTheirKey) {
    ASSERT_TRUE(play("WAIT;0.5\nWAIT;KEY;OK\n"));
    runFrames(1);
    ASSERT_TRUE(waitingOn("seconds 0.5"));
    runFrames(29);
    EXPECT_TRUE(waitingOn("seconds"));
    runFrames(2);
    EXPECT_TRUE(waitingOn("key OK"));
    tap(KEY_X);
    EXPECT_TRUE(waitingOn("key OK")) << "another key does not end it";
    tap(KEY_Z);
    EXPECT_EQ(timesPlayed(QuorinScenarioEngine::CURSOR_SOUND), 1);
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 3));
}

TEST_F(ScenarioEngineTest, ConditionsAppendScriptsAndTheFirstNameIsTheOneMarkedRead) {
    const std::string appended = writeScript("appended.bks", "VAR;APPENDED;1;+\n");
    const std::string other = writeScript("other.bks", "VAR;OTHER;1\n");
    ASSERT_TRUE(
        play("VAR;CAT;1\n"
             "COND;CAT;==;1;" +
             appended +
             "\n"
             "COND;CAT;!=;1;" +
             other +
             "\n"
             "COND;CAT;=>;0;" +
             other +
             "\n"
             "COND;HP;>=;1;" +
             appended +
             "\n"
             "COND;LP;>;0;" +
             other +
             "\n"
             "VAR;CAT;R\n"));
    runFrames(1);
    EXPECT_FALSE(scenarioRunning());
    DataManager* data = DataManager::getInstance();
    EXPECT_EQ(data->getUserVar("APPENDED"), 2) << "appended twice, after the loaded commands";
    EXPECT_EQ(data->getUserVar("OTHER"), 0);
    EXPECT_FALSE(data->getProgressState().userVars.count("CAT")) << "R removes the variable";
    EXPECT_TRUE(data->isRead(lastScript_));
    EXPECT_FALSE(data->isRead(appended)) << "the appended script is no scene of its own";
}

TEST_F(ScenarioEngineTest, AScriptThatAppendsItselfForeverDoesNotHoldTheFrame) {
    const std::string path = scripts_ / "loop.bks";
    ASSERT_TRUE(play("VAR;TURNS;1;+\nCOND;TURNS;>;0;" + path + "\n", nullptr, "loop.bks"));
    runFrames(3);
    EXPECT_TRUE(scenarioRunning());
    EXPECT_GT(DataManager::getInstance()->getUserVar("TURNS"), 1000);
    EXPECT_LE(engine()->getCommands().size(), QuorinScenarioEngine::MAX_COMMANDS + 2);
}

TEST_F(ScenarioEngineTest, FadesRunOnTheCurtainAndWaitForIt) {
    ASSERT_TRUE(play("FADE;OUT;0.25\nWAIT;KEY;OK\nFADE;IN;0.25\nFADE;SIDEWAYS;1\n"));
    runFrames(1);
    EXPECT_TRUE(waitingOn("fade OUT"));
    ASSERT_TRUE(runUntil([&] { return waitingOn("key OK"); }, 30));
    EXPECT_EQ(scene()->getCurtain()->getOpacity(), 255);
    tap(KEY_Z);
    EXPECT_TRUE(waitingOn("fade IN"));
    ASSERT_TRUE(runUntil([&] { return !scenarioRunning(); }, 30));
    EXPECT_EQ(scene()->getCurtain()->getOpacity(), 0);
}

TEST_F(ScenarioEngineTest, AMapChangeLoadsTheMapAndClearsTheScenesPictures) {
    ASSERT_TRUE(
        play("SPRITE;pic;images/ui/select_cursor_01.png;100;90;3;255;BACK;true\n"
             "ANIME;GEN;anime/EFFECT_0002.cma;glow;100;100;3;false;CHARA;LOOP\n"
             "CHANGEMAP;data/map/md_0001_02.tmx\n"
             "WAIT;KEY;OK\n"));
    runFrames(1);
    EXPECT_EQ(map()->getMapFile(), "data/map/md_0001_02.tmx");
    EXPECT_TRUE(engine()->getSpriteIds().empty());
    EXPECT_TRUE(engine()->getAnimationIds().empty());
    EXPECT_EQ(camera()->getParent(), map()->getCharacterLayer());
}

TEST_F(ScenarioEngineTest, TheEndingBooksTheClearAndRollsTheCredits) {
    DataManager::getInstance()->setTotalScore(4321);
    bool ended = false;
    ASSERT_TRUE(play("ENDING\nVAR;AFTER;1\n", [&] { ended = true; }));
    runFrames(1);
    EXPECT_EQ(DataManager::getInstance()->getStageScore(1), 4321);
    EXPECT_TRUE(SceneManager::getInstance()->isKeepBgmOnChange());
    EXPECT_EQ(SceneManager::getInstance()->getCurrentSceneId(), 11);
    runFrames(90);
    EXPECT_FALSE(ended) << "the scene is replaced, never ended";
    EXPECT_EQ(DataManager::getInstance()->getUserVar("AFTER"), 0);
}
