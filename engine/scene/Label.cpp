#include "engine/scene/Label.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "engine/base/Utf8.h"
#include "engine/platform/FileUtils.h"
#include "engine/render/FontCache.h"
#include "engine/render/Renderer.h"
#include "engine/render/TextLayout.h"
#include "engine/render/TextRasterizer.h"
#include "engine/scene/Director.h"

namespace engine {

Label::Label() {
    anchorPoint_ = Vec2::ANCHOR_MIDDLE;
}

Label* Label::createWithTTF(const TTFConfig& config, const std::string& text, TextHAlignment hAlignment,
                            int maxLineWidth) {
    auto* label = new Label();
    if (!label->init() || !label->setTTFConfig(config)) {
        delete label;
        return nullptr;
    }
    label->hAlignment_ = hAlignment;
    label->maxLineWidth_ = static_cast<float>(maxLineWidth);
    label->setString(text);
    label->autorelease();
    return label;
}

Label* Label::createWithTTF(const std::string& text, const std::string& fontFile, float fontSize,
                            const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment) {
    Label* label = createWithTTF(TTFConfig(fontFile, fontSize), text, hAlignment, 0);
    if (!label) return nullptr;
    label->vAlignment_ = vAlignment;
    label->dimensions_ = dimensions;
    label->markDirty();
    return label;
}

bool Label::setTTFConfig(const TTFConfig& config) {
    std::string fullPath = FileUtils::getInstance()->fullPathForFilename(config.fontFilePath);
    if (fullPath.empty()) return false;
    config_ = config;
    fontFullPath_ = fullPath;
    if (config_.outlineSize > 0) outlineColor_ = Color4B::BLACK;
    lineHeightOverride_ = 0.0f;
    markDirty();
    return true;
}

void Label::setString(const std::string& text) {
    if (text == text_) return;
    text_ = text;
    markDirty();
}

int Label::getStringLength() const {
    return static_cast<int>(Utf8::length(text_));
}

int Label::getStringNumLines() const {
    updateLayout();
    return lineCount_;
}

void Label::enableOutline(const Color4B& color, int outlineSize) {
    outlineColor_ = color;
    if (outlineSize > 0 && outlineSize != config_.outlineSize) {
        config_.outlineSize = outlineSize;
        lineHeightOverride_ = 0.0f;
    }
    markDirty();
}

void Label::disableEffect() {
    config_.outlineSize = 0;
    markDirty();
}

void Label::setTextColor(const Color4B& color) {
    if (color == textColor_) return;
    textColor_ = color;
    rasterDirty_ = true;
}

void Label::setLineSpacing(float spacing) {
    lineSpacing_ = spacing;
    markDirty();
}

void Label::setLineHeight(float height) {
    lineHeightOverride_ = height;
    markDirty();
}

float Label::getLineHeight() const {
    updateLayout();
    return lineHeight_;
}

void Label::setAlignment(TextHAlignment h) {
    setAlignment(h, vAlignment_);
}

void Label::setAlignment(TextHAlignment h, TextVAlignment v) {
    hAlignment_ = h;
    vAlignment_ = v;
    markDirty();
}

void Label::setMaxLineWidth(float width) {
    maxLineWidth_ = width;
    markDirty();
}

void Label::setDimensions(float width, float height) {
    dimensions_ = Size(width, height);
    markDirty();
}

void Label::markDirty() {
    layoutDirty_ = true;
    rasterDirty_ = true;
    // Measured now, not at draw time: the content size places the anchor, which the transform needs
    // before anything is drawn.
    updateLayout();
}

void Label::updateLayout() const {
    if (!layoutDirty_) return;
    layoutDirty_ = false;
    textWidth_ = textHeight_ = 0.0f;
    lineCount_ = 0;
    auto* self = const_cast<Label*>(this);
    int size = std::max(1, static_cast<int>(std::lround(config_.fontSize)));
    FontFace* font = FontCache::getInstance().getFace(fontFullPath_, size);
    if (!font) {
        self->Node::setContentSize(dimensions_);
        return;
    }
    float outline = static_cast<float>(std::max(0, config_.outlineSize));
    float wrap = maxLineWidth_ > 0.0f ? maxLineWidth_ : dimensions_.width;
    TextLayout layout = TextLayout::measure(*font, Utf8::decode(text_), wrap);
    lineHeight_ = lineHeightOverride_ > 0.0f ? lineHeightOverride_
                                             : static_cast<float>(layout.lineHeight()) + 2.0f * outline;
    if (!text_.empty()) {
        lineCount_ = static_cast<int>(layout.lines().size());
        textWidth_ = static_cast<float>(layout.widestLine());
        textHeight_ =
            static_cast<float>(lineCount_) * lineHeight_ + static_cast<float>(lineCount_ - 1) * lineSpacing_;
    }
    Size size2(dimensions_.width > 0.0f ? dimensions_.width : textWidth_,
               dimensions_.height > 0.0f ? dimensions_.height : textHeight_);
    self->Node::setContentSize(size2);
}

const Size& Label::getContentSize() const {
    updateLayout();
    return contentSize_;
}

void Label::draw(Renderer& renderer, const DrawContext& context) {
    updateLayout();
    if (text_.empty() || fontFullPath_.empty()) return;
    float scale = renderer.screenScale(context);
    int pixelSize = static_cast<int>(std::lround(config_.fontSize * scale));
    if (pixelSize < 1) return;
    if (rasterDirty_ || pixelSize != rasterPixelSize_ || !texture_) {
        float s = static_cast<float>(pixelSize) / config_.fontSize;
        TextRasterizer::Request request;
        request.fontPath = fontFullPath_;
        request.pixelSize = pixelSize;
        request.outline =
            config_.outlineSize > 0 ? std::max(1, static_cast<int>(std::lround(config_.outlineSize * s))) : 0;
        request.text = Utf8::decode(text_);
        float wrap = maxLineWidth_ > 0.0f ? maxLineWidth_ : dimensions_.width;
        request.maxLineWidth = wrap * s;
        request.lineAdvance = (lineHeight_ + lineSpacing_) * s;
        request.alignment = static_cast<int>(hAlignment_);
        request.fill = textColor_;
        request.outlineColor = outlineColor_;
        texture_.reset();
        TextRasterizer::Result raster = TextRasterizer::render(request);
        if (raster.surface) {
            texture_ = Texture2D::createWithSurface(renderer.getSDLRenderer(), raster.surface, "");
            SDL_FreeSurface(raster.surface);
        }
        rasterOrigin_ = Vec2(static_cast<float>(raster.originX), static_cast<float>(raster.originY));
        rasterPixelSize_ = pixelSize;
        rasterDirty_ = false;
    }
    if (!texture_) return;
    float s = static_cast<float>(pixelSize) / config_.fontSize;
    float w = static_cast<float>(texture_->getPixelsWide()) / s;
    float h = static_cast<float>(texture_->getPixelsHigh()) / s;
    // The text block sits at the top of the content box (or centred / at the bottom), and across
    // the box by the horizontal alignment when the box is wider than the text.
    // Glyphs start at the content box's left edge; the outline reaches past it.
    float x = -static_cast<float>(std::max(0, config_.outlineSize));
    float boxW = contentSize_.width, boxH = contentSize_.height;
    if (boxW > textWidth_) {
        if (hAlignment_ == TextHAlignment::CENTER) x += (boxW - textWidth_) * 0.5f;
        if (hAlignment_ == TextHAlignment::RIGHT) x += boxW - textWidth_;
    }
    float top = boxH;
    if (boxH > textHeight_) {
        if (vAlignment_ == TextVAlignment::CENTER) top -= (boxH - textHeight_) * 0.5f;
        if (vAlignment_ == TextVAlignment::BOTTOM) top -= boxH - textHeight_;
    }
    // The picture's origin texel is the text block's top-left corner.
    x -= rasterOrigin_.x / s;
    top += rasterOrigin_.y / s;
    Color4B color(displayedColor_, displayedOpacity_);
    renderer.drawPixelExact(context, Vec2(x, top), Size(w, h), texture_, color);
}

}  // namespace engine
