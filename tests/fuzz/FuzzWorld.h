#pragma once

#include <string>
#include <string_view>

namespace engine {
class Scene;
}

namespace fuzzing {

// The headless game the content targets load into: a director drawing off-screen, silent audio, the
// game's singletons, the resource tree named by QUORIN_FUZZ_RUNTIME (the folder holding "res/";
// an empty one when unset) behind a scratch folder that is searched first, where each input is
// written. Made once per process on first use and kept until it ends, like the game's own.
class FuzzWorld {
public:
    static FuzzWorld& get();

    FuzzWorld(const FuzzWorld&) = delete;
    FuzzWorld& operator=(const FuzzWorld&) = delete;

    // Writes `content` as the resource `name` ("anime/fuzz.cma"), forgets every cached file look-up
    // and parsed script, and gives the file's full path.
    std::string writeResource(const std::string& name, std::string_view content);
    // The running scene inputs are shown in.
    engine::Scene* getScene() const { return scene_; }
    // Runs and draws one frame of the main loop.
    void drawFrame();
    // Ends an input as a frame would end (objects handed to the autorelease pool are released) and
    // drops what it left in the process-wide logs and caches (error boxes shown, sounds played,
    // pictures), so that millions of inputs do not add up.
    void forgetInput();

private:
    FuzzWorld();

    std::string scratch_;
    engine::Scene* scene_ = nullptr;
};

}  // namespace fuzzing
