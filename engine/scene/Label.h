#pragma once

#include <string>

#include "engine/base/Color.h"
#include "engine/base/RefPtr.h"
#include "engine/render/Texture2D.h"
#include "engine/scene/Node.h"

namespace engine {

enum class TextHAlignment { LEFT, CENTER, RIGHT };
enum class TextVAlignment { TOP, CENTER, BOTTOM };

struct TTFConfig {
    std::string fontFilePath;
    float fontSize = 12.0f;
    int outlineSize = 0;
    bool distanceFieldEnabled = false;
    bool italics = false;
    bool bold = false;
    bool underline = false;
    bool strikethrough = false;

    TTFConfig() = default;
    explicit TTFConfig(std::string path, float size = 12.0f, int outline = 0)
        : fontFilePath(std::move(path)), fontSize(size), outlineSize(outline) {}
};

// TrueType text. Layout is measured at the font size: width = the widest line's sum of glyph
// advances, height = lines × line height + spacing between lines, where the line height is the
// face's ascent − descent plus twice the outline. Drawing rasterises the text at the size it
// appears on screen, so text made large and scaled down stays crisp.
class Label : public Node {
public:
    // Null if the font file cannot be found.
    static Label* createWithTTF(const TTFConfig& config, const std::string& text,
                                TextHAlignment hAlignment = TextHAlignment::CENTER, int maxLineWidth = 0);
    static Label* createWithTTF(const std::string& text, const std::string& fontFile, float fontSize,
                                const Size& dimensions = Size::ZERO,
                                TextHAlignment hAlignment = TextHAlignment::LEFT,
                                TextVAlignment vAlignment = TextVAlignment::TOP);

    // False (and nothing changes) if the font file cannot be found.
    bool setTTFConfig(const TTFConfig& config);
    const TTFConfig& getTTFConfig() const { return config_; }
    void setString(const std::string& text);
    const std::string& getString() const { return text_; }
    // Number of characters (not bytes).
    int getStringLength() const;
    int getStringNumLines() const;

    // Outline drawn behind the fill; size −1 changes only the colour of an existing outline.
    void enableOutline(const Color4B& color, int outlineSize = -1);
    void disableEffect();
    void setTextColor(const Color4B& color);
    const Color4B& getTextColor() const { return textColor_; }
    void setLineSpacing(float spacing);
    float getLineSpacing() const { return lineSpacing_; }
    void setLineHeight(float height);
    float getLineHeight() const;
    void setAlignment(TextHAlignment h);
    void setAlignment(TextHAlignment h, TextVAlignment v);
    void setHorizontalAlignment(TextHAlignment h) { setAlignment(h, vAlignment_); }
    void setVerticalAlignment(TextVAlignment v) { setAlignment(hAlignment_, v); }
    TextHAlignment getHorizontalAlignment() const { return hAlignment_; }
    void setMaxLineWidth(float width);
    void setDimensions(float width, float height);

    const Size& getContentSize() const override;
    void draw(Renderer& renderer, const DrawContext& context) override;

protected:
    Label();
    void markDirty();
    void updateLayout() const;

    TTFConfig config_;
    std::string fontFullPath_;
    std::string text_;
    Color4B textColor_ = Color4B::WHITE;
    Color4B outlineColor_ = Color4B::BLACK;
    float lineSpacing_ = 0.0f;
    float lineHeightOverride_ = 0.0f;
    float maxLineWidth_ = 0.0f;
    Size dimensions_;
    TextHAlignment hAlignment_ = TextHAlignment::LEFT;
    TextVAlignment vAlignment_ = TextVAlignment::TOP;

    // Measured layout (at the font size).
    mutable bool layoutDirty_ = true;
    mutable float textWidth_ = 0.0f;
    mutable float textHeight_ = 0.0f;
    mutable float lineHeight_ = 0.0f;
    mutable int lineCount_ = 0;

    // Rasterised text and the on-screen size it was made for.
    RefPtr<Texture2D> texture_;
    Vec2 rasterOrigin_;
    int rasterPixelSize_ = 0;
    bool rasterDirty_ = true;
};

}  // namespace engine
