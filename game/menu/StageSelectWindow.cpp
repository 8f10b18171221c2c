#include "game/menu/StageSelectWindow.h"

#include <algorithm>

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveTo.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "engine/scene/Scale9Sprite.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"
#include "game/play/LustGauge.h"
#include "game/play/RectGauge.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

constexpr int NAME_TAG = 7501;
constexpr int DESCRIPTION_TAG = 7502;
constexpr float WIDTH = 960.0f;
constexpr float HEIGHT = 540.0f;
// The window's box, in screen points: right of the hub's menu panel.
constexpr float BOX_LEFT = 340.0f;
constexpr float BOX_BOTTOM = 84.0f;
constexpr float BOX_WIDTH = 596.0f;
constexpr float BOX_HEIGHT = 424.0f;
const engine::Vec2 NAME_POSITION(BOX_LEFT + 300.0f, 452.0f);
const engine::Vec2 DESCRIPTION_POSITION(BOX_LEFT + 36.0f, 404.0f);
const engine::Vec2 SCORE_POSITION(BOX_LEFT + 36.0f, 300.0f);
const engine::Vec2 MARK_POSITION(BOX_LEFT + 520.0f, 300.0f);
constexpr float NAME_SLIDE = 24.0f;

std::string text(const std::string& key) {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getString(key) : key;
}

engine::ui::Scale9Sprite* box(const char* file, uint8_t opacity) {
    engine::Texture2D* texture = engine::Director::getInstance()->getTextureCache()->addImage(file);
    if (!texture) return nullptr;
    texture->setAliasTexParameters();
    auto* piece = engine::ui::Scale9Sprite::createWithTexture(texture, engine::Rect(0.0f, 0.0f, 48.0f, 48.0f),
                                                              engine::Rect(16.0f, 16.0f, 16.0f, 16.0f));
    if (!piece) return nullptr;
    piece->setScale(MenuArt::PIXEL_SCALE);
    piece->setContentSize(engine::Size(BOX_WIDTH / MenuArt::PIXEL_SCALE, BOX_HEIGHT / MenuArt::PIXEL_SCALE));
    piece->setPosition(BOX_LEFT + BOX_WIDTH / 2, BOX_BOTTOM + BOX_HEIGHT / 2);
    piece->setOpacity(opacity);
    return piece;
}

}  // namespace

StageSelectWindow* StageSelectWindow::create() {
    auto* window = new StageSelectWindow();
    if (!window->init()) {
        delete window;
        return nullptr;
    }
    window->autorelease();
    return window;
}

std::vector<int> StageSelectWindow::buildEntries() {
    std::vector<int> entries;
    if (DataManager* data = DataManager::getInstance())
        for (int stage : data->getStageNumbers())
            if (data->isStageOpen(stage)) entries.push_back(stage);
    entries.push_back(BACK_ENTRY);
    return entries;
}

int StageSelectWindow::openingIndex() const {
    // With no stage open the list is only the back entry; the index stays inside the list.
    return std::max(0, static_cast<int>(entries_.size()) - 2);
}

std::string StageSelectWindow::nameKey(int stage) {
    return stage == BACK_ENTRY ? "STAGENAME_BACK" : "STAGENAME_" + NSpriteAnimationManager::padded(stage, 3);
}

std::string StageSelectWindow::descriptionKey(int stage) {
    return stage == BACK_ENTRY ? "STAGEDESC_BABCK" : "STAGEDESC_" + NSpriteAnimationManager::padded(stage, 3);
}

bool StageSelectWindow::init() {
    if (!Sprite::init()) return false;
    setContentSize(engine::Size(WIDTH, HEIGHT));
    entries_ = buildEntries();
    if (auto* back = box("images/ui/shop_window_9scale_back.png", 245)) addChild(back);
    if (auto* frame = box("images/ui/shop_window_9scale_frame.png", 255)) addChild(frame);

    nameLabel_ = MenuArt::label("", MenuArt::TITLE_FONT, 96.0f, 0.4f, engine::Color4B::WHITE, 1);
    descriptionLabel_ = MenuArt::label("", MenuArt::BODY_FONT, 44.0f, 0.5f);
    bestScoreLabel_ =
        MenuArt::label("", MenuArt::BODY_FONT, 44.0f, 0.5f, engine::Color4B(255, 227, 148, 255));
    if (!nameLabel_ || !descriptionLabel_ || !bestScoreLabel_) return false;
    nameLabel_->setPosition(NAME_POSITION);
    addChild(nameLabel_);
    descriptionLabel_->setAnchorPoint(engine::Vec2(0.0f, 1.0f));
    descriptionLabel_->setPosition(DESCRIPTION_POSITION);
    descriptionLabel_->setAlignment(engine::TextHAlignment::LEFT);
    descriptionLabel_->setMaxLineWidth((BOX_WIDTH - 72.0f) / 0.5f);
    addChild(descriptionLabel_);
    bestScoreLabel_->setAnchorPoint(engine::Vec2(0.0f, 0.5f));
    bestScoreLabel_->setPosition(SCORE_POSITION);
    addChild(bestScoreLabel_);
    clearMark_ = MenuArt::picture("images/ui/ui_clearMark.png", 1.0f);
    clearMark_->setPosition(MARK_POSITION);
    addChild(clearMark_);

    // The cursor points at the name from the left and bobs towards it.
    cursor_ = MenuArt::cursor(8.0f);
    cursor_->setPosition(NAME_POSITION.x - 220.0f, NAME_POSITION.y);
    addChild(cursor_);
    auto* right = MenuArt::cursor(-8.0f);
    right->setFlippedX(true);
    right->setPosition(NAME_POSITION.x + 220.0f, NAME_POSITION.y);
    addChild(right);
    addLoadout();
    return true;
}

void StageSelectWindow::addLoadout() {
    DataManager* data = DataManager::getInstance();
    if (!data) return;
    const float top = 236.0f;
    engine::Label* heading = MenuArt::label(text("MAP_STATUS"), MenuArt::BODY_FONT, 40.0f, 0.5f,
                                            engine::Color4B(190, 190, 190, 255));
    if (heading) {
        heading->setAnchorPoint(engine::Vec2(0.0f, 0.5f));
        heading->setPosition(BOX_LEFT + 36.0f, top);
        addChild(heading);
    }
    int slot = 0;
    for (int weapon : {data->getEquippedWeapon1(), data->getEquippedWeapon2()}) {
        engine::Sprite* icon = MenuArt::picture(
            "images/weapon/wi_" + NSpriteAnimationManager::padded(weapon, 2) + "_00.png", 2.0f);
        icon->setPosition(BOX_LEFT + 68.0f + 80.0f * static_cast<float>(slot++), top - 64.0f);
        addChild(icon);
    }
    RectGauge* sp = RectGauge::create("images/ui/sp_gauge_01.png", "images/ui/sp_gauge_02.png",
                                      "images/ui/sp_gauge_03.png", static_cast<float>(data->getSp()),
                                      static_cast<float>(DataManager::kSpMax), engine::Vec2(0.0f, -1.0f));
    if (sp) {
        sp->setAnchorPoint(engine::Vec2::ZERO);
        sp->setPosition(BOX_LEFT + 264.0f, top - 150.0f);
        addChild(sp);
    }
    LustGauge* lp = LustGauge::create();
    if (lp) {
        lp->setValue(data->getLp());
        lp->setAnchorPoint(engine::Vec2::ZERO);
        lp->setPosition(BOX_LEFT + 36.0f, top - 140.0f);
        addChild(lp);
    }
    PlayerCharacter* player = data->getPlayerCharacter();
    figure_ = CompositeAnimation::create();
    if (player && figure_ && figure_->load(player->animationFile(CharacterAnimState::WAIT))) {
        figure_->setScale(MenuArt::PIXEL_SCALE);
        figure_->setPosition(BOX_LEFT + 470.0f, top - 84.0f);
        figure_->play(nullptr, true);
        addChild(figure_);
    }
}

int StageSelectWindow::entryAt(int index) const {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return BACK_ENTRY;
    return entries_[static_cast<std::size_t>(index)];
}

void StageSelectWindow::showName(int index) {
    const int stage = entryAt(index);
    const std::string name = text(nameKey(stage));
    nameLabel_->stopActionByTag(NAME_TAG);
    auto* change = engine::Sequence::create(
        {engine::Spawn::create(
             {engine::MoveTo::create(NAME_FADE, NAME_POSITION + engine::Vec2(0.0f, NAME_SLIDE)),
              engine::FadeTo::create(NAME_FADE, 0)}),
         engine::CallFunc::create([this, name]() {
             nameLabel_->setString(name);
             nameLabel_->setPosition(NAME_POSITION - engine::Vec2(0.0f, NAME_SLIDE));
         }),
         engine::Spawn::create(
             {engine::MoveTo::create(NAME_FADE, NAME_POSITION), engine::FadeTo::create(NAME_FADE, 255)})});
    change->setTag(NAME_TAG);
    nameLabel_->runAction(change);

    DataManager* data = DataManager::getInstance();
    const int best = data && stage != BACK_ENTRY ? data->getStageScore(stage) : 0;
    bestScoreLabel_->setString(text("HISCORE_LABEL") + "  " + std::to_string(best));
    bestScoreLabel_->setVisible(best != 0);
    clearMark_->setVisible(best != 0);
}

void StageSelectWindow::showDescription(int index) {
    const std::string description = MenuArt::lineBreaks(text(descriptionKey(entryAt(index))));
    descriptionLabel_->stopActionByTag(DESCRIPTION_TAG);
    auto* change = engine::Sequence::create(
        {engine::FadeTo::create(DESCRIPTION_FADE, 0),
         engine::CallFunc::create([this, description]() { descriptionLabel_->setString(description); }),
         engine::FadeTo::create(DESCRIPTION_FADE, 255)});
    change->setTag(DESCRIPTION_TAG);
    descriptionLabel_->runAction(change);
}

bool StageSelectWindow::isAnimating() const {
    return nameLabel_->getActionByTag(NAME_TAG) != nullptr ||
           descriptionLabel_->getActionByTag(DESCRIPTION_TAG) != nullptr;
}

}  // namespace vastomer
