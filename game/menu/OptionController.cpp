#include "game/menu/OptionController.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "game/app/AppDelegate.h"
#include "game/app/ComfortSettings.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/input/ControllerKey.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/MenuStyle.h"
#include "game/menu/OptionScene.h"
#include "game/scenario/QuorinDialog.h"

namespace vastomer {

namespace {

KeyInputManager* input() {
    return KeyInputManager::getInstance();
}

float stepped(float value, float delta) {
    // Kept on whole hundredths, so that a hundred steps down from 1 reach exactly 0.
    float next = std::round((value + delta) * 100.0f) / 100.0f;
    return std::clamp(next, 0.0f, 1.0f);
}

}  // namespace

OptionController* OptionController::create() {
    auto* controller = new OptionController();
    if (controller->init()) {
        controller->autorelease();
        return controller;
    }
    delete controller;
    return nullptr;
}

bool OptionController::init() {
    if (!AbstractController::init()) return false;
    languageOnEntry_ = StringsManager::getInstance()->getLanguage();
    chosenLanguage_ = languageOnEntry_;
    if (SceneManager* manager = SceneManager::peekInstance()) manager->setKeepBgmOnChange(true);
    NAudioManager* audio = NAudioManager::getInstance();
    savedBgmVolume_ = editBgmVolume_ = audio->getBgmVolume();
    savedSeVolume_ = editSeVolume_ = audio->getSeVolume();
    return true;
}

OptionScene* OptionController::getScene() const {
    return scene_.get();
}

void OptionController::setScene(NLayer* scene) {
    scene_ = dynamic_cast<OptionScene*>(scene);
}

void OptionController::start() {
    scheduleUpdate();
}

void OptionController::stop() {
    if (waitingForInput_) input()->endCapture();
    waitingForInput_ = false;
    input()->saveBindings();
    unscheduleUpdate();
}

bool OptionController::hasDuplicates(const std::vector<int>& bindings) {
    std::set<int> seen;
    for (int value : bindings)
        if (!seen.insert(value).second) return true;
    return false;
}

void OptionController::resetPlayerLoadout() {
    PlayerCharacter* player = DataManager::getInstance()->getPlayerCharacter();
    if (!player) return;
    player->setGrappleWeaponId(ProgressState::kFirstGrappleWeapon);
    player->setShotWeaponId(ProgressState::kFirstShotWeapon);
    player->setAnimationVariant(ProgressState::kFirstWear);
    player->reset();
}

void OptionController::update(float /*dt*/) {
    OptionScene* scene = scene_.get();
    if (!isActive() || !scene) return;
    KeyInputManager* keys = input();
    if (waitingForRelease_) {
        if (!keys->isActionHeld(KeyActionType::ANY) && !keys->isAnyPadButtonDown())
            waitingForRelease_ = false;
        keys->clearActions();
        return;
    }
    if (waitingForInput_) {
        captureBinding();
        return;
    }
    // A direction still held steps again only after a pause; one pressed anew acts at once.
    if (holdFrames_ > 0) {
        --holdFrames_;
        if (keys->isActionHeld(KeyActionType::ANY)) return;
        holdFrames_ = 0;
    }
    const bool direction = keys->isActionOn(KeyActionType::UP) || keys->isActionOn(KeyActionType::DOWN) ||
                           keys->isActionOn(KeyActionType::LEFT) || keys->isActionOn(KeyActionType::RIGHT);
    if (direction) holdFrames_ = REPEAT_FRAMES - 1;
    if (keys->isActionOn(KeyActionType::UP)) {
        moveRow(-1, scene->getPage() == OptionScene::MENU);
    } else if (keys->isActionOn(KeyActionType::LEFT)) {
        left(-1);
    } else if (keys->isActionOn(KeyActionType::DOWN)) {
        moveRow(1, scene->getPage() == OptionScene::MENU);
    } else if (keys->isActionOn(KeyActionType::RIGHT)) {
        left(1);
    } else if (keys->isActionOn(KeyActionType::OK)) {
        confirm();
    } else if (keys->isActionOn(KeyActionType::CANCEL)) {
        cancel();
    } else {
        return;
    }
    if (KeyInputManager* still = input()) still->clearActions();
}

void OptionController::moveRow(int delta, bool wrap) {
    OptionScene* scene = scene_.get();
    int page = scene->getPage();
    if (page == OptionScene::CONTROLS && scene->isPadPage() && !input()->isJoystickPresent()) {
        // Without a pad its list cannot be edited: the cursor stays on the mode row.
        scene->setRow(0);
        scene->placeCursor();
        return;
    }
    int last = scene->lastRow();
    int row = scene->getRow() + delta;
    if (wrap) {
        row = ((row % (last + 1)) + (last + 1)) % (last + 1);
    } else if (row < 0 || row > last) {
        return;
    }
    MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
    scene->setRow(row);
    if (page == OptionScene::RESET) {
        if (QuorinDialog* dialog = scene->getResetDialog()) dialog->select(row);
    } else if (page == OptionScene::MENU || page == OptionScene::COMFORT) {
        scene->buildPage();
    }
    scene->placeCursor();
}

void OptionController::left(int delta) {
    OptionScene* scene = scene_.get();
    int page = scene->getPage();
    int row = scene->getRow();
    switch (page) {
        case OptionScene::MENU:
            moveRow(delta, true);
            return;
        case OptionScene::RESET:
            moveRow(delta, false);
            return;
        case OptionScene::LANGUAGE: {
            if (row != 0) return;
            int count = static_cast<int>(StringsManager::getInstance()->getLanguages().size());
            if (count <= 0) return;
            scene->setLanguageCursor(((scene->getLanguageCursor() + delta) % count + count) % count);
            break;
        }
        case OptionScene::SOUND: {
            NAudioManager* audio = NAudioManager::getInstance();
            if (row == 0) {
                editBgmVolume_ = stepped(editBgmVolume_, VOLUME_STEP * static_cast<float>(delta));
                audio->setBgmVolume(audio->getTrackVolume(), editBgmVolume_);
            } else if (row == 1) {
                editSeVolume_ = stepped(editSeVolume_, VOLUME_STEP * static_cast<float>(delta));
                audio->setSeVolume(editSeVolume_);
            } else {
                return;
            }
            scene->setEditVolumes(editBgmVolume_, editSeVolume_);
            break;
        }
        case OptionScene::CONTROLS:
            if (row != 0) return;
            scene->setPadPage(!scene->isPadPage());
            break;
        case OptionScene::DIFFICULTY:
            if (row != 0) return;
            scene->setDifficultyCursor(((scene->getDifficultyCursor() + delta) % 3 + 3) % 3);
            break;
        case OptionScene::COMFORT:
            switch (row) {
                case 0: {
                    int speed = static_cast<int>(ComfortSettings::getTextSpeed()) + delta;
                    ComfortSettings::setTextSpeed(
                        static_cast<ComfortSettings::TextSpeed>((speed % 3 + 3) % 3));
                    break;
                }
                case 1:
                    ComfortSettings::setShakeFlashReduced(!ComfortSettings::isShakeFlashReduced());
                    break;
                case 2:
                    ComfortSettings::setPauseOnFocusLoss(!ComfortSettings::isPauseOnFocusLoss());
                    break;
                case 3:
                    ComfortSettings::setIntegerScaling(!ComfortSettings::isIntegerScaling());
                    break;
                case 4:
                    ComfortSettings::setScreenshotKeyEnabled(!ComfortSettings::isScreenshotKeyEnabled());
                    break;
                default:
                    return;
            }
            break;
        default:
            return;
    }
    MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
    scene->refreshValues();
}

void OptionController::confirm() {
    switch (scene_.get()->getPage()) {
        case OptionScene::MENU:
            confirmMenu();
            break;
        case OptionScene::LANGUAGE:
            confirmLanguage();
            break;
        case OptionScene::SOUND:
            confirmSound();
            break;
        case OptionScene::CONTROLS:
            confirmControls();
            break;
        case OptionScene::DIFFICULTY:
            confirmDifficulty();
            break;
        case OptionScene::RESET:
            confirmReset();
            break;
        case OptionScene::COMFORT:
            if (scene_.get()->getRow() == OptionScene::COMFORT_BACK_ROW) {
                MenuStyle::playSe(MenuStyle::BACK_SOUND);
                backToMenu();
            } else {
                left(1);
            }
            break;
        default:
            break;
    }
}

void OptionController::confirmMenu() {
    OptionScene* scene = scene_.get();
    int row = scene->getRow();
    if (row == OptionScene::BACK_ROW) {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
        leave();
        return;
    }
    MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
    int page = OptionScene::pageOfRow(row);
    if (page == OptionScene::SOUND) {
        NAudioManager* audio = NAudioManager::getInstance();
        savedBgmVolume_ = editBgmVolume_ = audio->getBgmVolume();
        savedSeVolume_ = editSeVolume_ = audio->getSeVolume();
        scene->setEditVolumes(editBgmVolume_, editSeVolume_);
    }
    scene->showPage(page);
}

void OptionController::applyLanguage(const std::string& code) {
    StringsManager::getInstance()->setLanguage(code);
    AppDelegate::retitleWindow();
    if (OptionScene* scene = scene_.get()) scene->rebuildAll();
}

void OptionController::confirmLanguage() {
    OptionScene* scene = scene_.get();
    StringsManager* strings = StringsManager::getInstance();
    std::string code = strings->getLanguageAt(scene->getLanguageCursor());
    switch (scene->getRow()) {
        case 0:
            MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
            chosenLanguage_ = code;
            applyLanguage(code);
            break;
        case 1:
            MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
            chosenLanguage_ = code;
            if (strings->getLanguage() != code) applyLanguage(code);
            languageOnEntry_ = strings->getLanguage();
            // Kept in the save at once: leaving for the title and quitting there must not lose it.
            DataManager::getInstance()->saveProgress();
            backToMenu();
            break;
        default:
            cancel();
            break;
    }
}

void OptionController::confirmSound() {
    switch (scene_.get()->getRow()) {
        case 2:
            MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
            savedBgmVolume_ = editBgmVolume_;
            savedSeVolume_ = editSeVolume_;
            backToMenu();
            break;
        case 3:
            cancel();
            break;
        default:
            break;
    }
}

void OptionController::confirmControls() {
    OptionScene* scene = scene_.get();
    KeyInputManager* keys = input();
    const int row = scene->getRow();
    const int bindings = scene->isPadPage() ? OptionScene::BUTTON_BINDINGS : OptionScene::KEY_BINDINGS;
    if (row == 0) {
        left(1);
    } else if (row <= bindings) {
        MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
        waitingForInput_ = true;
        keys->beginCapture();
        scene->showPrompt(true);
    } else if (row == bindings + 1) {
        if (hasDuplicates(scene->getPendingKeys()) || hasDuplicates(scene->getPendingButtons())) {
            MenuStyle::playSe(MenuStyle::BACK_SOUND);
            return;
        }
        MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
        const auto& actions = KeyInputManager::bindingRows();
        for (int i = 0; i < OptionScene::KEY_BINDINGS; ++i)
            keys->getKeyBindings()[actions[static_cast<std::size_t>(i)]] =
                scene->getPendingKeys()[static_cast<std::size_t>(i)];
        for (int i = 0; i < OptionScene::BUTTON_BINDINGS; ++i)
            keys->getButtonBindings()[actions[static_cast<std::size_t>(i)]] =
                scene->getPendingButtons()[static_cast<std::size_t>(i)];
        keys->setGamepadMode(scene->isPadPage());
        scene->refreshValues();
    } else {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
        backToMenu();
    }
}

void OptionController::captureBinding() {
    OptionScene* scene = scene_.get();
    KeyInputManager* keys = input();
    const int key = keys->takeCapturedKey();
    const int button = keys->pollCapturedButton();
    if (!scene->isPadPage()) {
        // Escape, or the pad's cancel button, gives up; any other key is taken.
        if (key == ESCAPE_KEY ||
            (button != ControllerKey::NONE && button == keys->getButtonBinding(KeyActionType::CANCEL)))
            finishCapture(0, true);
        else if (key != 0)
            finishCapture(key, false);
    } else {
        if (key == ESCAPE_KEY || (key != 0 && key == keys->getKeyBinding(KeyActionType::CANCEL)))
            finishCapture(0, true);
        else if (button != ControllerKey::NONE)
            finishCapture(button, false);
    }
}

void OptionController::finishCapture(int value, bool aborted) {
    OptionScene* scene = scene_.get();
    KeyInputManager* keys = input();
    keys->endCapture();
    waitingForInput_ = false;
    if (aborted) {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
    } else {
        MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
        std::vector<int>& list = scene->isPadPage() ? scene->getPendingButtons() : scene->getPendingKeys();
        std::size_t index = static_cast<std::size_t>(scene->getRow() - 1);
        if (index < list.size()) list[index] = value;
    }
    scene->showPrompt(false);
    scene->refreshValues();
    keys->clearActions();
    waitingForRelease_ = true;
}

void OptionController::confirmDifficulty() {
    OptionScene* scene = scene_.get();
    switch (scene->getRow()) {
        case 1:
            MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
            DataManager::getInstance()->setDifficulty(scene->getDifficultyCursor());
            backToMenu();
            break;
        case 2:
            cancel();
            break;
        default:
            break;
    }
}

void OptionController::confirmReset() {
    OptionScene* scene = scene_.get();
    QuorinDialog* dialog = scene->getResetDialog();
    if (!dialog || dialog->getSelectedIndex() != 0) {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
        backToMenu();
        return;
    }
    MenuStyle::playSe(RESET_SOUND);
    DataManager* data = DataManager::getInstance();
    data->resetProgress();
    data->saveProgress();
    resetPlayerLoadout();
    setActive(false);
    SceneManager::getInstance()->changeScene(SceneId::TITLE, TransitionKind::FadeThroughBlack, nullptr,
                                             SceneParam());
}

void OptionController::cancel() {
    OptionScene* scene = scene_.get();
    MenuStyle::playSe(MenuStyle::BACK_SOUND);
    switch (scene->getPage()) {
        case OptionScene::MENU:
            leave();
            return;
        case OptionScene::LANGUAGE:
            if (StringsManager::getInstance()->getLanguage() != languageOnEntry_)
                applyLanguage(languageOnEntry_);
            chosenLanguage_ = languageOnEntry_;
            break;
        case OptionScene::SOUND: {
            NAudioManager* audio = NAudioManager::getInstance();
            audio->setBgmVolume(audio->getTrackVolume(), savedBgmVolume_);
            audio->setSeVolume(savedSeVolume_);
            editBgmVolume_ = savedBgmVolume_;
            editSeVolume_ = savedSeVolume_;
            scene->setEditVolumes(editBgmVolume_, editSeVolume_);
            break;
        }
        default:
            break;
    }
    backToMenu();
}

void OptionController::backToMenu() {
    if (OptionScene* scene = scene_.get()) scene->showPage(OptionScene::MENU);
}

void OptionController::leave() {
    OptionScene* scene = scene_.get();
    setActive(false);
    SceneId to = scene && scene->isOpenedFromTitle() ? SceneId::TITLE : SceneId::WORLD_MAP;
    SceneManager::getInstance()->changeScene(to, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
}

}  // namespace vastomer
