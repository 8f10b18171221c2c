// Nobody comes to rest on another character's head: on the play screen, a creature dropped onto
// Quorin and Quorin dropped onto a creature both slide off and stand on the ground again, whichever
// way they are placed (centred ones included), and the one below is never pinned.
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

constexpr int GATE_TOAD = 100;
// Frames a character may take to slide off the widest pair (the toad's 72 px over Quorin's 16 px, at
// two pixels a frame) and land, with room to spare.
constexpr int SLIDE_LIMIT = 120;

class CharacterStackTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
        // Away from the map's left wall, so that either side is open.
        player()->setPositionX(200.0f);
        ASSERT_TRUE(runUntilPlayable());
    }

    // A creature without a program (it only falls and stands), so that nothing but the slide moves it.
    CharacterSprite* spawn(int id, const engine::Vec2& position) {
        CharacterSprite* character = CharacterSprite::create(id, 0, "enemy", 0);
        if (!character) return nullptr;
        character->setPosition(position);
        map()->getCharacterLayer()->addChild(character);
        map()->addCharacter(character, true);
        return character;
    }

    float bottomOf(const CharacterSprite* character) const {
        return character->getPositionY() - static_cast<float>(character->getRecord().bodyHeight) / 2.0f;
    }
    float topOf(const CharacterSprite* character) const {
        return character->getPositionY() + static_cast<float>(character->getRecord().bodyHeight) / 2.0f;
    }

    // Runs until `upper`'s bottom lies on `lower`'s top (within 4 px); false after 40 frames.
    bool runUntilResting(const CharacterSprite* upper, const CharacterSprite* lower) {
        for (int i = 0; i < 40; ++i) {
            runFrames(1);
            if (std::abs(bottomOf(upper) - topOf(lower)) < 4.0f) return true;
        }
        return false;
    }

    // Runs until `character` stands on a ground or wall box (not falling, held up by one); false after
    // `limit` frames.
    bool runUntilOnGround(const CharacterSprite* character, int limit) {
        for (int i = 0; i < limit; ++i) {
            runFrames(1);
            if (!character->isFalling() && !character->isJumping() && character->getSupportContacts() > 0)
                return true;
        }
        return false;
    }
};

}  // namespace

TEST_F(CharacterStackTest, ACreatureDroppedOntoQuorinsHeadSlidesOffAndLands) {
    for (const float offset : {0.0f, -10.0f, 12.0f}) {
        SCOPED_TRACE(offset);
        PlayerCharacter* quorin = player();
        CharacterSprite* toad =
            spawn(GATE_TOAD, engine::Vec2(quorin->getPositionX() + offset, topOf(quorin) + 28.0f + 30.0f));
        ASSERT_NE(toad, nullptr);
        EXPECT_TRUE(runUntilResting(toad, quorin)) << "it comes down on her head first";
        ASSERT_TRUE(runUntilOnGround(toad, SLIDE_LIMIT))
            << "at " << toad->getPositionX() << "," << toad->getPositionY();
        if (offset != 0.0f) {
            EXPECT_EQ(toad->getPositionX() < quorin->getPositionX(), offset < 0.0f) << "away from her centre";
        }
        EXPECT_TRUE(runUntilOnGround(quorin, 10)) << "she still stands";
        toad->removeFromParent();
        runFrames(2);
    }
}

TEST_F(CharacterStackTest, QuorinDroppedOntoACreatureSlidesOffAndLands) {
    PlayerCharacter* quorin = player();
    CharacterSprite* toad =
        spawn(GATE_TOAD, engine::Vec2(quorin->getPositionX() + 180.0f, player()->getPositionY() + 40.0f));
    ASSERT_NE(toad, nullptr);
    ASSERT_TRUE(runUntilOnGround(toad, 60));
    quorin->setPosition(toad->getPositionX(), topOf(toad) + 20.0f + 30.0f);
    EXPECT_TRUE(runUntilResting(quorin, toad)) << "she comes down on its head first";
    ASSERT_TRUE(runUntilOnGround(quorin, SLIDE_LIMIT))
        << "at " << quorin->getPositionX() << "," << quorin->getPositionY();
    EXPECT_TRUE(runUntilOnGround(toad, 10)) << "it still stands";
}

TEST_F(CharacterStackTest, AFlyerPressingDownOnQuorinsHeadSlidesOffBesideHer) {
    constexpr int LANTERN_WISP = 2;
    PlayerCharacter* quorin = player();
    CharacterSprite* wisp = spawn(LANTERN_WISP, engine::Vec2(quorin->getPositionX() + 2.0f, 0.0f));
    ASSERT_NE(wisp, nullptr);
    wisp->setPositionY(topOf(quorin) + static_cast<float>(wisp->getRecord().bodyHeight) / 2.0f);
    // It sinks towards her height the whole time, as its program makes it do.
    const float reach =
        static_cast<float>(wisp->getRecord().bodyWidth + quorin->getRecord().bodyWidth) / 2.0f;
    bool beside = false;
    for (int i = 0; i < SLIDE_LIMIT && !beside; ++i) {
        wisp->fly(true, false);
        runFrames(1);
        beside = std::abs(wisp->getPositionX() - quorin->getPositionX()) > reach;
    }
    EXPECT_TRUE(beside) << "it hangs beside her, where her swing reaches it, not on her head; at "
                        << wisp->getPositionX() << "," << wisp->getPositionY();
    EXPECT_TRUE(runUntilOnGround(quorin, 10)) << "she still stands";
}
