#pragma once

#include "game/app/NLayer.h"
#include "game/app/VastomerLogoAnimeDelegate.h"

namespace vastomer {

class VastomerLogoPanel;

// The first screen: the maker logo on white, then on to the title screen.
class SplashScene : public NLayer, public VastomerLogoAnimeDelegate {
public:
    static constexpr float LOGO_SCALE = 6.0f;
    static constexpr float LOGO_RAISE = 80.0f;

    static SplashScene* create();
    bool init() override;
    void startScene() override;
    void onLogoAnimationFinished(VastomerLogoPanel* panel) override;

    VastomerLogoPanel* getLogoPanel() const { return logoPanel_; }

protected:
    SplashScene() = default;

private:
    VastomerLogoPanel* logoPanel_ = nullptr;
};

}  // namespace vastomer
