#pragma once

#include "engine/scene/Sprite.h"

namespace vastomer {

class VastomerLogoAnimeDelegate;

// The maker logo: a 64 × 64 pixel-art animation of 54 frames from "images/ui/vastomer_logo_s.png"
// (7 × 8 cells, row by row from the top), 0.05 s a frame, then a hold on the last frame, then the
// delegate is told. Before the first frame it shows the still cell at (320, 448).
class VastomerLogoPanel : public engine::Sprite {
public:
    static constexpr const char* SHEET_FILE = "images/ui/vastomer_logo_s.png";
    static constexpr int CELL_SIZE = 64;
    static constexpr int COLUMNS = 7;
    static constexpr int ROWS = 8;
    static constexpr int FRAME_COUNT = 54;
    static constexpr float FRAME_DELAY = 0.05f;

    static VastomerLogoPanel* create();
    bool init() override;

    virtual float getHoldTime() const { return holdTime_; }
    virtual void setHoldTime(float holdTime) { holdTime_ = holdTime; }
    virtual VastomerLogoAnimeDelegate* getDelegate() const { return delegate_; }
    virtual void setDelegate(VastomerLogoAnimeDelegate* delegate) { delegate_ = delegate; }

protected:
    VastomerLogoPanel() = default;

private:
    float holdTime_ = 1.0f;
    VastomerLogoAnimeDelegate* delegate_ = nullptr;
};

}  // namespace vastomer
