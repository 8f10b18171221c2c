#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/scene/Sprite.h"

namespace vastomer {

class Gauge;
class ResultPanel;

// The overlay of a boss battle and the stage result: the boss's HP gauge, the name card that
// introduces the boss (its name in large red letters popping in one by one), the banner when it
// falls, and the result panel with its two choices. Each staging ends in the callback it is given,
// so that the play controller can chain them.
class BossBattleInterface : public engine::Sprite {
public:
    using Callback = std::function<void()>;

    static constexpr const char* GAUGE_FRAME = "images/ui/boss_gauge_01.png";
    static constexpr const char* GAUGE_BAR = "images/ui/boss_gauge_02.png";
    static constexpr const char* GAUGE_COVER = "images/ui/boss_gauge_03.png";
    static constexpr const char* GAUGE_SOUND = "audio/se/power34.mp3";
    static constexpr const char* NAME_SOUND = "audio/se/bom26_c.mp3";
    static constexpr const char* DEFEAT_SOUND = "audio/se/don10_a.mp3";
    static constexpr const char* DEFEAT_PARTICLES = "particle/boss_defeated.plist";
    static constexpr int GAUGE_FILL_FRAMES = 45;
    static constexpr float GAUGE_Y = 20.0f;
    static constexpr float GAUGE_RISE = 20.0f;
    static constexpr int RESULT_BACKDROP_Z = -1000;
    static constexpr uint8_t RESULT_BACKDROP_OPACITY = 180;

    static BossBattleInterface* create();
    bool init() override;
    // Only its children are drawn: the sprite itself is a transparent 960 × 540 frame.
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    // The gauge appears at the bottom, transparent, fills from 0 to `maximumHp` in 45 frames with its
    // sound, rises 20 points into view, then `done`.
    void showBossGauge(int maximumHp, Callback done);
    // The gauge follows the boss's HP at once (nothing when no gauge is up).
    void setBossHp(int hp);
    // The name card: up to three lines, each spread over the screen's width character by character.
    void showBossName(const std::array<std::string, 3>& lines, Callback done);
    // The gauge goes, the banner flickers in with its sound and sparks, stays, and fades; then `done`.
    void showBossDefeated(Callback done);
    // Darkens the stage and builds the result panel; `done` when the panel is ready for input.
    void showResult(int stage, int totalScore, int stageScore, Callback done);
    void select(int index);
    int getSelection() const;

    // The name text of "STAGING_BOSS_NAME_0100" split at "," into three lines (missing ones empty,
    // any past the third dropped).
    static std::array<std::string, 3> splitNameLines(const std::string& text);
    // The characters of a UTF-8 line, by the length its lead byte announces; a sequence cut short at
    // the end of the text is kept as it is.
    static std::vector<std::string> splitCharacters(const std::string& line);
    // The defeat banner of a language ("images/ui/ui_boss_defeat_en.png" for "en", else Japanese).
    static std::string bannerFile(const std::string& language);

    Gauge* getBossGauge() const { return bossGauge_; }
    ResultPanel* getResultPanel() const { return resultPanel_; }
    engine::Sprite* getResultBackdrop() const { return resultBackdrop_; }
    engine::Node* getContainer() const { return container_; }
    // The phase of the staging shown last: "none", "gauge", "name", "battle", "defeated", "result".
    const std::string& getPhase() const { return phase_; }
    void setPhase(const std::string& phase) { phase_ = phase; }

protected:
    BossBattleInterface() = default;

private:
    engine::Node* container_ = nullptr;
    Gauge* bossGauge_ = nullptr;
    ResultPanel* resultPanel_ = nullptr;
    engine::Sprite* resultBackdrop_ = nullptr;
    std::string phase_ = "none";
};

}  // namespace vastomer
