#pragma once

#include <functional>
#include <string>

#include "engine/base/Geometry.h"
#include "engine/scene/Sprite.h"

namespace engine {
class FiniteTimeAction;
class Label;
}  // namespace engine

namespace vastomer {

class NCaption;

// The dialogue box at the bottom of the screen: a name plate, a speaker picture on each side and
// a message typed out by its caption, plus a caption band across the screen ("telop"). It covers
// the 960 × 540 screen from its origin and draws nothing itself; its pieces are pixel art at
// scale 2.
//
// Every operation that takes a callback calls it once, when its animation ends (never from inside
// the call). The slides end at fixed positions, so repeating an operation never moves a piece
// further. A picture that cannot be loaded leaves its side empty and still calls back.
//
// The frame is mirrored while the speaker stands on the right; the name and the text then move
// with the mirrored paper.
class MessageWindow : public engine::Sprite {
public:
    using Callback = std::function<void()>;

    static constexpr const char* FRAME_FILE = "images/ui/message_window_01.png";
    static constexpr const char* CURSOR_FILE = "images/ui/select_cursor_01.png";
    static constexpr const char* FONT_FILE = "fonts/ipaexm.ttf";
    static constexpr float PIXEL_SCALE = 2.0f;
    static constexpr float WINDOW_TIME = 0.3f;
    static constexpr float PICTURE_TIME = 0.2f;
    static constexpr float MESSAGE_CLEAR_TIME = 0.2f;
    static constexpr float TELOP_SLIDE_TIME = 0.2f;
    static constexpr float TELOP_HOLD_TIME = 1.0f;
    static constexpr float TYPING_INTERVAL = 0.01f;
    static constexpr float PICTURE_SLIDE = 16.0f;
    static constexpr uint8_t TELOP_BACK_OPACITY = 160;

    static MessageWindow* create();
    bool init() override;
    void draw(engine::Renderer& renderer, const engine::DrawContext& context) override;

    void setSpeakerName(const std::string& name);
    // Shows `file` on one side: white when active, dimmed otherwise, sliding in from outside while
    // it fades in. A picture already there is replaced. `animated` makes the picture breathe.
    void setSpeakerPicture(const std::string& file, bool isLeft, bool active, bool animated, Callback done);
    // Slides the picture of one side outwards while it fades out.
    void clearSpeakerPicture(bool isLeft, Callback done);
    // Colours the speaker's picture white and the other side's grey.
    void highlightSpeaker(bool isLeft);
    // The side of the current speaker; the frame is mirrored for the right.
    void setSide(bool isLeft);
    bool isLeft() const { return isLeft_; }

    // Slides the frame up while it fades in (and takes down a caption band still shown).
    void openWindow(Callback done);
    // Hides the cursor, clears both pictures and the message, then slides the frame down while it
    // fades out.
    void closeWindow(Callback done);
    bool isOpen() const { return open_; }

    // The message to show next: kept, and given to the caption.
    void setMessageText(const std::string& text);
    // The string key the message came from (for reports; the window shows the text only).
    void setTextKey(const std::string& key) { textKey_ = key; }
    const std::string& getTextKey() const { return textKey_; }
    // Types the message given by setMessageText; `done` runs when all of it is shown.
    void showMessage(Callback done);
    // Fades the message out, then empties the caption and puts it back in place.
    void clearMessage(Callback done);

    // Shows a band across the screen with `text`; `done` runs a second after it has come in. The
    // band stays until the window opens or closes, another band comes, or hideTelop.
    void showTelop(const std::string& text, Callback done);
    void hideTelop(Callback done);

    // The next-page cursor, with the name of the key or button bound to OK beside it (read when
    // shown, so a new binding shows at once).
    void showNextCursor();
    void hideNextCursor();
    bool isNextCursorShown() const;
    // What the prompt beside the cursor says: the bound key's name on the keyboard, the bound
    // button's on the game pad; empty when the binding has no name.
    static std::string okPromptText();

    NCaption* getCaption() const { return caption_; }
    engine::Label* getNameLabel() const { return nameLabel_; }
    engine::Sprite* getFrame() const { return frame_; }
    engine::Sprite* getLeftPicture() const { return leftPicture_; }
    engine::Sprite* getRightPicture() const { return rightPicture_; }
    engine::Sprite* getNextCursor() const { return nextCursor_; }
    engine::Label* getPromptLabel() const { return promptLabel_; }
    engine::Sprite* getTelopBack() const { return telopBack_; }
    engine::Label* getTelopLabel() const { return telopLabel_; }
    const std::string& getSpeakerName() const { return speakerName_; }
    const std::string& getMessageText() const { return messageText_; }
    bool isLeftShown() const { return leftShown_; }
    bool isRightShown() const { return rightShown_; }
    // The file shown on a side; empty when none is.
    const std::string& getPictureFile(bool isLeft) const { return isLeft ? leftFile_ : rightFile_; }

    // Resting places of the pieces, in the window's space.
    static engine::Vec2 framePosition(bool open);
    static engine::Vec2 picturePosition(bool isLeft);
    static engine::Vec2 namePosition(bool isLeft);
    static engine::Vec2 captionPosition(bool isLeft);
    static engine::Vec2 cursorPosition();

protected:
    MessageWindow() = default;

private:
    engine::Sprite* pictureOf(bool isLeft) const { return isLeft ? leftPicture_ : rightPicture_; }
    // Runs `action` on `piece` in place of what it was doing, then `done`. A callback that the
    // replaced animation still owed runs on the next frame: nobody waiting for it is left waiting.
    void animate(engine::Node* piece, Callback& owed, engine::FiniteTimeAction* action, Callback done);
    void settle(Callback& owed);
    void startCursorBounce();
    void removeTelop();
    void placeForSide();

    NCaption* caption_ = nullptr;
    engine::Label* nameLabel_ = nullptr;
    engine::Sprite* frame_ = nullptr;
    bool isLeft_ = true;
    engine::Sprite* leftPicture_ = nullptr;
    engine::Sprite* rightPicture_ = nullptr;
    std::string speakerName_;
    std::string messageText_;
    std::string textKey_;
    bool leftShown_ = false;
    bool rightShown_ = false;
    std::string leftFile_;
    std::string rightFile_;
    engine::Sprite* nextCursor_ = nullptr;
    engine::Label* promptLabel_ = nullptr;
    engine::Sprite* telopBack_ = nullptr;
    engine::Label* telopLabel_ = nullptr;
    bool open_ = false;
    // Callbacks of animations still running, by the piece that runs them.
    Callback frameOwed_;
    Callback leftOwed_;
    Callback rightOwed_;
    Callback captionOwed_;
    Callback messageOwed_;
};

}  // namespace vastomer
