#pragma once

#include <string>

#include "engine/base/Color.h"
#include "engine/base/Geometry.h"

namespace engine {
class Label;
class Node;
class Sprite;
}  // namespace engine

namespace vastomer {

// The look the hub's screens share: labels in IPAex Mincho drawn at four times their size and
// scaled by a quarter, grey rows with the highlighted one white, brass-and-indigo nine-slice windows
// at scale 2, and pixel-art pictures with sharp pixels.
class MenuStyle {
public:
    static constexpr const char* FONT_FILE = "fonts/ipaexm.ttf";
    static constexpr const char* WINDOW_BACK_FILE = "images/ui/shop_window_9scale_back.png";
    static constexpr const char* WINDOW_FRAME_FILE = "images/ui/shop_window_9scale_frame.png";
    static constexpr const char* CURSOR_FILE = "images/ui/select_cursor_01.png";
    static constexpr const char* MARKER_FILE = "images/ui/select_cursor_02.png";
    static constexpr float PIXEL_SCALE = 2.0f;
    static constexpr float LABEL_FONT_SIZE = 80.0f;
    static constexpr float LABEL_SCALE = 0.25f;
    static constexpr const char* CURSOR_SOUND = "audio/se/cursor20.mp3";
    static constexpr const char* CONFIRM_SOUND = "audio/se/cursor21.mp3";
    static constexpr const char* BACK_SOUND = "audio/se/cursor22.mp3";

    static const engine::Color3B GREY;
    static const engine::Color3B EQUIPPED;

    // A label of `text` at `fontSize` × `scale` on screen, anchored at its left middle, grey.
    static engine::Label* label(const std::string& text, float fontSize = LABEL_FONT_SIZE,
                                float scale = LABEL_SCALE);
    // Row colours: grey with a grey outline, white with a white outline, or the equipped yellow.
    static void setGrey(engine::Label* label);
    static void setWhite(engine::Label* label);
    static void setEquipped(engine::Label* label);
    static void setColour(engine::Label* label, const engine::Color3B& text, const engine::Color3B& outline);
    // A window of `size` points on screen (the nine-slice back and frame at scale 2), anchored at its
    // top left; `backOpacity` for the back, the frame opaque. Cascades its opacity.
    static engine::Node* window(const engine::Size& size, uint8_t backOpacity = 220);
    // Resizes a window made by `window`.
    static void resizeWindow(engine::Node* window, const engine::Size& size);
    // A picture with sharp pixels at `scale`; null when the file cannot be loaded.
    static engine::Sprite* picture(const std::string& file, float scale = PIXEL_SCALE);
    // Every two-character "\n" of a text as a line break.
    static std::string withLineBreaks(const std::string& text);
    // The number in at least `digits` digits, zero-padded.
    static std::string padded(int number, int digits);
    // The text of a string key.
    static std::string text(const std::string& key);
    static void playSe(const char* file);
};

}  // namespace vastomer
