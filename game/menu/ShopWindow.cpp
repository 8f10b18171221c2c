#include "game/menu/ShopWindow.h"

#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/scene/Label.h"
#include "game/data/DataManager.h"
#include "game/menu/MenuStyle.h"
#include "game/scenario/QuorinDialog.h"

namespace vastomer {

namespace {

using engine::Size;
using engine::Vec2;

// The windows keep to the upper part of the screen, so that Quorin and Mr. Kettle stay in view.
const Vec2 LIST_TOP_LEFT(24.0f, 520.0f);
const Size LIST_SIZE(360.0f, 304.0f);
const Vec2 DETAIL_TOP_LEFT(400.0f, 520.0f);
const Size DETAIL_SIZE(536.0f, 176.0f);
const Vec2 SCORE_TOP_LEFT(704.0f, 336.0f);
const Size SCORE_SIZE(232.0f, 56.0f);
constexpr float ROW_X = 56.0f;
constexpr float FIRST_ROW_FROM_TOP = 36.0f;
constexpr float ROW_SPACING = 34.0f;
constexpr float CURSOR_GAP = 22.0f;
constexpr float DETAIL_FONT_SIZE = 64.0f;
constexpr float DESCRIPTION_WIDTH = 496.0f;  // on screen
constexpr int DIALOG_Z = 100;
// The purchase question is centred in the gap between the list and the score window (its box is
// centred on x 480 of the dialog): centred on the screen it would lie over the list's frame.
const Vec2 DIALOG_OFFSET((LIST_TOP_LEFT.x + LIST_SIZE.width + SCORE_TOP_LEFT.x) / 2 - 480.0f, 0.0f);

const char* const CATEGORY_KEYS[ShopWindow::CATEGORY_COUNT] = {
    "SHOP_CATE_GRAPPLEWEAPON", "SHOP_CATE_SHOOTINGWEAPON", "SHOP_CATE_WEAR", "SHOP_CATE_BACK"};

int wrap(int value, int count) {
    if (count <= 0) return 0;
    return ((value % count) + count) % count;
}

engine::Label* detailLabel(engine::Node* parent, const Vec2& position) {
    engine::Label* label = MenuStyle::label("", DETAIL_FONT_SIZE);
    if (!label) return nullptr;
    label->setPosition(position);
    MenuStyle::setWhite(label);
    parent->addChild(label);
    return label;
}

}  // namespace

ShopWindow* ShopWindow::create() {
    auto* window = new ShopWindow();
    if (window->init()) {
        window->autorelease();
        return window;
    }
    delete window;
    return nullptr;
}

bool ShopWindow::init() {
    if (!Sprite::init()) return false;
    setContentSize(Size(960.0f, 540.0f));
    setAnchorPoint(Vec2::ZERO);
    setCascadeOpacityEnabled(true);

    listWindow_ = MenuStyle::window(LIST_SIZE);
    listWindow_->setPosition(LIST_TOP_LEFT);
    addChild(listWindow_);
    detailWindow_ = MenuStyle::window(DETAIL_SIZE);
    detailWindow_->setPosition(DETAIL_TOP_LEFT);
    addChild(detailWindow_);
    scoreWindow_ = MenuStyle::window(SCORE_SIZE);
    scoreWindow_->setPosition(SCORE_TOP_LEFT);
    addChild(scoreWindow_);

    if (engine::Sprite* icon = MenuStyle::picture(SCORE_ICON_FILE, 1.0f)) {
        icon->setPosition(34.0f, SCORE_SIZE.height / 2);
        scoreWindow_->addChild(icon);
    }
    scoreLabel_ = detailLabel(scoreWindow_, Vec2(60.0f, SCORE_SIZE.height / 2));
    nameLabel_ = detailLabel(detailWindow_, Vec2(20.0f, DETAIL_SIZE.height - 26.0f));
    priceLabel_ = detailLabel(detailWindow_, Vec2(20.0f, DETAIL_SIZE.height - 56.0f));
    ownedLabel_ = detailLabel(detailWindow_, Vec2(300.0f, DETAIL_SIZE.height - 56.0f));
    descriptionLabel_ = detailLabel(detailWindow_, Vec2(20.0f, DETAIL_SIZE.height - 76.0f));
    if (!scoreLabel_ || !nameLabel_ || !priceLabel_ || !ownedLabel_ || !descriptionLabel_) return false;
    MenuStyle::setColour(ownedLabel_, MenuStyle::EQUIPPED, MenuStyle::EQUIPPED);
    descriptionLabel_->setAnchorPoint(Vec2(0.0f, 1.0f));
    descriptionLabel_->setMaxLineWidth(DESCRIPTION_WIDTH / MenuStyle::LABEL_SCALE);
    descriptionLabel_->setHorizontalAlignment(engine::TextHAlignment::LEFT);
    MenuStyle::setGrey(descriptionLabel_);

    cursor_ = MenuStyle::picture(MenuStyle::CURSOR_FILE);
    if (!cursor_) return false;
    listWindow_->addChild(cursor_, 10);
    cursor_->runAction(engine::RepeatForever::create(engine::Sequence::create(
        {engine::MoveBy::create(0.3f, Vec2(-8.0f, 0.0f)), engine::MoveBy::create(0.5f, Vec2(8.0f, 0.0f))})));

    dialog_ = QuorinDialog::create();
    if (!dialog_) return false;
    dialog_->setPosition(DIALOG_OFFSET);
    addChild(dialog_, DIALOG_Z);

    setOpacity(0);
    showList();
    return true;
}

void ShopWindow::open() {
    opened_ = true;
    runAction(engine::FadeTo::create(FADE_TIME, 255));
}

std::vector<int> ShopWindow::itemsOf(int category) {
    std::vector<int> items;
    DataManager* data = DataManager::getInstance();
    if (category != BACK) {
        for (int i = 0; i < data->getShopLineupCount(); ++i) {
            ShopLineupEntry entry = data->getShopLineupEntry(i);
            bool wanted = false;
            if (category == WEAR) {
                wanted = entry.isWear;
            } else if (!entry.isWear) {
                bool fires = data->getWeaponMaster(entry.itemId).hasBullet;
                wanted = (category == SHOT_WEAPONS) == fires;
            }
            if (wanted) items.push_back(entry.itemId);
        }
    }
    items.push_back(BACK_ENTRY);
    return items;
}

bool ShopWindow::isOwned(int itemId, bool isWear) {
    DataManager* data = DataManager::getInstance();
    return isWear ? data->hasWear(itemId) : data->hasWeapon(itemId);
}

std::string ShopWindow::nameKey(int itemId, bool isWear) {
    return std::string(isWear ? "WEAR_NAME_" : "WEAPON_NAME_") + MenuStyle::padded(itemId, 4);
}

std::string ShopWindow::descriptionKey(int itemId, bool isWear) {
    return std::string(isWear ? "WEAR_DESC_" : "WEAPON_DESC_") + MenuStyle::padded(itemId, 4);
}

ShopWindow::Purchase ShopWindow::purchase(DataManager& data, int itemId, bool isWear) {
    ShopLineupEntry entry = data.findShopLineupEntry(itemId, isWear);
    // A line with a negative price would pay the player for taking the item: not for sale.
    if (entry.itemId < 0 || entry.price < 0) return Purchase::NOT_FOR_SALE;
    if (isWear ? data.hasWear(itemId) : data.hasWeapon(itemId)) return Purchase::OWNED;
    if (entry.price >= data.getScore()) return Purchase::TOO_DEAR;
    data.setScore(data.getScore() - entry.price);
    if (isWear)
        data.addWear(itemId);
    else
        data.addWeapon(itemId);
    return Purchase::SOLD;
}

int ShopWindow::highlightedItem() const {
    if (state_ == CATEGORIES || items_.empty()) return BACK_ENTRY;
    return items_[static_cast<std::size_t>(wrap(itemIndex_, static_cast<int>(items_.size())))];
}

void ShopWindow::moveCursor(int delta) {
    if (busy_) return;
    MenuStyle::playSe(MenuStyle::CURSOR_SOUND);
    if (state_ == CATEGORIES) {
        categoryIndex_ = wrap(categoryIndex_ + delta, CATEGORY_COUNT);
    } else if (state_ == ITEMS) {
        itemIndex_ = wrap(itemIndex_ + delta, static_cast<int>(items_.size()));
    } else {
        choice_ = wrap(choice_ + delta, 2);
        dialog_->select(choice_);
        return;
    }
    showList();
}

ShopWindow::Outcome ShopWindow::confirm() {
    if (busy_) return Outcome::NONE;
    if (state_ == CATEGORIES) {
        if (categoryIndex_ == BACK) {
            MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
            return Outcome::LEAVE;
        }
        MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
        items_ = itemsOf(categoryIndex_);
        itemIndex_ = 0;
        state_ = ITEMS;
        showList();
        return Outcome::NONE;
    }
    if (state_ == ITEMS) {
        int item = highlightedItem();
        if (item == BACK_ENTRY) {
            MenuStyle::playSe(MenuStyle::BACK_SOUND);
            state_ = CATEGORIES;
            showList();
        } else if (isOwned(item, isWearCategory())) {
            MenuStyle::playSe(MenuStyle::BACK_SOUND);
        } else {
            MenuStyle::playSe(MenuStyle::CONFIRM_SOUND);
            openDialog();
        }
        return Outcome::NONE;
    }
    if (choice_ == ACCEPT) {
        switch (purchase(*DataManager::getInstance(), highlightedItem(), isWearCategory())) {
            case Purchase::SOLD:
                MenuStyle::playSe(PURCHASE_SOUND);
                refreshScore();
                closeDialog();
                break;
            case Purchase::TOO_DEAR:
                MenuStyle::playSe(MenuStyle::BACK_SOUND);
                break;
            case Purchase::NOT_FOR_SALE:
            case Purchase::OWNED:
                break;
        }
    } else {
        MenuStyle::playSe(MenuStyle::BACK_SOUND);
        closeDialog();
    }
    return Outcome::NONE;
}

ShopWindow::Outcome ShopWindow::cancel() {
    if (busy_) return Outcome::NONE;
    MenuStyle::playSe(MenuStyle::BACK_SOUND);
    if (state_ == CONFIRM) {
        closeDialog();
    } else if (state_ == ITEMS) {
        state_ = CATEGORIES;
        showList();
    } else {
        return Outcome::LEAVE;
    }
    return Outcome::NONE;
}

void ShopWindow::openDialog() {
    state_ = CONFIRM;
    choice_ = ACCEPT;
    busy_ = true;
    std::string name = MenuStyle::text(nameKey(highlightedItem(), isWearCategory()));
    std::string bracketed = MenuStyle::text("SHOP_CONFIRM_NAME");
    std::size_t token = bracketed.find("{name}");
    if (token != std::string::npos)
        bracketed.replace(token, 6, name);
    else
        bracketed = "[" + name + "]";
    dialog_->setup(true, MenuStyle::text("SHOP_CONFIRM") + "\n" + bracketed,
                   {MenuStyle::text("SHOP_ACCEPT"), MenuStyle::text("SHOP_CANCEL")});
    dialog_->open([this]() {
        dialog_->select(choice_);
        busy_ = false;
    });
}

void ShopWindow::closeDialog() {
    busy_ = true;
    dialog_->close([this]() {
        busy_ = false;
        state_ = ITEMS;
        showList();
    });
}

void ShopWindow::showList() {
    for (engine::Label* row : rows_)
        row->removeFromParent();
    rows_.clear();
    int highlighted = 0;
    std::vector<std::string> texts;
    if (state_ == CATEGORIES) {
        for (const char* key : CATEGORY_KEYS)
            texts.push_back(MenuStyle::text(key));
        highlighted = categoryIndex_;
    } else {
        for (int item : items_)
            texts.push_back(item == BACK_ENTRY ? MenuStyle::text("SHOP_CATE_BACK")
                                               : MenuStyle::text(nameKey(item, isWearCategory())));
        highlighted = wrap(itemIndex_, static_cast<int>(items_.size()));
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        engine::Label* row = MenuStyle::label(texts[i]);
        if (!row) continue;
        row->setPosition(ROW_X, LIST_SIZE.height - FIRST_ROW_FROM_TOP - ROW_SPACING * static_cast<float>(i));
        bool owned = state_ != CATEGORIES && items_[i] != BACK_ENTRY && isOwned(items_[i], isWearCategory());
        if (static_cast<int>(i) == highlighted)
            MenuStyle::setWhite(row);
        else if (owned)
            MenuStyle::setColour(row, engine::Color3B(110, 110, 130), engine::Color3B(110, 110, 130));
        listWindow_->addChild(row);
        rows_.push_back(row);
    }
    if (highlighted >= 0 && highlighted < static_cast<int>(rows_.size()))
        placeCursor(rows_[static_cast<std::size_t>(highlighted)]);
    showDetails();
    refreshScore();
}

void ShopWindow::placeCursor(engine::Label* beside) {
    cursor_->stopAllActions();
    cursor_->setPosition(beside->getPositionX() - CURSOR_GAP, beside->getPositionY());
    cursor_->runAction(engine::RepeatForever::create(engine::Sequence::create(
        {engine::MoveBy::create(0.3f, Vec2(-8.0f, 0.0f)), engine::MoveBy::create(0.5f, Vec2(8.0f, 0.0f))})));
}

void ShopWindow::showDetails() {
    int item = highlightedItem();
    if (item == BACK_ENTRY) {
        nameLabel_->setString("");
        priceLabel_->setString("");
        ownedLabel_->setString("");
        descriptionLabel_->setString("");
        return;
    }
    bool wear = isWearCategory();
    DataManager* data = DataManager::getInstance();
    ShopLineupEntry entry = data->findShopLineupEntry(item, wear);
    nameLabel_->setString(MenuStyle::text(nameKey(item, wear)));
    priceLabel_->setString(MenuStyle::text("SHOP_COST") + "  " + std::to_string(entry.price));
    ownedLabel_->setString(isOwned(item, wear) ? MenuStyle::text("SHOP_OWNED") : "");
    descriptionLabel_->setString(MenuStyle::withLineBreaks(MenuStyle::text(descriptionKey(item, wear))));
}

void ShopWindow::refreshScore() {
    scoreLabel_->setString(std::to_string(DataManager::getInstance()->getScore()));
}

std::string ShopWindow::getScoreText() const {
    return scoreLabel_->getString();
}

std::string ShopWindow::getDetailName() const {
    return nameLabel_->getString();
}

std::string ShopWindow::getDetailPrice() const {
    return priceLabel_->getString();
}

bool ShopWindow::isOwnedMarkShown() const {
    return !ownedLabel_->getString().empty();
}

}  // namespace vastomer
