// The director held still (a window in the background) and a frame saved on request.
#include <filesystem>

#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Sprite.h"
#include "tests/support/PhysicsFixture.h"
#include "tests/support/Picture.h"
#include "tests/support/TempFolder.h"

namespace {

class Counter : public engine::Node {
public:
    static Counter* create() {
        auto* node = new Counter();
        node->init();
        node->autorelease();
        return node;
    }
    void update(float /*dt*/) override { ++updates; }
    int updates = 0;
};

class DirectorPauseTest : public PhysicsFixture {};

TEST_F(DirectorPauseTest, APausedDirectorRunsNoUpdateAndNoPhysicsButStillDraws) {
    Counter* counter = Counter::create();
    scene_->addChild(counter);
    counter->scheduleUpdate();
    engine::Node* box = addBox(scene_, engine::Vec2(480, 400), engine::Size(20, 20), true, "box");
    world()->setGravity(engine::Vec2(0, -500));
    runFrames(3);
    const int updates = counter->updates;
    const engine::Vec2 before = box->getPosition();
    EXPECT_GT(updates, 0);

    engine::Director* director = engine::Director::getInstance();
    director->pause();
    const uint64_t frames = director->getTotalFrames();
    runFrames(10);
    EXPECT_EQ(director->getTotalFrames(), frames + 10) << "frames go on (events, drawing)";
    EXPECT_EQ(counter->updates, updates);
    EXPECT_EQ(box->getPosition(), before) << "the world holds still";

    director->resume();
    runFrames(3);
    EXPECT_GT(counter->updates, updates);
    EXPECT_LT(box->getPositionY(), before.y);
}

TEST_F(DirectorPauseTest, ARequestedFrameIsDrawnAndSavedEvenWhenTheFilterSkipsIt) {
    testsupport::TempFolder folder;
    auto* sprite = engine::Sprite::create();
    sprite->setTextureRect(engine::Rect(0, 0, 100, 100));
    sprite->setColor(engine::Color3B(255, 0, 0));
    sprite->setPosition(50, 50);
    scene_->addChild(sprite);
    engine::Director* director = engine::Director::getInstance();
    director->setFrameDrawFilter([](uint64_t) { return false; });
    bool told = false;
    bool written = false;
    director->captureNextFrame(folder / "shot.png", [&](bool ok) {
        told = true;
        written = ok;
    });
    EXPECT_TRUE(director->hasPendingCapture());
    runFrames(1);
    EXPECT_TRUE(told);
    EXPECT_TRUE(written);
    EXPECT_FALSE(director->hasPendingCapture());
    testsupport::Picture picture = testsupport::Picture::fromFile(folder / "shot.png");
    ASSERT_TRUE(picture.loaded());
    EXPECT_EQ(picture.at(50, 540 - 50).r, 255);
    director->setFrameDrawFilter(nullptr);
}

TEST_F(DirectorPauseTest, AViewPassesFocusChangesToItsListener) {
    std::vector<bool> seen;
    view_->notifyFocus(false);  // nobody listens yet: nothing happens
    view_->setFocusCallback([&](bool focused) { seen.push_back(focused); });
    view_->notifyFocus(false);
    view_->notifyFocus(true);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    EXPECT_FALSE(view_->isIntegerScaling());
    view_->setIntegerScaling(true);
    EXPECT_TRUE(view_->isIntegerScaling());
}

}  // namespace
