#pragma once

#include <string>
#include <vector>

#include "engine/scene/Sprite.h"

namespace engine {
class Label;
}

namespace vastomer {

class CompositeAnimation;

// The hub's window for setting out: the open stages in index order and a back entry (-1). For the
// highlighted entry it shows the name, the description and, once the stage has been cleared, the
// best score with the clear seal; beside it the player's loadout (weapons, SP, LP, and Quorin in the
// wear she has on). The hub's controller moves the highlight and acts on it.
class StageSelectWindow : public engine::Sprite {
public:
    static constexpr int BACK_ENTRY = -1;
    static constexpr float NAME_FADE = 0.3f;
    static constexpr float DESCRIPTION_FADE = 0.15f;

    static StageSelectWindow* create();
    bool init() override;
    // Only its children are drawn: the sprite itself is a transparent 960 × 540 frame.
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    // The stage numbers offered: every open stage, in the index file's order, then BACK_ENTRY.
    static std::vector<int> buildEntries();
    const std::vector<int>& getEntries() const { return entries_; }
    // The entry the window opens on: the last open stage, or the back entry when none is open.
    int openingIndex() const;

    // The highlighted entry's name (slides out and back in) and description (fades out and in); the
    // best score and the clear seal show only for a stage with a best score above 0.
    void showName(int index);
    void showDescription(int index);
    // A name or description change is still running (input waits for it).
    bool isAnimating() const;

    // "STAGENAME_001", "STAGENAME_BACK"; "STAGEDESC_001", "STAGEDESC_BABCK".
    static std::string nameKey(int stage);
    static std::string descriptionKey(int stage);

    engine::Label* getNameLabel() const { return nameLabel_; }
    engine::Label* getDescriptionLabel() const { return descriptionLabel_; }
    engine::Label* getBestScoreLabel() const { return bestScoreLabel_; }
    engine::Sprite* getClearMark() const { return clearMark_; }

protected:
    StageSelectWindow() = default;

private:
    void addLoadout();
    int entryAt(int index) const;

    std::vector<int> entries_;
    engine::Label* nameLabel_ = nullptr;
    engine::Label* descriptionLabel_ = nullptr;
    engine::Label* bestScoreLabel_ = nullptr;
    engine::Sprite* clearMark_ = nullptr;
    engine::Sprite* cursor_ = nullptr;
    CompositeAnimation* figure_ = nullptr;
};

}  // namespace vastomer
