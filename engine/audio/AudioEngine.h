#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace engine {

class AudioBackend;

// Plays sounds by path and hands out an id per sound. Ids start at 0 and increase for the whole run;
// none is ever reused. At most MAX_INSTANCES sounds play at once. When a non-looping sound ends (seen
// by tick(), which the Director calls once a frame) its id is forgotten: getState then reports ERROR
// and calls with it are ignored.
//
// Two backends: SDL_mixer (windowed runs) and a null backend (headless runs) that plays nothing but
// lets each sound last as many frames as its file does. Every operation is logged, with the frame
// count at which it happened, whichever backend runs; queries (getVolume, getState, isLoop) are not.
// The log keeps the latest operations only (at least LOG_LIMIT / 2 of them), so that a long session
// does not pile it up.
class AudioEngine {
public:
    static constexpr int INVALID_AUDIO_ID = -1;
    static constexpr int MAX_INSTANCES = 32;
    static constexpr std::size_t LOG_LIMIT = 8192;

    enum class AudioState { ERROR = -1, INITIALIZING, PLAYING, PAUSED };

    struct LogEntry {
        long long tick = 0;     // getTickCount() when it happened
        std::string operation;  // play2d, stop, stopAll, setVolume, finished, uncacheAll, end, backend
        int id = INVALID_AUDIO_ID;
        std::string path;  // as the caller named it (the backend's name for "backend")
        bool loop = false;
        float volume = 0.0f;
        std::string note;  // why a call failed or was ignored; "" when it took effect
    };

    // Choose the output; stops whatever plays. The device opens at once; false if it cannot.
    // Without a choice, the first play2d opens the SDL_mixer backend.
    static bool useNullBackend();
    static bool useMixerBackend();
    // "null", "mixer", or "" when none is open.
    static std::string getBackendName();

    // Resolves `path` through FileUtils; returns the new id, or INVALID_AUDIO_ID when the file is
    // missing, MAX_INSTANCES sounds are playing, or the backend cannot play it. Volume is clamped to 0..1.
    static int play2d(const std::string& path, bool loop = false, float volume = 1.0f);
    static void stop(int audioId);
    static void stopAll();
    static void setVolume(int audioId, float volume);
    static float getVolume(int audioId);  // 0 for an unknown id
    static AudioState getState(int audioId);
    static bool isLoop(int audioId);
    static int getPlayingCount();
    static void uncacheAll();
    // Stops everything and closes the backend; a later play2d opens it again. Ids keep increasing.
    static void end();

    // Advances one frame and forgets the sounds that have ended.
    static void tick();
    static long long getTickCount();

    static const std::vector<LogEntry>& getLog();
    static void clearLog();

private:
    struct Instance {
        std::string path;
        bool loop = false;
        float volume = 0.0f;
    };
    struct State;
    static State& state();
    static bool install(std::unique_ptr<AudioBackend> backend);
    static bool ensureBackend();
    static void log(const std::string& operation, int id, const std::string& path, bool loop, float volume,
                    const std::string& note = "");
};

}  // namespace engine
