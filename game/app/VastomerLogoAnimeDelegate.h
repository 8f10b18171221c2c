#pragma once

namespace vastomer {

class VastomerLogoPanel;

// Told when the maker logo has played and held its last frame.
class VastomerLogoAnimeDelegate {
public:
    virtual ~VastomerLogoAnimeDelegate() = default;
    virtual void onLogoAnimationFinished(VastomerLogoPanel* panel) = 0;
};

}  // namespace vastomer
