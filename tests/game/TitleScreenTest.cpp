// The title screen: the intro and its skip (the skipping key chooses nothing), the wrapping menu,
// where "start" leads on a new save and on one that has seen the opening, the settings and back,
// and the end entry.
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/menu/OptionScene.h"
#include "game/menu/TitleController.h"
#include "game/menu/TitleScene.h"
#include "tests/support/MenuFixture.h"

using namespace vastomer;

namespace {

class TitleScreenTest : public MenuFixture {
protected:
    void SetUp() override {
        MenuFixture::SetUp();
        ASSERT_TRUE(makeGame());
    }
    TitleController* title() const { return controllerOf<TitleController>(); }
    // Starts the title and waits for its intro to end by itself.
    void startTitleAndWaitForTheMenu() {
        ASSERT_NE(startOn(SceneId::TITLE), nullptr);
        for (int i = 0; i < 120 && !(title() && title()->isMenuShown()); ++i)
            runFrames(1);
        ASSERT_TRUE(title()->isMenuShown());
    }
};

}  // namespace

TEST_F(TitleScreenTest, AKeyDuringTheIntroShowsTheMenuAndChoosesNothing) {
    ASSERT_NE(startOn(SceneId::TITLE), nullptr);
    runFrames(10);
    auto* scene = layer<TitleScene>();
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), TitleScene::MUSIC);
    EXPECT_FALSE(title()->isMenuShown());
    EXPECT_LT(scene->getLogo()->getOpacity(), 255);

    sendKey(menutest::OK, true);
    runFrames(1);
    EXPECT_TRUE(title()->isMenuShown());
    EXPECT_EQ(scene->getLogo()->getPosition(), engine::Vec2(16.0f, 326.0f)) << "the logo in its final place";
    EXPECT_EQ(scene->getLogo()->getOpacity(), 255);
    EXPECT_EQ(scene->getMenuLabel()->getOpacity(), 255);
    // The key that skipped is still held: it must not choose "start" as well.
    runFrames(30);
    sendKey(menutest::OK, false);
    runFrames(1);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::TITLE));
    EXPECT_EQ(playCount("audio/se/cursor21.mp3"), 0);
    EXPECT_TRUE(title()->isActive());
}

TEST_F(TitleScreenTest, TheMenuWrapsAndStartLeadsToTheOpeningOnANewSave) {
    startTitleAndWaitForTheMenu();
    auto* scene = layer<TitleScene>();
    press(menutest::LEFT);
    EXPECT_EQ(title()->getSelection(), TitleController::END) << "LEFT on start selects end";
    runFrames(20);
    EXPECT_EQ(scene->getMenuLabel()->getString(), StringsManager::getInstance()->getString("SYS_END"));
    press(menutest::RIGHT);
    EXPECT_EQ(title()->getSelection(), TitleController::START) << "RIGHT on end selects start";
    runFrames(20);

    press(menutest::OK);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::DEMO)) << "the opening has not been watched";
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), "");
}

TEST_F(TitleScreenTest, StartLeadsToTheHubOnceTheOpeningWasWatched) {
    DataManager::getInstance()->setTutorialFlag(0, true);
    startTitleAndWaitForTheMenu();
    press(menutest::OK);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::WORLD_MAP));
}

TEST_F(TitleScreenTest, TheSettingsLeadBackToTheTitleWithItsMusicPlayingOn) {
    startTitleAndWaitForTheMenu();
    press(menutest::RIGHT);
    runFrames(20);
    press(menutest::OK);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::OPTION));
    settle();
    auto* options = layer<OptionScene>();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->isOpenedFromTitle());
    press(menutest::CANCEL);
    EXPECT_EQ(sceneId(), static_cast<int>(SceneId::TITLE));
    settle();
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), TitleScene::MUSIC);
    EXPECT_EQ(playCount(TitleScene::MUSIC), 1) << "the title's music plays on, never restarted";
}

TEST_F(TitleScreenTest, TheEndEntryClosesTheCurtainAndEndsTheProgram) {
    startTitleAndWaitForTheMenu();
    press(menutest::LEFT);
    runFrames(20);
    press(menutest::OK);
    EXPECT_TRUE(title()->isEnding());
    EXPECT_EQ(NAudioManager::getInstance()->getCurrentBgm(), "");
    EXPECT_FALSE(engine::Director::getInstance()->isEnded());
    runFrames(31);
    EXPECT_EQ(manager()->getCurtain()->getOpacity(), 255);
    EXPECT_TRUE(engine::Director::getInstance()->isEnded());
}
