// Nodes removed from inside their own callbacks must stay valid until the frame ends
// (these tests fail under AddressSanitizer if anything is freed too early).
#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/RemoveSelf.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/TargetedAction.h"
#include "engine/base/WeakRef.h"
#include "engine/scene/Sprite.h"
#include "tests/support/EngineFixture.h"

using namespace engine;

namespace {

// Like a screen controller that asks for a scene change from its own update, which removes it.
class SelfRemovingController : public Node {
public:
    static SelfRemovingController* create() {
        auto* node = new SelfRemovingController();
        node->init();
        node->autorelease();
        return node;
    }
    void update(float) override {
        ++updates;
        removeFromParent();
        // Still usable after removal: the frame has not ended.
        touchedAfterRemoval = getTag() == 42 && getParent() == nullptr;
    }
    int updates = 0;
    bool touchedAfterRemoval = false;
};

}  // namespace

class NodeLifetimeTest : public EngineFixture {};

TEST_F(NodeLifetimeTest, NodeRemovingItselfInItsUpdateLivesUntilTheFrameEnds) {
    auto* controller = SelfRemovingController::create();
    controller->setTag(42);
    scene_->addChild(controller);
    controller->scheduleUpdate();
    WeakRef<SelfRemovingController> weak(controller);
    runFrames(1);
    EXPECT_EQ(weak.get(), nullptr) << "freed when the frame ended";
    runFrames(2);  // no further update of a removed node
}

TEST_F(NodeLifetimeTest, NodeStateReadableRightAfterSelfRemoval) {
    auto* controller = SelfRemovingController::create();
    controller->setTag(42);
    scene_->addChild(controller);
    controller->scheduleUpdate();
    controller->retain();
    runFrames(1);
    EXPECT_EQ(controller->updates, 1);
    EXPECT_TRUE(controller->touchedAfterRemoval);
    runFrames(1);
    EXPECT_EQ(controller->updates, 1);
    controller->release();
}

TEST_F(NodeLifetimeTest, AnimationRemovedInItsOwnFinishCallback) {
    // An owner removes an animation node from inside that animation's finishing callback.
    Sprite* animation = Sprite::create();
    scene_->addChild(animation);
    WeakRef<Sprite> weak(animation);
    bool finished = false;
    animation->runAction(Sequence::create({DelayTime::create(0.05f), CallFunc::create([&] {
                                               animation->removeFromParent();
                                               animation->setOpacity(10);  // still valid here
                                               finished = true;
                                           })}));
    runFrames(5);
    EXPECT_TRUE(finished);
    EXPECT_EQ(weak.get(), nullptr);
}

TEST_F(NodeLifetimeTest, TargetedActionKeepsSteppingARemovedTarget) {
    Node* owner = Node::create();
    Sprite* layer = Sprite::create();
    scene_->addChild(owner);
    scene_->addChild(layer);
    // The out-action removes the layer half way; the fade keeps stepping it afterwards.
    owner->runAction(
        Sequence::create({TargetedAction::create(
                              layer, Sequence::create({DelayTime::create(0.05f), RemoveSelf::create(false)})),
                          TargetedAction::create(layer, FadeTo::create(0.1f, 0))}));
    WeakRef<Sprite> weak(layer);
    runFrames(5);  // 0.05 s: removed on the fourth frame
    EXPECT_EQ(layer->getParent(), nullptr);
    ASSERT_NE(weak.get(), nullptr) << "the targeted action retains its target";
    runFrames(8);
    EXPECT_EQ(owner->getNumberOfRunningActions(), 0u);
    EXPECT_EQ(weak.get(), nullptr) << "released once the action is done";
}

TEST_F(NodeLifetimeTest, CallFuncRemovingItsOwnTargetStopsTheSequence) {
    Sprite* node = Sprite::create();
    scene_->addChild(node);
    int after = 0;
    node->runAction(Sequence::create({CallFunc::create([&] { node->removeFromParent(); }),
                                      CallFunc::create([&] { ++after; }), DelayTime::create(0.1f),
                                      CallFunc::create([&] { ++after; })}));
    runFrames(12);
    // Instants in the same frame as the removal still run; nothing later does.
    EXPECT_EQ(after, 1);
}

TEST_F(NodeLifetimeTest, WeakReferenceReadsNullOnceTheNodeIsGone) {
    WeakRef<Node> weak;
    {
        Node* node = Node::create();
        weak = node;
        scene_->addChild(node);
        EXPECT_EQ(weak.get(), node);
        node->removeFromParent();
        EXPECT_EQ(weak.get(), node) << "kept until the frame's pool drains";
    }
    AutoreleasePool::getInstance().clear();
    EXPECT_EQ(weak.get(), nullptr);
    WeakRef<Node> empty;
    EXPECT_FALSE(empty);
}

TEST_F(NodeLifetimeTest, ChildrenRemovedInOnEnterDoNotBreakTheWalk) {
    class Fussy : public Node {
    public:
        void onEnter() override {
            Node::onEnter();
            if (getParent()) getParent()->removeAllChildren();
        }
    };
    Node* holder = Node::create();
    for (int i = 0; i < 3; ++i) {
        auto* fussy = new Fussy();
        fussy->init();
        fussy->autorelease();
        holder->addChild(fussy);
    }
    scene_->addChild(holder);
    runFrames(1);
    EXPECT_EQ(holder->getChildrenCount(), 0u);
}
