// The screens that host one story scene: the demo screen plays the opening and leads to the hub,
// the hint screen plays the hint the picker draws (or returns to the hub when there is none).
#include <cstdlib>

#include "game/character/ActionMap.h"
#include "game/character/PlayerCharacter.h"
#include "game/menu/DemoController.h"
#include "game/menu/HintController.h"
#include "game/menu/StoryScene.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/QuorinScenarioEngine.h"
#include "tests/support/GameFixture.h"

using namespace vastomer;

namespace {

constexpr int KEY_Z = 149;

class StoryScreensTest : public GameFixture {
protected:
    SceneManager* startOn(SceneId id) {
        if (!GameServices::create()) return nullptr;
        SceneManager* manager = SceneManager::getInstance();
        manager->setFirstScene(id);
        engine::Director::getInstance()->runWithScene(manager);
        return manager;
    }
    // Keeps the last frame as a picture when QUORIN_SHOTS names a folder (for looking at by eye).
    void keepShot(const std::string& name) {
        if (const char* folder = std::getenv("QUORIN_SHOTS"))
            view_->saveFrameToPNG(std::string(folder) + "/" + name + ".png");
    }
    int sceneId() const { return SceneManager::getInstance()->getCurrentSceneId(); }
    StoryController* story() const {
        return dynamic_cast<StoryController*>(SceneManager::getInstance()->getCurrentController());
    }
    // Taps OK every few frames until the screen is `id`; false after `limit` frames.
    bool tapUntilScene(int id, int limit) {
        for (int frames = 0; frames < limit; frames += 4) {
            if (sceneId() == id) return true;
            sendKey(KEY_Z, true);
            runFrames(2);
            sendKey(KEY_Z, false);
            runFrames(2);
        }
        return sceneId() == id;
    }
};

}  // namespace

TEST_F(StoryScreensTest, TheOpeningPlaysOnTheDemoScreenAndLeadsToTheHub) {
    ASSERT_NE(startOn(SceneId::DEMO), nullptr);
    runFrames(10);
    ASSERT_NE(story(), nullptr);
    QuorinScenarioEngine* engine = story()->getScenarioEngine();
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(story()->getScenarioFile(), DemoController::OPENING);
    for (int i = 0; i < 300 && !story()->getStoryMessageWindow()->isOpen(); ++i)
        runFrames(1);
    EXPECT_EQ(story()->getStoryScene()->getActionMap()->getMapFile(), "data/map/md_9999_01.tmx");
    EXPECT_NE(engine->findCharacter("AOI"), nullptr);
    EXPECT_NE(engine->findCharacter("PLAYER"), nullptr);
    EXPECT_TRUE(story()->getStoryMessageWindow()->isOpen());
    runFrames(60);
    keepShot("demo_opening");

    ASSERT_TRUE(tapUntilScene(static_cast<int>(SceneId::WORLD_MAP), 3000));
    DataManager* data = DataManager::getInstance();
    EXPECT_TRUE(data->getTutorialFlag(DemoController::OPENING_WATCHED_FLAG));
    EXPECT_TRUE(data->isRead(DemoController::OPENING));
    runFrames(60);
    EXPECT_EQ(data->getPlayerCharacter()->getParent(), nullptr) << "the demo's stage let her go";
}

TEST_F(StoryScreensTest, WithNoHintToShowTheHintScreenReturnsToTheHub) {
    ASSERT_NE(startOn(SceneId::HINT), nullptr);
    // A new game has cleared no stage: every hint needs one.
    runFrames(5);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::WORLD_MAP));
    EXPECT_TRUE(DataManager::getInstance()->getTutorialFlag(HintController::HINT_VISITED_FLAG));
}

TEST_F(StoryScreensTest, TheHintScreenPlaysADrawnHintAndReturnsToTheHub) {
    if (!GameServices::create()) FAIL();
    DataManager::getInstance()->recordStageScore(1, 500);
    ASSERT_NE(startOn(SceneId::HINT), nullptr);
    runFrames(5);
    ASSERT_NE(story(), nullptr);
    EXPECT_EQ(story()->getScenarioFile().rfind("scenario/hint_000", 0), 0u) << story()->getScenarioFile();
    EXPECT_EQ(HintController::hintFileName(3), "scenario/hint_0003.bks");
    ASSERT_TRUE(tapUntilScene(static_cast<int>(SceneId::WORLD_MAP), 1500));
}
