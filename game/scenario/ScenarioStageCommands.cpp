#include "game/scenario/ScenarioStageCommands.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/MoveTo.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/TargetedAction.h"
#include "engine/base/RefPtr.h"
#include "engine/particles/ParticleSystemQuad.h"
#include "engine/platform/FileUtils.h"
#include "engine/tilemap/TMXTiledMap.h"
#include "game/app/SceneManager.h"
#include "game/character/ActionMap.h"
#include "game/character/CharacterSprite.h"
#include "game/character/EnemyFactory.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/QuorinScenarioEngine.h"

namespace vastomer {

namespace {

using engine::Vec2;

bool fileExists(const std::string& file) {
    return !engine::FileUtils::getInstance()->fullPathForFilename(file).empty();
}

// The layer a layer word names, or null (with `known` false for a word outside the list).
engine::Node* layerNamed(QuorinScenarioEngine& engine, const std::string& word, bool allowContents,
                         bool& known) {
    known = true;
    ActionMap* map = engine.getActionMap();
    if (word == "BACK") return map ? map->getBackLayer() : nullptr;
    if (word == "CHARA") return map ? map->getFrontLayer() : nullptr;
    if (word == "OVER") {
        SceneManager* manager = SceneManager::peekInstance();
        return manager ? manager->getCurrentLayer() : nullptr;
    }
    if (allowContents && word == "CONTENTS") return engine.getContentsNode();
    known = false;
    return nullptr;
}

// The animation file of a motion word ("WALK", "RUN", "WAIT"); any other word is a file name.
std::string motionFile(const CharacterSprite& character, const std::string& word, bool allowWait) {
    if (word == "WALK") return character.animationFile(CharacterAnimState::WALK);
    if (word == "RUN") return character.animationFile(CharacterAnimState::RUN);
    if (allowWait && word == "WAIT") return character.animationFile(CharacterAnimState::WAIT);
    return word;
}

}  // namespace

// ---------------------------------------------------------------- camera

void ScenarioStageCommands::camera(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    engine::Node* target = engine.getCameraTarget();
    if (!target) {
        engine.problem(command, "the screen has no camera");
        return;
    }
    const std::string& form = command.arg(0).hasText ? command.textAt(0) : std::string();
    Vec2 to;
    float seconds = 0.0f;
    if (form == "RELATIVE") {
        const Vec2 by(static_cast<float>(command.intAt(1)), static_cast<float>(command.intAt(2)));
        seconds = command.floatAt(3);
        if (seconds <= 0.0f) {
            target->setPosition(target->getPosition() + by);
            return;
        }
        auto release = engine.block("camera");
        engine.runAction(engine::Sequence::create(
            {engine::TargetedAction::create(target, engine::MoveBy::create(seconds, by)),
             engine::CallFunc::create(release)}));
        return;
    }
    if (form == "CHARA") {
        CharacterSprite* character = engine.findCharacter(command.textAt(1));
        if (!character) {
            engine.problem(command, "no character '" + command.textAt(1) + "' on the stage");
            return;
        }
        to = character->getPosition();
        seconds = command.floatAt(2);
    } else if (form == "CENTER") {
        ActionMap* map = engine.getActionMap();
        engine::TMXTiledMap* tiles = map ? map->getTiledMap() : nullptr;
        if (!tiles) {
            engine.problem(command, "no map on the stage");
            return;
        }
        to = Vec2(tiles->getMapSize().width * tiles->getTileSize().width * 0.5f,
                  tiles->getMapSize().height * tiles->getTileSize().height * 0.5f);
        seconds = command.floatAt(1);
    } else {
        to = Vec2(static_cast<float>(command.intAt(0)), static_cast<float>(command.intAt(1)));
        seconds = command.floatAt(2);
    }
    if (seconds <= 0.0f) {
        target->setPosition(to);
        return;
    }
    auto release = engine.block("camera");
    engine.runAction(
        engine::Sequence::create({engine::TargetedAction::create(target, engine::MoveTo::create(seconds, to)),
                                  engine::CallFunc::create(release)}));
}

// ---------------------------------------------------------------- characters

void ScenarioStageCommands::character(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    const std::string& form = command.textAt(0);
    if (form == "GEN") {
        generateCharacter(engine, command);
        return;
    }
    if (form != "MOVE" && form != "REMOVE" && form != "ANIME" && form != "VISIBLE" && form != "SETZ") return;
    CharacterSprite* character = engine.findCharacter(command.textAt(1));
    if (!character) {
        engine.problem(command, "no character '" + command.textAt(1) + "' on the stage");
        return;
    }
    if (form == "MOVE") {
        moveCharacter(engine, command);
    } else if (form == "REMOVE") {
        engine::RefPtr<CharacterSprite> keep(character);
        if (ActionMap* map = engine.getActionMap()) map->removeCharacter(character);
        character->removeFromParent();
    } else if (form == "ANIME") {
        animateCharacter(engine, command);
    } else if (form == "VISIBLE") {
        character->setVisible(command.textAt(2) == "TRUE");
    } else {
        character->setGlobalZOrder(static_cast<float>(command.intAt(2)));
    }
}

void ScenarioStageCommands::generateCharacter(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    ActionMap* map = engine.getActionMap();
    DataManager* data = DataManager::getInstance();
    if (!map || !data) {
        engine.problem(command, "no stage to place a character on");
        return;
    }
    const int kind = command.intAt(1);
    const std::string& label = command.textAt(2);
    const Vec2 position(static_cast<float>(command.intAt(3)), static_cast<float>(command.intAt(4)));
    const bool facingLeft = command.textAt(5) == "true";
    engine::RefPtr<CharacterSprite> character;
    if (kind == 0) {
        if (engine.findCharacter("PLAYER")) return;
        PlayerCharacter* player = data->getPlayerCharacter();
        if (!player) return;
        character = player;
        if (player->getParent()) player->removeFromParent();
        player->reset();
    } else {
        if (engine.findCharacter(label)) return;
        const int index =
            ScenarioStageCommands::SCRIPT_CHARACTER_INDEX + static_cast<int>(map->getCharacters().size());
        CharacterSprite* made = nullptr;
        // The people of the story are plain characters; creatures come from the factory, and a scene
        // still shows a creature the factory cannot make yet, as a plain character of its record.
        if (kind < FIRST_STORY_CHARACTER || kind > LAST_STORY_CHARACTER)
            made = EnemyFactory::create(kind, index, label, 0);
        if (!made) made = CharacterSprite::create(kind, index, label, 0);
        if (!made) {
            engine.problem(command, "character " + std::to_string(kind) + " cannot be made");
            return;
        }
        character = made;
        made->reset();
    }
    character->setPosition(position);
    map->getCharacterLayer()->addChild(character.get());
    map->addCharacter(character.get());
    if (kind != 0) character->setActionLocked(true);
    character->setFacingLeft(facingLeft);
    if (character->hasLanded()) return;
    engine.block("character " + label + " landing");
    engine.waitCharacter_ = character.get();
    engine.waitingForCharacter_ = true;
    engine.waitCharacterFrames_ = 0;
}

void ScenarioStageCommands::moveCharacter(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    CharacterSprite* character = engine.findCharacter(command.textAt(1));
    const Vec2 offset(static_cast<float>(command.intAt(2)), static_cast<float>(command.intAt(3)));
    const float seconds = command.floatAt(4);
    if (seconds <= 0.0f) {
        character->setPosition(character->getPosition() + offset);
        return;
    }
    const bool hasMotion = command.argCount() > 5;
    const std::string& motion = command.textAt(5);
    const bool waits = motion == "WAIT" || command.textAt(6) == "WAIT";
    bool animated = false;
    if (hasMotion && motion != "WAIT") {
        const std::string file = motionFile(*character, motion, false);
        if (!fileExists(file)) {
            engine.problem(command, "animation '" + file + "' not found");
        } else if (CompositeAnimation* animation = character->getAnimation()) {
            animation->setLocked(false);
            character->playAnimationFile(file, 0, true, nullptr);
            animation->setLocked(true);
            animated = true;
        }
    }
    if (offset.x != 0.0f) character->setFacingLeft(offset.x < 0.0f);
    std::function<void()> release;
    if (waits) release = engine.block("character " + command.textAt(1) + " moving");
    engine::WeakRef<CharacterSprite> moved(character);
    // Only a move that blocked releases the script at its end.
    character->runAction(engine::Sequence::create(
        {engine::TargetedAction::create(character, engine::MoveBy::create(seconds, offset)),
         engine::CallFunc::create([moved, animated, release]() {
             if (CharacterSprite* target = moved.get(); target && animated) {
                 if (CompositeAnimation* animation = target->getAnimation()) animation->setLocked(false);
                 target->stopFly();
             }
             if (release) release();
         })}));
}

void ScenarioStageCommands::animateCharacter(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    CharacterSprite* character = engine.findCharacter(command.textAt(1));
    const std::string file = motionFile(*character, command.textAt(2), true);
    const bool waits = command.textAt(3) == "WAIT";
    if (!fileExists(file)) {
        engine.problem(command, "animation '" + file + "' not found");
        return;
    }
    std::function<void()> release;
    if (waits) release = engine.block("character " + command.textAt(1) + " animation");
    if (CompositeAnimation* animation = character->getAnimation()) animation->setLocked(false);
    character->playAnimationFile(file, waits ? 1 : 0, true, [release](CompositeAnimation* animation) {
        if (!release) return;
        animation->setLocked(false);
        release();
    });
}

// ---------------------------------------------------------------- animations

void ScenarioStageCommands::animation(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    const std::string& form = command.textAt(0);
    if (form == "GEN") {
        generateAnimation(engine, command);
        return;
    }
    const std::string& id = command.textAt(1);
    if (form == "CLEAR") {
        engine.removeAnimation(id);
        return;
    }
    if (form != "MOVE" && form != "SETZ") return;
    CompositeAnimation* node = engine.getAnimation(id);
    if (!node) {
        engine.problem(command, "no animation '" + id + "'");
        return;
    }
    if (form == "SETZ") {
        node->setLocalZOrder(command.intAt(2));
        return;
    }
    const Vec2 offset(static_cast<float>(command.intAt(2)), static_cast<float>(command.intAt(3)));
    const float seconds = command.floatAt(4);
    if (seconds <= 0.0f) {
        node->setPosition(node->getPosition() + offset);
    } else {
        // Never blocks, so it releases nothing at its end.
        node->runAction(engine::MoveBy::create(seconds, offset));
    }
}

void ScenarioStageCommands::generateAnimation(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    // GEN;file;id;x;y;z;facing;layer;mode, or GEN;file;id;character;dx;dy;z;facing;layer;mode.
    const bool atCharacter = command.arg(3).hasText;
    const std::size_t base = atCharacter ? 4 : 3;
    const std::string& file = command.textAt(1);
    const std::string& id = command.textAt(2);
    const std::string& layerWord = command.textAt(base + 4);
    const std::string& mode = command.textAt(base + 5);
    Vec2 position(static_cast<float>(command.intAt(base)), static_cast<float>(command.intAt(base + 1)));
    if (atCharacter) {
        CharacterSprite* character = engine.findCharacter(command.textAt(3));
        if (!character) {
            engine.problem(command, "no character '" + command.textAt(3) + "' on the stage");
            return;
        }
        position += character->getPosition();
    }
    bool known = false;
    engine::Node* layer = layerNamed(engine, layerWord, false, known);
    if (!known) {
        engine.problem(command, "unknown layer '" + layerWord + "' (BACK, CHARA or OVER)");
        return;
    }
    if (!fileExists(file)) {
        engine.problem(command, "animation '" + file + "' not found");
        return;
    }
    CompositeAnimation* node = engine.getAnimation(id);
    if (!node) {
        if (!layer) {
            engine.problem(command, "the layer '" + layerWord + "' is not there");
            return;
        }
        node = CompositeAnimation::create();
        layer->addChild(node);
        engine.animations_[id] = node;
    }
    node->setPosition(position);
    node->setLocalZOrder(command.intAt(base + 2));
    node->setScaleX(command.textAt(base + 3) == "true" ? 1.0f : -1.0f);
    node->setLocked(false);
    node->load(file);

    engine::WeakRef<QuorinScenarioEngine> owner(&engine);
    engine::WeakRef<CompositeAnimation> self(node);
    // Takes the animation off the stage and out of the table, unless the id names another one by now.
    auto takeDown = [owner, self, id]() {
        CompositeAnimation* animation = self.get();
        if (QuorinScenarioEngine* scenario = owner.get(); scenario && scenario->getAnimation(id) == animation)
            scenario->animations_.erase(id);
        if (animation) {
            animation->stop();
            animation->removeFromParent();
        }
    };
    if (mode == "WAIT") {
        auto release = engine.block("animation " + id);
        node->play([takeDown, release](CompositeAnimation*) {
            takeDown();
            release();
        });
    } else if (mode == "LOOP") {
        node->play(nullptr, true);
    } else if (mode == "THROUGH") {
        node->play([takeDown](CompositeAnimation*) { takeDown(); });
    } else {
        node->play(nullptr, false);
    }
}

// ---------------------------------------------------------------- sprites, particles, the map

void ScenarioStageCommands::sprite(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    if (command.textAt(0) == "CLEAR") {
        engine.removeSprite(command.textAt(1));
        return;
    }
    const std::string& id = command.textAt(0);
    const std::string& file = command.textAt(1);
    const std::string& layerWord = command.textAt(6);
    bool known = false;
    engine::Node* layer = layerNamed(engine, layerWord, true, known);
    if (!known) {
        engine.problem(command, "unknown layer '" + layerWord + "' (BACK, CHARA, OVER or CONTENTS)");
        return;
    }
    if (!fileExists(file)) {
        engine.problem(command, "picture '" + file + "' not found");
        return;
    }
    engine::Sprite* sprite = engine::Sprite::create(file);
    if (!sprite) {
        engine.problem(command, "picture '" + file + "' cannot be shown");
        return;
    }
    // The old picture under the id leaves with its entry.
    engine.removeSprite(id);
    if (!layer) return;  // no contents node on this screen: the sprite is dropped
    sprite->setPosition(static_cast<float>(command.intAt(2)), static_cast<float>(command.intAt(3)));
    sprite->setLocalZOrder(command.intAt(4));
    sprite->setOpacity(static_cast<uint8_t>(command.intAt(5) & 0xFF));
    if (layerWord == "OVER") {
        layer->addChild(sprite, 2);
    } else {
        layer->addChild(sprite);
    }
    engine.sprites_[id] = sprite;
    sprite->setFlippedX(command.textAt(7) == "true");
}

void ScenarioStageCommands::particle(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    ActionMap* map = engine.getActionMap();
    const std::string& file = command.textAt(0);
    if (!map || !map->getFrontLayer()) {
        engine.problem(command, "no stage to show particles on");
        return;
    }
    if (!fileExists(file)) {
        engine.problem(command, "particles '" + file + "' not found");
        return;
    }
    engine::ParticleSystemQuad* particles = engine::ParticleSystemQuad::create(file);
    if (!particles) {
        engine.problem(command, "particles '" + file + "' cannot be read");
        return;
    }
    particles->setAutoRemoveOnFinish(true);
    particles->resetSystem();
    particles->setPosition(command.floatAt(1), command.floatAt(2));
    map->getFrontLayer()->addChild(particles, static_cast<int>(command.floatAt(3)));
}

void ScenarioStageCommands::changeMap(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    ActionMap* map = engine.getActionMap();
    if (!map) {
        engine.problem(command, "no stage to load a map into");
        return;
    }
    const std::string& file = command.textAt(0);
    if (!fileExists(file)) engine.problem(command, "map '" + file + "' not found; the stage is shown empty");
    engine::RefPtr<engine::Node> camera(engine.getCameraTarget());
    if (camera && camera->getParent()) camera->removeFromParent();
    map->loadMap(file);
    map->buildCollision();
    map->readObjects();
    if (camera) map->getCharacterLayer()->addChild(camera.get());
    engine.clearStageObjects();
}

}  // namespace vastomer
