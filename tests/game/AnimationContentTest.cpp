// The animation content of the built resource tree: every file the player, the Sproutling, their
// weapons, bullets and effects ask for loads and plays without an error box, body and weapon
// scripts keep step, and standing motions keep her soles on the ground.
#include <filesystem>

#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/NSpriteAnimationManager.h"
#include "tests/support/GameFixture.h"
#include "tests/support/Pixel.h"

using engine::MessageBox;
using vastomer::AnimationCommand;
using vastomer::CompositeAnimation;
using vastomer::NSpriteAnimationManager;

namespace {

const NSpriteAnimationManager& names() {
    return *NSpriteAnimationManager::getInstance();
}

class AnimationContentTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        scene_ = engine::Scene::create();
        engine::Director::getInstance()->runWithScene(scene_);
    }

    // Loads a file of the runtime tree and plays it through once; false (with the boxes in
    // `problems`) when it cannot load or shows an error box while playing.
    CompositeAnimation* playThrough(const std::string& file) {
        MessageBox::clearShown();
        CompositeAnimation* node = CompositeAnimation::create();
        scene_->addChild(node);
        if (!node->load(file)) {
            ADD_FAILURE() << file << " does not load: " << (shown().empty() ? "missing" : shown());
            return node;
        }
        bool finished = false;
        node->play([&](CompositeAnimation*) { finished = true; });
        const double seconds = node->getInterval() * (node->getLastFrame() + 2);
        runFrames(static_cast<int>(seconds * 60.0) + 2);
        EXPECT_TRUE(finished) << file;
        EXPECT_EQ(shown(), "") << file;
        return node;
    }
    static std::string shown() {
        std::string all;
        for (const auto& box : MessageBox::getShown())
            all += box.message + "\n";
        return all;
    }
    // The elements of one command in a loaded timeline.
    static std::vector<vastomer::AnimationElement> elements(const CompositeAnimation* node,
                                                            AnimationCommand type) {
        std::vector<vastomer::AnimationElement> found;
        for (const auto& [frame, list] : node->getTimeline().frames)
            for (const auto& element : list)
                if (element.type == type) found.push_back(element);
        return found;
    }

    engine::Scene* scene_ = nullptr;
};

TEST_F(AnimationContentTest, EveryPlayerMotionOfTheTravelCoatPlaysCleanly) {
    for (int motion = NSpriteAnimationManager::FIRST_MOTION; motion <= NSpriteAnimationManager::LAST_MOTION;
         ++motion)
        playThrough(names().getCharacterAnimationFile(0, motion, 0));
}

TEST_F(AnimationContentTest, TheSproutlingHasItsMotions) {
    for (int motion : {1, 2, 3, 8, 9, 10})
        playThrough(names().getCharacterAnimationFile(1, motion, 0));
    playThrough(names().getCharacterAnimationFile(1, 10, 0, 1));
}

TEST_F(AnimationContentTest, IronFanAndPistolScriptsKeepStepWithTheBody) {
    struct Pair {
        std::string body, weapon, event;
    };
    std::vector<Pair> pairs;
    for (int hit = 1; hit <= 3; ++hit) {  // the Iron Fan's attackAnim numbers are 1, 2, 3
        pairs.push_back({names().getCharacterAnimationFile(0, 11, 0, hit),
                         names().getWeaponAnimationFile(0, hit, false), "grapplebody"});
        pairs.push_back({names().getCharacterAnimationFile(0, 12, 0, hit),
                         names().getWeaponAnimationFile(0, hit, true), "grapplebody"});
    }
    // The pistol (attackAnim1 1): the full draw with weapon script 00, a quick follow-up with 01.
    pairs.push_back({names().getCharacterAnimationFile(0, 15, 0, 1),
                     names().getWeaponAnimationFile(10, 0, false), "shootbody"});
    pairs.push_back({names().getCharacterAnimationFile(0, 16, 0, 1),
                     names().getWeaponAnimationFile(10, 0, true), "shootbody"});
    pairs.push_back({names().getCharacterAnimationFile(0, 13, 0, 1),
                     names().getWeaponAnimationFile(10, 1, false), "shootbody"});
    pairs.push_back({names().getCharacterAnimationFile(0, 14, 0, 1),
                     names().getWeaponAnimationFile(10, 1, true), "shootbody"});
    for (const Pair& pair : pairs) {
        CompositeAnimation* body = playThrough(pair.body);
        CompositeAnimation* weapon = playThrough(pair.weapon);
        EXPECT_EQ(body->getLastFrame(), weapon->getLastFrame()) << pair.body;
        EXPECT_EQ(body->getInterval(), weapon->getInterval()) << pair.body;
        auto events = elements(weapon, AnimationCommand::FUNC);
        ASSERT_EQ(events.size(), 1u) << pair.weapon;
        EXPECT_EQ(events[0].firstText, pair.event);
        EXPECT_EQ(elements(weapon, AnimationCommand::PLAYSE).size() >= 1, true) << pair.weapon;
    }
}

TEST_F(AnimationContentTest, BulletsAndHitEffectsPlayAndEffectsEndEmpty) {
    playThrough(names().getBulletAnimationFile(1));
    for (int effect : {1, 2, 5}) {
        CompositeAnimation* node = playThrough(names().getEffectAnimationFile(effect));
        for (engine::Node* child : node->getChildren())
            EXPECT_EQ(child->getOpacity(), 0) << "effect " << effect << " leaves nothing drawn";
    }
    playThrough(names().getEffectAnimationFile(9001));
}

// The lowest drawn row of the frame, or -1 when the column range is empty (y up, design units).
int lowestDrawnRow(engine::HeadlessView* view, int fromX, int toX, testsupport::Pixel background) {
    const SDL_Surface* s = view->getFrameSurface();
    for (int yUp = 0; yUp < s->h; ++yUp)
        for (int x = fromX; x < toX; ++x) {
            const testsupport::Pixel p = testsupport::readPixel(s, x, s->h - 1 - yUp);
            if (p.r != background.r || p.g != background.g || p.b != background.b) return yUp;
        }
    return -1;
}

TEST_F(AnimationContentTest, StandingWalkingAndRunningKeepHerSolesOnTheGround) {
    // The lowest drawn row of the figure is the first row above the ground line (y 250 on screen).
    engine::Sprite* backdrop = engine::Sprite::create();
    backdrop->setTextureRect(engine::Rect(0, 0, 960, 540));
    backdrop->setAnchorPoint(engine::Vec2::ZERO);
    backdrop->setColor(engine::Color3B(10, 200, 30));
    scene_->addChild(backdrop, -1);
    for (int motion : {1, 2, 3}) {
        CompositeAnimation* node = CompositeAnimation::create();
        ASSERT_TRUE(node->load(names().getCharacterAnimationFile(0, motion, 0)));
        node->setPosition(480, 270);  // the character's centre; its 40 high body box ends 20 below
        scene_->addChild(node);
        node->play(nullptr, true);
        for (int frame = 0; frame <= node->getLastFrame(); ++frame) {
            node->step();
            runFrames(1);
            // Turned boots are rasterised to whole pixels: a stride may sink or lift a sole by one.
            const int lowest = lowestDrawnRow(view_, 440, 520, testsupport::Pixel{10, 200, 30, 255});
            if (motion == 1)
                EXPECT_EQ(lowest, 250) << "frame " << frame;
            else
                EXPECT_NEAR(lowest, 250, 1) << "motion " << motion << " frame " << frame;
        }
        node->removeFromParent();
    }
}

}  // namespace
