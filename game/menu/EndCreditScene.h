#pragma once

#include <string>
#include <vector>

#include "game/app/NLayer.h"

namespace engine {
class Label;
class Node;
}  // namespace engine

namespace vastomer {

// The end credits (scene 11): the night-sky dial turning slowly behind a column of credit lines that
// rolls up over 85 s, then "The End" fades in and out, and the game returns to the title. Whichever
// asks first to leave (the end of the roll, or CANCEL through the controller) leads to the title;
// later requests are ignored.
class EndCreditScene : public NLayer {
public:
    static constexpr const char* MUSIC = "audio/bgm/QUORIN_Ending.mp3";
    static constexpr const char* BUILT_WITH_PICTURE = "images/ui/end_cocos.png";
    static constexpr float ROLL_HEIGHT = 2600.0f;
    static constexpr float ROLL_TIME = 85.0f;
    static constexpr float DIAL_TURN_TIME = 90.0f;

    // One entry of the roll: a string key, or the picture when the key is empty.
    struct Line {
        std::string key;
        bool heading = false;
    };

    static EndCreditScene* create();
    bool init() override;
    // Plays the ending music and starts the roll; the closing caption follows it.
    void startScene() override;

    // Stops the music and changes to the title, once; false when a change was asked for already.
    bool leaveToTitle();
    bool isLeaving() const { return leaving_; }
    // The roll (or its closing caption) is still running.
    bool isRunning() const { return running_; }
    float getRollOffset() const;

    // The order of the roll: headings D01 … D09, names N01 … N24 and the built-with picture.
    static const std::vector<Line>& lines();
    engine::Node* getRoll() const { return roll_; }
    engine::Label* getClosingCaption() const { return closing_; }

protected:
    EndCreditScene() = default;

private:
    void buildRoll();

    engine::Node* roll_ = nullptr;
    engine::Label* closing_ = nullptr;
    bool running_ = false;
    bool leaving_ = false;
};

}  // namespace vastomer
