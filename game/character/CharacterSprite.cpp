#include "game/character/CharacterSprite.h"

#include <algorithm>
#include <array>

#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsShape.h"
#include "game/character/BulletCharacter.h"
#include "game/data/DataManager.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

bool isSurface(const std::string& name) {
    return name == "ground" || name == "wall";
}

engine::Node* nodeOf(engine::PhysicsShape* shape) {
    return shape && shape->getBody() ? shape->getBody()->getNode() : nullptr;
}

std::string bodyNameOf(engine::PhysicsShape* shape) {
    return shape && shape->getBody() ? shape->getBody()->getName() : std::string();
}

}  // namespace

CharacterSprite* CharacterSprite::create(int id, int index, const std::string& spawnKind, int variant) {
    auto* character = new CharacterSprite();
    if (!character->init(id, index, spawnKind, variant)) {
        delete character;
        return nullptr;
    }
    character->autorelease();
    return character;
}

bool CharacterSprite::init(int id, int index, const std::string& spawnKind, int variant) {
    CharacterMaster record;
    if (id != -1) {
        if (DataManager* data = DataManager::getInstance()) record = data->getCharacterMaster(id);
    }
    return initWithRecord(id, record, index, spawnKind, variant);
}

bool CharacterSprite::initWithRecord(int id, const CharacterMaster& record, int index,
                                     const std::string& spawnKind, int variant) {
    if (!engine::Sprite::init()) return false;
    setCascadeOpacityEnabled(true);
    setCascadeColorEnabled(true);

    spawnIndex_ = index;
    characterId_ = id;
    animationVariant_ = variant;
    record_ = record;
    hp_ = maxHp_ = record.hp;
    spawnKind_ = spawnKind;
    recordName_ = record.name;

    moveSpeed_ = static_cast<float>(record.moveSpeed);
    moveYMin_ = static_cast<float>(record.motionA);
    moveYMax_ = jumpPower_ = static_cast<float>(record.jumpPower);
    moveAcceleration_ = static_cast<float>(record.motionB);
    jumpFrameLimit_ = record.motionC;
    jumpFrameCount_ = 0;

    if (moveYMin_ == 0.0f && moveYMax_ == 0.0f) {
        floating_ = true;
        gravityActive_ = false;
        hasLanded_ = true;
        noMotionControl_ = true;
    }
    if (record.flying) {
        floating_ = true;
        gravityActive_ = false;
        hasLanded_ = true;
        falling_ = false;
        verticalAcceleration_ = moveAcceleration_;
        flying_ = true;
    }

    setAnchorPoint(engine::Vec2::ANCHOR_MIDDLE);
    setContentSize(engine::Size(static_cast<float>(record.width), static_cast<float>(record.height)));

    animation_ = CompositeAnimation::create();
    if (!animation_) return false;
    // The blink of invincibility fades the whole picture.
    animation_->setCascadeOpacityEnabled(true);
    animation_->setCascadeColorEnabled(true);
    animation_->setPosition(getContentSize().width / 2, getContentSize().height / 2);
    addChild(animation_, ANIMATION_Z);
    if (characterId_ != -1) showState(CharacterAnimState::WAIT);

    setupBody();
    return true;
}

void CharacterSprite::setupBody() {
    setPhysicsBody(nullptr);
    const engine::Size size(static_cast<float>(record_.bodyWidth), static_cast<float>(record_.bodyHeight));
    auto* body = engine::PhysicsBody::createBox(size, engine::PhysicsMaterial(1.0f, 0.0f, 5.0f));
    body->setMass(gravityActive_ ? 0.1f : 10.0f);
    body->setMoment(1.0f);
    body->setRotationEnable(false);
    body->setGravityEnable(gravityActive_);
    body->setContactTestBitmask(1);
    body->setName(spawnKind_);
    if (characterId_ != -1 && size.width == 0.0f && size.height == 0.0f) {
        // A pure decoration: it touches nothing and takes no part in landing.
        body->setContactTestBitmask(0);
        body->setCollisionBitmask(0);
        floating_ = true;
        noMotionControl_ = true;
    }
    setPhysicsBody(body);
}

void CharacterSprite::update(float /*dt*/) {
    if (paused_) return;
    engine::PhysicsBody* body = getPhysicsBody();
    if (body) body->resetForces();
    if (hp_ < 1 && !defeated_ && fallsWithoutHp()) die();
    if (defeated_) {
        if (body) body->setVelocity(engine::Vec2::ZERO);
        return;
    }
    if (stunTimer_ > 0) {
        --stunTimer_;
        if (animation_) animation_->setLocked(false);
    }
    if (invincibleTimer_ > 0) --invincibleTimer_;

    if (!noMotionControl_ && body) {
        body->applyForce(engine::Vec2(moveX_ * 10.0f, moveY_ * 50.0f));
        engine::Vec2 velocity = body->getVelocity();
        const float cap = (moveSpeed_ * 8.0f + 120.0f) * (fullSpeed_ ? 1.0f : 0.5f);
        if (velocity.x > cap) {
            velocity.x = cap;
            body->setVelocity(velocity);
        }
        if (velocity.x < -cap) {
            velocity.x = -cap;
            body->setVelocity(velocity);
        }
        if (velocity.y > moveYMax_ * 10.0f + 80.0f) {
            velocity.y = moveYMax_ * 10.0f + 80.0f;
            body->setVelocity(velocity);
        }
        if (velocity.y < moveYMin_ * 10.0f - 80.0f) {
            velocity.y = moveYMin_ * 10.0f - 80.0f;
            body->setVelocity(velocity);
        }
        if (moveX_ == 0.0f) {
            velocity.x = 0.0f;
            body->setVelocity(velocity);
        }
        if (falling_) {
            if (gravityActive_ && !flying_) body->applyForce(engine::Vec2(0.0f, -40.0f));
        } else if (!jumping_ && !flying_) {
            // Standing characters keep no vertical speed.
            velocity.y = 0.0f;
            body->setVelocity(velocity);
        }
    }
    slideOffCharacters();
    ageTimedNodes();
}

// ---------------------------------------------------------------- driving

void CharacterSprite::walk(bool toLeft, bool run) {
    showState(CharacterAnimState::RUN);
    driveHorizontally(toLeft, run);
}

void CharacterSprite::driveHorizontally(bool toLeft, bool run) {
    setFacingLeft(toLeft);
    const float step = moveAcceleration_ * (toLeft ? -1.0f : 1.0f) / (run ? 1.0f : 2.0f);
    if ((blockedLeft_ && step < 0.0f) || (blockedRight_ && step > 0.0f)) {
        moveX_ = 0.0f;
    } else {
        moveX_ = std::clamp(moveX_ + step, -moveSpeed_, moveSpeed_);
    }
}

void CharacterSprite::stopWalk() {
    showState(CharacterAnimState::WAIT);
    haltWalk();
}

void CharacterSprite::haltWalk() {
    moveX_ = 0.0f;
    if (engine::PhysicsBody* body = getPhysicsBody())
        body->setVelocity(engine::Vec2(0.0f, body->getVelocity().y));
}

void CharacterSprite::setFacingLeft(bool facingLeft) {
    if (facingLeft != facingLeft_ && animation_) setScaleX(facingLeft_ ? -1.0f : 1.0f);
    facingLeft_ = facingLeft;
}

void CharacterSprite::fly(bool down, bool fast) {
    showState(CharacterAnimState::RUN, true, true);
    moveY_ = std::clamp(moveY_ + verticalAcceleration_ * (down ? -1.0f : 1.0f) / (fast ? 1.0f : 2.0f),
                        moveYMin_, moveYMax_);
}

void CharacterSprite::stopFly() {
    showState(CharacterAnimState::WAIT, true, true);
    haltFlight();
}

void CharacterSprite::haltFlight() {
    moveY_ = 0.0f;
    if (engine::PhysicsBody* body = getPhysicsBody())
        body->setVelocity(engine::Vec2(body->getVelocity().x, 0.0f));
}

bool CharacterSprite::jump() {
    if (falling_ && !jumping_) return true;
    if (!falling_ && !jumping_) {
        if (!airborne_) {
            moveY_ = 0.0f;
            jumping_ = true;
            jumpFrameCount_ = 0;
        }
        return false;
    }
    if (jumping_ && !falling_) {
        moveY_ = jumpPower_;
        if (jumpFrameCount_ < jumpFrameLimit_) {
            ++jumpFrameCount_;
        } else {
            endJump();
        }
    }
    return falling_;
}

void CharacterSprite::endJump() {
    if (!jumping_ || falling_) return;
    moveY_ = 0.0f;
    if (airborne_) falling_ = true;
    jumping_ = false;
}

void CharacterSprite::attack(int /*attackNumber*/) {}

void CharacterSprite::attackWithFile(const std::string& /*file*/) {}

// ---------------------------------------------------------------- hit points

void CharacterSprite::damage(int amount) {
    if (amount == 0 || isShowing(CharacterAnimState::DAMAGE) || invincibleTimer_ != 0 || defeated_) return;
    hp_ = std::clamp(hp_ - amount, 0, std::max(maxHp_, 0));
    stopWalk();
    if (animation_ && !animation_->isLocked()) {
        // A missing damage motion finishes on the next frame, so the end below always comes.
        showState(CharacterAnimState::DAMAGE, false, true, [this](CompositeAnimation* animation) {
            if (animation_) animation_->setLocked(false);
            onDamageAnimationEnd(animation);
            stopWalk();
            invincibleTimer_ = invincibleFrames_;
        });
        animation_->setLocked(true);
    }
}

void CharacterSprite::onDamageAnimationEnd(CompositeAnimation* /*animation*/) {}

void CharacterSprite::addHp(int delta) {
    if (defeated_) return;
    hp_ = std::clamp(hp_ + delta, 0, std::max(maxHp_, 0));
}

void CharacterSprite::die() {
    defeated_ = true;
    removeTimedNodes();
    if (engine::PhysicsBody* body = getPhysicsBody()) {
        body->setCollisionBitmask(0);
        body->resetForces();
        body->setVelocity(engine::Vec2::ZERO);
    }
    if (animation_ && !isShowing(CharacterAnimState::DOWN)) {
        animation_->setLocked(false);
        showState(CharacterAnimState::DOWN, false, false, [this](CompositeAnimation*) {
            engine::RefPtr<CharacterSprite> keepAlive(this);
            onDefeatAnimationEnd();
            if (defeatCallback_) {
                DefeatCallback callback = defeatCallback_;
                callback(this);
            }
        });
        animation_->setLocked(true);
    }
}

void CharacterSprite::onDefeatAnimationEnd() {}

// ---------------------------------------------------------------- contacts

bool CharacterSprite::onContactBegin(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                     float ny) {
    if (hp_ < 1 && paused_) return false;
    const std::string otherName = bodyNameOf(other);
    if (otherName == "PLAYER") touchingPlayer_ = true;
    linkTouch(other, true);
    if (!isSurface(otherName)) return true;

    ++surfaceContacts_;
    if (ny < 0.0f && std::find(supports_.begin(), supports_.end(), other) == supports_.end())
        supports_.push_back(other);
    engine::Node* otherNode = nodeOf(other);
    if (bodyNameOf(own) == "PLAYER" && otherNode) pushOutOf(otherNode, nx, ny);

    bool above = false;
    if (otherNode) {
        above = getPositionY() + getContentSize().height * 0.5f >
                otherNode->getPositionY() + otherNode->getContentSize().height * 0.5f;
    }
    touchSurface(nx, ny, above, other);
    if (!hasLanded_ && ny != 0.0f) {
        land();
        stopFly();
        stopWalk();
    }
    return true;
}

void CharacterSprite::pushOutOf(engine::Node* box, float nx, float ny) {
    engine::Node* parent = getParent();
    if (!parent || !box->getParent()) return;
    // The box's real edges, in this character's parent space (boxes may be turned).
    const engine::Size& size = box->getContentSize();
    const std::array<engine::Vec2, 4> corners = {engine::Vec2(0, 0), engine::Vec2(size.width, 0),
                                                 engine::Vec2(size.width, size.height),
                                                 engine::Vec2(0, size.height)};
    float left = 1e30f, right = -1e30f, bottom = 1e30f, top = -1e30f;
    for (const engine::Vec2& corner : corners) {
        engine::Vec2 p = parent->convertToNodeSpace(box->convertToWorldSpace(corner));
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        bottom = std::min(bottom, p.y);
        top = std::max(top, p.y);
    }
    const engine::Vec2 position = getPosition();
    const float halfWidth = static_cast<float>(record_.bodyWidth / 2);
    const float halfHeight = static_cast<float>(record_.bodyHeight / 2);
    // The overlap along the normal's main axis, less one pixel of tolerance for resting contacts.
    if (std::abs(ny) >= std::abs(nx)) {
        if (ny < 0.0f) {
            float overlap = top - (position.y - halfHeight) - 1.0f;
            if (overlap > 0.0f) setPositionY(position.y + overlap);
        } else if (ny > 0.0f) {
            float overlap = (position.y + halfHeight) - bottom - 1.0f;
            if (overlap > 0.0f) setPositionY(position.y - overlap);
        }
    } else if (nx > 0.0f) {
        float overlap = (position.x + halfWidth) - left - 1.0f;
        if (overlap > 0.0f) setPositionX(position.x - overlap);
    } else {
        float overlap = right - (position.x - halfWidth) - 1.0f;
        if (overlap > 0.0f) setPositionX(position.x + overlap);
    }
}

void CharacterSprite::linkTouch(engine::PhysicsShape* other, bool touching) {
    auto* character = dynamic_cast<CharacterSprite*>(nodeOf(other));
    if (!character || character == this || dynamic_cast<BulletCharacter*>(this) ||
        dynamic_cast<BulletCharacter*>(character))
        return;
    const auto note = [](std::vector<engine::WeakRef<CharacterSprite>>& list, CharacterSprite* whom,
                         bool add) {
        auto found = std::find(list.begin(), list.end(), engine::WeakRef<CharacterSprite>(whom));
        if (add && found == list.end()) list.emplace_back(whom);
        if (!add && found != list.end()) list.erase(found);
    };
    note(touching_, character, touching);
    note(character->touching_, this, touching);
    if (touching) return;
    // One that stood on the other's top (at its corner, the contact's last normal may point sideways)
    // falls unless a box holds it up.
    for (auto [upper, lower] : {std::pair(this, character), std::pair(character, this)}) {
        if (!upper->jumping_ && !upper->floating_ && !upper->flying_ && upper->restsOn(lower, 1e30f))
            upper->loseFooting();
    }
}

bool CharacterSprite::restsOn(const CharacterSprite* below, float reachMargin) const {
    const float bottom = getPositionY() - static_cast<float>(record_.bodyHeight) / 2.0f;
    const float top = below->getPositionY() + static_cast<float>(below->getRecord().bodyHeight) / 2.0f;
    const float reach = static_cast<float>(record_.bodyWidth + below->getRecord().bodyWidth) / 2.0f;
    return std::abs(bottom - top) <= RESTING_TOLERANCE &&
           std::abs(getPositionX() - below->getPositionX()) <= reach + reachMargin;
}

void CharacterSprite::slideOffCharacters() {
    touching_.erase(
        std::remove_if(touching_.begin(), touching_.end(), [](const auto& ref) { return !ref.get(); }),
        touching_.end());
    // Flyers too: a wisp pressing down on Quorin's head would pin her where her swing cannot reach it.
    // A leap that has come down on another's head counts too: it no longer rises.
    if (touching_.empty() || noMotionControl_ || !getPhysicsBody()) return;
    if (jumping_ && getPhysicsBody()->getVelocity().y > 1.0f) return;
    for (const auto& ref : touching_) {
        CharacterSprite* below = ref.get();
        if (below->isDefeated() || !below->getPhysicsBody()) continue;
        // Edges that only meet still hold it up at the corner: it slides until they are apart.
        if (!restsOn(below, 1.0f)) continue;
        const float dx = getPositionX() - below->getPositionX();
        bool toLeft = dx < 0.0f || (dx == 0.0f && facingLeft_);
        if (toLeft && blockedLeft_)
            toLeft = false;
        else if (!toLeft && blockedRight_)
            toLeft = true;
        setPositionX(getPositionX() + (toLeft ? -SLIDE_OFF_STEP : SLIDE_OFF_STEP));
        return;
    }
}

void CharacterSprite::touchSurface(float nx, float ny, bool above, const engine::PhysicsShape* other) {
    if (ny < 0.0f) {
        airborne_ = false;
        jumpFrameCount_ = 0;
    }
    if (jumping_) {
        if (ny > 0.0f) {
            moveY_ = 0.0f;
            endJump();
        }
    } else if (falling_ && ny < 0.0f) {
        falling_ = false;
        moveY_ = 0.0f;
        if (engine::PhysicsBody* body = getPhysicsBody()) body->resetForces();
    }
    if (above) {
        if (nx > 0.0f) blockedRight_ = true;
        if (nx < 0.0f) blockedLeft_ = true;
        if (other && nx != 0.0f) blockers_.emplace_back(other, nx > 0.0f ? 1 : -1);
        if (nx == 1.0f || nx == -1.0f) stopWalk();
    }
}

bool CharacterSprite::onContactSeparate(engine::PhysicsShape* /*own*/, engine::PhysicsShape* other, float nx,
                                        float ny) {
    linkTouch(other, false);
    if (hp_ < 1 && paused_) return false;
    const std::string otherName = bodyNameOf(other);
    if (otherName == "PLAYER") touchingPlayer_ = false;
    if (!isSurface(otherName)) return true;

    surfaceContacts_ = std::max(surfaceContacts_ - 1, 0);
    releaseBlocker(other);
    auto found = std::find(supports_.begin(), supports_.end(), other);
    const bool wasSupport = found != supports_.end();
    if (wasSupport) supports_.erase(found);
    const bool driving = (ny != 0.0f && moveY_ != 0.0f) || (nx != 0.0f && moveX_ != 0.0f);
    if (stickToSurface_ && !driving) return true;
    leaveSurface(nx, ny);
    // The normal of a separation is the last one the contact had: a box that held this character up
    // counts as left from below even when the contact slid round its corner first.
    if (wasSupport && ny >= 0.0f) loseFooting();
    return true;
}

void CharacterSprite::releaseBlocker(const engine::PhysicsShape* other) {
    const auto from = std::remove_if(blockers_.begin(), blockers_.end(),
                                     [other](const auto& blocker) { return blocker.first == other; });
    if (from == blockers_.end()) return;
    bool right = false, left = false;
    for (auto at = from; at != blockers_.end(); ++at)
        (at->second > 0 ? right : left) = true;
    blockers_.erase(from, blockers_.end());
    for (const auto& blocker : blockers_)
        (blocker.second > 0 ? right : left) = false;
    if (right) blockedRight_ = false;
    if (left) blockedLeft_ = false;
}

void CharacterSprite::leaveSurface(float nx, float ny) {
    if (ny < 0.0f) loseFooting();
    if (nx > 0.0f) {
        blockedRight_ = false;
    } else if (nx < 0.0f) {
        blockedLeft_ = false;
    }
}

void CharacterSprite::onContactPresolve(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                        float ny) {
    if (hp_ < 1 && paused_) return;
    if (!isSurface(bodyNameOf(other))) return;
    auto found = std::find(supports_.begin(), supports_.end(), other);
    // Mostly below holds it up, mostly beside does not; the band between changes nothing.
    if (ny < -0.7f && found == supports_.end()) {
        supports_.push_back(other);
        onNewSupport(own, other, nx, ny);
    } else if (ny > -0.3f && found != supports_.end()) {
        supports_.erase(found);
        loseFooting();
    }
}

void CharacterSprite::onNewSupport(engine::PhysicsShape* /*own*/, engine::PhysicsShape* other, float nx,
                                   float ny) {
    engine::Node* otherNode = nodeOf(other);
    const bool above = otherNode && getPositionY() + getContentSize().height * 0.5f >
                                        otherNode->getPositionY() + otherNode->getContentSize().height * 0.5f;
    touchSurface(nx, ny, above, other);
    if (!hasLanded_) {
        land();
        stopFly();
        stopWalk();
    }
}

void CharacterSprite::loseFooting() {
    // Still standing while another box is below (walking from one box onto the next).
    if (!supports_.empty()) return;
    airborne_ = true;
    if (!falling_ && !jumping_) falling_ = true;
}

void CharacterSprite::land() {
    if (floating_ || hasLanded_) return;
    basePosition_ = getPosition();
    hasLanded_ = true;
    falling_ = false;
    if (animation_) animation_->setLocked(false);
    stopFly();
    stopWalk();
}

void CharacterSprite::suspend() {}

// ---------------------------------------------------------------- animation

std::string CharacterSprite::animationFile(CharacterAnimState state, int number) const {
    return NSpriteAnimationManager::getInstance()->getCharacterAnimationFile(
        characterId_, static_cast<int>(state), animationVariant_, number);
}

bool CharacterSprite::isShowing(CharacterAnimState state, int number) const {
    return animation_ && !animation_->getFileName().empty() &&
           animation_->getFileName() == animationFile(state, number);
}

bool CharacterSprite::showState(CharacterAnimState state, bool loop, bool stepNow, AnimationEnd onEnd,
                                int number) {
    if (!animation_ || animation_->isLocked()) return false;
    const std::string file = animationFile(state, number);
    if (animation_->getFileName() == file) return false;
    animation_->load(file);
    animation_->play(std::move(onEnd), loop);
    if (stepNow) animation_->step();
    return true;
}

bool CharacterSprite::playAnimationFile(const std::string& file, int loops, bool lock, AnimationEnd onEnd) {
    if (!animation_) return true;
    animation_->setLocked(false);
    animation_->load(file);
    animation_->play(std::move(onEnd), loops == 0);
    animation_->setLocked(lock);
    return true;
}

void CharacterSprite::reset() {
    // A fresh body: the contacts it stands in begin again, so a character revived on the ground lands
    // there instead of "falling" for ever on a contact that began before. (Off the stage there are no
    // contacts to renew.)
    if (isRunning()) setupBody();
    supports_.clear();
    blockers_.clear();
    touching_.clear();
    surfaceContacts_ = 0;
    scheduleUpdate();
    paused_ = false;
    moveX_ = moveY_ = 0.0f;
    hp_ = maxHp_;
    blockedRight_ = false;
    facingLeft_ = true;
    airborne_ = true;
    jumping_ = false;
    gravityActive_ = true;
    defeated_ = false;
    blockedLeft_ = false;
    falling_ = true;
    setScaleX(1.0f);
    if (animation_) {
        // Unlocked first: a character revived in the middle of its defeat motion must stand up.
        animation_->setLocked(false);
        animation_->load(animationFile(CharacterAnimState::WAIT));
        animation_->setPosition(getContentSize().width / 2, getContentSize().height / 2);
        animation_->play(nullptr, true);
    }
    hasLanded_ = false;
    basePosition_ = engine::Vec2::ZERO;
    if (moveYMin_ == 0.0f && moveYMax_ == 0.0f) {
        floating_ = true;
        gravityActive_ = false;
        hasLanded_ = true;
    }
}

// ---------------------------------------------------------------- timed nodes and links

BulletCharacter* CharacterSprite::getLastSegment() const {
    return dynamic_cast<BulletCharacter*>(lastSegment_.get());
}

void CharacterSprite::setLastSegment(BulletCharacter* segment) {
    lastSegment_ = segment;
}

void CharacterSprite::addTimedNode(engine::Node* node, int frames) {
    if (node) timedNodes_.push_back(TimedNode{frames, node});
}

void CharacterSprite::ageTimedNodes() {
    if (timedNodes_.empty()) return;
    std::vector<TimedNode> kept;
    std::vector<engine::RefPtr<engine::Node>> expired;
    for (TimedNode& entry : timedNodes_) {
        entry.framesLeft -= 1;
        engine::Node* node = entry.node.get();
        if (!node) continue;
        if (entry.framesLeft < 1) {
            expired.emplace_back(node);
        } else {
            kept.push_back(entry);
        }
    }
    timedNodes_ = std::move(kept);
    for (auto& node : expired)
        node->removeFromParent();
}

void CharacterSprite::removeTimedNodes() {
    std::vector<TimedNode> nodes = std::move(timedNodes_);
    timedNodes_.clear();
    for (TimedNode& entry : nodes)
        if (engine::Node* node = entry.node.get()) node->removeFromParent();
}

}  // namespace vastomer
