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

// The small building blocks the menus and the play screen's overlays share: pixel-art pictures
// without smoothing, plain colour panels, text in the game's two faces and the bobbing cursor.
class MenuArt {
public:
    static constexpr const char* BODY_FONT = "fonts/ipaexm.ttf";
    static constexpr const char* TITLE_FONT = "fonts/Oradano-mincho-t.ttf";
    static constexpr const char* CURSOR_FILE = "images/ui/select_cursor_01.png";
    static constexpr float PIXEL_SCALE = 2.0f;
    static constexpr float CURSOR_BOB_OUT = 0.3f;
    static constexpr float CURSOR_BOB_BACK = 0.5f;

    // A picture drawn with nearest-neighbour sampling at `scale`; an empty sprite when the file is
    // missing, so that a screen still builds (the texture cache reports the missing file).
    static engine::Sprite* picture(const std::string& file, float scale = 1.0f);
    // A plain rectangle of one colour.
    static engine::Sprite* panel(float width, float height, const engine::Color3B& colour, uint8_t opacity);
    // Text in a TrueType face; the face is made large and the label scaled down so it stays crisp.
    // The body face stands in for a missing face; null only when neither can be found.
    static engine::Label* label(const std::string& text, const std::string& font, float size, float scale,
                                const engine::Color4B& colour = engine::Color4B::WHITE, int outline = 0);
    // Starts the cursor's endless bob: `distance` points along x (negative: to the left) in 0.3 s and
    // back in 0.5 s. Restarting it first stops the bob that runs.
    static void bob(engine::Node* cursor, float distance);
    // The cursor picture at scale 2, bobbing `distance` points.
    static engine::Sprite* cursor(float distance = -8.0f);
    // Marks a choice selected (white, white outline of 1) or not (grey, grey outline of 1).
    static void highlight(engine::Label* label, bool selected);
    // "A\nB" written with a backslash and n in the string tables becomes a line break.
    static std::string lineBreaks(const std::string& text);
};

}  // namespace vastomer
