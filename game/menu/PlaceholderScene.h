#pragma once

#include "game/app/NLayer.h"
#include "game/app/SceneId.h"

namespace engine {
class Label;
}

namespace vastomer {

// A screen of the hub that is not in the game yet (shop, status, options, memories, and any other
// that has no screen of its own): its name, a line saying it is still being built, and the way
// back. The options go back to the title when the title opened them; everything else goes to the hub.
class PlaceholderScene : public NLayer {
public:
    static PlaceholderScene* create(SceneId id);
    bool init() override;
    // Remembers the screen that handed over to this one, to know where CANCEL leads.
    void setOpenedFromTitle(bool fromTitle) { openedFromTitle_ = fromTitle; }
    bool isOpenedFromTitle() const { return openedFromTitle_; }
    SceneId getSceneId() const { return id_; }
    // The hub menu's name of the screen ("MAP_SHOP"...), or an empty key for screens without one.
    static const char* nameKey(SceneId id);

    engine::Label* getNameLabel() const { return nameLabel_; }

protected:
    explicit PlaceholderScene(SceneId id) : id_(id) {}

private:
    SceneId id_;
    bool openedFromTitle_ = false;
    engine::Label* nameLabel_ = nullptr;
};

}  // namespace vastomer
