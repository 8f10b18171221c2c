#include "game/character/CharacterActionPettern.h"

#include <cmath>

#include "game/character/CharacterSprite.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"

namespace vastomer {

namespace {

// The player when she is on a map (her position means nothing otherwise).
PlayerCharacter* playerOnMap() {
    DataManager* data = DataManager::peekInstance();
    PlayerCharacter* player = data ? data->getPlayerCharacter() : nullptr;
    return player && player->getParent() ? player : nullptr;
}

}  // namespace

CharacterActionPettern* CharacterActionPettern::create(int aiId) {
    auto* pattern = new CharacterActionPettern();
    if (!pattern->init(aiId)) {
        delete pattern;
        return nullptr;
    }
    pattern->autorelease();
    return pattern;
}

bool CharacterActionPettern::init(int aiId) {
    if (!Node::init()) return false;
    aiId_ = aiId;
    return true;
}

CharacterSprite* CharacterActionPettern::getOwner() const {
    return owner_.get();
}

void CharacterActionPettern::setOwner(CharacterSprite* owner) {
    owner_ = owner;
}

void CharacterActionPettern::start() {
    halted_ = false;
    if (CharacterSprite* owner = owner_.get()) savedPosition_ = owner->getPosition();
    frameCounter_ = 0;
}

void CharacterActionPettern::tick(float /*dt*/) {
    CharacterSprite* owner = owner_.get();
    DataManager* data = DataManager::getInstance();
    if (!owner || halted_ || !data) return;
    const AiTable& ai = data->getAiTable(aiId_);
    int selected = -1;
    if (!aiLocked_) {
        for (const AiRow& row : ai.rows) {
            if (row.condition == AiCondition::DEAFULT || !holds(row)) continue;
            if (row.actionTableId != currentTableId_) {
                step_ = 0;
                currentTableId_ = row.actionTableId;
            }
            selected = row.actionTableId;
            break;
        }
        if (selected == -1) {
            // Every default row met restarts its table when it differs: the last one wins.
            for (const AiRow& row : ai.rows) {
                if (row.condition != AiCondition::DEAFULT) continue;
                if (row.actionTableId != currentTableId_) {
                    step_ = 0;
                    currentTableId_ = row.actionTableId;
                }
                selected = row.actionTableId;
            }
        }
        if (++frameCounter_ > FRAME_COUNTER_LIMIT) frameCounter_ = 0;
    }
    if (selected != -1 || (currentTableId_ != -1 && step_ > 0)) runCurrentTable();
}

void CharacterActionPettern::runCurrentTable() {
    DataManager* data = DataManager::getInstance();
    const ActionTable& table = data->getActionTable(currentTableId_);
    if (table.id == -1) return;
    // An order may end the owner's life or change the table: hold on to both for the step.
    engine::RefPtr<CharacterActionPettern> keepAlive(this);
    auto found = table.steps.find(step_);
    if (found != table.steps.end()) {
        for (const ActionRow& row : found->second) {
            if (!owner_.get()) return;
            execute(row);
        }
    }
    if (++step_ > table.lastStep) step_ = 0;
}

bool CharacterActionPettern::playerInFront(float playerX, int side) const {
    const CharacterSprite* owner = owner_.get();
    if (side == 0) return true;
    if (side != 1 && side != -1) return false;
    const bool inFront =
        owner->isFacingLeft() ? !(playerX > owner->getPositionX()) : playerX > owner->getPositionX();
    return side == 1 ? inFront : !inFront;
}

bool CharacterActionPettern::holds(const AiRow& row) const {
    const CharacterSprite* owner = owner_.get();
    if (aiLocked_ || !owner) return false;
    const PlayerCharacter* player = playerOnMap();
    const engine::Vec2& position = owner->getPosition();
    const float value = static_cast<float>(row.value);
    switch (row.condition) {
        case AiCondition::DISTANCE_P_G:
        case AiCondition::DISTANCE_P_L: {
            if (!player) return false;
            const float distance = position.distance(player->getPosition());
            if (row.condition == AiCondition::DISTANCE_P_G)
                return distance > value &&
                       playerInFront(player->getPositionX() + player->getContentSize().width / 2, row.param2);
            return distance < value && playerInFront(player->getPositionX(), row.param2);
        }
        case AiCondition::HP_P:
            return player && player->getHp() <= row.param1;
        case AiCondition::HP_S:
            return owner->getHp() <= row.param1;
        case AiCondition::COUNT:
            return frameCounter_ == row.param2;
        case AiCondition::CONT_W:
            return owner->getSurfaceContacts() > 0;
        case AiCondition::CONT_P:
            return owner->isTouchingPlayer();
        case AiCondition::BACKPOS:
            return position.x == savedPosition_.x;
        case AiCondition::DISTANCE_T_G:
            return std::fabs(position.x - static_cast<float>(row.param1)) > value;
        case AiCondition::DISTANCE_T_L:
            return std::fabs(position.x - static_cast<float>(row.param1)) < value;
        case AiCondition::DEAFULT:
            return false;
    }
    return false;
}

void CharacterActionPettern::execute(const ActionRow& row) {
    CharacterSprite* owner = owner_.get();
    if (!owner) return;
    engine::RefPtr<CharacterSprite> keepOwner(owner);
    const ActionKind action = row.action;
    if (action != ActionKind::MOVE_JUMP && action != ActionKind::JUMP && action != ActionKind::VMOVE)
        owner->endJump();
    switch (action) {
        case ActionKind::WAIT:
            if (row.flag) {
                owner->stopFly();
                owner->stopWalk();
            } else {
                owner->setMoveX(0.0f);
                owner->setMoveY(0.0f);
            }
            break;
        case ActionKind::MOVE:
            if (row.flag) {
                // Follows the player's height. The rise or fall stops without the waiting motion, so
                // that a flyer does not swap motions every frame it follows.
                owner->haltFlight();
                if (const PlayerCharacter* player = playerOnMap()) {
                    const int dy =
                        static_cast<int>(player->getPositionY() + player->getContentSize().height / 2) -
                        static_cast<int>(owner->getPositionY() + owner->getContentSize().height / 2);
                    if (dy > FOLLOW_HEIGHT_MARGIN) owner->fly(false, false);
                    if (dy < -FOLLOW_HEIGHT_MARGIN) owner->fly(true, false);
                }
            }
            owner->walk(owner->isFacingLeft(), owner->isFullSpeed());
            break;
        case ActionKind::MOVE_JUMP:
            owner->walk(owner->isFacingLeft(), owner->isFullSpeed());
            owner->jump();
            break;
        case ActionKind::JUMP:
            owner->jump();
            break;
        case ActionKind::FLIP:
            if (row.flag) {
                if (const PlayerCharacter* player = playerOnMap())
                    owner->setFacingLeft(!(owner->getPositionX() <= player->getPositionX()));
            } else if (!row.text.empty()) {
                owner->setFacingLeft(!(owner->getPositionX() <= row.number));
            } else {
                owner->setFacingLeft(!owner->isFacingLeft());
            }
            break;
        case ActionKind::ATTACK:
            owner->attack(row.param);
            break;
        case ActionKind::BACKTOBASE:
            if (owner->getPosition().distance(savedPosition_) > static_cast<float>(row.param)) {
                const bool toLeft = owner->getPositionX() > savedPosition_.x;
                owner->setFacingLeft(toLeft);
                owner->walk(toLeft, owner->isFullSpeed());
                if (!owner->isGravityActive()) owner->fly(true, owner->isFullSpeed());
            }
            break;
        case ActionKind::CHANGEAI:
            aiId_ = row.param;
            frameCounter_ = 0;
            break;
        case ActionKind::SWITCHWALK:
            owner->setFullSpeed(row.flag);
            break;
        case ActionKind::COUNTRESET:
            frameCounter_ = 0;
            break;
        case ActionKind::SUICIDE:
            owner->die();
            break;
        case ActionKind::VMOVE:
            owner->fly(row.flag, owner->isFullSpeed());
            break;
        case ActionKind::LOCKAI:
            aiLocked_ = row.flag;
            break;
    }
}

}  // namespace vastomer
