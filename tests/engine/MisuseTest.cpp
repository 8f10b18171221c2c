// A caller's mistakes are refused safely; debug builds say so in one line through reportMisuse, release
// builds stay silent.
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engine/actions/ActionManager.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/MoveBy.h"
#include "engine/base/Misuse.h"
#include "engine/scene/Scheduler.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PhysicsFixture.h"

using namespace engine;

namespace {

// Collects what reportMisuse hands out while it lives.
class MisuseLog {
public:
    MisuseLog() {
        setMisuseSink([this](const std::string& line) { lines_.push_back(line); });
    }
    ~MisuseLog() { setMisuseSink(nullptr); }
    MisuseLog(const MisuseLog&) = delete;
    MisuseLog& operator=(const MisuseLog&) = delete;

    // Debug builds reported exactly `expected` since the last check; release builds nothing at all.
    void expect(std::vector<std::string> expected) {
#ifdef NDEBUG
        expected.clear();
#endif
        EXPECT_EQ(std::exchange(lines_, {}), expected);
    }

private:
    std::vector<std::string> lines_;
};

class NodeMisuseTest : public EngineFixture {
protected:
    MisuseLog log_;
};

class SchedulerMisuseTest : public EngineFixture {
protected:
    MisuseLog log_;
};

class ActionMisuseTest : public EngineFixture {
protected:
    MisuseLog log_;
};

class PhysicsMisuseTest : public PhysicsFixture {
protected:
    MisuseLog log_;
};

TEST_F(NodeMisuseTest, AddingAChildThatHasAParentIsRefusedAndSaysHowToMoveIt) {
    Node* first = Node::create();
    Node* second = Node::create();
    Node* child = Node::create();
    scene_->addChild(first);
    scene_->addChild(second);
    first->addChild(child);
    log_.expect({});

    second->addChild(child, 3, 7);
    log_.expect({"engine: Node::addChild: the child already has a parent; call removeFromParent() first"});
    first->addChild(child);
    log_.expect(
        {"engine: Node::addChild: the node is already a child of this node; use reorderChild() to change "
         "its z order"});
    EXPECT_EQ(child->getParent(), first);
    EXPECT_EQ(first->getChildrenCount(), 1u);
    EXPECT_EQ(second->getChildrenCount(), 0u);
    EXPECT_EQ(child->getTag(), Node::INVALID_TAG) << "a refused add changes nothing";

    child->removeFromParent();
    second->addChild(child);
    log_.expect({});
    EXPECT_EQ(child->getParent(), second);
}

TEST_F(NodeMisuseTest, AddingNothingItselfOrAnAncestorIsRefused) {
    Node* top = Node::create();
    Node* middle = Node::create();
    Node* bottom = Node::create();
    scene_->addChild(top);
    top->addChild(middle);
    middle->addChild(bottom);

    top->addChild(nullptr);
    top->addChild(top, 1);
    bottom->addChild(scene_, 2);
    log_.expect({
        "engine: Node::addChild: the child is null; check the create() call that made it",
        "engine: Node::addChild: a node cannot be its own child",
        "engine: Node::addChild: the child is an ancestor of this node, which would make a loop; remove it "
        "first",
    });
    EXPECT_EQ(bottom->getChildrenCount(), 0u);
    EXPECT_EQ(scene_->getParent(), nullptr);
    runFrames(2);  // drawing still ends: the tree has no loop
}

TEST_F(NodeMisuseTest, RemovingOrReorderingANodeOfAnotherParentIsRefused) {
    Node* mine = Node::create();
    Node* theirs = Node::create();
    Node* stranger = Node::create();
    scene_->addChild(mine);
    scene_->addChild(theirs);
    theirs->addChild(stranger, 4);

    mine->removeChild(stranger);
    mine->removeChild(nullptr);
    mine->reorderChild(stranger, 9);
    log_.expect({
        "engine: Node::removeChild: the node is not a child of this node; call removeFromParent() on it to "
        "remove "
        "it from wherever it is",
        "engine: Node::removeChild: the child is null; nothing was removed",
        "engine: Node::reorderChild: the node is not a child of this node; use setLocalZOrder() on it "
        "instead",
    });
    EXPECT_EQ(stranger->getParent(), theirs);
    EXPECT_EQ(stranger->getLocalZOrder(), 4);
}

// A node whose destructor asks for updates, a timer and an action.
class SchedulingInItsDestructor : public Node {
public:
    ~SchedulingInItsDestructor() override {
        scheduleUpdate();
        schedule([](float) {}, "late");
        runAction(DelayTime::create(1.0f));
    }
};

TEST_F(NodeMisuseTest, ANodeBeingDestroyedSchedulesAndRunsNothing) {
    Node* node = new SchedulingInItsDestructor();
    scene_->addChild(node);
    node->release();
    node->removeFromParent();
    runFrames(1);  // the frame's pool drops the last reference
    log_.expect({
        "engine: Node::scheduleUpdate: the node is being destroyed; schedule nothing from a destructor",
        "engine: Node::schedule: the node is being destroyed; schedule nothing from a destructor",
        "engine: Node::runAction: the node is being destroyed; run no actions from a destructor",
    });
    EXPECT_EQ(Director::getInstance()->getActionManager()->getNumberOfRunningActions(), 0u);
    runFrames(2);  // nothing left behind points at the destroyed node
}

TEST_F(SchedulerMisuseTest, SchedulingWithoutATargetOrACallbackIsRefused) {
    Scheduler* scheduler = Director::getInstance()->getScheduler();
    Node* node = Node::create();
    scene_->addChild(node);

    scheduler->scheduleUpdate(nullptr, 0, false);
    scheduler->schedule([](float) {}, nullptr, 0.0f, Scheduler::REPEAT_FOREVER, 0.0f, false, "orphan");
    node->schedule(Node::SchedulerCallback(), "empty");
    log_.expect({
        "engine: Scheduler::scheduleUpdate: the target is null; schedule the update of a node",
        "engine: Scheduler::schedule: the target is null; schedule the callback on a node",
        "engine: Scheduler::schedule: the callback 'empty' is empty; pass a function to call",
    });
    EXPECT_FALSE(node->isScheduled("empty"));
    runFrames(3);  // an empty callback would throw when called
}

TEST_F(ActionMisuseTest, AnActionWithoutATargetOrAlreadyRunningIsRefused) {
    Node* runner = Node::create();
    Node* other = Node::create();
    scene_->addChild(runner);
    scene_->addChild(other);

    EXPECT_EQ(runner->runAction(nullptr), nullptr);
    Director::getInstance()->getActionManager()->addAction(DelayTime::create(1.0f), nullptr, false);
    log_.expect({
        "engine: Node::runAction: the action is null; check the create() call that made it",
        "engine: ActionManager::addAction: the target is null; run the action on a node with "
        "Node::runAction()",
    });

    MoveBy* move = MoveBy::create(1.0f, Vec2(60, 0));
    runner->runAction(move);
    other->runAction(move);
    log_.expect(
        {"engine: ActionManager::addAction: the action is already running; an action runs on one node at "
         "a time, so create another (or wait until it is done)"});
    EXPECT_EQ(other->getNumberOfRunningActions(), 0u);

    runFrames(30);
    EXPECT_NEAR(runner->getPositionX(), 30.0f, 1.5f) << "stepped once a frame, not twice";
    EXPECT_EQ(other->getPositionX(), 0.0f);

    move->retain();
    runFrames(40);
    other->runAction(move);  // done, so free to run again
    log_.expect({});
    EXPECT_EQ(other->getNumberOfRunningActions(), 1u);
    move->release();
}

TEST_F(PhysicsMisuseTest, RemovingABodyTwiceOrOneOutsideTheWorldIsRefused) {
    Node* box = addBox(scene_, {480, 300}, {20, 20}, true, "box");
    runFrames(1);
    PhysicsBody* body = box->getPhysicsBody();
    ASSERT_EQ(body->getWorld(), world());

    world()->removeBody(body);
    log_.expect({});
    world()->removeBody(body);
    body->removeFromWorld();
    world()->removeBody(1234);
    world()->removeBody(nullptr);
    log_.expect({
        "engine: PhysicsWorld::removeBody: the body is not in this world (removed already, or never added); "
        "check getWorld() first",
        "engine: PhysicsBody::removeFromWorld: the body is in no world (removed already, or its node is not "
        "in a "
        "physics scene); check getWorld() first",
        "engine: PhysicsWorld::removeBody: no body with tag 1234 is in this world; check getBody(tag) first",
        "engine: PhysicsWorld::removeBody: the body is null; nothing was removed",
    });
    EXPECT_TRUE(world()->getAllBodies().empty());

    box->removeFromParent();  // the node leaving takes nothing out: no mistake of the caller's
    runFrames(2);
    log_.expect({});
}

TEST_F(PhysicsMisuseTest, ShapesAndValuesABodyCannotTakeAreRefused) {
    Node* box = addBox(scene_, {480, 300}, {20, 20}, true, "box");
    Node* other = addBox(scene_, {200, 300}, {20, 20}, true, "other");
    runFrames(1);
    PhysicsBody* body = box->getPhysicsBody();
    PhysicsShape* own = body->getFirstShape();
    PhysicsShape* foreign = other->getPhysicsBody()->getFirstShape();

    body->addShape(nullptr);
    body->addShape(own);
    body->removeShape(foreign);
    body->removeShape(nullptr);
    body->setVelocity(Vec2(std::nanf(""), 0.0f));
    body->setMass(-1.0f);
    log_.expect({
        "engine: PhysicsBody::addShape: the shape is null; check the create() call that made it",
        "engine: PhysicsBody::addShape: the shape is already on this body",
        "engine: PhysicsBody::removeShape: the shape is not on this body (removed already?); check "
        "PhysicsShape::getBody() first",
        "engine: PhysicsBody::removeShape: the shape is null; nothing was removed",
        "engine: PhysicsBody::setVelocity: a value is not finite (NaN or infinity); the call is ignored, "
        "check what "
        "computed it",
        "engine: PhysicsBody::setMass: the mass must be finite and above 0; it is left as it was",
    });
    EXPECT_EQ(body->getShapes().size(), 1u);
    EXPECT_EQ(foreign->getBody(), other->getPhysicsBody());
    EXPECT_TRUE(std::isfinite(body->getVelocity().x));
}

TEST(MisuseReportTest, WithoutASinkAReportIsOneLineOnStandardError) {
    ::testing::internal::CaptureStderr();
    reportMisuse("Thing::doIt", "it went wrong; do it right");
    std::string printed = ::testing::internal::GetCapturedStderr();
#ifdef NDEBUG
    EXPECT_EQ(printed, "");
#else
    EXPECT_EQ(printed, "engine: Thing::doIt: it went wrong; do it right\n");
#endif
}

}  // namespace
