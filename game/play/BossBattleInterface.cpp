#include "game/play/BossBattleInterface.h"

#include <algorithm>

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/RemoveSelf.h"
#include "engine/actions/ScaleTo.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/actions/TargetedAction.h"
#include "engine/base/WeakRef.h"
#include "engine/particles/ParticleSystemQuad.h"
#include "engine/scene/Label.h"
#include "game/audio/NAudioManager.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"
#include "game/play/Gauge.h"
#include "game/play/ResultPanel.h"

namespace vastomer {

namespace {

const engine::Vec2 CENTRE(480.0f, 270.0f);
constexpr float ROW_Y[3] = {405.0f, 270.0f, 135.0f};
constexpr float NAME_FONT_SIZE = 140.0f;
constexpr float NAME_BACKDROP_FADE = 0.2f;
constexpr uint8_t NAME_BACKDROP_OPACITY = 150;
constexpr float NAME_POP_STAGGER = 0.08f;
constexpr float NAME_HOLD = 1.5f;
constexpr float NAME_FADE_OUT = 0.5f;
constexpr float BANNER_STAY = 3.0f;
constexpr float BANNER_FADE_OUT = 0.5f;
constexpr int BANNER_FLICKERS = 4;

}  // namespace

BossBattleInterface* BossBattleInterface::create() {
    auto* overlay = new BossBattleInterface();
    if (!overlay->init()) {
        delete overlay;
        return nullptr;
    }
    overlay->autorelease();
    return overlay;
}

bool BossBattleInterface::init() {
    if (!Sprite::init()) return false;
    setContentSize(engine::Size(960.0f, 540.0f));
    container_ = engine::Node::create();
    container_->setContentSize(engine::Size(960.0f, 540.0f));
    addChild(container_);
    return true;
}

std::array<std::string, 3> BossBattleInterface::splitNameLines(const std::string& text) {
    std::array<std::string, 3> lines;
    std::size_t row = 0;
    for (char c : text) {
        if (c == ',') {
            if (++row == lines.size()) break;
            continue;
        }
        lines[row] += c;
    }
    return lines;
}

std::vector<std::string> BossBattleInterface::splitCharacters(const std::string& line) {
    std::vector<std::string> characters;
    std::size_t i = 0;
    while (i < line.size()) {
        const auto lead = static_cast<unsigned char>(line[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, line.size() - i);
        characters.push_back(line.substr(i, length));
        i += length;
    }
    return characters;
}

std::string BossBattleInterface::bannerFile(const std::string& language) {
    return language == "en" ? "images/ui/ui_boss_defeat_en.png" : "images/ui/ui_boss_defeat_ja.png";
}

void BossBattleInterface::showBossGauge(int maximumHp, Callback done) {
    if (bossGauge_) bossGauge_->removeFromParent();
    phase_ = "gauge";
    bossGauge_ = Gauge::create(GAUGE_FRAME, GAUGE_BAR, GAUGE_COVER, 0.0f, static_cast<float>(maximumHp));
    if (!bossGauge_) {
        if (done) done();
        return;
    }
    bossGauge_->scheduleUpdate();
    bossGauge_->setAnchorPoint(engine::Vec2(0.5f, 0.0f));
    bossGauge_->setPosition(CENTRE.x, GAUGE_Y);
    bossGauge_->setOpacity(0);
    addChild(bossGauge_);
    bossGauge_->setValue(static_cast<float>(maximumHp), GAUGE_FILL_FRAMES);
    NAudioManager::getInstance()->playSe(GAUGE_SOUND);
    bossGauge_->runAction(engine::Sequence::create(
        {engine::DelayTime::create(0.5f),
         engine::Spawn::create({engine::MoveBy::create(1.0f, engine::Vec2(0.0f, GAUGE_RISE)),
                                engine::FadeTo::create(0.5f, 255)}),
         engine::CallFunc::create([done = std::move(done)]() {
             if (done) done();
         })}));
}

void BossBattleInterface::setBossHp(int hp) {
    if (bossGauge_) bossGauge_->setValue(static_cast<float>(hp), 1);
}

void BossBattleInterface::showBossName(const std::array<std::string, 3>& lines, Callback done) {
    phase_ = "name";
    engine::Node* card = engine::Node::create();
    card->setContentSize(engine::Size(960.0f, 540.0f));
    card->setCascadeOpacityEnabled(true);
    container_->addChild(card);
    engine::Sprite* backdrop = MenuArt::panel(960.0f, 540.0f, engine::Color3B(90, 0, 0), 0);
    backdrop->setPosition(CENTRE);
    card->addChild(backdrop);
    backdrop->runAction(engine::FadeTo::create(NAME_BACKDROP_FADE, NAME_BACKDROP_OPACITY));

    float delay = NAME_BACKDROP_FADE;
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const std::vector<std::string> characters = splitCharacters(lines[row]);
        const float count = static_cast<float>(characters.size());
        for (std::size_t k = 0; k < characters.size(); ++k) {
            engine::Label* letter = MenuArt::label(characters[k], MenuArt::TITLE_FONT, NAME_FONT_SIZE, 1.0f,
                                                   engine::Color4B(255, 48, 32, 255));
            if (!letter) continue;
            letter->enableOutline(engine::Color4B(160, 0, 0, 255), 3);
            letter->setPosition(static_cast<float>(k + 1) * 960.0f / (count + 1.0f), ROW_Y[row]);
            letter->setOpacity(0);
            card->addChild(letter);
            letter->runAction(engine::Sequence::create(
                {engine::DelayTime::create(delay), engine::FadeTo::create(0.0f, 255),
                 engine::ScaleTo::create(0.1f, 1.5f), engine::ScaleTo::create(0.2f, 1.0f)}));
            delay += NAME_POP_STAGGER;
        }
    }
    NAudioManager::getInstance()->playSe(NAME_SOUND);
    card->runAction(engine::Sequence::create({engine::DelayTime::create(delay + 0.3f + NAME_HOLD),
                                              engine::FadeTo::create(NAME_FADE_OUT, 0),
                                              engine::CallFunc::create([this, done = std::move(done)]() {
                                                  phase_ = "battle";
                                                  if (done) done();
                                              }),
                                              engine::RemoveSelf::create()}));
}

void BossBattleInterface::showBossDefeated(Callback done) {
    phase_ = "defeated";
    if (bossGauge_) {
        bossGauge_->runAction(
            engine::Sequence::create({engine::FadeTo::create(0.1f, 0), engine::RemoveSelf::create()}));
        bossGauge_ = nullptr;
    }
    StringsManager* strings = StringsManager::getInstance();
    const std::string language = strings ? strings->getLanguage() : std::string();
    engine::Sprite* shade = MenuArt::panel(960.0f, 540.0f, engine::Color3B::BLACK, 96);
    shade->setPosition(CENTRE);
    container_->addChild(shade);
    engine::Sprite* banner = MenuArt::picture(bannerFile(language));
    banner->setPosition(CENTRE);
    container_->addChild(banner);
    NAudioManager::getInstance()->playSe(DEFEAT_SOUND);
    if (auto* sparks = engine::ParticleSystemQuad::create(DEFEAT_PARTICLES)) {
        sparks->setPosition(CENTRE);
        sparks->setAutoRemoveOnFinish(true);
        container_->addChild(sparks);
    }
    std::vector<engine::FiniteTimeAction*> steps;
    for (int i = 0; i < BANNER_FLICKERS; ++i) {
        steps.push_back(engine::FadeTo::create(0.0f, 255));
        steps.push_back(engine::DelayTime::create(0.1f));
        steps.push_back(engine::FadeTo::create(0.0f, 128));
        steps.push_back(engine::DelayTime::create(0.1f));
    }
    steps.push_back(engine::FadeTo::create(0.0f, 255));
    steps.push_back(engine::DelayTime::create(BANNER_STAY));
    steps.push_back(engine::Spawn::create(
        {engine::FadeTo::create(BANNER_FADE_OUT, 0),
         engine::TargetedAction::create(shade, engine::FadeTo::create(BANNER_FADE_OUT, 0))}));
    steps.push_back(engine::CallFunc::create([done = std::move(done)]() {
        if (done) done();
    }));
    steps.push_back(engine::CallFunc::create([shade]() { shade->removeFromParent(); }));
    steps.push_back(engine::RemoveSelf::create());
    banner->runAction(engine::Sequence::create(steps));
}

void BossBattleInterface::showResult(int stage, int totalScore, int stageScore, Callback done) {
    phase_ = "result";
    if (resultBackdrop_) resultBackdrop_->removeFromParent();
    if (resultPanel_) resultPanel_->removeFromParent();
    resultBackdrop_ = MenuArt::panel(960.0f, 540.0f, engine::Color3B::BLACK, 0);
    resultBackdrop_->setPosition(CENTRE);
    addChild(resultBackdrop_, RESULT_BACKDROP_Z);
    resultPanel_ = ResultPanel::create(stage, totalScore, stageScore);
    engine::WeakRef<BossBattleInterface> self(this);
    resultBackdrop_->runAction(engine::Sequence::create(
        {engine::FadeTo::create(0.5f, RESULT_BACKDROP_OPACITY), engine::CallFunc::create([self, done]() {
             BossBattleInterface* overlay = self.get();
             if (!overlay) return;
             if (!overlay->resultPanel_) {
                 if (done) done();
                 return;
             }
             overlay->resultPanel_->build(done);
         })}));
    if (resultPanel_) {
        resultPanel_->setPosition(0.0f, 0.0f);
        addChild(resultPanel_);
    }
}

void BossBattleInterface::select(int index) {
    if (resultPanel_) resultPanel_->select(index);
}

int BossBattleInterface::getSelection() const {
    return resultPanel_ ? resultPanel_->getSelection() : ResultPanel::BACK_TO_MENU;
}

}  // namespace vastomer
