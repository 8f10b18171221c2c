#pragma once

#include <cstdint>

#include "engine/scene/Layer.h"
#include "engine/scene/Sprite.h"
#include "game/app/SceneParam.h"

namespace vastomer {

// Base of every screen: 960 × 540, a background sprite and three content planes (z 1, 2, 3) that the
// screen puts its nodes into.
class NLayer : public engine::Layer {
public:
    static constexpr float WIDTH = 960.0f;
    static constexpr float HEIGHT = 540.0f;
    static constexpr int CONTENT_LAYER_COUNT = 3;

    static NLayer* create();
    bool init() override;

    virtual uint8_t getLayerOpacity() const { return layerOpacity_; }
    // The record the previous screen passed; screens ignore it by default.
    virtual void setSceneParam(SceneParam param);
    // Called on the outgoing screen with the incoming one when a change starts.
    virtual void handOver(NLayer* incoming);
    // Builds the screen's content, right after it is created.
    virtual void setupScene();
    // Stops what the screen runs when it is taken away half-way through the fade (the play screen also
    // lets go of its stage's nodes).
    virtual void stopSceneActions();
    // Starts the screen once the change has uncovered it.
    virtual void startScene();

    // Stores the value and gives it to every direct child; cascading is left to the children.
    void setOpacity(uint8_t opacity) override;

    engine::Sprite* getBackgroundSprite() const { return backgroundSprite_; }
    // Plane 1, 2 or 3; null for any other number.
    engine::Node* getContentLayer(int number) const;

protected:
    NLayer() = default;

private:
    engine::Sprite* backgroundSprite_ = nullptr;
    engine::Node* contentLayers_[CONTENT_LAYER_COUNT] = {nullptr, nullptr, nullptr};
    uint8_t layerOpacity_ = 255;
};

}  // namespace vastomer
