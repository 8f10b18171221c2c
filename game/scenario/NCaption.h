#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/base/Color.h"
#include "engine/scene/Label.h"

namespace vastomer {

// A message typed out one character at a time: each character is a label of its own, placed by a
// pen that moves right and, at "_", down to the next line (there is no automatic wrapping). The
// typing advances on the per-frame update: one drawn character per interval, line breaks free.
class NCaption : public engine::Label {
public:
    // What revealing a character did: nothing (past the text), drew one, or broke the line.
    static constexpr int REVEAL_NONE = 0;
    static constexpr int REVEAL_CHARACTER = 1;
    static constexpr int REVEAL_LINE_BREAK = 2;
    static constexpr const char* LINE_BREAK = "_";
    static constexpr const char* FONT_FILE = "fonts/ipaexm.ttf";

    using CharacterCallback = std::function<void(int)>;
    using FinishedCallback = std::function<void()>;

    static NCaption* create();
    bool init() override;

    // Starts a new message: unfinished, nothing shown, the pen at the start, paused until showUpTo.
    void setText(const std::string& text);
    // Shows the first `count` characters at once (all of them for a large count) and types the rest.
    void showUpTo(int count);
    // Removes the shown characters and puts the pen back at the start; typing stops until showUpTo.
    void clear();
    void update(float dt) override;

    virtual const CharacterCallback& getOnCharacter() const { return onCharacter_; }
    virtual void setOnCharacter(CharacterCallback callback) { onCharacter_ = std::move(callback); }
    virtual const FinishedCallback& getOnFinished() const { return onFinished_; }
    virtual void setOnFinished(FinishedCallback callback) { onFinished_ = std::move(callback); }
    // Seconds per drawn character.
    virtual float getInterval() const { return interval_; }
    virtual void setInterval(float seconds) { interval_ = seconds; }
    virtual bool isFinished() const { return finished_; }
    virtual int getShownCount() const { return shownCount_; }
    // Characters (not bytes) in the text, line breaks included.
    virtual int getTotalCount() const { return static_cast<int>(characters_.size()); }
    virtual bool isPaused() const { return paused_; }
    virtual void setPaused(bool paused) { paused_ = paused; }
    // The font file and size of the characters (drawn at four times the size, scaled by a quarter).
    virtual const engine::TTFConfig& getTTFConfig() const { return ttfConfig_; }
    virtual void setTTFConfig(const engine::TTFConfig& config) { ttfConfig_ = config; }
    // Distance between lines, in font sizes.
    virtual float getLineSpacing() const { return lineSpacing_; }
    virtual void setLineSpacing(float spacing) { lineSpacing_ = spacing; }
    virtual const engine::Color3B& getTextColor() const { return textColor_; }
    virtual void setTextColor(const engine::Color3B& color) { textColor_ = color; }

    const std::string& getText() const { return text_; }
    int getLine() const { return line_; }
    float getPenX() const { return penX_; }
    // The character labels on show, in the order they were revealed.
    const std::vector<engine::Label*>& getCharacterLabels() const { return labels_; }

protected:
    NCaption() = default;

private:
    int reveal(int index);
    void finish();

    CharacterCallback onCharacter_;
    FinishedCallback onFinished_;
    float interval_ = 0.01f;
    bool finished_ = false;
    int shownCount_ = 0;
    bool paused_ = true;
    engine::TTFConfig ttfConfig_{FONT_FILE, 36.0f};
    float lineSpacing_ = 1.25f;
    engine::Color3B textColor_ = engine::Color3B::BLACK;

    std::string text_;
    // The text cut into characters once, so the typing never walks past what it counted.
    std::vector<std::string> characters_;
    float elapsed_ = 0.0f;
    int line_ = 0;
    float penX_ = 0.0f;
    std::vector<engine::Label*> labels_;
};

}  // namespace vastomer
