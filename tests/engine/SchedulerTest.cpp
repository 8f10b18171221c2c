// Update priorities and interval timers.
#include <string>
#include <vector>

#include "engine/scene/Scheduler.h"
#include "tests/support/EngineFixture.h"

using namespace engine;

namespace {

class Recorder : public Node {
public:
    static Recorder* create(std::vector<std::string>* log, std::string name) {
        auto* node = new Recorder();
        node->init();
        node->autorelease();
        node->log_ = log;
        node->label_ = std::move(name);
        return node;
    }
    void update(float) override { log_->push_back(label_); }

private:
    std::vector<std::string>* log_ = nullptr;
    std::string label_;
};

}  // namespace

class SchedulerTest : public EngineFixture {};

TEST_F(SchedulerTest, UpdatesRunByPriorityThenInSchedulingOrder) {
    std::vector<std::string> log;
    const std::pair<const char*, int> nodes[] = {{"zeroA", 0}, {"plus", 5},    {"minus255", -255},
                                                 {"zeroB", 0}, {"minus1", -1}, {"minus255b", -255}};
    for (const auto& [name, priority] : nodes) {
        Recorder* r = Recorder::create(&log, name);
        scene_->addChild(r);
        r->scheduleUpdateWithPriority(priority);
    }
    runFrames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"minus255", "minus255b", "minus1", "zeroA", "zeroB", "plus"}));
}

TEST_F(SchedulerTest, ReschedulingWithAnotherPriorityMovesTheEntry) {
    std::vector<std::string> log;
    Recorder* a = Recorder::create(&log, "a");
    Recorder* b = Recorder::create(&log, "b");
    scene_->addChild(a);
    scene_->addChild(b);
    a->scheduleUpdate();
    b->scheduleUpdate();
    a->scheduleUpdate();  // same priority: ignored
    runFrames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    log.clear();
    b->scheduleUpdateWithPriority(-1);
    runFrames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"b", "a"}));
}

TEST_F(SchedulerTest, IntervalTimerFirstPassOnlyStartsTheClock) {
    Node* node = Node::create();
    scene_->addChild(node);
    std::vector<uint64_t> fired;
    node->schedule([&](float) { fired.push_back(Director::getInstance()->getTotalFrames()); }, 0.1f, "tick");
    runFrames(13);
    // Scheduled before frame 1: frame 1 starts the clock, then 6 frames make 0.1 s.
    EXPECT_EQ(fired, (std::vector<uint64_t>{7, 13}));
    node->unschedule("tick");
    runFrames(12);
    EXPECT_EQ(fired.size(), 2u);
}

TEST_F(SchedulerTest, OneShotTimerFiresOnceAfterItsDelay) {
    Node* node = Node::create();
    scene_->addChild(node);
    int fired = 0;
    float passed = 0;
    node->scheduleOnce([&](float dt) { ++fired, passed = dt; }, 0.05f, "once");
    runFrames(3);
    EXPECT_EQ(fired, 0);
    runFrames(1);
    EXPECT_EQ(fired, 1);
    EXPECT_FLOAT_EQ(passed, 0.05f);
    runFrames(20);
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(node->isScheduled("once"));
}

TEST_F(SchedulerTest, PausedNodesAreSkippedUntilTheyEnter) {
    std::vector<std::string> log;
    Recorder* r = Recorder::create(&log, "r");
    r->retain();  // nobody owns it until it joins the scene
    r->scheduleUpdate();
    runFrames(2);
    EXPECT_TRUE(log.empty());
    scene_->addChild(r);
    runFrames(2);
    EXPECT_EQ(log.size(), 2u);
    r->removeFromParentAndCleanup(false);
    runFrames(2);
    EXPECT_EQ(log.size(), 2u);
    r->release();
}

TEST_F(SchedulerTest, UpdateScheduledDuringThePassRunsInTheSamePass) {
    std::vector<std::string> log;
    Recorder* late = Recorder::create(&log, "late");
    scene_->addChild(late);
    class Starter : public Node {
    public:
        Node* other = nullptr;
        void update(float) override {
            other->scheduleUpdate();
            unscheduleUpdate();
        }
    };
    auto* starter = new Starter();
    starter->init();
    starter->autorelease();
    starter->other = late;
    scene_->addChild(starter);
    starter->scheduleUpdate();
    runFrames(1);
    EXPECT_EQ(log, std::vector<std::string>{"late"});
}
