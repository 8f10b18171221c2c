#pragma once

// Characters on a real stage map in the game's physics scene, without the play screen: the map of
// stage 1 part 1 of the tests' maps (a wall at x 0-16, ground 0-480 and 480-720 side by side, a
// 16-high step at 288-352, a pit at 720-784, ground 784-960; ground tops at y 32) without the creature
// its marker places, and a play controller whose contact listener routes contacts (and separations) to
// the characters.

#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsShape.h"
#include "game/character/ActionMap.h"
#include "game/character/CharacterSprite.h"
#include "game/play/PlayController.h"
#include "tests/support/PlayFixture.h"

class CharacterFixture : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        engine::FileUtils::getInstance()->setResourceRoot(playtest::resourceRoot());
        manager_ = startGame();
        ASSERT_NE(manager_, nullptr);
        controller_ = vastomer::PlayController::create();
        manager_->addChild(controller_);
        controller_->start();
        map_ = vastomer::ActionMap::create();
        manager_->addChild(map_, -1);
        ASSERT_TRUE(map_->loadMap("data/map/md_0001_01.tmx"));
        map_->buildCollision();
        map_->readObjects();
        // Each test places the characters it needs.
        map_->removeAllCharacters();
    }

    // A character of record `id` with its centre at `position`, listed on the map. Named "enemy" so
    // that contacts reach it as they reach a creature. A variant a creature has no motions for (only
    // the player's wears have variants) leaves it without any animation file.
    vastomer::CharacterSprite* spawn(int id, const engine::Vec2& position, const std::string& kind = "enemy",
                                     int variant = 0) {
        vastomer::CharacterSprite* character = vastomer::CharacterSprite::create(id, 0, kind, variant);
        if (!character) return nullptr;
        character->setPosition(position);
        map_->getCharacterLayer()->addChild(character);
        map_->addCharacter(character, true);
        return character;
    }

    // Runs frames until the character stands (landed, not falling) and has come to rest; false after
    // `limit` frames.
    bool settle(vastomer::CharacterSprite* character, int limit = 120) {
        for (int i = 0; i < limit; ++i) {
            runFrames(1);
            if (character->hasLanded() && !character->isFalling() && !character->isAirborne()) {
                runFrames(10);
                return true;
            }
        }
        return false;
    }

    // The first map box with this body name whose node contains the point (map space), or null.
    engine::PhysicsShape* boxAt(const std::string& name, const engine::Vec2& point) const {
        for (engine::Node* node : map_->getMapRoot()->getChildren()) {
            engine::PhysicsBody* body = node->getPhysicsBody();
            if (body && body->getName() == name && node->getBoundingBox().containsPoint(point))
                return body->getFirstShape();
        }
        return nullptr;
    }

    static engine::PhysicsShape* shapeOf(engine::Node* node) {
        return node && node->getPhysicsBody() ? node->getPhysicsBody()->getFirstShape() : nullptr;
    }

    vastomer::SceneManager* manager_ = nullptr;
    vastomer::PlayController* controller_ = nullptr;
    vastomer::ActionMap* map_ = nullptr;
};
