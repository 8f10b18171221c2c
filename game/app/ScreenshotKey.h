#pragma once

#include <string>

#include "engine/base/RefPtr.h"
#include "engine/events/EventListenerKeyboard.h"

namespace vastomer {

// F12 saves what the screen shows as a PNG in the data folder ("screenshots/quorin_0001.png", the
// first number not taken yet), when the comfort setting allows it. The picture is the next frame
// drawn, also in a headless run. It listens to the keyboard beside the game's own input, so the key
// works on every screen and never counts as a game action unless the player bound it to one.
class ScreenshotKey {
public:
    static constexpr int KEY_CODE = 58;  // F12
    static constexpr int PRIORITY = -253;
    static constexpr const char* FOLDER = "screenshots/";

    ScreenshotKey() = default;
    ~ScreenshotKey();
    ScreenshotKey(const ScreenshotKey&) = delete;
    ScreenshotKey& operator=(const ScreenshotKey&) = delete;

    // Starts listening on the director's event dispatcher.
    void install();
    void uninstall();

    // Asks for the next frame to be saved; false when the setting is off or the folder cannot be made.
    bool take();
    // The file the next picture goes to.
    static std::string nextFileName();
    int getTakenCount() const { return taken_; }
    const std::string& getLastFile() const { return lastFile_; }

private:
    engine::RefPtr<engine::EventListenerKeyboard> listener_;
    int taken_ = 0;
    std::string lastFile_;
};

}  // namespace vastomer
