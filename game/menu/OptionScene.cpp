#include "game/menu/OptionScene.h"

#include <algorithm>
#include <cmath>

#include "engine/actions/MoveBy.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/app/ComfortSettings.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/MenuStyle.h"
#include "game/scenario/QuorinDialog.h"

namespace vastomer {

namespace {

using engine::Size;
using engine::Vec2;

const Vec2 MENU_TOP_LEFT(24.0f, 520.0f);
const Size MENU_SIZE(264.0f, 300.0f);
const Vec2 PAGE_TOP_LEFT(304.0f, 520.0f);
const Size PAGE_SIZE(632.0f, 496.0f);
constexpr float MENU_ROW_X = 56.0f;
constexpr float MENU_FIRST_FROM_TOP = 36.0f;
constexpr float MENU_SPACING = 34.0f;
constexpr float ROW_X = 56.0f;
constexpr float VALUE_X = 340.0f;
constexpr float FIRST_ROW_FROM_TOP = 100.0f;
constexpr float ROW_SPACING = 28.0f;
constexpr float TEXT_MARGIN = 24.0f;
constexpr float DESCRIPTION_Y = 110.0f;
constexpr float CURSOR_GAP = 22.0f;
constexpr float SMALL_FONT = 64.0f;
constexpr int DIALOG_Z = 100;
// A dialog's box is centred on x 480 of the dialog and its top is at y 346. The pages' dialogs are
// moved over the page window: centred on the screen they would cover the menu's rows, which show
// through their backs. The key prompt sits in the empty band above the controls page's first row.
const float PAGE_DIALOG_X = PAGE_TOP_LEFT.x + PAGE_SIZE.width / 2 - 480.0f;
const Vec2 PROMPT_OFFSET(PAGE_DIALOG_X, PAGE_TOP_LEFT.y - 4.0f - 346.0f);

const char* const DIFFICULTY_KEYS[] = {"OPTION_DIFFICULTY_EASY", "OPTION_DIFFICULTY_NORMAL",
                                       "OPTION_DIFFICULTY_HARDCORE"};
const char* const COMFORT_KEYS[OptionScene::COMFORT_ROWS] = {
    "OPTION_COMFORT_TEXTSPEED", "OPTION_COMFORT_SHAKE",      "OPTION_COMFORT_FOCUS",
    "OPTION_COMFORT_SCALING",   "OPTION_COMFORT_SCREENSHOT", "OPTION_MENU06"};

std::string onOff(bool on) {
    return MenuStyle::text(on ? "OPTION_COMFORT_ON" : "OPTION_COMFORT_OFF");
}

}  // namespace

OptionScene* OptionScene::create() {
    auto* scene = new OptionScene();
    if (scene->init()) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

bool OptionScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(28, 24, 44));
    // The night-sky dial of the hub behind the pages.
    if (engine::Sprite* sky = MenuStyle::picture(BACKDROP_FILE, 1.0f)) {
        sky->setPosition(WIDTH / 2, HEIGHT / 2);
        getContentLayer(1)->addChild(sky);
    }
    pendingKeys_.assign(KEY_BINDINGS, 0);
    pendingButtons_.assign(BUTTON_BINDINGS, 0);
    return true;
}

void OptionScene::handOver(NLayer* incoming) {
    NLayer::handOver(incoming);
}

void OptionScene::setupScene() {
    // The title opens the options as well as the hub: leaving returns to whichever it was.
    if (SceneManager* manager = SceneManager::peekInstance())
        if (manager->getPreviousSceneId() == static_cast<int>(SceneId::TITLE)) openedFromTitle_ = true;
    difficultyCursor_ = DataManager::getInstance()->getDifficulty();
    languageCursor_ = std::max(0, StringsManager::getInstance()->getLanguageIndex());
    reloadPendingBindings();
    rebuildAll();
}

void OptionScene::startScene() {
    KeyInputManager::getInstance()->clearActions();
}

void OptionScene::reloadPendingBindings() {
    KeyInputManager* input = KeyInputManager::getInstance();
    padPage_ = input->isGamepadMode();
    const auto& rows = KeyInputManager::bindingRows();
    for (int i = 0; i < KEY_BINDINGS; ++i)
        pendingKeys_[static_cast<std::size_t>(i)] = input->getKeyBinding(rows[static_cast<std::size_t>(i)]);
    for (int i = 0; i < BUTTON_BINDINGS; ++i)
        pendingButtons_[static_cast<std::size_t>(i)] =
            input->getButtonBinding(rows[static_cast<std::size_t>(i)]);
}

void OptionScene::rebuildAll() {
    if (menuWindow_) menuWindow_->removeFromParent();
    if (pageWindow_) pageWindow_->removeFromParent();
    if (cursor_) cursor_->removeFromParent();
    menuLabels_.clear();
    rowLabels_.clear();
    valueLabels_.clear();
    engine::Node* plane = getContentLayer(3);
    menuWindow_ = MenuStyle::window(MENU_SIZE);
    menuWindow_->setPosition(MENU_TOP_LEFT);
    plane->addChild(menuWindow_, 1);
    pageWindow_ = MenuStyle::window(PAGE_SIZE);
    pageWindow_->setPosition(PAGE_TOP_LEFT);
    plane->addChild(pageWindow_, 1);
    caption_ = MenuStyle::label("", SMALL_FONT);
    description_ = MenuStyle::label("", SMALL_FONT);
    for (engine::Label* text : {caption_, description_}) {
        if (!text) continue;
        text->setAnchorPoint(Vec2(0.0f, 1.0f));
        text->setHorizontalAlignment(engine::TextHAlignment::LEFT);
        text->setMaxLineWidth((PAGE_SIZE.width - 2 * TEXT_MARGIN) / MenuStyle::LABEL_SCALE);
        MenuStyle::setColour(text, engine::Color3B(220, 210, 190), engine::Color3B(220, 210, 190));
        pageWindow_->addChild(text);
    }
    if (caption_) caption_->setPosition(TEXT_MARGIN, PAGE_SIZE.height - TEXT_MARGIN);
    if (description_) description_->setPosition(TEXT_MARGIN, DESCRIPTION_Y);
    cursor_ = MenuStyle::picture(MenuStyle::CURSOR_FILE);
    if (cursor_) {
        plane->addChild(cursor_, 10);
        cursor_->runAction(engine::RepeatForever::create(
            engine::Sequence::create({engine::MoveBy::create(0.3f, Vec2(-8.0f, 0.0f)),
                                      engine::MoveBy::create(0.5f, Vec2(8.0f, 0.0f))})));
    }
    buildMenu();
    buildPage();
    placeCursor();
}

void OptionScene::buildMenu() {
    for (int i = 0; i < MENU_ROWS; ++i) {
        std::string key = i == COMFORT - 1
                              ? "OPTION_MENU_COMFORT"
                              : "OPTION_MENU" + MenuStyle::padded(i < COMFORT - 1 ? i + 1 : 6, 2);
        engine::Label* label = MenuStyle::label(MenuStyle::text(key));
        if (!label) continue;
        label->setPosition(MENU_ROW_X,
                           MENU_SIZE.height - MENU_FIRST_FROM_TOP - MENU_SPACING * static_cast<float>(i));
        menuWindow_->addChild(label);
        menuLabels_.push_back(label);
    }
}

int OptionScene::pageOfRow(int row) {
    return row >= 0 && row < BACK_ROW ? row + 1 : MENU;
}

void OptionScene::showPage(int page) {
    if (page == page_ && !rebuildRequested_) return;
    rebuildRequested_ = false;
    previousPage_ = page_;
    page_ = page;
    row_ = 0;
    if (page == MENU) {
        if (previousPage_ != MENU) row_ = previousPage_ - 1;
        if (resetDialog_) {
            resetDialog_->removeFromParent();
            resetDialog_ = nullptr;
        }
    } else if (page == LANGUAGE) {
        languageCursor_ = std::max(0, StringsManager::getInstance()->getLanguageIndex());
    } else if (page == RESET) {
        resetDialog_ = QuorinDialog::create();
        if (resetDialog_) {
            resetDialog_->setup(true, MenuStyle::withLineBreaks(MenuStyle::text("OPTION_RESET_DIR")),
                                {MenuStyle::text("OPTION_RESET_YES"), MenuStyle::text("OPTION_RESET_NO")});
            resetDialog_->setPosition(Vec2(PAGE_DIALOG_X, 0.0f));
            getContentLayer(3)->addChild(resetDialog_, DIALOG_Z);
            QuorinDialog* dialog = resetDialog_;
            // "No" comes first under the cursor: a stray OK never wipes the progress.
            resetDialog_->open([this, dialog]() {
                if (resetDialog_ == dialog) dialog->select(row_);
            });
            row_ = 1;
        }
    }
    if (page != MENU) menuRow_ = page - 1;
    buildPage();
    placeCursor();
}

int OptionScene::lastRow() const {
    switch (page_) {
        case MENU:
            return MENU_ROWS - 1;
        case LANGUAGE:
        case DIFFICULTY:
            return 2;
        case SOUND:
            return 3;
        case CONTROLS:
            return padPage_ ? BUTTON_BINDINGS + 2 : KEY_BINDINGS + 2;
        case RESET:
            return 1;
        case COMFORT:
            return COMFORT_ROWS - 1;
        default:
            return 0;
    }
}

void OptionScene::clearPage() {
    for (engine::Label* label : rowLabels_)
        label->removeFromParent();
    for (engine::Label* label : valueLabels_)
        label->removeFromParent();
    rowLabels_.clear();
    valueLabels_.clear();
    if (caption_) caption_->setString("");
    if (description_) description_->setString("");
}

void OptionScene::addRow(int index, const std::string& name, const std::string& value) {
    float y = PAGE_SIZE.height - FIRST_ROW_FROM_TOP - ROW_SPACING * static_cast<float>(index);
    engine::Label* label = MenuStyle::label(name);
    engine::Label* valueLabel = MenuStyle::label(value);
    if (!label || !valueLabel) return;
    label->setPosition(ROW_X, y);
    valueLabel->setPosition(VALUE_X, y);
    pageWindow_->addChild(label);
    pageWindow_->addChild(valueLabel);
    rowLabels_.push_back(label);
    valueLabels_.push_back(valueLabel);
}

void OptionScene::setDescription(const std::string& text) {
    if (description_) description_->setString(MenuStyle::withLineBreaks(text));
}

void OptionScene::buildPage() {
    clearPage();
    // On the main menu the highlighted row's page shows as a preview.
    int shown = page_ == MENU ? pageOfRow(row_) : page_;
    if (page_ == MENU) {
        menuRow_ = row_;
        if (shown == CONTROLS) reloadPendingBindings();
        if (shown == DIFFICULTY) difficultyCursor_ = DataManager::getInstance()->getDifficulty();
        if (shown == LANGUAGE)
            languageCursor_ = std::max(0, StringsManager::getInstance()->getLanguageIndex());
    }
    switch (shown) {
        case LANGUAGE:
            buildLanguage();
            break;
        case SOUND:
            if (page_ == MENU) {
                NAudioManager* audio = NAudioManager::getInstance();
                setEditVolumes(audio->getBgmVolume(), audio->getSeVolume());
            }
            buildSound();
            break;
        case CONTROLS:
            buildControls();
            break;
        case DIFFICULTY:
            buildDifficulty();
            break;
        case RESET:
            buildReset();
            break;
        case COMFORT:
            buildComfort();
            break;
        default:
            break;
    }
    colourRows();
}

void OptionScene::buildLanguage() {
    StringsManager* strings = StringsManager::getInstance();
    if (caption_) caption_->setString(MenuStyle::withLineBreaks(MenuStyle::text("OPTION_MENU_LANG_CAPTION")));
    addRow(0, MenuStyle::text("OPTION_MENU01"),
           "< " + MenuStyle::text("OPTION_MENU_LANG_NAME_" + strings->getLanguageAt(languageCursor_)) + " >");
    addRow(1, MenuStyle::text("OPTION_MENU_OK"), "");
    addRow(2, MenuStyle::text("OPTION_MENU_CANCEL"), "");
    setDescription(MenuStyle::text("OPTION_MENU_DESC"));
}

std::string OptionScene::percentText(float volume) {
    return std::to_string(static_cast<int>(std::lround(volume * 100.0f))) + "%";
}

void OptionScene::buildSound() {
    if (caption_) caption_->setString(MenuStyle::withLineBreaks(MenuStyle::text("OPTION_SOUND_CAPTION")));
    addRow(0, MenuStyle::text("OPTION_SOUND_BGM"), "< " + percentText(editBgm_) + " >");
    addRow(1, MenuStyle::text("OPTION_SOUND_SE"), "< " + percentText(editSe_) + " >");
    addRow(2, MenuStyle::text("OPTION_MENU_OK"), "");
    addRow(3, MenuStyle::text("OPTION_MENU_CANCEL"), "");
}

void OptionScene::buildControls() {
    KeyInputManager* input = KeyInputManager::getInstance();
    addRow(0, MenuStyle::text("OPTION_CONTROL_MODE"),
           "< " + MenuStyle::text(padPage_ ? "OPTION_CONTROL_MODE_PAD" : "OPTION_CONTROL_MODE_KEY") + " >");
    int count = padPage_ ? BUTTON_BINDINGS : KEY_BINDINGS;
    for (int i = 0; i < count; ++i) {
        std::string name = padPage_
                               ? KeyInputManager::buttonName(pendingButtons_[static_cast<std::size_t>(i)])
                               : KeyInputManager::keyName(pendingKeys_[static_cast<std::size_t>(i)]);
        addRow(i + 1, MenuStyle::text("OPTION_CONTROL_" + MenuStyle::padded(i + 1, 2)),
               name.empty() ? "-" : name);
    }
    addRow(count + 1, MenuStyle::text("OPTION_CONTROL_12"), "");
    addRow(count + 2, MenuStyle::text("OPTION_CONTROL_13"), "");
    if (padPage_ && caption_ && !input->isJoystickConnected() && !input->isJoystickPresent())
        caption_->setString(MenuStyle::text("OPTION_CONTROL_DEACTIVE"));
}

void OptionScene::buildDifficulty() {
    int cursor = std::clamp(difficultyCursor_, 0, 2);
    if (caption_)
        caption_->setString(MenuStyle::withLineBreaks(MenuStyle::text("OPTION_DIFFICULTY_CAPTION")));
    addRow(0, MenuStyle::text("OPTION_MENU04"), "< " + MenuStyle::text(DIFFICULTY_KEYS[cursor]) + " >");
    addRow(1, MenuStyle::text("OPTION_MENU_OK"), "");
    addRow(2, MenuStyle::text("OPTION_MENU_CANCEL"), "");
    setDescription(MenuStyle::text(std::string(DIFFICULTY_KEYS[cursor]) + "_DESC"));
}

void OptionScene::buildReset() {
    if (caption_) caption_->setString(MenuStyle::text("OPTION_RESET_CAPTION"));
    setDescription(MenuStyle::text("OPTION_RESET_DIR"));
}

std::string OptionScene::comfortValue(int row) const {
    switch (row) {
        case 0: {
            static const char* const speeds[] = {"OPTION_COMFORT_TEXTSPEED_SLOW",
                                                 "OPTION_COMFORT_TEXTSPEED_NORMAL",
                                                 "OPTION_COMFORT_TEXTSPEED_INSTANT"};
            return MenuStyle::text(speeds[static_cast<int>(ComfortSettings::getTextSpeed())]);
        }
        case 1:
            return MenuStyle::text(ComfortSettings::isShakeFlashReduced() ? "OPTION_COMFORT_REDUCED"
                                                                          : "OPTION_COMFORT_FULL");
        case 2:
            return onOff(ComfortSettings::isPauseOnFocusLoss());
        case 3:
            return MenuStyle::text(ComfortSettings::isIntegerScaling() ? "OPTION_COMFORT_SCALING_INTEGER"
                                                                       : "OPTION_COMFORT_SCALING_FIT");
        case 4:
            return onOff(ComfortSettings::isScreenshotKeyEnabled());
        default:
            return "";
    }
}

void OptionScene::buildComfort() {
    if (caption_) caption_->setString(MenuStyle::withLineBreaks(MenuStyle::text("OPTION_COMFORT_CAPTION")));
    for (int row = 0; row < COMFORT_ROWS; ++row) {
        std::string value = comfortValue(row);
        addRow(row, MenuStyle::text(COMFORT_KEYS[row]), value.empty() ? "" : "< " + value + " >");
    }
    int described = page_ == COMFORT ? row_ : 0;
    if (described < COMFORT_BACK_ROW)
        setDescription(MenuStyle::text(std::string(COMFORT_KEYS[described]) + "_DESC"));
}

void OptionScene::refreshValues() {
    buildPage();
    placeCursor();
}

void OptionScene::colourRows() {
    for (std::size_t i = 0; i < menuLabels_.size(); ++i) {
        bool lit = static_cast<int>(i) == menuRow_;
        if (lit)
            MenuStyle::setWhite(menuLabels_[i]);
        else
            MenuStyle::setGrey(menuLabels_[i]);
    }
    for (std::size_t i = 0; i < rowLabels_.size(); ++i) {
        bool lit = page_ != MENU && static_cast<int>(i) == row_;
        for (engine::Label* label : {rowLabels_[i], valueLabels_[i]}) {
            if (lit)
                MenuStyle::setWhite(label);
            else
                MenuStyle::setGrey(label);
        }
    }
}

void OptionScene::placeCursor() {
    colourRows();
    if (!cursor_) return;
    engine::Label* beside = nullptr;
    engine::Node* window = nullptr;
    if (page_ == MENU) {
        if (row_ >= 0 && row_ < static_cast<int>(menuLabels_.size()))
            beside = menuLabels_[static_cast<std::size_t>(row_)];
        window = menuWindow_;
    } else if (page_ != RESET && row_ >= 0 && row_ < static_cast<int>(rowLabels_.size())) {
        beside = rowLabels_[static_cast<std::size_t>(row_)];
        window = pageWindow_;
    }
    cursor_->setVisible(beside != nullptr && !promptShown_);
    if (!beside) return;
    Vec2 origin = window->getPosition() - Vec2(0.0f, window->getContentSize().height);
    cursor_->stopAllActions();
    cursor_->setPosition(origin + beside->getPosition() - Vec2(CURSOR_GAP, 0.0f));
    cursor_->runAction(engine::RepeatForever::create(engine::Sequence::create(
        {engine::MoveBy::create(0.3f, Vec2(-8.0f, 0.0f)), engine::MoveBy::create(0.5f, Vec2(8.0f, 0.0f))})));
}

void OptionScene::showPrompt(bool shown) {
    promptShown_ = shown;
    if (shown) {
        if (!prompt_) {
            prompt_ = QuorinDialog::create();
            if (prompt_) {
                prompt_->setPosition(PROMPT_OFFSET);
                getContentLayer(3)->addChild(prompt_, DIALOG_Z);
            }
        }
        if (prompt_) {
            prompt_->setup(false, MenuStyle::withLineBreaks(MenuStyle::text("OPTION_CONTROL_KEY_CAPTION")),
                           {});
            prompt_->open(nullptr);
        }
    } else if (prompt_) {
        prompt_->close(nullptr);
    }
    placeCursor();
}

std::vector<std::string> OptionScene::getRowTexts() const {
    std::vector<std::string> texts;
    for (engine::Label* label : rowLabels_)
        texts.push_back(label->getString());
    return texts;
}

std::vector<std::string> OptionScene::getValueTexts() const {
    std::vector<std::string> texts;
    for (engine::Label* label : valueLabels_)
        texts.push_back(label->getString());
    return texts;
}

std::string OptionScene::getCaptionText() const {
    return caption_ ? caption_->getString() : std::string();
}

}  // namespace vastomer
