// Screen changes driven frame by frame: timing of the fade, order of the calls, z order, music.
#include <algorithm>

#include "game/app/SplashScene.h"
#include "game/app/VastomerLogoPanel.h"
#include "tests/support/Files.h"
#include "tests/support/GameFixture.h"
#include "tests/support/Mp3Frames.h"

using vastomer::AbstractController;
using vastomer::NLayer;
using vastomer::SceneId;
using vastomer::SceneManager;
using vastomer::SceneParam;
using vastomer::TransitionKind;

namespace {

// What the screens and controllers under test were told, with the frame it happened in.
using CallLog = std::vector<std::string>;

std::string stamp(const std::string& who, const std::string& what) {
    return who + ":" + what + "@" + std::to_string(engine::Director::getInstance()->getTotalFrames());
}

class ProbeLayer : public NLayer {
public:
    static ProbeLayer* create(std::string name, CallLog* log) {
        auto* layer = new ProbeLayer();
        layer->name_ = std::move(name);
        layer->log_ = log;
        layer->init();
        layer->autorelease();
        return layer;
    }
    void handOver(NLayer* /*incoming*/) override { log_->push_back(stamp(name_, "handOver")); }
    void setupScene() override { log_->push_back(stamp(name_, "setupScene")); }
    void startScene() override { log_->push_back(stamp(name_, "startScene")); }

private:
    std::string name_;
    CallLog* log_ = nullptr;
};

class ProbeController : public AbstractController {
public:
    static ProbeController* create(std::string name, CallLog* log, SceneManager* keepMusicOf = nullptr) {
        auto* controller = new ProbeController();
        controller->name_ = std::move(name);
        controller->log_ = log;
        controller->keepMusicOf_ = keepMusicOf;
        controller->init();
        controller->autorelease();
        return controller;
    }
    bool init() override {
        if (!AbstractController::init()) return false;
        // Like the hub's sub-screens: the music of the previous screen plays on.
        if (keepMusicOf_) keepMusicOf_->setKeepBgmOnChange(true);
        return true;
    }
    void setScene(NLayer* /*scene*/) override { log_->push_back(stamp(name_, "setScene")); }
    void start() override {
        AbstractController::start();
        log_->push_back(stamp(name_, "start"));
    }
    void stop() override { log_->push_back(stamp(name_, "stop")); }

private:
    std::string name_;
    CallLog* log_ = nullptr;
    SceneManager* keepMusicOf_ = nullptr;
};

constexpr auto SCREEN_A = static_cast<SceneId>(90);
constexpr auto SCREEN_B = static_cast<SceneId>(91);
constexpr auto KEEP_MUSIC_SCREEN = static_cast<SceneId>(92);
constexpr auto BROKEN_SCREEN = static_cast<SceneId>(77);

// The game's scene manager with probe screens for a few ids of its own.
class ProbeSceneManager : public SceneManager {
public:
    explicit ProbeSceneManager(CallLog* log) : log_(log) {}
    NLayer* createSceneLayer(SceneId id) override {
        if (id == BROKEN_SCREEN) return nullptr;
        if (id == SCREEN_A || id == SCREEN_B || id == KEEP_MUSIC_SCREEN) {
            NLayer* layer = ProbeLayer::create("L" + std::to_string(static_cast<int>(id)), log_);
            layer->setIgnoreAnchorPointForPosition(false);
            layer->setAnchorPoint(engine::Vec2(0.5f, 0.5f));
            return layer;
        }
        return SceneManager::createSceneLayer(id);
    }
    AbstractController* createController(SceneId id) override {
        if (id == KEEP_MUSIC_SCREEN || id == BROKEN_SCREEN)
            return ProbeController::create("Keep", log_, this);
        return SceneManager::createController(id);
    }

private:
    CallLog* log_;
};

class SceneFlowTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        scene_ = new ProbeSceneManager(&log_);
        ASSERT_TRUE(scene_->init());
        engine::Director::getInstance()->runWithScene(scene_);
    }
    void TearDown() override {
        GameFixture::TearDown();
        if (scene_) scene_->release();
    }

    // Runs until the splash has handed over to the title and the fade has ended.
    void passSplash() {
        for (int i = 0; i < 400 && (scene_->getCurrentSceneId() != 2 || scene_->isChanging()); ++i)
            runFrames(1);
        ASSERT_EQ(scene_->getCurrentSceneId(), 2);
        ASSERT_FALSE(scene_->isChanging());
    }

    bool logged(const std::string& entry) const {
        return std::find(log_.begin(), log_.end(), entry) != log_.end();
    }
    std::size_t indexOf(const std::string& prefix) const {
        for (std::size_t i = 0; i < log_.size(); ++i)
            if (log_[i].rfind(prefix, 0) == 0) return i;
        return log_.size();
    }
    int layerCount() const {
        int count = 0;
        for (engine::Node* child : scene_->getChildren())
            if (dynamic_cast<NLayer*>(child)) ++count;
        return count;
    }
    std::string playMusic() {
        std::string track = dataDir_ / "loop.mp3";
        testsupport::writeFile(track, testsupport::silentMp3(20));
        vastomer::NAudioManager::getInstance()->playBgm(track);
        return track;
    }

    ProbeSceneManager* scene_ = nullptr;
    CallLog log_;
};

TEST_F(SceneFlowTest, SplashShowsWithoutFadeThenLeadsToTheTitle) {
    EXPECT_EQ(scene_->getCurrentSceneId(), 1);
    engine::RefPtr<vastomer::SplashScene> splash =
        dynamic_cast<vastomer::SplashScene*>(scene_->getCurrentLayer());
    ASSERT_TRUE(splash);
    EXPECT_EQ(scene_->getCurrentController(), nullptr);
    runFrames(1);
    EXPECT_EQ(splash->getLogoPanel(), nullptr) << "the logo starts 0.01 s after the screen";
    runFrames(1);
    ASSERT_NE(splash->getLogoPanel(), nullptr);
    EXPECT_FLOAT_EQ(splash->getLogoPanel()->getScale(), 6.0f);
    EXPECT_EQ(splash->getLogoPanel()->getPosition(), engine::Vec2(480, 350));

    uint64_t requested = 0;
    while (frame() < 400 && scene_->getCurrentSceneId() == 1) {
        EXPECT_EQ(scene_->getCurrentLayer()->getParent(), scene_);
        EXPECT_EQ(scene_->getCurtain()->getOpacity(), 0) << "frame " << frame();
        runFrames(1);
        requested = frame();
    }
    // 54 frames of 0.05 s and a 1.0 s hold, from frame 2.
    EXPECT_NEAR(static_cast<double>(requested), 2 + 3.7 * 60, 3.0);
    EXPECT_EQ(splash->getLocalZOrder(), SceneManager::OUTGOING_Z);
    passSplash();
    EXPECT_EQ(splash->getParent(), nullptr);
    EXPECT_EQ(layerCount(), 1);
    EXPECT_EQ(scene_->getCurtain()->getOpacity(), 0);
}

TEST_F(SceneFlowTest, FadeTimingOrderAndDrawingOrder) {
    passSplash();
    engine::RefPtr<NLayer> title = scene_->getCurrentLayer();
    auto* first = ProbeController::create("A", &log_);
    ASSERT_TRUE(scene_->changeScene(SCREEN_A, TransitionKind::FadeThroughBlack, first, SceneParam()));
    const uint64_t request = frame();
    NLayer* incoming = scene_->getCurrentLayer();
    EXPECT_EQ(scene_->getCurrentSceneId(), 90) << "the current screen changes with the request";
    EXPECT_EQ(scene_->getCurrentController(), first);
    EXPECT_TRUE(logged(stamp("L90", "setupScene")));
    EXPECT_EQ(incoming->getPosition(), engine::Vec2(480, 270));

    runFrames(1);
    EXPECT_TRUE(logged("A:setScene@" + std::to_string(request + 1))) << "the scene is given at once";
    runFrames(15);
    // Half-way to black: the old screen is drawn above the new one, the curtain above both.
    EXPECT_EQ(title->getParent(), scene_);
    EXPECT_EQ(title->getLocalZOrder(), SceneManager::OUTGOING_Z);
    EXPECT_EQ(incoming->getLocalZOrder(), 0);
    EXPECT_EQ(scene_->getCurtain()->getLocalZOrder(), SceneManager::CURTAIN_Z);
    EXPECT_NEAR(scene_->getCurtain()->getOpacity(), 127, 2);
    runFrames(14);
    EXPECT_EQ(title->getParent(), scene_) << "frame " << frame() - request;
    EXPECT_GT(scene_->getCurtain()->getOpacity(), 240);
    runFrames(1);
    // Black at 0.5 s: the old screen goes and the curtain starts to lift in the same frame.
    EXPECT_EQ(title->getParent(), nullptr) << "the old screen goes at the black point";
    EXPECT_GE(scene_->getCurtain()->getOpacity(), 250);
    runFrames(29);
    EXPECT_EQ(indexOf("A:start@"), log_.size()) << "not yet at frame " << frame() - request;
    EXPECT_EQ(indexOf("L90:startScene@"), log_.size());
    runFrames(1);
    EXPECT_TRUE(logged("L90:startScene@" + std::to_string(request + 61)));
    EXPECT_TRUE(logged("A:start@" + std::to_string(request + 61))) << "1.0 s after the request";
    EXPECT_EQ(scene_->getCurtain()->getOpacity(), 0);
    EXPECT_FALSE(scene_->isChanging());

    // The next change stops the running controller before the new one gets its screen.
    auto* second = ProbeController::create("B", &log_);
    scene_->changeScene(SCREEN_B, TransitionKind::FadeThroughBlack, second, SceneParam());
    EXPECT_FALSE(first->isActive());
    EXPECT_EQ(first->getParent(), nullptr);
    EXPECT_TRUE(logged(stamp("L90", "handOver")));
    runFrames(70);
    EXPECT_LT(indexOf("A:stop"), indexOf("B:setScene"));
    EXPECT_LT(indexOf("B:setScene"), indexOf("B:start"));
    EXPECT_EQ(layerCount(), 1);
}

TEST_F(SceneFlowTest, MusicStopsAtTheBlackPointUnlessTheNextScreenKeepsIt) {
    passSplash();
    std::string track = playMusic();
    scene_->changeScene(SCREEN_A, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
    runFrames(30);
    EXPECT_EQ(vastomer::NAudioManager::getInstance()->getCurrentBgm(), track);
    runFrames(1);
    EXPECT_EQ(vastomer::NAudioManager::getInstance()->getCurrentBgm(), "");
    EXPECT_EQ(engine::AudioEngine::getPlayingCount(), 0);
    runFrames(40);

    track = playMusic();
    EXPECT_FALSE(scene_->isKeepBgmOnChange());
    // The incoming controller's init asks for the music to go on.
    scene_->changeScene(KEEP_MUSIC_SCREEN, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
    EXPECT_TRUE(scene_->isKeepBgmOnChange());
    runFrames(70);
    EXPECT_EQ(vastomer::NAudioManager::getInstance()->getCurrentBgm(), track);
    EXPECT_EQ(engine::AudioEngine::getPlayingCount(), 1);
}

TEST_F(SceneFlowTest, ChangeRequestedDuringAFadeWaitsForIt) {
    passSplash();
    auto* first = ProbeController::create("A", &log_);
    scene_->changeScene(SCREEN_A, TransitionKind::FadeThroughBlack, first, SceneParam());
    const uint64_t request = frame();
    runFrames(10);
    auto* second = ProbeController::create("B", &log_);
    EXPECT_TRUE(scene_->changeScene(SCREEN_B, TransitionKind::FadeThroughBlack, second, SceneParam()));
    EXPECT_TRUE(scene_->hasPendingChange());
    EXPECT_EQ(scene_->getCurrentSceneId(), 90) << "the running change finishes first";
    runFrames(51);
    EXPECT_TRUE(logged("A:start@" + std::to_string(request + 61)));
    EXPECT_EQ(scene_->getCurrentSceneId(), 91) << "then the waiting one begins";
    runFrames(70);
    EXPECT_EQ(scene_->getCurrentController(), second);
    EXPECT_EQ(std::count_if(log_.begin(), log_.end(),
                            [](const std::string& e) { return e.rfind("A:start", 0) == 0; }),
              1);
    EXPECT_EQ(std::count_if(log_.begin(), log_.end(),
                            [](const std::string& e) { return e.rfind("B:start", 0) == 0; }),
              1);
    EXPECT_LT(indexOf("A:start"), indexOf("A:stop"));
    EXPECT_LT(indexOf("A:stop"), indexOf("B:setScene"));
    EXPECT_EQ(layerCount(), 1);
    EXPECT_EQ(scene_->getCurtain()->getOpacity(), 0);
    EXPECT_FALSE(scene_->isChanging());
}

TEST_F(SceneFlowTest, ScreenThatCannotBeBuiltKeepsTheCurrentOne) {
    passSplash();
    auto* first = ProbeController::create("A", &log_);
    scene_->changeScene(SCREEN_A, TransitionKind::FadeThroughBlack, first, SceneParam());
    runFrames(70);
    NLayer* shown = scene_->getCurrentLayer();
    first->setActive(false);  // as a controller does right before it asks
    EXPECT_FALSE(scene_->changeScene(BROKEN_SCREEN, TransitionKind::FadeThroughBlack, nullptr, SceneParam()));
    EXPECT_EQ(scene_->getCurrentLayer(), shown);
    EXPECT_EQ(scene_->getCurrentSceneId(), 90);
    EXPECT_EQ(scene_->getCurrentController(), first);
    EXPECT_TRUE(first->isActive()) << "the screen stays usable";
    EXPECT_FALSE(scene_->isKeepBgmOnChange()) << "the discarded controller's wish is undone";
    EXPECT_FALSE(scene_->isChanging());
    EXPECT_FALSE(logged(stamp("A", "stop")));
    runFrames(70);
    EXPECT_EQ(shown->getParent(), scene_);
    EXPECT_EQ(scene_->getCurtain()->getOpacity(), 0);
}

TEST_F(SceneFlowTest, ImmediateKindsSwapAtOnce) {
    passSplash();
    for (int kind : {0, 2, 3}) {
        SCOPED_TRACE(kind);
        log_.clear();
        engine::RefPtr<NLayer> outgoing = scene_->getCurrentLayer();
        auto* controller = ProbeController::create("C", &log_);
        scene_->changeScene(SCREEN_A, static_cast<TransitionKind>(kind), controller, SceneParam());
        const uint64_t request = frame();
        runFrames(1);
        EXPECT_EQ(outgoing->getParent(), nullptr);
        runFrames(1);
        EXPECT_TRUE(logged("L90:startScene@" + std::to_string(request + 2)));
        EXPECT_TRUE(logged("C:start@" + std::to_string(request + 2)));
        EXPECT_EQ(scene_->getCurtain()->getOpacity(), 0);
        EXPECT_FALSE(scene_->isChanging());
    }
}

}  // namespace
