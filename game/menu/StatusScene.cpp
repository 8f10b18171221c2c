#include "game/menu/StatusScene.h"

#include <algorithm>

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/Sequence.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/character/ActionMap.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/menu/MenuStyle.h"
#include "game/play/LustGauge.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NSpriteAnimationManager.h"
#include "game/scenario/QuorinDialog.h"

namespace vastomer {

namespace {

using engine::Color3B;
using engine::Size;
using engine::Vec2;

// The room's map is exactly the screen at scale 2: placed at the origin it leaves no edge uncovered.
const Vec2 MAP_POSITION(0.0f, 0.0f);
constexpr float MAP_SCALE = 2.0f;
const Vec2 FIGURE_POSITION(544.0f, 176.0f);  // on the room's floor
constexpr int FIGURE_Z = 10;
constexpr int COVER_Z = 9999;
constexpr int DIALOG_Z = 9999;
// The meditation question goes to the lower left, over the room, under the menu: centred on the
// screen its box would lie over the status window's captions, which show through its back. (A
// dialog's box is centred on x 480 of the dialog and its top is at y 346.)
const Vec2 MEDITATION_DIALOG_OFFSET(290.0f - 480.0f, 170.0f - 346.0f);
constexpr int CURSOR_Z = 50;
const Vec2 MENU_TOP_LEFT(40.0f, 500.0f);
const Size MENU_SIZE(232.0f, 300.0f);
const Vec2 LIST_TOP_LEFT(40.0f, 300.0f);
const Size LIST_SIZE(288.0f, 300.0f);
const Vec2 STATUS_TOP_LEFT(604.0f, 524.0f);
const Size STATUS_SIZE(336.0f, 496.0f);
constexpr float MENU_LABEL_X = 100.0f;
constexpr float MENU_FIRST_Y = 472.0f;
constexpr float MENU_SPACING = 32.0f;
constexpr float LIST_LABEL_X = 100.0f;
constexpr float LIST_FIRST_Y = 268.0f;
constexpr float LIST_SPACING = 28.0f;
constexpr float CURSOR_X = 72.0f;
const Vec2 CURSOR_AWAY(-200.0f, -200.0f);
constexpr float MARKER_X = 120.0f;
constexpr float DESCRIPTION_WIDTH = 300.0f;
constexpr int LAST_ROW = StatusScene::VISIBLE_ROWS - 1;
constexpr const char* ACCEPT_SOUND = "audio/se/power21.mp3";

std::string iconFile(int weaponId) {
    return "wi_" + MenuStyle::padded(weaponId, 2) + "_00.png";
}

std::string nameKey(int page, int id) {
    return std::string(page == StatusScene::WEAR_LIST ? "WEAR_NAME_" : "WEAPON_NAME_") +
           MenuStyle::padded(id, 4);
}

int wrap(int value, int count) {
    return ((value % count) + count) % count;
}

void setIcon(engine::Sprite* icon, int weaponId) {
    if (!icon) return;
    engine::Texture2D* texture =
        engine::Director::getInstance()->getTextureCache()->addImage(iconFile(weaponId));
    if (!texture) return;
    texture->setAliasTexParameters();
    icon->setTexture(texture);
    icon->setTextureRect(
        engine::Rect(0.0f, 0.0f, texture->getContentSize().width, texture->getContentSize().height));
}

}  // namespace

StatusScene* StatusScene::create() {
    auto* scene = new StatusScene();
    if (scene->init()) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

bool StatusScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(Color3B(20, 20, 20));
    DataManager* data = DataManager::getInstance();
    // Full Resolve earns the Moonlit Gown, here as on the hub.
    if (data->getLp() == DataManager::kLpMax && !data->hasWear(FULL_RESOLVE_WEAR))
        data->addWear(FULL_RESOLVE_WEAR);
    return true;
}

engine::Label* StatusScene::addValue(const Vec2& position, float fontSize) {
    engine::Label* label = MenuStyle::label("", fontSize);
    if (!label) return nullptr;
    label->setPosition(position);
    MenuStyle::setWhite(label);
    statusWindow_->addChild(label);
    return label;
}

void StatusScene::setupScene() {
    DataManager* data = DataManager::getInstance();
    actionMap_ = ActionMap::create();
    actionMap_->setScale(MAP_SCALE);
    actionMap_->setPosition(MAP_POSITION);
    actionMap_->loadMap(MAP_FILE);
    getContentLayer(2)->addChild(actionMap_);

    figure_ = CompositeAnimation::create();
    figure_->setScale(2.0f);
    figure_->setPosition(FIGURE_POSITION);
    addChild(figure_, FIGURE_Z);

    engine::Node* plane = getContentLayer(3);
    messageWindow_ = MessageWindow::create();
    if (messageWindow_) plane->addChild(messageWindow_, 1);
    cover_ = engine::Sprite::create();
    cover_->setTextureRect(engine::Rect(0.0f, 0.0f, WIDTH, HEIGHT));
    cover_->setColor(Color3B(0, 0, 0));
    cover_->setOpacity(0);
    cover_->setPosition(WIDTH / 2, HEIGHT / 2);
    plane->addChild(cover_, COVER_Z);

    menuWindow_ = MenuStyle::window(MENU_SIZE);
    menuWindow_->setPosition(MENU_TOP_LEFT);
    plane->addChild(menuWindow_, 2);
    for (int i = 0; i < MENU_ITEMS; ++i) {
        engine::Label* label = MenuStyle::label(MenuStyle::text("STATUS_MENU" + MenuStyle::padded(i + 1, 2)));
        if (!label) continue;
        label->setPosition(MENU_LABEL_X, MENU_FIRST_Y - MENU_SPACING * static_cast<float>(i));
        plane->addChild(label, 3);
        menuLabels_.push_back(label);
    }

    listWindow_ = MenuStyle::window(LIST_SIZE);
    listWindow_->setPosition(LIST_TOP_LEFT);
    listWindow_->setOpacity(0);
    plane->addChild(listWindow_, 4);
    for (float y : {LIST_SIZE.height - 10.0f, 10.0f}) {
        if (engine::Sprite* marker = MenuStyle::picture(MenuStyle::MARKER_FILE)) {
            marker->setPosition(MARKER_X, y);
            listWindow_->addChild(marker, 2);
        }
    }

    buildStatusWindow();

    cursorSprite_ = MenuStyle::picture(MenuStyle::CURSOR_FILE);
    if (cursorSprite_) plane->addChild(cursorSprite_, CURSOR_Z);

    showGrappleWeapon(data->getEquippedWeapon1(), true);
    showShotWeapon(data->getEquippedWeapon2(), true);
    showWear(data->getEquippedWear(), true);
}

void StatusScene::buildStatusWindow() {
    DataManager* data = DataManager::getInstance();
    statusWindow_ = MenuStyle::window(STATUS_SIZE);
    statusWindow_->setPosition(STATUS_TOP_LEFT);
    getContentLayer(3)->addChild(statusWindow_, 2);
    const float top = STATUS_SIZE.height;
    auto caption = [this](const std::string& key, const Vec2& position) {
        if (engine::Label* label = MenuStyle::label(MenuStyle::text(key))) {
            label->setPosition(position);
            statusWindow_->addChild(label);
        }
    };
    caption("STATUS_LABEL01", Vec2(20.0f, top - 30.0f));
    hpLabel_ = addValue(Vec2(150.0f, top - 30.0f));
    caption("STATUS_LABEL02", Vec2(20.0f, top - 60.0f));
    spLabel_ = addValue(Vec2(150.0f, top - 60.0f));
    caption("STATUS_LABEL03", Vec2(20.0f, top - 92.0f));
    lpGauge_ = LustGauge::create();
    if (lpGauge_) {
        lpGauge_->setAnchorPoint(Vec2(0.0f, 0.5f));
        lpGauge_->setPosition(150.0f, top - 92.0f);
        lpGauge_->setScale(0.8f);
        lpGauge_->setValue(data->getLp());
        statusWindow_->addChild(lpGauge_);
    }

    grappleIcon_ = MenuStyle::picture(iconFile(data->getEquippedWeapon1()), 1.0f);
    if (grappleIcon_) {
        grappleIcon_->setPosition(36.0f, top - 136.0f);
        statusWindow_->addChild(grappleIcon_);
    }
    grappleName_ = addValue(Vec2(62.0f, top - 136.0f));
    caption("STATUS_LABEL04", Vec2(40.0f, top - 168.0f));
    grapplePower_ = addValue(Vec2(220.0f, top - 168.0f));
    caption("STATUS_LABEL05", Vec2(40.0f, top - 196.0f));
    grappleInterval_ = addValue(Vec2(220.0f, top - 196.0f));

    shotIcon_ = MenuStyle::picture(iconFile(data->getEquippedWeapon2()), 1.0f);
    if (shotIcon_) {
        shotIcon_->setPosition(36.0f, top - 240.0f);
        statusWindow_->addChild(shotIcon_);
    }
    shotName_ = addValue(Vec2(62.0f, top - 240.0f));
    caption("STATUS_LABEL04", Vec2(40.0f, top - 272.0f));
    shotPower_ = addValue(Vec2(220.0f, top - 272.0f));
    caption("STATUS_LABEL06", Vec2(40.0f, top - 300.0f));
    shotInterval_ = addValue(Vec2(220.0f, top - 300.0f));
    caption("STATUS_LABEL07", Vec2(40.0f, top - 328.0f));
    magazine_ = addValue(Vec2(220.0f, top - 328.0f));

    wearName_ = addValue(Vec2(20.0f, top - 374.0f));
    wearDescription_ = addValue(Vec2(20.0f, top - 398.0f), 64.0f);
    if (wearDescription_) {
        wearDescription_->setAnchorPoint(Vec2(0.0f, 1.0f));
        wearDescription_->setMaxLineWidth(DESCRIPTION_WIDTH / MenuStyle::LABEL_SCALE);
        wearDescription_->setHorizontalAlignment(engine::TextHAlignment::LEFT);
        MenuStyle::setGrey(wearDescription_);
    }
    if (spLabel_) spLabel_->setString(spPercentText(data->getSp(), DataManager::kSpMax));
}

void StatusScene::startScene() {
    resetMenu();
}

std::string StatusScene::spPercentText(int sp, int spMax) {
    if (spMax <= 0) return "0%";
    // Multiplied first, so that the gauge reads in whole per cents rather than 0 % until full.
    long long percent = static_cast<long long>(sp) * 100 / spMax;
    return std::to_string(percent) + "%";
}

void StatusScene::rankColours(const std::string& key, Color3B& text, Color3B& outline) {
    if (key == "STATUS_WEAPON_S") {
        text = Color3B(255, 200, 150);
        outline = Color3B(255, 255, 150);
    } else if (key == "STATUS_WEAPON_A") {
        text = outline = Color3B(255, 150, 150);
    } else if (key == "STATUS_WEAPON_B") {
        text = outline = Color3B(255, 50, 150);
    } else if (key == "STATUS_WEAPON_C") {
        text = outline = Color3B::WHITE;
    } else if (key == "STATUS_WEAPON_D") {
        text = outline = Color3B(50, 50, 255);
    } else if (key == "STATUS_WEAPON_E") {
        text = outline = Color3B(150, 150, 255);
    } else {
        text = outline = Color3B::BLACK;
    }
}

void StatusScene::setRank(engine::Label* label, const std::string& key) {
    if (!label) return;
    label->setString(key.empty() ? "" : MenuStyle::text(key));
    // The letter keeps the colour of its rank also while another weapon is browsed.
    Color3B text, outline;
    rankColours(key, text, outline);
    MenuStyle::setColour(label, text, outline);
}

void StatusScene::holdInput(float seconds) {
    busy_ = true;
    runAction(engine::Sequence::create(
        {engine::DelayTime::create(seconds), engine::CallFunc::create([this]() { busy_ = false; })}));
}

std::vector<int> StatusScene::itemsOf(int page) {
    DataManager* data = DataManager::getInstance();
    std::vector<int> items;
    if (page == WEAR_LIST) return data->getOwnedWear();
    if (page != GRAPPLE_LIST && page != SHOT_LIST) return items;
    for (int id : data->getOwnedWeapons()) {
        WeaponMaster weapon = data->getWeaponMaster(id);
        if (weapon.id < 0) continue;
        if (weapon.hasBullet == (page == SHOT_LIST)) items.push_back(id);
    }
    return items;
}

int StatusScene::equippedItemOf(int page) {
    DataManager* data = DataManager::getInstance();
    switch (page) {
        case GRAPPLE_LIST:
            return data->getEquippedWeapon1();
        case SHOT_LIST:
            return data->getEquippedWeapon2();
        case WEAR_LIST:
            return data->getEquippedWear();
        default:
            return -1;
    }
}

void StatusScene::buildList(int first) {
    for (engine::Label* label : listLabels_)
        label->removeFromParent();
    listLabels_.clear();
    shownCount_ = 0;
    listItems_ = itemsOf(page_);
    listCount_ = static_cast<int>(listItems_.size());
    listFirst_ = std::max(0, std::min(first, listCount_ - VISIBLE_ROWS));
    // Every list scrolls the same way: eight rows at a time, from `first`.
    for (int k = listFirst_; k < listCount_ && shownCount_ < VISIBLE_ROWS; ++k) {
        int id = listItems_[static_cast<std::size_t>(k)];
        engine::Label* label = MenuStyle::label(MenuStyle::text(nameKey(page_, id)));
        if (!label) continue;
        label->setTag(id);
        label->setPosition(LIST_LABEL_X, LIST_FIRST_Y - LIST_SPACING * static_cast<float>(shownCount_));
        getContentLayer(3)->addChild(label, 5);
        listLabels_.push_back(label);
        ++shownCount_;
    }
}

void StatusScene::colourList(int highlighted) {
    int equipped = equippedItemOf(page_);
    for (int n = 0; n < static_cast<int>(listLabels_.size()); ++n) {
        engine::Label* label = listLabels_[static_cast<std::size_t>(n)];
        if (label->getTag() == equipped)
            MenuStyle::setEquipped(label);
        else if (n == highlighted)
            MenuStyle::setWhite(label);
        else
            MenuStyle::setGrey(label);
    }
}

int StatusScene::selectedItemId() const {
    if (page_ < GRAPPLE_LIST || page_ > WEAR_LIST || listLabels_.empty()) return -1;
    int row = cursor_ < LAST_ROW ? cursor_ : LAST_ROW;
    row = std::min(row, static_cast<int>(listLabels_.size()) - 1);
    return listLabels_[static_cast<std::size_t>(row)]->getTag();
}

void StatusScene::setCursor(int index) {
    busy_ = true;
    cursor_ = index;
    if (page_ == MENU) {
        if (cursorSprite_)
            cursorSprite_->setPosition(CURSOR_X, MENU_FIRST_Y - MENU_SPACING * static_cast<float>(index));
        for (int i = 0; i < static_cast<int>(menuLabels_.size()); ++i) {
            if (i == index)
                MenuStyle::setWhite(menuLabels_[static_cast<std::size_t>(i)]);
            else
                MenuStyle::setGrey(menuLabels_[static_cast<std::size_t>(i)]);
        }
    } else if (page_ == MEDITATION) {
        if (cursorSprite_) cursorSprite_->setPosition(CURSOR_AWAY);
        if (meditationDialog_) meditationDialog_->select(index);
    } else {
        int row = index < LAST_ROW ? index : LAST_ROW;
        buildList(index < LAST_ROW ? 0 : index - LAST_ROW);
        row = std::min(row, shownCount_ - 1);
        if (cursorSprite_)
            cursorSprite_->setPosition(CURSOR_X,
                                       LIST_FIRST_Y - LIST_SPACING * static_cast<float>(std::max(row, 0)));
        colourList(row);
        int id = selectedItemId();
        if (id >= 0) {
            if (page_ == GRAPPLE_LIST) showGrappleWeapon(id, true);
            if (page_ == SHOT_LIST) showShotWeapon(id, true);
            if (page_ == WEAR_LIST) showWear(id, true);
        }
    }
    holdInput(CURSOR_PAUSE);
}

void StatusScene::cursorNext() {
    if (page_ == MENU) {
        setCursor(wrap(cursor_ + 1, MENU_ITEMS));
    } else if (page_ == MEDITATION) {
        int choices = meditationDialog_ ? meditationDialog_->getChoiceCount() : 0;
        if (choices > 0) setCursor(wrap(cursor_ + 1, choices));
    } else if (listCount_ > 0) {
        // An empty list has no row to move to.
        setCursor(wrap(cursor_ + 1, listCount_));
    }
}

void StatusScene::cursorPrev() {
    if (page_ == MENU) {
        setCursor(wrap(cursor_ - 1, MENU_ITEMS));
    } else if (page_ == MEDITATION) {
        int choices = meditationDialog_ ? meditationDialog_->getChoiceCount() : 0;
        if (choices > 0) setCursor(wrap(cursor_ - 1, choices));
    } else if (listCount_ > 0) {
        setCursor(wrap(cursor_ - 1, listCount_));
    }
}

void StatusScene::setPage(int page) {
    int old = page_;
    page_ = page;
    if (old == page) {
        setCursor(0);
        return;
    }
    switch (old) {
        case MEDITATION:
            setCursor(3);
            break;
        case GRAPPLE_LIST:
        case SHOT_LIST:
        case WEAR_LIST:
            if (listWindowOpen_) closeListWindow();
            setCursor(old - GRAPPLE_LIST);
            break;
        case MENU:
            if (page >= GRAPPLE_LIST && page <= WEAR_LIST && !listWindowOpen_) openListWindow();
            break;
        default:
            break;
    }
}

void StatusScene::openListWindow() {
    buildList(0);
    setCursor(0);
    busy_ = true;
    listWindowOpen_ = true;
    listWindow_->stopAllActions();
    listWindow_->runAction(engine::Sequence::create(
        {engine::FadeTo::create(LIST_FADE, 255), engine::CallFunc::create([this]() { setCursor(0); })}));
}

void StatusScene::closeListWindow() {
    listWindowOpen_ = false;
    DataManager* data = DataManager::getInstance();
    for (engine::Label* label : listLabels_)
        label->removeFromParent();
    listLabels_.clear();
    shownCount_ = 0;
    showGrappleWeapon(data->getEquippedWeapon1(), false);
    showShotWeapon(data->getEquippedWeapon2(), false);
    showWear(data->getEquippedWear(), false);
    listWindow_->stopAllActions();
    listWindow_->runAction(engine::FadeTo::create(LIST_FADE, 0));
    holdInput(LIST_FADE);
}

void StatusScene::showGrappleWeapon(int id, bool previewOnly) {
    DataManager* data = DataManager::getInstance();
    if (data->getWeaponMaster(id).id < 0) return;
    setIcon(grappleIcon_, id);
    if (grappleName_) grappleName_->setString(MenuStyle::text(nameKey(GRAPPLE_LIST, id)));
    setRank(grapplePower_, data->weaponPowerRankKey(id));
    setRank(grappleInterval_, data->weaponIntervalRankKey(id));
    if (previewOnly) return;
    data->setEquippedWeapon1(id);
    if (PlayerCharacter* player = data->getPlayerCharacter()) {
        player->setGrappleWeaponId(id);
        player->reset();
    }
}

void StatusScene::showShotWeapon(int id, bool previewOnly) {
    DataManager* data = DataManager::getInstance();
    WeaponMaster weapon = data->getWeaponMaster(id);
    if (weapon.id < 0) return;
    setIcon(shotIcon_, id);
    if (shotName_) shotName_->setString(MenuStyle::text(nameKey(SHOT_LIST, id)));
    setRank(shotPower_, data->weaponPowerRankKey(id));
    setRank(shotInterval_, data->weaponIntervalRankKey(id));
    if (magazine_) magazine_->setString(std::to_string(weapon.magazineSize));
    if (previewOnly) return;
    data->setEquippedWeapon2(id);
    if (PlayerCharacter* player = data->getPlayerCharacter()) {
        player->setShotWeaponId(id);
        player->reset();
    }
}

void StatusScene::showWear(int id, bool previewOnly) {
    DataManager* data = DataManager::getInstance();
    WearMaster wear = data->getWearMaster(id);
    if (wear.id < 0) return;
    if (figure_) {
        figure_->setLocked(false);
        figure_->load(NSpriteAnimationManager::getInstance()->getCharacterAnimationFile(0, 1, id));
        figure_->play(nullptr, true);
    }
    if (hpLabel_) hpLabel_->setString(std::to_string(data->getCharacterMaster(0).hp + wear.hpBonus));
    if (wearName_) wearName_->setString(MenuStyle::text(nameKey(WEAR_LIST, id)));
    if (wearDescription_)
        wearDescription_->setString(
            MenuStyle::withLineBreaks(MenuStyle::text("WEAR_STATUS_DESC_A_" + MenuStyle::padded(id, 4))));
    if (previewOnly) return;
    data->setEquippedWear(id);
    if (PlayerCharacter* player = data->getPlayerCharacter()) {
        player->setAnimationVariant(id);
        player->reset();
    }
}

void StatusScene::openMeditationDialog(std::function<void()> done) {
    if (meditationDialog_) meditationDialog_->removeFromParent();
    meditationDialog_ = QuorinDialog::create();
    if (!meditationDialog_) {
        if (done) done();
        return;
    }
    meditationDialog_->setup(
        true,
        MenuStyle::text("STATUS_MEDITATION_CONFIRM_A") + "\n" +
            MenuStyle::text("STATUS_MEDITATION_CONFIRM_B"),
        {MenuStyle::text("STATUS_MEDITATION_ACCEPT"), MenuStyle::text("STATUS_MEDITATION_CANCEL")});
    meditationDialog_->setPosition(MEDITATION_DIALOG_OFFSET);
    getContentLayer(3)->addChild(meditationDialog_, DIALOG_Z);
    busy_ = true;
    meditationDialog_->open([this, done = std::move(done)]() {
        meditationDialog_->select(0);
        cursor_ = 0;
        busy_ = false;
        if (done) done();
    });
}

void StatusScene::closeMeditationDialog(std::function<void()> done) {
    if (!meditationDialog_) {
        if (done) done();
        return;
    }
    busy_ = true;
    meditationDialog_->close([this, done = std::move(done)]() {
        busy_ = false;
        if (done) done();
    });
}

int StatusScene::dialogChoice() const {
    return meditationDialog_ ? meditationDialog_->getSelectedIndex() : -1;
}

void StatusScene::meditate() {
    MenuStyle::playSe(ACCEPT_SOUND);
    closeMeditationDialog(nullptr);
    setPage(MENU);
    if (lpGauge_) lpGauge_->setValue(0);
    DataManager::getInstance()->setLp(0);
}

}  // namespace vastomer
