#include "game/menu/MemorySceneOptionWindow.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/menu/MenuStyle.h"

namespace vastomer {

namespace {

using engine::Size;
using engine::Vec2;

const Vec2 TOP_LEFT(32.0f, 508.0f);
const Size SIZE(300.0f, 250.0f);
constexpr float LABEL_X = 56.0f;
constexpr float FIRST_FROM_TOP = 36.0f;
constexpr float SPACING = 34.0f;
const char* const ROW_KEYS[MemorySceneOptionWindow::ROWS] = {
    "MEMORY_OPTION_PLAY",    "MEMORY_MENU_OPACITY",     "MEMORY_OPTION_ZOOM",
    "MEMORY_OPTION_RESTART", "MEMORY_OPTION_SITUATION", "MEMORY_OPTION_BACK"};

}  // namespace

MemorySceneOptionWindow* MemorySceneOptionWindow::create() {
    auto* window = new MemorySceneOptionWindow();
    if (window->init()) {
        window->autorelease();
        return window;
    }
    delete window;
    return nullptr;
}

bool MemorySceneOptionWindow::init() {
    if (!Node::init()) return false;
    setContentSize(Size(960.0f, 540.0f));
    setCascadeOpacityEnabled(true);
    engine::Node* window = MenuStyle::window(SIZE);
    window->setPosition(TOP_LEFT);
    addChild(window);
    for (int row = 0; row < ROWS; ++row) {
        engine::Label* label = MenuStyle::label("");
        if (!label) return false;
        label->setPosition(LABEL_X, SIZE.height - FIRST_FROM_TOP - SPACING * static_cast<float>(row));
        window->addChild(label);
        labels_.push_back(label);
    }
    cursor_ = MenuStyle::picture(MenuStyle::CURSOR_FILE);
    if (!cursor_) return false;
    window->addChild(cursor_, 5);
    setOpacity(0);
    setVisible(false);
    refresh();
    return true;
}

void MemorySceneOptionWindow::setValues(int opacity, int zoom) {
    opacity_ = opacity;
    zoom_ = zoom;
    refresh();
}

void MemorySceneOptionWindow::moveRow(int delta) {
    setRow(((row_ + delta) % ROWS + ROWS) % ROWS);
}

void MemorySceneOptionWindow::setRow(int row) {
    row_ = row;
    refresh();
}

void MemorySceneOptionWindow::refresh() {
    for (int row = 0; row < ROWS; ++row) {
        std::string text = MenuStyle::text(ROW_KEYS[row]);
        if (row == OPACITY) text += "  < " + std::to_string(opacity_) + " >";
        if (row == ZOOM) text += "  < " + std::to_string(zoom_) + " >";
        engine::Label* label = labels_[static_cast<std::size_t>(row)];
        label->setString(text);
        if (row == row_)
            MenuStyle::setWhite(label);
        else
            MenuStyle::setGrey(label);
    }
    engine::Label* current = labels_[static_cast<std::size_t>(row_)];
    cursor_->stopAllActions();
    cursor_->setPosition(current->getPositionX() - 22.0f, current->getPositionY());
    cursor_->runAction(engine::RepeatForever::create(engine::Sequence::create(
        {engine::MoveBy::create(0.3f, Vec2(-8.0f, 0.0f)), engine::MoveBy::create(0.5f, Vec2(8.0f, 0.0f))})));
}

void MemorySceneOptionWindow::open(std::function<void()> done) {
    shown_ = true;
    setVisible(true);
    stopAllActions();
    runAction(
        engine::Sequence::create({engine::FadeTo::create(FADE_TIME, 255), engine::CallFunc::create([done]() {
                                      if (done) done();
                                  })}));
}

void MemorySceneOptionWindow::close(std::function<void()> done) {
    shown_ = false;
    stopAllActions();
    runAction(engine::Sequence::create(
        {engine::FadeTo::create(FADE_TIME, 0), engine::CallFunc::create([this, done]() {
             setVisible(false);
             if (done) done();
         })}));
}

}  // namespace vastomer
