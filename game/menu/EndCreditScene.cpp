#include "game/menu/EndCreditScene.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveTo.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/RotateBy.h"
#include "engine/actions/Sequence.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"

namespace vastomer {

namespace {

constexpr float FIRST_LINE_DROP = 140.0f;  // from the roll's top to the first line
constexpr float HEADING_GAP = 84.0f;       // from the line above to a heading
constexpr float NAME_GAP = 40.0f;          // from the line above to a name
constexpr float PICTURE_GAP = 96.0f;
constexpr float PICTURE_SCALE = 1.5f;
const engine::Color4B HEADING_COLOUR(244, 166, 64, 255);

std::string text(const std::string& key) {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getString(key) : key;
}

std::string key(const char* kind, int number) {
    std::string digits = std::to_string(number);
    if (digits.size() < 2) digits = "0" + digits;
    return std::string("ENDCREDIT_") + kind + digits;
}

}  // namespace

EndCreditScene* EndCreditScene::create() {
    auto* scene = new EndCreditScene();
    if (!scene->init()) {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

const std::vector<EndCreditScene::Line>& EndCreditScene::lines() {
    static const std::vector<Line> order = [] {
        std::vector<Line> all;
        auto heading = [&all](int n) { all.push_back({key("D", n), true}); };
        auto names = [&all](int first, int last) {
            for (int n = first; n <= last; ++n)
                all.push_back({key("N", n), false});
        };
        heading(1), names(1, 1), heading(2), names(1, 1), heading(3), names(1, 1);
        heading(4), names(2, 7), heading(5), names(8, 11), heading(6), names(12, 22);
        heading(7), all.push_back({"", false});
        heading(8), names(23, 23), heading(9), names(24, 24);
        return all;
    }();
    return order;
}

bool EndCreditScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(8, 8, 20));
    engine::Sprite* dial = MenuArt::picture("images/ui/ui_mainMenu_back01.png");
    dial->setPosition(WIDTH / 2, HEIGHT / 2);
    dial->runAction(engine::RepeatForever::create(engine::RotateBy::create(DIAL_TURN_TIME, 360.0f)));
    getContentLayer(1)->addChild(dial);
    // The night sky stays dim under the text.
    engine::Sprite* veil = MenuArt::panel(WIDTH, HEIGHT, engine::Color3B(8, 8, 20), 120);
    veil->setPosition(WIDTH / 2, HEIGHT / 2);
    getContentLayer(1)->addChild(veil);

    buildRoll();
    closing_ = MenuArt::label(text("ENDCREDIT_FIN"), MenuArt::TITLE_FONT, 160.0f, 0.5f);
    if (!closing_) return false;
    closing_->setPosition(WIDTH / 2, HEIGHT / 2);
    closing_->setOpacity(0);
    getContentLayer(3)->addChild(closing_);
    return true;
}

void EndCreditScene::buildRoll() {
    roll_ = engine::Node::create();
    roll_->setContentSize(engine::Size(WIDTH, ROLL_HEIGHT));
    roll_->setAnchorPoint(engine::Vec2(0.5f, 1.0f));
    roll_->setPosition(WIDTH / 2, 0.0f);
    getContentLayer(2)->addChild(roll_);
    float y = ROLL_HEIGHT - FIRST_LINE_DROP;
    bool first = true;
    for (const Line& line : lines()) {
        if (line.key.empty()) {
            y -= PICTURE_GAP;
            engine::Sprite* picture = MenuArt::picture(BUILT_WITH_PICTURE, PICTURE_SCALE);
            picture->setPosition(WIDTH / 2, y);
            roll_->addChild(picture);
            y -= PICTURE_GAP / 2;
            continue;
        }
        if (!first) y -= line.heading ? HEADING_GAP : NAME_GAP;
        first = false;
        engine::Label* label =
            line.heading ? MenuArt::label(text(line.key), MenuArt::TITLE_FONT, 72.0f, 0.5f, HEADING_COLOUR)
                         : MenuArt::label(text(line.key), MenuArt::BODY_FONT, 52.0f, 0.5f);
        if (!label) continue;
        label->setPosition(WIDTH / 2, y);
        roll_->addChild(label);
    }
}

void EndCreditScene::startScene() {
    NAudioManager::getInstance()->playBgm(MUSIC, 1.0f);
    running_ = true;
    roll_->runAction(engine::Sequence::create(
        {engine::MoveTo::create(ROLL_TIME, engine::Vec2(WIDTH / 2, HEIGHT + ROLL_HEIGHT)),
         engine::CallFunc::create([this]() {
             closing_->runAction(engine::Sequence::create(
                 {engine::DelayTime::create(1.5f), engine::FadeTo::create(5.0f, 255),
                  engine::DelayTime::create(2.0f), engine::FadeTo::create(5.0f, 0),
                  engine::DelayTime::create(1.5f), engine::CallFunc::create([this]() {
                      running_ = false;
                      leaveToTitle();
                  })}));
         })}));
}

float EndCreditScene::getRollOffset() const {
    return roll_->getPositionY();
}

bool EndCreditScene::leaveToTitle() {
    if (leaving_) return false;
    leaving_ = true;
    NAudioManager::getInstance()->stopBgm();
    SceneManager* manager = SceneManager::peekInstance();
    if (!manager) return true;
    if (AbstractController* controller = manager->getCurrentController()) controller->setActive(false);
    manager->setKeepBgmOnChange(false);
    manager->changeScene(SceneId::TITLE, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
    return true;
}

}  // namespace vastomer
