#include "game/menu/SituationSelectWindow.h"

#include <cstdio>

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/platform/FileUtils.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/character/ActionMap.h"
#include "game/data/DataManager.h"
#include "game/menu/MenuStyle.h"

namespace vastomer {

namespace {

using engine::Size;
using engine::Vec2;

// On the left, clear of the pair standing in the middle of the stage.
const Vec2 TOP_LEFT(24.0f, 530.0f);
const Size SIZE(480.0f, 282.0f);
constexpr float FONT_SIZE = 50.0f;
constexpr float FONT_SCALE = 0.4f;
constexpr float LABEL_X = 52.0f;
constexpr float VALUE_X = 184.0f;
constexpr float VALUE_RIGHT_MARGIN = 24.0f;  // from the outer edge, the frame included
constexpr float FIRST_FROM_TOP = 32.0f;
constexpr float SPACING = 31.0f;
constexpr uint8_t BACK_OPACITY = 200;
const int STATE_VALUES[SituationSelectWindow::STATES] = {0, 100, 250, 450, 500};
const char* const ROW_KEYS[SituationSelectWindow::ROWS] = {
    "MEMORY_MENU_SITUATION", "MEMORY_MENU_WEAR", "MEMORY_MENU_BACKGROUND", "MEMORY_MENU_STATE",
    "MEMORY_MENU_COMPANION", "MEMORY_MENU_PLAY", "MEMORY_MENU_CANCEL",     "MEMORY_MENU_BACK"};

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\v\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace

SituationSelectWindow* SituationSelectWindow::create() {
    auto* window = new SituationSelectWindow();
    if (window->init()) {
        window->autorelease();
        return window;
    }
    delete window;
    return nullptr;
}

std::vector<int> SituationSelectWindow::unlockedSituations() {
    DataManager* data = DataManager::getInstance();
    std::vector<int> ids;
    for (int i = 0; i < data->getSituationCount(); ++i) {
        int id = data->getSituation(i).id;
        if (data->isSituationUnlocked(id)) ids.push_back(id);
    }
    return ids;
}

std::vector<int> SituationSelectWindow::offeredWear() {
    DataManager* data = DataManager::getInstance();
    std::vector<int> wear;
    // Wear records have no name column: the armour is told by its effect word.
    for (int id : data->getOwnedWear())
        if (data->getWearMaster(id).effect != EXCLUDED_WEAR_EFFECT) wear.push_back(id);
    return wear;
}

bool SituationSelectWindow::readBackgrounds(std::vector<int>& out) {
    out.clear();
    engine::FileUtils* files = engine::FileUtils::getInstance();
    std::string path = files->fullPathForFilename(BACKGROUNDS_FILE);
    if (path.empty()) {
        std::fprintf(stderr, "quorin: %s is missing: the gallery offers no background\n", BACKGROUNDS_FILE);
        return false;
    }
    std::string text = files->getStringFromFile(path);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line.rfind("//", 0) == 0) continue;
        line = trimmed(line);
        int value = 0;
        if (ActionMap::isNumber(line) && ActionMap::toInt(line, value)) out.push_back(value);
    }
    return true;
}

int SituationSelectWindow::stateValue(int index) {
    if (index < 0 || index >= STATES) return 0;
    return STATE_VALUES[index];
}

bool SituationSelectWindow::init() {
    if (!Node::init()) return false;
    setContentSize(Size(960.0f, 540.0f));
    setCascadeOpacityEnabled(true);
    values_.assign(COMPANION + 1, {});
    values_[SITUATION] = unlockedSituations();
    values_[WEAR] = offeredWear();
    readBackgrounds(values_[BACKGROUND]);
    for (int i = 0; i < STATES; ++i)
        values_[STATE].push_back(i);
    for (int i = 0; i < COMPANION_MODES; ++i)
        values_[COMPANION].push_back(i);
    indices_.assign(COMPANION + 1, 0);
    // The wear row starts on what Quorin has on.
    int worn = DataManager::getInstance()->getEquippedWear();
    for (std::size_t i = 0; i < values_[WEAR].size(); ++i)
        if (values_[WEAR][i] == worn) indices_[WEAR] = static_cast<int>(i);

    window_ = MenuStyle::window(SIZE, BACK_OPACITY);
    window_->setPosition(TOP_LEFT);
    addChild(window_);
    for (int row = 0; row < ROWS; ++row) {
        engine::Label* label = MenuStyle::label(MenuStyle::text(ROW_KEYS[row]), FONT_SIZE, FONT_SCALE);
        engine::Label* value = MenuStyle::label("", FONT_SIZE, FONT_SCALE);
        if (!label || !value) return false;
        float y = SIZE.height - FIRST_FROM_TOP - SPACING * static_cast<float>(row);
        label->setPosition(LABEL_X, y);
        value->setPosition(VALUE_X, y);
        window_->addChild(label);
        window_->addChild(value);
        labels_.push_back(label);
        valueLabels_.push_back(value);
    }
    cursor_ = MenuStyle::picture(MenuStyle::CURSOR_FILE);
    if (!cursor_) return false;
    window_->addChild(cursor_, 5);
    setOpacity(0);
    refresh();
    return true;
}

const std::vector<int>& SituationSelectWindow::getValues(int row) const {
    static const std::vector<int> none;
    if (row < 0 || row > COMPANION) return none;
    return values_[static_cast<std::size_t>(row)];
}

int SituationSelectWindow::getIndex(int row) const {
    if (row < 0 || row > COMPANION) return -1;
    return indices_[static_cast<std::size_t>(row)];
}

int SituationSelectWindow::getValue(int row) const {
    const std::vector<int>& values = getValues(row);
    int index = getIndex(row);
    if (values.empty() || index < 0 || index >= static_cast<int>(values.size())) return -1;
    return values[static_cast<std::size_t>(index)];
}

std::string SituationSelectWindow::getValueText(int row) const {
    int value = getValue(row);
    if (value < 0) return row <= COMPANION ? "-" : "";
    switch (row) {
        case SITUATION:
            return MenuStyle::text("MEMORY_SITUATIONNAME_" + MenuStyle::padded(value, 3));
        case WEAR:
            return MenuStyle::text("WEAR_NAME_" + MenuStyle::padded(value, 4));
        case BACKGROUND:
            return MenuStyle::text("MEMORY_MENU_BACKGROUNDNAME_" + MenuStyle::padded(value, 3));
        case STATE:
            return MenuStyle::text("MEMORY_LUST_STATENAME_" + MenuStyle::padded(getIndex(STATE) + 1, 2));
        case COMPANION:
            return MenuStyle::text("MEMORY_MENU_COMPANION_COLOR" + std::to_string(value));
        default:
            return "";
    }
}

void SituationSelectWindow::moveRow(int delta) {
    row_ = ((row_ + delta) % ROWS + ROWS) % ROWS;
    refresh();
}

bool SituationSelectWindow::changeValue(int delta) {
    if (row_ > COMPANION) return false;
    int count = static_cast<int>(values_[static_cast<std::size_t>(row_)].size());
    if (count == 0) return false;
    int& index = indices_[static_cast<std::size_t>(row_)];
    index = ((index + delta) % count + count) % count;
    refresh();
    return true;
}

void SituationSelectWindow::refresh() {
    for (int row = 0; row < ROWS; ++row) {
        engine::Label* label = labels_[static_cast<std::size_t>(row)];
        engine::Label* value = valueLabels_[static_cast<std::size_t>(row)];
        std::string text = getValueText(row);
        value->setString(row <= COMPANION ? "< " + text + " >" : "");
        if (row == row_) {
            MenuStyle::setWhite(label);
            MenuStyle::setWhite(value);
        } else {
            MenuStyle::setGrey(label);
            MenuStyle::setGrey(value);
        }
        fitValue(value);
    }
    engine::Label* current = labels_[static_cast<std::size_t>(row_)];
    cursor_->stopAllActions();
    cursor_->setPosition(current->getPositionX() - 22.0f, current->getPositionY());
    cursor_->runAction(engine::RepeatForever::create(engine::Sequence::create(
        {engine::MoveBy::create(0.3f, Vec2(-8.0f, 0.0f)), engine::MoveBy::create(0.5f, Vec2(8.0f, 0.0f))})));
}

void SituationSelectWindow::fitValue(engine::Label* value) {
    // A name too long for the window is drawn smaller to fit rather than run over its frame. (Labels
    // are drawn at one scale for both axes, so it shrinks whole rather than narrows.)
    value->setScale(FONT_SCALE);
    const float room = SIZE.width - VALUE_X - VALUE_RIGHT_MARGIN;
    const float width = value->getContentSize().width * FONT_SCALE;
    if (width > room) value->setScale(FONT_SCALE * room / width);
}

void SituationSelectWindow::fadeIn() {
    shown_ = true;
    stopAllActions();
    runAction(engine::FadeTo::create(FADE_TIME, 255));
}

void SituationSelectWindow::fadeOut(std::function<void()> done) {
    shown_ = false;
    stopAllActions();
    runAction(
        engine::Sequence::create({engine::FadeTo::create(FADE_TIME, 0), engine::CallFunc::create([done]() {
                                      if (done) done();
                                  })}));
}

}  // namespace vastomer
