#include "game/play/PlayController.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/events/EventDispatcher.h"
#include "engine/physics/EventListenerPhysicsContact.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsContact.h"
#include "engine/physics/PhysicsContactPreSolve.h"
#include "engine/physics/PhysicsShape.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/platform/FileUtils.h"
#include "engine/scene/Director.h"
#include "game/app/SceneManager.h"
#include "game/character/ActionMap.h"
#include "game/character/AttackEvents.h"
#include "game/character/BulletCharacter.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/input/KeyInputManager.h"
#include "game/play/BossBattle.h"
#include "game/play/PlayInterface.h"
#include "game/play/PlayScene.h"
#include "game/play/StageEndMenus.h"
#include "game/scenario/DramaPart.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NSpriteAnimationManager.h"
#include "game/scenario/QuorinScenarioController.h"
#include "game/scenario/QuorinScenarioEngine.h"

namespace vastomer {

namespace {

std::string nameOf(engine::PhysicsShape* shape) {
    return shape && shape->getBody() ? shape->getBody()->getName() : std::string();
}

engine::Node* nodeOf(engine::PhysicsShape* shape) {
    return shape && shape->getBody() ? shape->getBody()->getNode() : nullptr;
}

bool isOn(KeyActionType action) {
    KeyInputManager* input = KeyInputManager::getInstance();
    return input && input->isActionOn(action);
}

void clearActions() {
    if (KeyInputManager* input = KeyInputManager::getInstance()) input->clearActions();
}

}  // namespace

PlayController* PlayController::create() {
    auto* controller = new PlayController();
    if (!controller->init()) {
        delete controller;
        return nullptr;
    }
    controller->autorelease();
    return controller;
}

PlayController* PlayController::current() {
    SceneManager* manager = SceneManager::peekInstance();
    if (!manager || manager->getCurrentSceneId() != static_cast<int>(SceneId::PLAY)) return nullptr;
    return dynamic_cast<PlayController*>(manager->getCurrentController());
}

bool PlayController::init() {
    if (!AbstractController::init()) return false;
    // The stage's music never plays on into the play screen.
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(false);
    return true;
}

PlayController::~PlayController() {
    if (contactListener_) {
        if (engine::Director* director = engine::Director::peekInstance())
            director->getEventDispatcher()->removeEventListener(contactListener_);
    }
}

PlayScene* PlayController::getPlayScene() const {
    return scene_.get();
}

PlayerCharacter* PlayController::getPlayer() const {
    return player_.get();
}

CharacterSprite* PlayController::getBoss() const {
    return boss_.get();
}

CharacterSprite* PlayController::getContactEnemy() const {
    return contactEnemy_.get();
}

void PlayController::setContactEnemy(CharacterSprite* enemy) {
    contactEnemy_ = enemy;
}

CharacterSprite* PlayController::getDramaEnemy() const {
    return dramaEnemy_.get();
}

MessageWindow* PlayController::getMessageWindow() const {
    return messageWindow_.get();
}

QuorinScenarioController* PlayController::getScenarioController() const {
    return scenarioController_.get();
}

QuorinScenarioEngine* PlayController::getScenarioEngine() const {
    return scenarioEngine_.get();
}

DramaPart* PlayController::getDramaPart() const {
    return dramaPart_.get();
}

void PlayController::setScene(NLayer* layer) {
    auto* scene = dynamic_cast<PlayScene*>(layer);
    scene_ = scene;
    if (!scene) return;
    messageWindow_ = scene->getMessageWindow();
    PlayerCharacter* player = scene->getPlayer();
    player_ = player;
    if (!player) return;
    if (player->getAnimation()) player->getAnimation()->setVisible(true);
    player->setFrozen(false);
    player->enticeOff();
    if (engine::Node* drama = player->getChildByTag(PlayerCharacter::DRAMA_TAG)) drama->removeFromParent();
}

void PlayController::start() {
    contactListener_ = engine::EventListenerPhysicsContact::create();
    contactListener_->onContactBegin = [this](engine::PhysicsContact& contact) {
        return onContactBegin(contact);
    };
    contactListener_->onContactSeparate = [this](engine::PhysicsContact& contact) {
        onContactSeparate(contact);
    };
    contactListener_->onContactPreSolve = [this](engine::PhysicsContact& contact,
                                                 engine::PhysicsContactPreSolve& solve) {
        onContactPresolve(contact, solve);
        return true;
    };
    engine::Director* director = engine::Director::getInstance();
    director->getEventDispatcher()->addEventListenerWithFixedPriority(contactListener_, CONTACT_PRIORITY);
    if (engine::Scene* running = director->getRunningScene())
        if (engine::PhysicsWorld* world = running->getPhysicsWorld()) world->setSpeed(1.0f);
    scheduleUpdate();
}

void PlayController::stop() {
    setActive(false);
    if (contactListener_) {
        engine::Director::getInstance()->getEventDispatcher()->removeEventListener(contactListener_);
        contactListener_.reset();
    }
    PlayerCharacter* player = player_.get();
    if (player) {
        if (engine::Node* drama = player->getChildByTag(PlayerCharacter::DRAMA_TAG)) {
            drama->removeFromParent();
            player->reset();
        }
    }
}

// ---------------------------------------------------------------- frame

void PlayController::update(float /*dt*/) {
    if (!isActive()) return;
    engine::RefPtr<PlayController> keepAlive(this);
    if (resultShown_) {
        runResultInput();
    } else if (pauseShown_) {
        runPauseInput();
    } else if (gameOverShown_) {
        runGameOverInput();
    } else {
        normalFrame();
    }
}

void PlayController::normalFrame() {
    PlayScene* scene = scene_.get();
    DataManager* data = DataManager::getInstance();
    if (!scene || !data) return;
    watchBoss();
    if (!isActive()) return;
    drainSpecialPoints();
    if (mapChangePending_) {
        mapChangePending_ = false;
        scene->changeMap(pendingStage_, pendingPart_, pendingMarker_);
    }
    if (isOn(KeyActionType::PAUSE)) {
        openPause();
        clearActions();
    }
    PlayerCharacter* player = player_.get();
    if (!player) return;
    if (player->isFrozen()) {
        player->setMoveX(0.0f);
        player->endJump();
    } else {
        readInput(player);
    }
    syncEndOfFrame(player);
}

void PlayController::watchBoss() {
    BossBattle::watch(*this);
}

void PlayController::drainSpecialPoints() {
    PlayerCharacter* player = player_.get();
    DataManager* data = DataManager::getInstance();
    if (!player || !data || !player->isBoosted()) return;
    if (data->getSp() >= 1) {
        data->setSp(data->getSp() - 1);
    }
    if (data->getSp() < 1) {
        player->endSpecialMode();
        data->setSp(0);
    }
    if (PlayScene* scene = scene_.get())
        if (PlayInterface* hud = scene->getPlayInterface()) hud->setSp(data->getSp());
}

void PlayController::readInput(PlayerCharacter* player) {
    DataManager* data = DataManager::getInstance();
    PlayScene* scene = scene_.get();
    PlayInterface* hud = scene ? scene->getPlayInterface() : nullptr;

    player->setFireHeld(player->getAmmo() != 0 && isOn(KeyActionType::OK));
    if (isOn(KeyActionType::CANCEL)) {
        player->jumpPress();
    } else if (player->getJumpCharge() > 0) {
        player->setJumpHeld(false);
    }
    if (isOn(KeyActionType::OK) && !player->isAttacking()) player->attack(player->getWeaponMode());
    const bool left = isOn(KeyActionType::LEFT);
    const bool right = isOn(KeyActionType::RIGHT);
    if (left && !player->isAttacking()) player->walk(true, true);
    if (right && !player->isAttacking()) player->walk(false, true);
    if (isOn(KeyActionType::BUTTON3)) {
        if (!modeSwitchLatch_) {
            if (!player->isAttacking()) {
                player->setWeaponMode(!player->getWeaponMode());
                if (hud) hud->toggleWeaponDisplay();
            }
            modeSwitchLatch_ = true;
        }
    } else {
        modeSwitchLatch_ = false;
    }
    if (isOn(KeyActionType::BUTTON4)) {
        player->reload();
        clearActions();
    }
    if (isOn(KeyActionType::BUTTON5)) {
        if (!player->isBoosted()) {
            if (data && data->getSp() >= SPECIAL_MIN_SP) {
                player->enterSpecialMode();
                player->enticeOff();
            }
        } else {
            player->endSpecialMode();
        }
        clearActions();
    }
    if (isOn(KeyActionType::BUTTON6)) {
        if (data && data->getLp() >= ENTICE_MIN_LP) {
            if (!player->isEnticing()) {
                player->enticeOn();
                player->endSpecialMode();
            } else {
                player->enticeOff();
            }
        }
        clearActions();
    }
    if (left == right) player->stopWalk();
}

void PlayController::syncEndOfFrame(PlayerCharacter* player) {
    DataManager* data = DataManager::getInstance();
    PlayScene* scene = scene_.get();
    if (!data) return;
    data->setHp(player->getHp());
    PlayInterface* hud = scene ? scene->getPlayInterface() : nullptr;
    if (!hud) return;
    hud->setSp(data->getSp());
    hud->setHp(data->getHp());
    hud->setLp(data->getLp());
}

// ---------------------------------------------------------------- contacts

bool PlayController::shouldSwap(const std::string& nameA, const std::string& nameB) {
    return nameB == "PLAYER" || (nameB == "enemy" && nameA != "PLAYER") ||
           (nameB == "enemyBullet" && nameA != "PLAYER") || (nameB == "bulletBody" && nameA != "enemy");
}

PlayController::ContactPair PlayController::orderPair(engine::PhysicsShape* a, engine::PhysicsShape* b,
                                                      const engine::Vec2& normal) {
    if (shouldSwap(nameOf(a), nameOf(b))) return ContactPair{b, a, -normal};
    return ContactPair{a, b, normal};
}

PlayController::ContactPair PlayController::characterFirst(const ContactPair& pair) {
    if (dynamic_cast<CharacterSprite*>(nodeOf(pair.first)) ||
        !dynamic_cast<CharacterSprite*>(nodeOf(pair.other)))
        return pair;
    return ContactPair{pair.other, pair.first, -pair.normal};
}

bool PlayController::onContactBegin(engine::PhysicsContact& contact) {
    const engine::PhysicsContactData* data = contact.getContactData();
    const ContactPair pair = characterFirst(
        orderPair(contact.getShapeA(), contact.getShapeB(), data ? data->normal : engine::Vec2::ZERO));
    if (nameOf(pair.first) != "PLAYER") {
        if (auto* character = dynamic_cast<CharacterSprite*>(nodeOf(pair.first)))
            character->onContactBegin(pair.first, pair.other, pair.normal.x, pair.normal.y);
        return true;
    }
    playerContact(pair);
    return true;
}

void PlayController::playerContact(const ContactPair& pair) {
    DataManager* data = DataManager::getInstance();
    const std::string other = nameOf(pair.other);
    engine::Node* node = nodeOf(pair.other);
    if (other == "scenario") {
        if (node) startScenario("scenario/oim_", node->getTag(), nullptr, false);
    } else if (other == "move") {
        if (!data || !node) return;
        pendingStage_ = data->getCurrentStage();
        pendingPart_ = pair.other->getBody()->getTag();
        pendingMarker_ = node->getTag();
        mapChangePending_ = true;
        clearActions();
    } else if (other == "safenet") {
        if (data) requestMapChange(data->getCurrentStage(), pendingPart_, -1);
    } else {
        grappleCheck(pair);
    }
}

void PlayController::grappleCheck(const ContactPair& pair) {
    PlayerCharacter* player = player_.get();
    DataManager* data = DataManager::getInstance();
    if (!player || !data) return;
    const std::string other = nameOf(pair.other);
    engine::Node* node = nodeOf(pair.other);
    CharacterSprite* enemy = nullptr;
    int kind = 0;
    const bool grappleCapable = other == "enemy" || other == "enemygrapple" || other == "enemyBullet";
    if (other == "enemy") {
        enemy = dynamic_cast<CharacterSprite*>(node);
        kind = enemy ? enemy->getAnimationVariant() : 0;
    } else if (other == "enemygrapple") {
        enemy = AttackEvents::ownerOf(node);
        kind = node ? node->getTag() : 0;
    } else if (other == "enemyBullet") {
        auto* bullet = dynamic_cast<BulletCharacter*>(node);
        enemy = bullet ? bullet->getOwner() : nullptr;
        // The bullet's number is its event key (a bullet node carries no tag of its own).
        kind = bullet ? bullet->getCharacterId() : 0;
    }
    if (grappleCapable) contactEnemy_ = enemy;

    CharacterSprite* contactEnemy = contactEnemy_.get();
    const bool mayStart =
        grappleCapable &&
        (player->getHp() == 0 || (player->isEnticing() && contactEnemy && !contactEnemy->isBoss()));
    if (mayStart && enemy) {
        const CombineEntry entry = data->getCombine(enemy->getCharacterId(), kind);
        const bool bulletAllowed = other != "enemyBullet" || entry.bulletFlag;
        if (entry.dramaNo != -1 && bulletAllowed) {
            if (entry.redirectFlag && enemy->getPartner()) contactEnemy_ = enemy->getPartner();
            if (startDramaPart(contactEnemy_.get(), player->isEnticing(), kind)) return;
        }
    }
    player->onContactBegin(pair.first, pair.other, pair.normal.x, pair.normal.y);
}

void PlayController::onContactSeparate(engine::PhysicsContact& contact) {
    const engine::PhysicsContactData* data = contact.getContactData();
    const ContactPair pair = characterFirst(
        orderPair(contact.getShapeA(), contact.getShapeB(), data ? data->normal : engine::Vec2::ZERO));
    if (nameOf(pair.first) == "PLAYER") {
        const std::string other = nameOf(pair.other);
        if (other == "scenario" || other == "move" || other == "safenet") return;
    }
    if (auto* character = dynamic_cast<CharacterSprite*>(nodeOf(pair.first)))
        character->onContactSeparate(pair.first, pair.other, pair.normal.x, pair.normal.y);
}

void PlayController::onContactPresolve(engine::PhysicsContact& contact,
                                       engine::PhysicsContactPreSolve& solve) {
    const engine::PhysicsContactData* data = contact.getContactData();
    if (!data) return;
    const ContactPair pair =
        characterFirst(orderPair(contact.getShapeA(), contact.getShapeB(), data->normal));
    auto* character = dynamic_cast<CharacterSprite*>(nodeOf(pair.first));
    if (!character) return;
    // Nothing grips a character's side: with the bodies' own friction a leap against a creature, or a
    // fall past a wall while the run key is held, would hang there. Two characters pressed together
    // slide past each other, and a character slides down a box's side.
    const bool side = std::fabs(pair.normal.y) < SIDE_CONTACT_NORMAL_Y;
    if (dynamic_cast<CharacterSprite*>(nodeOf(pair.other)) || side) solve.setFriction(0.0f);
    character->onContactPresolve(pair.first, pair.other, pair.normal.x, pair.normal.y);
}

void PlayController::requestMapChange(int stage, int part, int marker) {
    if (part < 0) {
        DataManager* data = DataManager::getInstance();
        part = data ? data->getCurrentPart() : part;
    }
    pendingStage_ = stage;
    pendingPart_ = part;
    pendingMarker_ = marker;
    mapChangePending_ = true;
}

// ---------------------------------------------------------------- story hand-offs

std::string PlayController::scenarioFileName(const std::string& prefix, int stage, int part, int number,
                                             bool wholeName) {
    if (wholeName) return prefix;
    return prefix + NSpriteAnimationManager::padded(stage, 4) + "_" +
           NSpriteAnimationManager::padded(part, 4) + "_" + NSpriteAnimationManager::padded(number, 4) +
           ".bks";
}

bool PlayController::startScenario(const std::string& prefix, int number, std::function<void()> onEnd,
                                   bool wholeName) {
    DataManager* data = DataManager::getInstance();
    if (!data) return false;
    const std::string file =
        scenarioFileName(prefix, data->getCurrentStage(), data->getCurrentPart(), number, wholeName);
    if (engine::FileUtils::getInstance()->fullPathForFilename(file).empty()) return false;
    if (data->isRead(file)) return false;
    // One scene at a time; a sensor touched meanwhile stays unread and can start its scene later.
    if (scenarioEngine_ || inDrama_) return false;
    return runScenarioScript(file, std::move(onEnd));
}

bool PlayController::runScenarioScript(const std::string& file, std::function<void()> onEnd) {
    PlayScene* scene = scene_.get();
    PlayerCharacter* player = player_.get();
    DataManager* data = DataManager::getInstance();
    ActionMap* map = scene ? scene->getActionMap() : nullptr;
    if (!scene || !map || !data) return false;

    QuorinScenarioEngine* engine = QuorinScenarioEngine::create();
    QuorinScenarioController* controller = QuorinScenarioController::create();
    if (!engine || !controller) return false;
    engine->setActionMap(map);
    engine->setCameraTarget(scene->getCameraTarget());
    engine->setMessageWindow(scene->getMessageWindow());
    engine->setController(controller);
    engine->setContentsNode(scene->getContentLayer(3));
    engine->setReadBefore(data->isRead(file));
    controller->setEngine(engine);
    controller->setFadeNode(scene->getCurtain());
    if (!engine->loadScript(false, file)) return false;

    if (player) player->setFrozen(true);
    scene->setScenarioRunning(true);
    map->setActionLocked(true);
    if (PlayInterface* hud = scene->getPlayInterface()) hud->setVisible(false);
    addChild(engine);
    scenarioEngine_ = engine;
    clearActions();
    settlePlayer();
    setActive(false);
    addChild(controller);
    controller->start();
    controller->setActive(true);
    scenarioController_ = controller;
    scenarioStarting(file, engine);
    engine::WeakRef<PlayController> self(this);
    engine->start([self, file, onEnd](QuorinScenarioEngine*) {
        if (PlayController* play = self.get()) play->endScenario(file, onEnd);
    });
    return true;
}

void PlayController::settlePlayer() {
    // The player stops where she is while the scene plays; the gauges show the values of the moment.
    PlayerCharacter* player = player_.get();
    if (!player) return;
    player->setMoveX(0.0f);
    player->endJump();
    player->stopWalk();
    syncEndOfFrame(player);
}

void PlayController::endScenario(const std::string& file, const std::function<void()>& onEnd) {
    engine::RefPtr<PlayController> keepAlive(this);
    PlayScene* scene = scene_.get();
    PlayerCharacter* player = player_.get();
    DataManager* data = DataManager::getInstance();
    setActive(true);
    // During a part's entry the player stays frozen until the curtain is up and the part starts.
    if (player && scene && scene->isPartReady()) player->setFrozen(false);
    // The name this controller built, not the last script the engine loaded: a scene that appended
    // another must not play again.
    if (data) data->markRead(file);
    if (scene) {
        scene->setScenarioRunning(false);
        if (ActionMap* map = scene->getActionMap()) {
            map->setActionLocked(false);
            engine::Node* camera = scene->getCameraTarget();
            engine::Node* layer = map->getCharacterLayer();
            if (camera && layer && camera->getParent() != layer) {
                engine::RefPtr<engine::Node> keep(camera);
                if (camera->getParent()) camera->removeFromParent();
                layer->addChild(camera);
            }
        }
        if (PlayInterface* hud = scene->getPlayInterface()) hud->setVisible(true);
    }
    scenarioFinished();
    engine::RefPtr<QuorinScenarioEngine> engine(scenarioEngine_.get());
    engine::RefPtr<QuorinScenarioController> controller(scenarioController_.get());
    scenarioEngine_ = nullptr;
    scenarioController_ = nullptr;
    if (onEnd) onEnd();
    if (controller) {
        controller->setActive(false);
        controller->stop();
        controller->removeFromParent();
    }
    if (engine) {
        engine->unscheduleUpdate();
        engine->removeFromParent();
    }
}

std::string PlayController::dramaFileName(int dramaNo, int lp) {
    const char* tier = lp <= 100 ? "_01" : (lp <= 450 ? "_02" : "_03");
    return "drama/dramaPart_" + NSpriteAnimationManager::padded(dramaNo, 3) + tier + ".bds";
}

bool PlayController::startDramaPart(CharacterSprite* enemy, bool entice, int kind) {
    if (inDrama_ || scenarioEngine_) return false;
    ++lastDramaRequest_.count;
    lastDramaRequest_.enemyId = enemy ? enemy->getCharacterId() : -1;
    lastDramaRequest_.kind = kind;
    lastDramaRequest_.entice = entice;
    PlayScene* scene = scene_.get();
    PlayerCharacter* player = player_.get();
    DataManager* data = DataManager::getInstance();
    ActionMap* map = scene ? scene->getActionMap() : nullptr;
    if (!enemy || !scene || !player || !data || !map) return false;

    // Everything that could stop the part is settled before anything changes: without a part the
    // contact is an ordinary one and play goes on.
    const CombineEntry entry = data->getCombine(enemy->getCharacterId(), kind);
    if (entry.dramaNo == -1) return false;
    const std::string file = dramaFileName(entry.dramaNo, data->getLp());
    DramaPart* part = DramaPart::create();
    if (!part || !part->load(file)) {
        std::fprintf(stderr, "quorin: drama part %s cannot be played; play goes on\n", file.c_str());
        return false;
    }

    map->forEachCharacter([](CharacterSprite* character) {
        if (auto* bullet = dynamic_cast<BulletCharacter*>(character)) {
            bullet->setVisible(false);
            bullet->die();
        }
    });
    inDrama_ = true;
    dramaEnemy_ = enemy;
    dramaEntice_ = entice;
    enemy->setActionLocked(true);
    player->setFrozen(true);
    for (CharacterSprite* character : {static_cast<CharacterSprite*>(player), enemy}) {
        character->stopWalk();
        character->stopFly();
        character->endJump();
    }
    player->setHeld(true);

    MessageWindow* window = messageWindow_.get();
    part->setMessageWindow(window);
    part->setTag(PlayerCharacter::DRAMA_TAG);
    if (window) window->setVisible(true);
    CharacterSprite* holder = entry.attachFlag ? static_cast<CharacterSprite*>(player) : enemy;
    const engine::Size& size = holder->getContentSize();
    part->setPosition(size.width * 0.5f, size.height * 0.5f);
    holder->addChild(part);
    data->setSituationUnlocked(entry.dramaNo, true);

    map->setActionLocked(true);
    map->pauseCharacters();
    setActive(false);
    if (player->getAnimation()) player->getAnimation()->setVisible(false);
    if (enemy->getAnimation()) enemy->getAnimation()->setVisible(entry.enemyVisibleFlag);
    dramaPart_ = part;
    dramaStarting(file);
    part->setReadBefore(data->isRead(file));
    engine::WeakRef<PlayController> self(this);
    part->start([self, entry](DramaPart* finished) {
        if (PlayController* play = self.get()) play->dramaEnded(finished, entry);
    });
    return true;
}

void PlayController::dramaEnded(DramaPart* part, const CombineEntry& entry) {
    engine::RefPtr<PlayController> keepAlive(this);
    if (current() != this) return;
    if (DataManager* data = DataManager::getInstance()) data->markRead(getDramaFile());
    dramaFinished();
    if (entry.gameOverFlag) {
        // The part stays on screen behind the game-over screen.
        showGameOver();
        return;
    }
    engine::RefPtr<DramaPart> keep(part);
    if (part) part->removeFromParent();
    dramaPart_ = nullptr;
    endDramaPart();
}

void PlayController::endDramaPart() {
    DataManager* data = DataManager::getInstance();
    PlayScene* scene = scene_.get();
    PlayerCharacter* player = player_.get();
    PlayInterface* hud = scene ? scene->getPlayInterface() : nullptr;
    if (!data) return;
    if (dramaEntice_) {
        data->setSp(data->getSp() + data->spGainFor(1));
        if (hud) hud->setSp(data->getSp());
    }
    contactEnemy_ = nullptr;
    CharacterSprite* enemy = dramaEnemy_.get();
    if (enemy) {
        if (enemy->getAnimation()) enemy->getAnimation()->setVisible(true);
        enemy->setActionLocked(false);
        enemy->setStunTimer(GRAPPLE_COOLDOWN);
    }
    if (player) {
        if (player->getAnimation()) player->getAnimation()->setVisible(true);
        player->setFrozen(false);
        player->enticeOff();
    }
    if (scene && scene->getActionMap()) {
        scene->getActionMap()->setActionLocked(false);
        scene->getActionMap()->resumeCharacters();
    }
    if (player) player->recover();
    inDrama_ = false;
    if (player) player->setHeld(false);
    data->setLp(data->getLp() + data->lpGain());
    if (hud) hud->setLp(data->getLp());
    if (data->getLp() == DataManager::kLpMax && !data->hasWear(8)) data->addWear(8);
    setActive(true);
}

// ---------------------------------------------------------------- stage end

void PlayController::openPause() {
    StageEndMenus::openPause(*this);
}

void PlayController::runPauseInput() {
    StageEndMenus::pauseInput(*this);
}

void PlayController::showGameOver() {
    StageEndMenus::showGameOver(*this);
}

void PlayController::runGameOverInput() {
    StageEndMenus::gameOverInput(*this);
}

void PlayController::showResult() {
    BossBattle::showResult(*this);
}

void PlayController::runResultInput() {
    StageEndMenus::resultInput(*this);
}

bool PlayController::startBossIfAny() {
    return BossBattle::start(*this);
}

void PlayController::onBossDefeated() {
    BossBattle::defeated(*this);
}

}  // namespace vastomer
