#include "game/app/SplashScene.h"

#include "game/app/SceneManager.h"
#include "game/app/VastomerLogoPanel.h"

namespace vastomer {

SplashScene* SplashScene::create() {
    auto* scene = new SplashScene();
    if (!scene->init()) {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

bool SplashScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(255, 255, 255));
    return true;
}

void SplashScene::startScene() {
    if (logoPanel_) return;
    logoPanel_ = VastomerLogoPanel::create();
    if (!logoPanel_) return;
    const engine::Size& size = getContentSize();
    logoPanel_->setScale(LOGO_SCALE);
    logoPanel_->setPosition(size.width / 2, size.height / 2 + LOGO_RAISE);
    logoPanel_->setDelegate(this);
    getContentLayer(2)->addChild(logoPanel_);
}

void SplashScene::onLogoAnimationFinished(VastomerLogoPanel* /*panel*/) {
    auto* manager = dynamic_cast<SceneManager*>(getParent());
    if (!manager) manager = SceneManager::getInstance();
    if (manager)
        manager->changeScene(SceneId::TITLE, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
}

}  // namespace vastomer
