#pragma once

#include <string>

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"

namespace vastomer {

class OptionScene;

// Reads the input of the options screen and commits what the pages edit: the language (shown at
// once, kept or taken back), the volumes (heard at once, kept or taken back), the bindings (edited
// on the page and applied together, duplicates refused), the difficulty, the progress reset and the
// comfort settings. Leaving saves the bindings to the settings store.
class OptionController : public AbstractController {
public:
    static constexpr float VOLUME_STEP = 0.01f;
    // Frames between two steps of a held direction (a pad presses it again every frame; a key
    // pressed again steps at once).
    static constexpr int REPEAT_FRAMES = 6;
    static constexpr int ESCAPE_KEY = 6;
    static constexpr const char* RESET_SOUND = "audio/se/power22.mp3";

    static OptionController* create();
    bool init() override;
    void setScene(NLayer* scene) override;
    void start() override;
    void stop() override;
    void update(float dt) override;

    OptionScene* getScene() const;
    bool isWaitingForInput() const { return waitingForInput_; }
    const std::string& getLanguageOnEntry() const { return languageOnEntry_; }
    float getSavedBgmVolume() const { return savedBgmVolume_; }
    float getSavedSeVolume() const { return savedSeVolume_; }

    // Whether a binding list names one key or button twice.
    static bool hasDuplicates(const std::vector<int>& bindings);
    // The player character back to the new game's loadout (after a progress reset).
    static void resetPlayerLoadout();

protected:
    OptionController() = default;

private:
    void captureBinding();
    void finishCapture(int value, bool aborted);
    void moveRow(int delta, bool wrap);
    void left(int delta);
    void confirm();
    void cancel();
    void confirmMenu();
    void confirmLanguage();
    void confirmSound();
    void confirmControls();
    void confirmDifficulty();
    void confirmReset();
    void applyLanguage(const std::string& code);
    void backToMenu();
    void leave();

    engine::WeakRef<OptionScene> scene_;
    std::string languageOnEntry_;
    std::string chosenLanguage_;
    float savedBgmVolume_ = 1.0f;
    float savedSeVolume_ = 0.7f;
    float editBgmVolume_ = 1.0f;
    float editSeVolume_ = 0.7f;
    bool waitingForInput_ = false;
    // After a capture, nothing acts until every key and button is let go.
    bool waitingForRelease_ = false;
    int holdFrames_ = 0;
};

}  // namespace vastomer
