#pragma once

#include <string>

#include "engine/base/RefPtr.h"
#include "engine/render/Texture2D.h"
#include "engine/scene/Node.h"

namespace engine {
namespace ui {

// A picture cut into a 3 × 3 grid: corners keep their size, edges stretch along their length and the
// centre both ways when the content size changes. Cap insets are a rectangle in the picture
// (origin at its top-left) marking the stretchable centre; zero means thirds.
class Scale9Sprite : public Node {
public:
    // Null if the picture cannot be loaded. A zero rect means the whole picture.
    static Scale9Sprite* create(const std::string& file, const Rect& rect = Rect::ZERO,
                                const Rect& capInsets = Rect::ZERO);
    static Scale9Sprite* create(const Rect& capInsets, const std::string& file);
    static Scale9Sprite* createWithTexture(Texture2D* texture, const Rect& rect = Rect::ZERO,
                                           const Rect& capInsets = Rect::ZERO);

    bool initWithFile(const std::string& file, const Rect& rect, const Rect& capInsets);
    bool initWithTexture(Texture2D* texture, const Rect& rect, const Rect& capInsets);
    void setCapInsets(const Rect& capInsets);
    const Rect& getCapInsets() const { return capInsets_; }
    void setPreferredSize(const Size& size) { setContentSize(size); }
    const Size& getPreferredSize() const { return contentSize_; }
    const Size& getOriginalSize() const { return rect_.size; }
    void setFlippedX(bool flipped) { flippedX_ = flipped; }
    void setFlippedY(bool flipped) { flippedY_ = flipped; }
    Texture2D* getTexture() const { return texture_; }

    // Insets in points after clamping: left, top, right, bottom.
    float insetLeft() const { return left_; }
    float insetTop() const { return top_; }
    float insetRight() const { return right_; }
    float insetBottom() const { return bottom_; }

    void draw(Renderer& renderer, const DrawContext& context) override;

protected:
    Scale9Sprite();

    RefPtr<Texture2D> texture_;
    Rect rect_;
    Rect capInsets_;
    float left_ = 0, top_ = 0, right_ = 0, bottom_ = 0;
    bool flippedX_ = false;
    bool flippedY_ = false;
};

}  // namespace ui
}  // namespace engine
