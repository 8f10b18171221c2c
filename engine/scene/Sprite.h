#pragma once

#include <string>

#include "engine/base/BlendFunc.h"
#include "engine/base/RefPtr.h"
#include "engine/render/Texture2D.h"
#include "engine/scene/Node.h"
#include "engine/scene/SpriteFrame.h"

namespace engine {

// A textured quad. Without a texture, `setTextureRect` gives a plain rectangle of the sprite's
// colour and opacity. Content size follows the texture rect; setting it afterwards stretches the quad.
class Sprite : public Node {
public:
    static Sprite* create();
    // A picture that cannot be loaded (missing, damaged) shows the texture cache's placeholder
    // instead, at the size asked for; it is reported once on stderr.
    static Sprite* create(const std::string& file);
    static Sprite* create(const std::string& file, const Rect& rect);
    static Sprite* createWithTexture(Texture2D* texture);
    static Sprite* createWithTexture(Texture2D* texture, const Rect& rect);
    static Sprite* createWithSpriteFrame(SpriteFrame* frame);

    bool init() override;
    virtual bool initWithTexture(Texture2D* texture, const Rect& rect);
    bool initWithFile(const std::string& file);
    bool initWithFile(const std::string& file, const Rect& rect);

    virtual void setTexture(Texture2D* texture);
    void setTexture(const std::string& file);
    Texture2D* getTexture() const { return texture_; }
    // Rectangle of the texture in pixels (origin top-left); also sets the content size.
    virtual void setTextureRect(const Rect& rect);
    const Rect& getTextureRect() const { return textureRect_; }
    void setSpriteFrame(SpriteFrame* frame);
    // A frame describing what the sprite shows now.
    SpriteFrame* getSpriteFrame() const;

    void setFlippedX(bool flipped) { flippedX_ = flipped; }
    void setFlippedY(bool flipped) { flippedY_ = flipped; }
    bool isFlippedX() const { return flippedX_; }
    bool isFlippedY() const { return flippedY_; }
    void setBlendFunc(const BlendFunc& blend) { blendFunc_ = blend; }
    const BlendFunc& getBlendFunc() const { return blendFunc_; }

    void draw(Renderer& renderer, const DrawContext& context) override;

protected:
    Sprite();

    RefPtr<Texture2D> texture_;
    Rect textureRect_;
    bool flippedX_ = false;
    bool flippedY_ = false;
    BlendFunc blendFunc_ = BlendFunc::ALPHA_NON_PREMULTIPLIED;
};

}  // namespace engine
