#pragma once

#include <string>

#include "engine/platform/LaunchOptions.h"

namespace engine {

// Who the program is, in the engine's own words about it.
struct AppIdentity {
    // Short lower-case name ("my-game"): prefixes the engine's messages and names the per-user data
    // folder (see FileUtils::getWritablePath).
    std::string name;
    // The window's title until the application sets another.
    std::string title;
};

// The program's main loop. A game derives from it, sets itself up in applicationDidFinishLaunching,
// and `run` then drives the director: 60 frames per wall-clock second in a window, back to back
// when headless, until the director ends, the window closes, or the frame limit is reached.
class Application {
public:
    // Also names the per-user data folder after identity.name.
    explicit Application(AppIdentity identity);
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* getInstance();

    const AppIdentity& getIdentity() const { return identity_; }

    virtual void initGLContextAttrs() {}
    virtual bool applicationDidFinishLaunching() = 0;
    virtual void applicationDidEnterBackground() {}
    virtual void applicationWillEnterForeground() {}

    void setLaunchOptions(const LaunchOptions& options) { options_ = options; }
    const LaunchOptions& getLaunchOptions() const { return options_; }
    // The system's two-letter language ("ja" for ja_JP.UTF-8); --lang passes a code through unchanged.
    std::string getCurrentLanguageCode() const;

    // Returns the process exit status.
    int run();

private:
    bool openView();
    void paceFrame(uint64_t& nextTick) const;

    AppIdentity identity_;
    LaunchOptions options_;
};

}  // namespace engine
