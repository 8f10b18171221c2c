#pragma once

// Creatures on the tests' stage map (see CharacterFixture) with AI and action tables of the test's
// own: tables written here are found before the game's (numbers from 9000 up keep clear of them).
// Quorin can be put on the map so that the creatures see her.

#include <string>

#include "game/character/CharacterActionPettern.h"
#include "game/character/EnemyCharacter.h"
#include "game/data/EnemyTableCache.h"
#include "tests/support/CharacterFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

class CreatureFixture : public CharacterFixture {
protected:
    void SetUp() override {
        CharacterFixture::SetUp();
        engine::FileUtils::getInstance()->addSearchPath(tables_.path(), true);
    }

    void writeAi(int id, const std::string& text) {
        testsupport::writeFile(tables_ / vastomer::EnemyTableCache::aiFileName(id), text);
    }
    void writeActions(int id, const std::string& text) {
        testsupport::writeFile(tables_ / vastomer::EnemyTableCache::actionFileName(id), text);
    }

    // Quorin on the map at `position` (she takes no input here: nothing drives her).
    vastomer::PlayerCharacter* placePlayer(const engine::Vec2& position) {
        vastomer::PlayerCharacter* player = vastomer::DataManager::getInstance()->getPlayerCharacter();
        if (!player->getParent()) {
            map_->getCharacterLayer()->addChild(player);
            map_->addCharacter(player, true);
        }
        player->setPosition(position);
        return player;
    }

    // A creature of record `id` at `position`, listed on the map.
    vastomer::EnemyCharacter* spawnEnemy(int id, const engine::Vec2& position,
                                         const std::string& kind = "enemy") {
        vastomer::EnemyCharacter* enemy = vastomer::EnemyCharacter::create(id, 0, kind, 0);
        if (!enemy) return nullptr;
        enemy->setPosition(position);
        map_->getCharacterLayer()->addChild(enemy);
        map_->addCharacter(enemy, true);
        return enemy;
    }

    // An interpreter of AI table `aiId` driving `owner`, started (the test calls its tick).
    static vastomer::CharacterActionPettern* drive(vastomer::CharacterSprite* owner, int aiId) {
        vastomer::CharacterActionPettern* pattern = vastomer::CharacterActionPettern::create(aiId);
        owner->addChild(pattern);
        pattern->setOwner(owner);
        pattern->start();
        return pattern;
    }

    testsupport::TempFolder tables_;
};
