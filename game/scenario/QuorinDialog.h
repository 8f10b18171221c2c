#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/scene/Node.h"

namespace engine {
class Label;
class Sprite;
namespace ui {
class Scale9Sprite;
}
}  // namespace engine

namespace vastomer {

// A centred box with a title and, optionally, a list of choices with a bouncing cursor; menus use
// it for questions ("Buy this?") and notices. It covers the 960 × 540 screen from its origin. The
// box is a nine-slice picture at scale 2 that grows with the title and the choices.
class QuorinDialog : public engine::Node {
public:
    using Callback = std::function<void()>;

    static constexpr const char* BACK_FILE = "images/ui/shop_window_9scale_back.png";
    static constexpr const char* FRAME_FILE = "images/ui/shop_window_9scale_frame.png";
    static constexpr const char* CURSOR_FILE = "images/ui/select_cursor_01.png";
    static constexpr const char* FONT_FILE = "fonts/ipaexm.ttf";
    static constexpr float FADE_TIME = 0.15f;
    static constexpr uint8_t BACK_OPACITY = 200;
    static constexpr int CURSOR_Z = 9999;

    // Null when the box pictures or the font cannot be loaded.
    static QuorinDialog* create();
    bool init() override;

    // Sets the title and, with `showChoices`, one label per choice (grey until selected) under it,
    // replacing any earlier ones; the box is sized to fit.
    void setup(bool showChoices, const std::string& title, const std::vector<std::string>& choices);
    // Fades the box, the title and the choices in (and shows the cursor when there are choices).
    void open(Callback done);
    // Hides the cursor and fades everything out.
    void close(Callback done);
    // Moves the cursor beside a choice and shows that one white; an index outside the list
    // changes nothing.
    void select(int index);

    bool hasChoices() const { return hasChoices_; }
    int getChoiceCount() const { return static_cast<int>(choiceLabels_.size()); }
    // The selected choice; -1 before any.
    int getSelectedIndex() const { return selected_; }
    const std::vector<engine::Label*>& getChoiceLabels() const { return choiceLabels_; }
    engine::ui::Scale9Sprite* getBack() const { return back_; }
    engine::ui::Scale9Sprite* getFrame() const { return frame_; }
    engine::Label* getTitleLabel() const { return titleLabel_; }
    engine::Sprite* getCursor() const { return cursor_; }

protected:
    QuorinDialog() = default;

private:
    void placeCursor(engine::Label* beside);

    bool hasChoices_ = false;
    std::vector<engine::Label*> choiceLabels_;
    engine::ui::Scale9Sprite* back_ = nullptr;
    engine::ui::Scale9Sprite* frame_ = nullptr;
    engine::Label* titleLabel_ = nullptr;
    engine::Sprite* cursor_ = nullptr;
    int selected_ = -1;
};

}  // namespace vastomer
